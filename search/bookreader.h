// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/orderrecord.h"
#include "core/textlines.h"
#include "pricing/ordercalc.h"

#include <functional>

class OrderDocument;
class QObject;

// The one way the search reads the order book, read-only: its lines, how many orders it
// holds, the order on screen, and an order decoded and worked out as the order window shows
// it. Nothing else of the book is reached from the search.
class BookReader {
public:
    explicit BookReader(const OrderDocument &document) : m_document(document) {}

    const TextLines &lines() const;
    int orderCount() const;
    int currentOrder() const;
    // The sign of the orders' main currency: "€" or "F".
    QString currencySign() const;

    // The order of block `index`, opening at `open`, as the order window shows it: its grid's
    // lines, and its totals when the window would show any. A date line that is no date
    // stops the reading there, as in the window, and leaves the totals empty.
    struct Shown {
        OrderRecord record;
        bool whole = false;
        OrderTotals totals;
    };
    Shown show(qsizetype open, int index) const { return show(lines(), open, index); }
    Shown show(const TextLines &lines, qsizetype open, int index) const;

    // The block the order on screen would be written back as, edits included, and its index;
    // false when it would not be written back (unchanged, or not valid): the book's block, if
    // any, stands for it.
    bool editedBlock(TextLines &block, int &index) const;
    // Calls `edited` after each change of the order on screen, and when another order is
    // shown, for as long as `context` lives.
    void followEdits(QObject *context, const std::function<void()> &edited) const;

private:
    const OrderDocument &m_document;
};
