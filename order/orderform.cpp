#include "order/orderform.h"

void MemoryOrderForm::setRecord(const OrderRecord &record)
{
    m_record = record;
    // The order-number field always holds nine characters, unfilled ones as spaces.
    m_record.Number = record.Number.left(9).leftJustified(9, QLatin1Char(' '));
    m_record.Lines = record.Lines.mid(0, GridRows);
    while (m_record.Lines.size() < GridRows)
        m_record.Lines.append(OrderLine());
    m_noteEdited = false;
}

void MemoryOrderForm::editNote(const QStringList &memo)
{
    m_record.Memo = memo;
    m_noteEdited = true;
}
