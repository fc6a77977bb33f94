// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "order/bookview.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <array>

class QTimer;

// One order sent and still awaited: neither received in full, settled nor cancelled.
struct AwaitedOrder {
    int BlockIndex = 0;
    QString Number; // trimmed
    QString SupplierCode;
    QString SupplierName; // the first address line
    QDate Sent;           // the first sending: when the supplier first had it
    QDate Expected;       // null when no delivery date was given
    // What is still to come, before tax, in cents: each line's price times the quantity still
    // due, with its discount, worked out as the order's totals are. False when that cannot be
    // worked out (a figure too large, the VAT of a group at -100 %).
    qint64 DueCents = 0;
    bool DueKnown = true;

    // Days past the expected date on `today`; 0 when not late or without an expected date.
    int daysLate(const QDate &today) const;
};

// The orders of a book that are awaited, read through the book's view: the order on screen
// with its edits, as it would be written back. A block unchanged since the last reading is not
// decoded again, so reading again after a change costs little more than a pass over the lines.
//
// Followed, it reads the book again after its changes, gathered: what follows the list is
// told once by changed().
class AwaitedOrders : public QObject {
    Q_OBJECT
public:
    explicit AwaitedOrders(BookView book, QObject *parent = nullptr);

    // Reads the book after each change of the order on screen, of the book, or another book,
    // at most once per `delayMs` while they go on.
    void follow(int delayMs);

    // The awaited orders by block index, read now if the book changed since.
    const QList<AwaitedOrder> &orders();
    int lateCount(const QDate &today);
    // "€" or "F": the currency of the amounts.
    QString currencySign() const { return m_book.currencySign(); }
    // Reads the book again at once.
    void read();

Q_SIGNALS:
    // The list was read again.
    void changed();

private:
    struct Entry {
        bool awaited = false;
        AwaitedOrder order;
    };
    static Entry entryOf(const BookView::Order &order, const Settings &settings);

    BookView m_book;
    bool m_stale = true;
    QTimer *m_delay = nullptr;
    QList<AwaitedOrder> m_orders;
    QHash<BookView::Digest, Entry> m_read; // by the digest of the block read
    std::array<Real, 3> m_rates{};         // the VAT rates m_read was worked out with
};
