// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/orderrecord.h"

#include <QChar>
#include <QList>

// How order lines are typed into the line grid, on a plain list of rows so that the order
// window only maps keys and cells. Rows are numbered 1 to 63 as in the grid (index 0 of the
// list is row 1); columns 0 to 5 as in OrderLine.
namespace LineEntry {

// The key as it reaches the cell: a "." becomes "," in every column but the designation.
QChar filterGridKey(int column, QChar key);

// What Enter in the grid does.
struct EnterOutcome {
    bool completed = false; // the line was completed: recalculate and mark the order modified
    int lastRow = 0;        // the new number of rows in use
    int row = 0;            // the cell the cursor goes to
    int column = 0;
};

// Enter in (column, row) with `lastRow` rows in use. From column 2 on it completes the line:
// an empty VAT code becomes "1", the row counts as in use and the cursor goes to the start of
// the next row; on the last row of `rows` it goes to the start of the same row, and the order
// is full (fullOrderNotice). In columns 0 and 1 nothing happens and the cursor stays. The
// caller runs the calculation when `completed`.
EnterOutcome completeLine(int column, int row, QList<OrderLine> &rows, int lastRow);

// Said when Enter completes the last row the order can hold.
QString fullOrderNotice(int rowCount);

// A number cell (quantity, unit price, discount, amount) holds its number right-aligned with
// leading spaces; it is typed without them. What the cell's editor shows of `text`.
QString editText(int column, const QString &text);

// What is wrong with the text of a typed number cell (quantity, unit price, discount), as the
// calculation reads it: e.g. "Prix unitaire : « 48,20 47,50 » n'est pas un nombre". Empty when
// the cell is empty, holds a number or is no number cell.
QString numberNotice(int column, const QString &text);

// Deletes row `row`: the rows below it up to `lastRow` move up one, row `lastRow` is cleared
// and `lastRow` goes down by one. A row past `lastRow` is not a line: nothing changes and the
// result is false. The totals are left to the next calculation.
bool deleteLine(QList<OrderLine> &rows, int row, int &lastRow);

// Enter in the note is refused once it holds more than four lines, so it has at most five.
bool memoAcceptsEnter(int lineCount);

} // namespace LineEntry
