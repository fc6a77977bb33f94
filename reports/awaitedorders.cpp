// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/awaitedorders.h"

#include "core/numbertext.h"
#include "order/orderstate.h"
#include "pricing/ordercalc.h"

#include <QTimer>

int AwaitedOrder::daysLate(const QDate &today) const
{
    if (!Expected.isValid() || !today.isValid())
        return 0;
    return int(qMax<qint64>(0, Expected.daysTo(today)));
}

AwaitedOrders::AwaitedOrders(BookView book, QObject *parent)
    : QObject(parent), m_book(std::move(book))
{
}

void AwaitedOrders::follow(int delayMs)
{
    if (m_delay)
        return;
    m_delay = new QTimer(this);
    m_delay->setSingleShot(true);
    m_delay->setInterval(delayMs);
    connect(m_delay, &QTimer::timeout, this, &AwaitedOrders::read);
    // Typing goes on with the timer running: a run of keystrokes costs one reading.
    m_book.followEdits(this, [this] {
        m_stale = true;
        if (!m_delay->isActive())
            m_delay->start();
    });
}

const QList<AwaitedOrder> &AwaitedOrders::orders()
{
    if (m_stale)
        read();
    return m_orders;
}

int AwaitedOrders::lateCount(const QDate &today)
{
    int late = 0;
    for (const AwaitedOrder &order : orders())
        if (order.daysLate(today) > 0)
            ++late;
    return late;
}

void AwaitedOrders::read()
{
    if (m_delay)
        m_delay->stop();
    m_stale = false;
    TextLines edited;
    int editedIndex = -1;
    if (!m_book.editedBlock(edited, editedIndex))
        editedIndex = -1;
    const Settings &settings = m_book.settings();
    // A TTC order's amount before tax depends on the rates.
    if (settings.VatRates != m_rates) {
        m_read.clear();
        m_rates = settings.VatRates;
    }
    // Only what this reading finds is kept for the next one.
    QHash<BookView::Digest, Entry> kept;
    kept.reserve(m_read.size());
    QList<AwaitedOrder> orders;
    const auto take = [&orders](Entry entry, int index) {
        if (!entry.awaited)
            return;
        entry.order.BlockIndex = index;
        orders.append(entry.order);
    };
    bool editedSeen = false;
    m_book.forEachBlock([&](int index, BookView::Digest digest, const BookView::Decode &decode) {
        if (index == editedIndex) {
            editedSeen = true;
            BookView(edited, settings).forEachOrder([&](const BookView::Order &order) {
                take(entryOf(order, settings), index);
            });
            return;
        }
        auto it = m_read.constFind(digest);
        const Entry entry = it != m_read.cend() ? *it : entryOf(decode(), settings);
        kept.insert(digest, entry);
        take(entry, index);
    });
    // A new order not yet written back: its block stands behind the book's.
    if (editedIndex >= 0 && !editedSeen)
        BookView(edited, settings).forEachOrder([&](const BookView::Order &order) {
            take(entryOf(order, settings), editedIndex);
        });
    m_read = std::move(kept);
    m_orders = std::move(orders);
    Q_EMIT changed();
}

AwaitedOrders::Entry AwaitedOrders::entryOf(const BookView::Order &order, const Settings &settings)
{
    Entry entry;
    const OrderLife &life = order.record.Life;
    if (!life.wasSent())
        return entry; // most orders of a book: nothing more to decode
    OrderRecord record = order.record;
    const qsizetype rows = qMin<qsizetype>(order.lineCount(), BookView::ShownRows);
    record.Lines.reserve(rows);
    for (qsizetype r = 0; r < rows; ++r) {
        OrderLine line;
        const auto cells = order.cells(r);
        for (int c = 0; c < OrderLine::CellCount; ++c)
            line.setCell(c, cells[c].toString());
        record.Lines.append(line);
    }
    if (!OrderState::awaited(record))
        return entry;
    entry.awaited = true;
    AwaitedOrder &a = entry.order;
    a.Number = record.Number.trimmed();
    a.SupplierCode = record.SupplierCode.trimmed();
    a.SupplierName = record.AddressLines[0].trimmed();
    a.Sent = life.sendings.constFirst().date;
    a.Expected = life.expected;

    // The same lines with the quantity still due; a line nothing is due on counts nothing.
    QList<OrderLine> due(record.Lines.size());
    for (const OrderState::LineDue &line : OrderState::linesDue(record)) {
        if (!(line.due() > 0))
            continue;
        OrderLine &row = due[line.row - 1];
        row = record.Lines.at(line.row - 1);
        row.Quantity = NumberText::general(line.due());
    }
    const Result<OrderAmounts> amounts = OrderCalc::amounts(due, record.IncludesVat, settings);
    if (!amounts || !amounts->VatKnown) {
        a.DueKnown = false;
        return entry;
    }
    // As the order's own totals: before tax of a TTC order is its total less its VAT.
    a.DueCents = record.IncludesVat ? NumberText::cents(amounts->TotalIncludingTax) -
                                          NumberText::cents(amounts->TotalVat)
                                    : NumberText::cents(amounts->TotalBeforeTax);
    return entry;
}
