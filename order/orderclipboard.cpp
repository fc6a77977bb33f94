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
    m_order.Life = OrderLife(); // sendings, receptions and kept rates stay with the original
    m_pastGrid = kept.orderLines();
    m_copied = true;
}

void OrderClipboard::pasteInto(OrderRecord &record, OrderFormat::KeptLines &kept) const
{
    if (isEmpty())
        return;
    record.Date = m_order.Date;
    record.SupplierCode = m_order.SupplierCode;
    record.PaymentTerms = m_order.PaymentTerms;
    record.AddressLines = m_order.AddressLines;
    record.Life = OrderLife(); // a pasted order is a draft
    const qsizetype rows = qMax(record.Lines.size(), m_order.Lines.size());
    record.Lines = m_order.Lines;
    record.Lines.resize(rows);
    kept.replaceOrderLines(m_pastGrid);
}
