// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/textlines.h"
#include "order/bookjournal.h"

#include <QList>
#include <QString>

// The order list's entries (OrderListModel), and the renumbering of the blocks after the user
// moved entries.
namespace OrderList {

// Entry text of the block opening at `open`: number text, date, supplier code and the first
// two address lines, two spaces apart.
QString entryText(const TextLines &lines, qsizetype open);

// `order` lists, for each list position p, the index of the block whose entry stands there
// (a permutation of 0 to order.size() - 1). The labels that give the block of order[p] the
// index p, its opening and closing ones rewritten in place: blocks are not moved and blocks
// outside the list keep their labels. None when nothing changes.
QList<BookJournal::Label> relabels(const TextLines &lines, const QList<int> &order);

// The new index of block `blockIndex` after relabels(order); unchanged when it is not listed.
int newIndexOf(const QList<int> &order, int blockIndex);

// What the user did in the list: the block indexes the entries had when the list was filled,
// in list order, and the chosen entry's place (its order's index after renumbering; -1 when
// none was chosen).
struct Choice {
    QList<int> entryOrder;
    int chosen = -1;
};

} // namespace OrderList
