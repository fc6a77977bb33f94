// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/bookview.h"

#include "order/orderformat.h"

#include <QObject>

#include <algorithm>

BookView BookView::asSaved(const OrderDocument &document)
{
    return BookView(document.snapshot(), document.settings());
}

const TextLines &BookView::lines() const
{
    return m_document ? m_document->book().lines() : m_lines;
}

const Settings &BookView::settings() const
{
    return m_document ? m_document->settings() : m_settings;
}

int BookView::orderCount() const
{
    if (m_document)
        return m_document->book().orderCount();
    return int(OrderFormat::firstBlockPositions(m_lines).size());
}

int BookView::currentOrder() const
{
    return m_document ? m_document->book().currentOrder() : -1;
}

QString BookView::currencySign() const
{
    return settings().EuroMode != 0 ? QStringLiteral("€") : QStringLiteral("F");
}

BookView::Shown BookView::show(const TextLines &lines, qsizetype open, int index) const
{
    Shown shown;
    OrderFormat::KeptLines beyond;
    const Result<bool> decoded =
        OrderFormat::decodeAt(lines, open, index, shown.record, &beyond, ShownRows);
    shown.whole = decoded.ok() && *decoded;
    if (!shown.whole)
        return shown;
    // The totals do not depend on how the cells are padded: a character counts one pixel.
    QList<OrderLine> rows = shown.record.Lines;
    const Result<OrderTotals> totals = OrderCalc::calculateOrder(
        rows, shown.record.IncludesVat, OrderCalc::settingsFor(shown.record, settings()),
        [](const QString &text) { return int(text.size()); });
    if (totals)
        shown.totals = *totals;
    return shown;
}

bool BookView::editedBlock(TextLines &block, int &index) const
{
    OrderRecord record;
    if (!m_document || !m_document->orderToWrite(record))
        return false;
    index = currentOrder();
    OrderFormat::appendBlock(block, record, index, m_document->state().overflow);
    return true;
}

void BookView::followEdits(QObject *context, const std::function<void()> &edited) const
{
    if (!m_document)
        return;
    // A step is told once the change is whole; showing an order, undo and redo replace the
    // record; writing back and saving change the flags.
    QObject::connect(m_document, &OrderDocument::stepDone, context, edited);
    QObject::connect(m_document, &OrderDocument::recordChanged, context, edited);
    QObject::connect(m_document, &OrderDocument::modifiedChanged, context, edited);
}

void BookView::forEachBlock(
    const std::function<void(int index, Digest digest, const Decode &decode)> &visit) const
{
    const TextLines &all = lines();
    const QHash<int, qsizetype> positions = OrderFormat::firstBlockPositions(all);
    QList<int> indexes = positions.keys();
    std::sort(indexes.begin(), indexes.end());
    for (const int index : indexes) {
        const qsizetype open = positions.value(index);
        const qsizetype end = OrderFormat::blockEnd(all, open);
        // Two digests of different seeds: blocks taken for one another would show wrong
        // figures without a word.
        Digest digest{0, 0};
        for (qsizetype i = open + 1; i < end; ++i) {
            const QByteArrayView line = all.bytes(i);
            if (OrderFormat::blockEndIndex(line) >= 0)
                continue;
            digest.first = qHashMulti(digest.first, qHash(line, 0x51ed270b));
            digest.second = qHashMulti(digest.second, qHash(line, 0x2545f491), i - open);
        }
        visit(index, digest, [&all, open, index] {
            Order order;
            // Every field is decoded from the block: none is left to a new order's defaults.
            (void)OrderFormat::decodeAt(all, open, index, order.record, nullptr, 0,
                                        &order.unreadDate, &order.lineTexts);
            return order;
        });
    }
}

std::array<QStringView, OrderLine::CellCount> BookView::Order::cells(qsizetype line) const
{
    return OrderFormat::splitCells(QStringView(lineTexts.at(line)).sliced(4));
}

void BookView::forEachOrder(const std::function<void(const Order &order)> &visit) const
{
    forEachBlock([&visit](int, Digest, const Decode &decode) { visit(decode()); });
}
