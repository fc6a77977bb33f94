// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/orderrecord.h"
#include "core/textlines.h"
#include "order/orderformat.h"

// The order copied by "Copier", private to this process: every line of it, those past the
// grid as the book holds them, and its whole note. The lines of kinds the program does not
// read stay with the order they belong to: a copy is a new order, not the old one's record.
class OrderClipboard {
public:
    bool isEmpty() const { return !m_copied; }
    void clear();
    void copyFrom(const OrderRecord &record, const OrderFormat::KeptLines &kept);
    // Puts the copied date, supplier, terms, addresses and order lines into `record` and
    // `kept`, every row of `record` replaced; the number, the H.T./TTC choice, the note and
    // the other kept lines stay. The order becomes a draft: what became of it is dropped.
    void pasteInto(OrderRecord &record, OrderFormat::KeptLines &kept) const;

    // What was copied.
    const OrderRecord &order() const { return m_order; }
    const TextLines &linesPastGrid() const { return m_pastGrid; }

private:
    bool m_copied = false;
    OrderRecord m_order;
    TextLines m_pastGrid;
};
