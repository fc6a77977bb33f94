// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The lines of one ordinary order block, as the order tests write them into their books, and
// order lines typed into a document.

#include "order/orderdocument.h"
#include "testsupport.h"

// Numbers are padded to nine characters, as the program writes them.
inline QStringList orderBlock(int index, const QString &number, const QString &designation = "Vis",
                              bool close = true)
{
    return TestBooks::block(index, number.leftJustified(9), designation, close);
}

// Types `rows` into the grid from row `first` on, each cell left as the user leaves it.
inline void typeRows(OrderDocument &document, const QList<QStringList> &rows, int first = 1)
{
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows.at(r).size(); ++c)
            document.setCell(first + r, c, rows.at(r).at(c));
}
