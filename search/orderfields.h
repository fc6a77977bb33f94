// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/orderrecord.h"
#include "core/textlines.h"

#include <QByteArrayView>

// The texts of an order's block as the search reads them, as the file holds them, in the order
// the order window shows them: number, date, supplier code, payment terms, the four address
// lines, the cells of each order line, the note's lines. A block is read as the order window
// reads it, a damaged one included: fixed lines by their place, order and note lines by their
// first letters, the cells of an order line parted at their TABs.
namespace OrderFields {

// The part of an order line (its text after "CMDE") that stands in `cell`, as the order
// window parts it: a TAB that is missing leaves the cell empty and the rest to the last cell.
QByteArrayView cell(QByteArrayView text, int cell);
// All six at once.
void cells(QByteArrayView text, QByteArrayView (&cells)[OrderLine::CellCount]);

// Calls visit(place, text) for each text of the block from `open` to `end` (not taken in), in
// order, until one call gives true; gives whether one did. The VAT code is no text of its
// own: its cell is read only when it holds more than a code.
template <typename Visit>
bool forEach(const TextLines &lines, qsizetype open, qsizetype end, Visit &&visit)
{
    const auto line = [&](qsizetype i) { return i < end ? lines.bytes(i) : QByteArrayView(); };
    const QByteArrayView number = line(open + 1);
    if (number.size() > 3 && visit(OrderPlace{OrderPlace::Number, 0, 0}, number.sliced(3)))
        return true;
    if (visit(OrderPlace{OrderPlace::Date, 0, 0}, line(open + 2)) ||
        visit(OrderPlace{OrderPlace::SupplierCode, 0, 0}, line(open + 3)) ||
        visit(OrderPlace{OrderPlace::PaymentTerms, 0, 0}, line(open + 4)))
        return true;
    for (int k = 0; k < OrderRecord::AddressLineCount; ++k)
        if (visit(OrderPlace{OrderPlace::Address, k + 1, 0}, line(open + 5 + k)))
            return true;
    qsizetype first = open + 9;
    if (line(first).startsWith("TTC"))
        ++first;
    int row = 0;
    int note = 0;
    for (qsizetype i = first; i < end; ++i) {
        const QByteArrayView bytes = lines.bytes(i);
        if (bytes.startsWith("CMDE")) {
            ++row;
            QByteArrayView parts[OrderLine::CellCount];
            cells(bytes.sliced(4), parts);
            for (int c = 0; c < OrderLine::CellCount; ++c) {
                const QByteArrayView part = parts[c];
                if (c == OrderLine::VatCell && part.trimmed().size() <= 1)
                    continue;
                if (!part.isEmpty() && visit(OrderPlace{OrderPlace::Cell, row, c}, part))
                    return true;
            }
        } else if (bytes.startsWith("MEMO")) {
            ++note;
            if (visit(OrderPlace{OrderPlace::Note, note, 0}, bytes.sliced(4)))
                return true;
        }
    }
    return false;
}

// The order lines of the block: calls visit(offset, row, text) with each "CMDE" line's place
// from `open`, its row from 1 and its text after "CMDE".
template <typename Visit>
void forEachLine(const TextLines &lines, qsizetype open, qsizetype end, Visit &&visit)
{
    qsizetype first = open + 9;
    if (first < end && lines.bytes(first).startsWith("TTC"))
        ++first;
    int row = 0;
    for (qsizetype i = first; i < end; ++i) {
        const QByteArrayView bytes = lines.bytes(i);
        if (bytes.startsWith("CMDE"))
            visit(i - open, ++row, bytes.sliced(4));
    }
}

} // namespace OrderFields
