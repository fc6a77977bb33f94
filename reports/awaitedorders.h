// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "order/bookview.h"

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <array>
#include <optional>

class QTimer;

// One order sent and still awaited: neither received in full, settled nor cancelled.
struct AwaitedOrder {
    int blockIndex = 0;
    QString number; // trimmed
    QString supplierCode;
    QString supplierName; // the first address line
    QDate sent;           // the first sending: when the supplier first had it
    QDate expected;       // null when no delivery date was given
    // What is still to come, before tax, in cents: each line's price times the quantity still
    // due, with its discount, worked out as the order's totals are. False when that cannot be
    // worked out (a figure too large, the VAT of a group at -100 %).
    qint64 dueCents = 0;
    bool dueKnown = true;

    // Days past the expected date on `today`; 0 when not late or without an expected date.
    int daysLate(const QDate &today) const;
};

// The orders of a book that are awaited, read through the book's view: the order on screen
// with its edits, as it would be written back. A block unchanged since the last reading is not
// decoded again, so reading the book again costs little more than a pass over its lines; a
// change of the order on screen alone costs the reading of that order.
//
// Followed, it reads again after the changes, gathered: what follows the list is told once by
// changed().
class AwaitedOrders : public QObject {
    Q_OBJECT
public:
    explicit AwaitedOrders(BookView book, QObject *parent = nullptr);

    // Reads again after each change of the order on screen and each bookChanged(), at most
    // once per `delayMs` while they go on.
    void follow(int delayMs);
    // The block of `index` was written.
    void orderChanged(int index);
    // The book's blocks moved or went, or the book is another one.
    void bookChanged();

    // The awaited orders by block index, read now if anything changed since.
    const QList<AwaitedOrder> &orders();
    int lateCount(const QDate &today);
    // "€" or "F": the currency of the amounts.
    QString currencySign() const { return m_book.currencySign(); }
    // Reads what changed at once.
    void read();

Q_SIGNALS:
    // The list was read again.
    void changed();

private:
    // The order as the list shows it; none when it is not awaited.
    static std::optional<AwaitedOrder> awaitedOf(const BookView::Order &order,
                                                 const Settings &settings);
    // The order of block `index` in `orders`, sorted by index, replaced by what `lines` hold
    // (a block of that index), or taken out when they hold none awaited.
    static void replace(QList<AwaitedOrder> &orders, int index, const TextLines &lines,
                        const Settings &settings);
    void changeNoticed();
    void readBook();

    BookView m_book;
    QTimer *m_delay = nullptr;
    bool m_bookStale = true;
    QSet<int> m_written; // blocks written since the last reading
    bool m_stale = true;
    QList<AwaitedOrder> m_inBook; // the book's blocks, by index
    QList<AwaitedOrder> m_orders; // the same with the order on screen as edited
    // The sent orders last read, by their block's lines (labels left out); none for one no
    // longer awaited.
    QHash<QByteArray, std::optional<AwaitedOrder>> m_read;
    std::array<Real, 3> m_rates{}; // the VAT rates m_read was worked out with
};
