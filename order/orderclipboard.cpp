// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/orderclipboard.h"

#include "core/numbertext.h"

void OrderClipboard::clear()
{
    Entries.fill(QString());
}

void OrderClipboard::copyFrom(const OrderRecord &record)
{
    clear();
    Entries[1] = NumberText::formatDate(record.Date);
    Entries[2] = record.SupplierCode;
    Entries[3] = record.PaymentTerms;
    for (int k = 0; k < OrderRecord::AddressLineCount; ++k)
        Entries[4 + k] = record.AddressLines[k];
    for (int r = 0; r < Rows && r < record.Lines.size(); ++r)
        for (int n = 0; n < OrderLine::CellCount; ++n)
            Entries[8 + 6 * r + n] = record.Lines.at(r).cell(n);
    int entry = MemoStart;
    for (const QString &memo : record.Memo) {
        if (entry >= Size - 1)
            break; // the last entry is kept for the terminating empty one
        Entries[entry++] = memo;
    }
    Entries[entry] = QString();
    Entries[0] = QString::number(MemoStart);
}

Status OrderClipboard::pasteInto(OrderRecord &record) const
{
    if (isEmpty())
        return {};
    const Result<QDate> date = NumberText::toDate(Entries[1]);
    if (!date)
        return date.failure();
    record.Date = *date;
    record.SupplierCode = Entries[2];
    record.PaymentTerms = Entries[3];
    for (int k = 0; k < OrderRecord::AddressLineCount; ++k)
        record.AddressLines[k] = Entries[4 + k];
    while (record.Lines.size() < Rows)
        record.Lines.append(OrderLine());
    for (int r = 0; r < Rows; ++r)
        for (int n = 0; n < OrderLine::CellCount; ++n)
            record.Lines[r].setCell(n, Entries[8 + 6 * r + n]);
    return {};
}
