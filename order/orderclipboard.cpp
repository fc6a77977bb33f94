// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/orderclipboard.h"

void OrderClipboard::clear()
{
    m_copied = false;
    m_order = OrderRecord();
    m_pastGrid.clear();
}

void OrderClipboard::copyFrom(const OrderRecord &record, const OrderFormat::KeptLines &kept)
{
    m_order = record;
    m_order.life = OrderLife(); // sendings, receptions and kept rates stay with the original
    m_pastGrid = kept.orderLines();
    m_copied = true;
}

void OrderClipboard::pasteInto(OrderRecord &record, OrderFormat::KeptLines &kept) const
{
    if (isEmpty())
        return;
    record.date = m_order.date;
    record.supplierCode = m_order.supplierCode;
    record.paymentTerms = m_order.paymentTerms;
    record.addressLines = m_order.addressLines;
    record.life = OrderLife(); // a pasted order is a draft
    const qsizetype rows = qMax(record.lines.size(), m_order.lines.size());
    record.lines = m_order.lines;
    record.lines.resize(rows);
    kept.replaceOrderLines(m_pastGrid);
}
