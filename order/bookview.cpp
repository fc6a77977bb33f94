// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/bookview.h"

#include "core/linehash.h"
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
    return settings().euroMode != 0 ? QStringLiteral("€") : QStringLiteral("F");
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
    QList<OrderLine> rows = shown.record.lines;
    const Result<OrderTotals> totals = OrderCalc::calculateOrder(
        rows, shown.record.includesVat, OrderCalc::settingsFor(shown.record, settings()),
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
    // One pass over the book: where the first block of each index opens, and its digest up to
    // where the block ends (blockEnd(): its closing label, or the next opening label).
    struct Block {
        qsizetype open = -1;
        Digest digest;
    };
    QList<Block> blocks(OrderFormat::MaxOrders);
    int current = -1; // the block read, when it is the first of its index
    LineHash hash;
    const auto finish = [&] {
        if (current >= 0)
            blocks[current].digest = hash.digest();
        current = -1;
    };
    for (qsizetype i = 0; i < all.size(); ++i) {
        const QByteArrayView line = all.bytes(i);
        if (line.size() >= 10 && line.size() <= 11 && line.front() == '<') {
            const int opened = OrderFormat::blockStartIndex(line);
            if (opened >= 0) {
                finish();
                if (blocks.at(opened).open < 0) {
                    blocks[opened].open = i;
                    current = opened;
                    hash = LineHash();
                }
                continue;
            }
            // Closing labels are no part of the digest; the block's own ends it.
            const int closed = OrderFormat::blockEndIndex(line);
            if (closed == current)
                finish();
            if (closed >= 0)
                continue;
        }
        if (current >= 0)
            hash.add(line, i - blocks.at(current).open);
    }
    finish();
    for (int index = 0; index < OrderFormat::MaxOrders; ++index) {
        const qsizetype open = blocks.at(index).open;
        if (open < 0)
            continue;
        visit(index, blocks.at(index).digest, [&all, open, index] {
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

Result<OrderAmounts> BookView::Order::amounts(qsizetype rows, const Settings &settings) const
{
    return OrderCalc::amounts(
        qMin(rows, lineCount()),
        [this](qsizetype i) {
            const std::array<QStringView, OrderLine::CellCount> c = cells(i);
            return OrderCalc::LineCells{c[OrderLine::QuantityCell], c[OrderLine::UnitPriceCell],
                                        c[OrderLine::DiscountCell], c[OrderLine::VatCell]};
        },
        record.includesVat, settings);
}

void BookView::forEachOrder(const std::function<void(const Order &order)> &visit) const
{
    forEachBlock([&visit](int, Digest, const Decode &decode) { visit(decode()); });
}
