// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/bookreader.h"

#include "order/orderdocument.h"
#include "order/orderformat.h"

const TextLines &BookReader::lines() const
{
    return m_document.book().lines();
}

int BookReader::orderCount() const
{
    return m_document.book().orderCount();
}

int BookReader::currentOrder() const
{
    return m_document.book().currentOrder();
}

QString BookReader::currencySign() const
{
    return m_document.settings().EuroMode != 0 ? QStringLiteral("€") : QStringLiteral("F");
}

BookReader::Shown BookReader::show(const TextLines &lines, qsizetype open, int index) const
{
    Shown shown;
    OrderFormat::KeptLines beyond;
    const Result<bool> decoded =
        OrderFormat::decodeAt(lines, open, index, shown.record, &beyond, OrderDocument::GridRows);
    shown.whole = decoded.ok() && *decoded;
    if (!shown.whole)
        return shown;
    // The totals do not depend on how the cells are padded: a character counts one pixel.
    QList<OrderLine> rows = shown.record.Lines;
    const Result<OrderTotals> totals =
        OrderCalc::Calcule(rows, shown.record.IncludesVat, m_document.settings(),
                           [](const QString &text) { return int(text.size()); });
    if (totals)
        shown.totals = *totals;
    return shown;
}

bool BookReader::editedBlock(TextLines &block, int &index) const
{
    OrderRecord record;
    if (!m_document.orderToWrite(record))
        return false;
    index = currentOrder();
    OrderFormat::appendBlock(block, record, index, m_document.state().overflow);
    return true;
}

void BookReader::followEdits(QObject *context, const std::function<void()> &edited) const
{
    // A step is told once the change is whole; showing an order, undo and redo replace the
    // record; writing back and saving change the flags.
    QObject::connect(&m_document, &OrderDocument::stepDone, context, edited);
    QObject::connect(&m_document, &OrderDocument::recordChanged, context, edited);
    QObject::connect(&m_document, &OrderDocument::modifiedChanged, context, edited);
}
