// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/orderstate.h"

#include "core/numbertext.h"

namespace OrderState {

namespace {

QString date(const QDate &d)
{
    return NumberText::formatDate(d);
}

Real quantityOf(const QString &text)
{
    Real value = 0;
    return NumberText::tryToReal(text, value) ? value : 0;
}

bool allReceived(const QList<LineDue> &lines)
{
    for (const LineDue &line : lines)
        if (line.received < line.ordered)
            return false;
    return true;
}

// The date of the reception after which every line was in, or a null date.
QDate completedOn(const OrderRecord &record)
{
    QList<LineDue> lines = linesDue(record);
    for (LineDue &line : lines)
        line.received = 0;
    for (const OrderLife::Reception &reception : record.life.receptions) {
        for (const OrderLife::Received &received : reception.quantities)
            for (LineDue &line : lines)
                if (line.row == received.row)
                    line.received += quantityOf(received.quantity);
        if (allReceived(lines))
            return reception.date;
    }
    return QDate();
}

} // namespace

QList<LineDue> linesDue(const OrderRecord &record)
{
    QList<LineDue> lines;
    for (qsizetype r = 0; r < record.lines.size(); ++r) {
        Real ordered = 0;
        if (!NumberText::tryToReal(record.lines.at(r).quantity, ordered) || !(ordered > 0))
            continue;
        lines.append({int(r + 1), record.lines.at(r).designation, ordered, 0});
    }
    for (const OrderLife::Reception &reception : record.life.receptions)
        for (const OrderLife::Received &received : reception.quantities)
            for (LineDue &line : lines)
                if (line.row == received.row)
                    line.received += quantityOf(received.quantity);
    return lines;
}

State state(const OrderRecord &record)
{
    const OrderLife &life = record.life;
    if (life.closing == OrderLife::Closing::Cancelled)
        return State::Cancelled;
    if (life.closing == OrderLife::Closing::Settled)
        return State::Settled;
    if (!life.receptions.isEmpty() && completedOn(record).isValid())
        return State::Received;
    if (!life.changedAfterSending.isNull() && life.wasSent())
        return State::ChangedAfterSending;
    if (!life.receptions.isEmpty())
        return State::PartlyReceived;
    return life.wasSent() ? State::Sent : State::Draft;
}

QString name(State state)
{
    switch (state) {
    case State::Draft:
        return QStringLiteral("Brouillon");
    case State::Sent:
        return QStringLiteral("Envoyée");
    case State::ChangedAfterSending:
        return QStringLiteral("Modifiée après envoi");
    case State::PartlyReceived:
        return QStringLiteral("Reçue en partie");
    case State::Received:
        return QStringLiteral("Reçue");
    case State::Settled:
        return QStringLiteral("Soldée");
    case State::Cancelled:
        return QStringLiteral("Annulée");
    }
    return QString();
}

QString channelText(OrderLife::Channel channel)
{
    switch (channel) {
    case OrderLife::Channel::Printed:
        return QStringLiteral("imprimée");
    case OrderLife::Channel::Pdf:
        return QStringLiteral("PDF");
    case OrderLife::Channel::Email:
        return QStringLiteral("courriel");
    case OrderLife::Channel::Other:
        break;
    }
    return QStringLiteral("autre");
}

QString text(const OrderRecord &record)
{
    const State s = state(record);
    switch (s) {
    case State::Sent: {
        // The latest sending: the one the supplier's copy comes from.
        const OrderLife::Sending &last = record.life.sendings.constLast();
        return QStringLiteral("Envoyée le %1 (%2)").arg(date(last.date), channelText(last.channel));
    }
    case State::Received:
        return QStringLiteral("Reçue le %1").arg(date(completedOn(record)));
    default:
        return name(s);
    }
}

QStringList events(const OrderRecord &record)
{
    const OrderLife &life = record.life;
    QStringList lines;
    for (const OrderLife::Sending &sending : life.sendings)
        lines << QStringLiteral("Envoyée le %1 (%2)")
                     .arg(date(sending.date), channelText(sending.channel));
    if (!life.changedAfterSending.isNull())
        lines << QStringLiteral("Modifiée après envoi le %1").arg(date(life.changedAfterSending));
    if (!life.expected.isNull())
        lines << QStringLiteral("Livraison prévue le %1").arg(date(life.expected));
    for (const OrderLife::Reception &reception : life.receptions) {
        lines << QStringLiteral("Réception du %1 :").arg(date(reception.date));
        for (const OrderLife::Received &received : reception.quantities) {
            const QString designation = record.lines.value(received.row - 1).designation.trimmed();
            lines << QStringLiteral("    %1 : %2")
                         .arg(designation.isEmpty() ? QStringLiteral("ligne %1").arg(received.row)
                                                    : designation,
                              received.quantity);
        }
    }
    if (life.closing == OrderLife::Closing::Settled)
        lines << QStringLiteral("Soldée le %1").arg(date(life.closedOn));
    else if (life.closing == OrderLife::Closing::Cancelled)
        lines << QStringLiteral("Annulée le %1").arg(date(life.closedOn));
    return lines;
}

bool awaited(const OrderRecord &record)
{
    const State s = state(record);
    // An order of comments alone has nothing to come, and no reception could ever close it.
    return record.life.wasSent() && s != State::Received && s != State::Settled &&
           s != State::Cancelled && !linesDue(record).isEmpty();
}

int daysLate(const OrderRecord &record, const QDate &today)
{
    if (!awaited(record) || !record.life.expected.isValid() || !today.isValid())
        return 0;
    return int(qMax<qint64>(0, record.life.expected.daysTo(today)));
}

} // namespace OrderState
