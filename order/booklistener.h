// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

// Told of every change to the blocks of the order book, for whatever keeps an index over them
// (the search over the orders). The book tells it as it changes its lines.
class BookListener {
public:
    virtual ~BookListener() = default;
    // The block of `index` was written: replaced, or new.
    virtual void blockChanged(int index) = 0;
    // The block of `index` went, and each block behind it took the index before its own.
    virtual void blockRemoved(int index) = 0;
    // Blocks went, came back or took other indexes: the order list's moves, an undo. `from`
    // holds, for each index now, the index its block had before; -1 for a block that is new,
    // written again or gone, to be read again. A listener that throws has changed nothing.
    virtual void blocksRenumbered(const QList<int> &from) = 0;
    // The book holds other lines altogether: opened, new, recovered.
    virtual void bookReset() = 0;
};
