// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QTableView;

// A list of whole rows, read only, chosen one at a time, that leaves Tab to the window: the
// lists of found and awaited orders. Rows keep one height, that of a line of text; the last
// column takes the room left.
void setUpRowList(QTableView *list);
