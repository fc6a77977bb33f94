// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/orderrecord.h"
#include "core/result.h"

#include <QString>
#include <array>

// The order copied by "Copier": 201 texts, private to this process.
//  0       "128" once something was copied (the entry where note lines begin), else empty
//  1       date as day/month/year text
//  2, 3    supplier code, payment terms
//  4..7    address lines 1 to 4
//  8..127  grid rows 1 to 20, six cells each: entry 8 + 6 * (row - 1) + cell
//  128..   note lines, followed by one empty entry (at most 72 lines with it)
class OrderClipboard {
public:
    static constexpr int Size = 201;
    static constexpr int Rows = 20;
    static constexpr int MemoStart = 128;

    std::array<QString, Size> Entries;

    bool isEmpty() const { return Entries[0].isEmpty(); }
    void clear();
    void copyFrom(const OrderRecord &record);
    // Puts the copied date, supplier, terms, addresses and rows 1 to 20 into `record`; the
    // number, the H.T./TTC choice and the note stay. A copied date that is no date is the date
    // failure, and nothing is put in.
    Status pasteInto(OrderRecord &record) const;
};
