// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/awaitedorders.h"

#include "core/numbertext.h"
#include "order/orderformat.h"
#include "order/orderstate.h"
#include "pricing/ordercalc.h"

#include <QTimer>

#include <algorithm>
#include <utility>

int AwaitedOrder::daysLate(const QDate &today) const
{
    if (!expected.isValid() || !today.isValid())
        return 0;
    return int(qMax<qint64>(0, expected.daysTo(today)));
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
    m_book.followEdits(this, [this] { changeNoticed(); });
}

void AwaitedOrders::orderChanged(int index)
{
    m_written.insert(index);
    changeNoticed();
}

void AwaitedOrders::bookChanged()
{
    m_bookStale = true;
    changeNoticed();
}

void AwaitedOrders::changeNoticed()
{
    m_stale = true;
    // Typing goes on with the timer running: a run of keystrokes costs one reading.
    if (m_delay && !m_delay->isActive())
        m_delay->start();
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
    const Settings &settings = m_book.settings();
    // A TTC order's amount before tax depends on the rates.
    if (settings.vatRates != m_rates) {
        m_read.clear();
        m_rates = settings.vatRates;
        m_bookStale = true;
    }
    if (std::exchange(m_bookStale, false)) {
        readBook();
    } else if (!m_written.isEmpty()) {
        // Only the blocks written are read again.
        const TextLines &all = m_book.lines();
        const QHash<int, qsizetype> positions = OrderFormat::firstBlockPositions(all);
        for (const int index : std::as_const(m_written)) {
            const qsizetype open = positions.value(index, -1);
            replace(m_inBook, index,
                    open < 0 ? TextLines()
                             : all.slice(open, OrderFormat::blockEnd(all, open) - open),
                    settings);
        }
    }
    m_written.clear();
    m_orders = m_inBook;
    TextLines edited;
    int index = -1;
    if (m_book.editedBlock(edited, index))
        replace(m_orders, index, edited, settings);
    Q_EMIT changed();
}

void AwaitedOrders::replace(QList<AwaitedOrder> &orders, int index, const TextLines &lines,
                            const Settings &settings)
{
    auto at =
        std::lower_bound(orders.begin(), orders.end(), index,
                         [](const AwaitedOrder &order, int i) { return order.blockIndex < i; });
    if (at != orders.end() && at->blockIndex == index)
        at = orders.erase(at);
    BookView(lines, settings).forEachOrder([&](const BookView::Order &order) {
        std::optional<AwaitedOrder> awaited = awaitedOf(order, settings);
        if (!awaited)
            return;
        awaited->blockIndex = index;
        orders.insert(at, *awaited);
    });
}

void AwaitedOrders::readBook()
{
    const Settings &settings = m_book.settings();
    const TextLines &all = m_book.lines();
    const QHash<int, qsizetype> positions = OrderFormat::firstBlockPositions(all);
    QList<int> indexes = positions.keys();
    std::sort(indexes.begin(), indexes.end());
    // Only what this reading finds is kept for the next one.
    QHash<QByteArray, std::optional<AwaitedOrder>> kept;
    kept.reserve(m_read.size());
    m_inBook.clear();
    m_written.clear();
    for (const int index : indexes) {
        const qsizetype open = positions.value(index);
        const qsizetype end = OrderFormat::blockEnd(all, open);
        // An order never sent is no awaited one: most blocks of a book, passed over unread.
        bool sent = false;
        for (qsizetype i = end - 1; i > open && !sent; --i)
            sent = OrderFormat::isSendingLine(all.bytes(i));
        if (!sent)
            continue;
        // What the block holds apart from its labels: the same order elsewhere reads the same.
        QByteArray key;
        for (qsizetype i = open + 1; i < end; ++i) {
            const QByteArrayView line = all.bytes(i);
            if (OrderFormat::blockEndIndex(line) < 0)
                key.append(line).append('\n');
        }
        auto it = m_read.constFind(key);
        if (it == m_read.cend()) {
            QList<AwaitedOrder> read;
            replace(read, index, all.slice(open, end - open), settings);
            it = m_read.insert(key, read.isEmpty() ? std::nullopt : std::optional(read.first()));
        }
        kept.insert(key, *it);
        if (!*it)
            continue; // sent, but no longer awaited
        m_inBook.append(**it);
        m_inBook.last().blockIndex = index;
    }
    m_read = std::move(kept);
}

std::optional<AwaitedOrder> AwaitedOrders::awaitedOf(const BookView::Order &order,
                                                     const Settings &settings)
{
    const OrderLife &life = order.record.life;
    if (!life.wasSent())
        return std::nullopt; // nothing more to read
    OrderRecord record = order.record;
    const qsizetype rows = qMin<qsizetype>(order.lineCount(), BookView::ShownRows);
    record.lines.reserve(rows);
    for (qsizetype r = 0; r < rows; ++r) {
        OrderLine line;
        const auto cells = order.cells(r);
        for (int c = 0; c < OrderLine::CellCount; ++c)
            line.setCell(c, cells[c].toString());
        record.lines.append(line);
    }
    if (!OrderState::awaited(record))
        return std::nullopt;
    AwaitedOrder a;
    a.number = record.number.trimmed();
    a.supplierCode = record.supplierCode.trimmed();
    a.supplierName = record.addressLines[0].trimmed();
    a.sent = life.sendings.constFirst().date;
    a.expected = life.expected;

    // The same lines with the quantity still due; a line nothing is due on counts nothing.
    QList<OrderLine> due(record.lines.size());
    for (const OrderState::LineDue &line : OrderState::linesDue(record)) {
        if (!(line.due() > 0))
            continue;
        OrderLine &row = due[line.row - 1];
        row = record.lines.at(line.row - 1);
        row.quantity = NumberText::general(line.due());
    }
    const Result<OrderAmounts> amounts =
        OrderCalc::amounts(due, record.includesVat, OrderCalc::settingsFor(record, settings));
    if (!amounts || !amounts->vatKnown) {
        a.dueKnown = false;
        return a;
    }
    // As the order's own totals: before tax of a TTC order is its total less its VAT.
    a.dueCents = record.includesVat ? NumberText::cents(amounts->totalIncludingTax) -
                                          NumberText::cents(amounts->totalVat)
                                    : NumberText::cents(amounts->totalBeforeTax);
    return a;
}
