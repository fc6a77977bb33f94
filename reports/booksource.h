// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/orderrecord.h"
#include "core/textlines.h"

#include <QString>
#include <functional>
#include <utility>

class OrderDocument;

// The one place the reports read an order book: its lines, decoded order by order as the order
// window decodes them, and nothing written back. Nothing else of the reports knows how a book
// holds its orders.
class BookSource {
public:
    // The order lines the order window shows, counts and prints: the rest of a longer order is
    // kept in the file but is no part of its totals.
    static constexpr int ShownRows = 63;

    // The book as it would be saved: the order on screen with the changes not yet written back.
    static BookSource of(const OrderDocument &document);
    explicit BookSource(TextLines lines) : m_lines(std::move(lines)) {}

    struct Order {
        OrderRecord record; // every order line of the block
        QString unreadDate; // the date line, when it is no date (the record's date is null)
    };
    // Calls `visit` for every order, by block index.
    void forEachOrder(const std::function<void(const Order &order)> &visit) const;

    // What a block holds apart from its labels: blocks with the same lines have the same
    // digest, whatever their index.
    using Digest = std::pair<size_t, size_t>;
    // Calls `visit` for every order, by block index, with its digest; `decode` decodes it, for
    // a reader that has not kept what that digest gave.
    using Decode = std::function<Order()>;
    void forEachBlock(
        const std::function<void(int index, Digest digest, const Decode &decode)> &visit) const;

private:
    TextLines m_lines;
};
