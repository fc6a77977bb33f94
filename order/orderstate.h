// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/orderrecord.h"
#include "core/real48.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// Where an order stands, worked out from what was done with it (OrderLife): nobody sets a state
// the program can tell by itself.
namespace OrderState {

enum class State {
    Draft,
    Sent,
    ChangedAfterSending, // sent, then changed: the supplier's copy differs
    PartlyReceived,
    Received,
    Settled,
    Cancelled,
};

// An order line a reception counts: one whose quantity is a number above zero. Comments and
// quantities that are no number never hold an order back.
struct LineDue {
    int row = 0; // from 1
    QString designation;
    Real ordered = 0;
    Real received = 0;
    Real due() const { return ordered > received ? ordered - received : 0; }
};
QList<LineDue> linesDue(const OrderRecord &record);

State state(const OrderRecord &record);
// The state in a buyer's words: "Brouillon", "Envoyée le 03/02/2026 (courriel)", "Reçue en
// partie", "Reçue le 12/02/2026", "Soldée", "Annulée", "Modifiée après envoi".
QString text(const OrderRecord &record);
// The short word of each state, for lists and filters.
QString name(State state);
// Every event of the order with its date, one a line, as they happened; each reception is
// followed by what came for each line ("designation : quantity"), indented.
QStringList events(const OrderRecord &record);
// "imprimée", "PDF", "courriel", "autre".
QString channelText(OrderLife::Channel channel);

// Sent (or partly received) and still awaited: neither received in full, settled nor cancelled,
// and with a line a reception counts. An order without any stays "Envoyée" and awaits nothing.
bool awaited(const OrderRecord &record);
// Days past the expected delivery date of an awaited order on `today`; 0 when not late.
int daysLate(const OrderRecord &record, const QDate &today);

} // namespace OrderState
