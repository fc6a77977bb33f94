// SPDX-License-Identifier: GPL-3.0-or-later
// What became of the order on screen: its sendings, receptions and closing.
#include "core/clock.h"
#include "core/numbertext.h"
#include "core/prompts.h"
#include "order/orderdocument.h"

#include <QScopedValueRollback>

void OrderDocument::setLife(const OrderLife &life)
{
    if (life == m_record.life)
        return;
    m_record.life = life;
    markModified();
    Q_EMIT lifeChanged();
}

void OrderDocument::recordSending(OrderLife::Channel channel)
{
    const StepScope step(*this, Change::Sending);
    OrderLife life = m_record.life;
    const OrderLife::Sending sending{Clock::today(), channel};
    if (life.sendings.value(life.sendings.size() - 1) == sending &&
        life.changedAfterSending.isNull())
        return;
    life.sendings.append(sending);
    life.changedAfterSending = QDate(); // the supplier has this version now
    if (!life.rates)
        life.rates = OrderCalc::ratesOf(m_settings); // the figures the supplier was sent
    m_changeAgreed = false;                          // a change to the version just sent asks again
    setLife(life);
}

void OrderDocument::setExpectedDate(const QDate &date)
{
    const StepScope step(*this, Change::ExpectedDate);
    OrderLife life = m_record.life;
    life.expected = date;
    setLife(life);
}

void OrderDocument::recordReception(const OrderLife::Reception &reception)
{
    const StepScope step(*this, Change::Reception);
    OrderLife life = m_record.life;
    life.receptions.append(reception);
    setLife(life);
}

void OrderDocument::setClosing(OrderLife::Closing closing)
{
    const StepScope step(*this, Change::Closing);
    OrderLife life = m_record.life;
    life.closing = closing;
    life.closedOn = closing == OrderLife::Closing::Open ? QDate() : Clock::today();
    setLife(life);
}

void OrderDocument::noteChangeAfterSending(Change change, const OrderRecord &before)
{
    switch (change) {
    case Change::DeleteOrder:
    case Change::AddOrder:
    case Change::PasteOrder:
    case Change::MoveOrders:
    case Change::Sending:
    case Change::ExpectedDate:
    case Change::Reception:
    case Change::Closing:
        return;
    default:
        break;
    }
    OrderLife &life = m_record.life;
    if (!life.wasSent() || !life.changedAfterSending.isNull() ||
        before.blockIndex != m_record.blockIndex)
        return;
    OrderRecord unchanged = before;
    unchanged.life = life;
    if (unchanged == m_record)
        return;
    life.changedAfterSending = Clock::today();
    Q_EMIT lifeChanged();
}

bool OrderDocument::mayChange()
{
    const OrderLife &life = m_record.life;
    if (!life.wasSent() || !life.changedAfterSending.isNull() || m_changeAgreed)
        return true;
    // A control put back while the question is open is no change of its own; the rest of a
    // step refused (the other address lines of a supplier) is not asked about again.
    if (m_asking || (m_inStep && m_stepRefused))
        return false;
    const QScopedValueRollback<bool> asking(m_asking, true);
    Prompts::Request question;
    question.icon = Prompts::Icon::Question;
    question.buttons = Prompts::Buttons::YesNo;
    question.text = QStringLiteral("Cette commande a été envoyée le %1. La modifier quand même ?")
                        .arg(NumberText::formatDate(life.sendings.constFirst().date));
    m_changeAgreed = Prompts::ask(question) == Prompts::Answer::Yes;
    m_stepRefused = !m_changeAgreed;
    return m_changeAgreed;
}
