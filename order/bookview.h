// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/orderrecord.h"
#include "core/textlines.h"
#include "order/orderdocument.h"
#include "pricing/ordercalc.h"
#include "settings/settings.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <functional>
#include <utility>

class QObject;

// The one read-only way into an order book for what reads it without changing it (the search,
// the reports): its lines, how many orders it holds, the order on screen, and its orders
// decoded and worked out as the order window shows them. Nothing else of the book is reached
// from above; nothing is ever written back through it.
//
// A view of a document follows its book as it changes; a view of lines (asSaved(), or lines
// given) keeps those lines.
class BookView {
public:
    // The order lines the order window shows, counts and prints: the rest of a longer order is
    // kept in the file but is no part of its totals.
    static constexpr int ShownRows = OrderDocument::GridRows;

    explicit BookView(const OrderDocument &document) : m_document(&document) {}
    explicit BookView(TextLines lines, Settings settings = {})
        : m_lines(std::move(lines)), m_settings(std::move(settings))
    {
    }
    // The book as it would be saved: the order on screen with the changes not yet written back.
    static BookView asSaved(const OrderDocument &document);

    const TextLines &lines() const;
    const Settings &settings() const;
    // The orders of the book (a view of lines: those counted when asked); the order on screen,
    // -1 for a view of lines.
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
    // false when it would not be written back (unchanged, or not valid; always for a view of
    // lines): the book's block, if any, stands for it.
    bool editedBlock(TextLines &block, int &index) const;
    // Calls `edited` after each change of the order on screen, and when another order is
    // shown, for as long as `context` lives; never for a view of lines.
    void followEdits(QObject *context, const std::function<void()> &edited) const;

    // An order as what reads the whole book reads it: its fields, and every order line of the
    // block as the file holds it, read cell by cell without a string per cell.
    struct Order {
        OrderRecord record;    // the fields; its order lines are in `lineTexts`
        QString unreadDate;    // the date line, when it is no date (the record's date is null)
        QStringList lineTexts; // each "CMDE" line
        qsizetype lineCount() const { return lineTexts.size(); }
        std::array<QStringView, OrderLine::CellCount> cells(qsizetype line) const;
        // The amounts of its first `rows` order lines, worked out as the order window works
        // them out, with `settings` (those the order is worked out with: settingsFor).
        Result<OrderAmounts> amounts(qsizetype rows, const Settings &settings) const;
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
    const OrderDocument *m_document = nullptr;
    TextLines m_lines;
    Settings m_settings;
};
