// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/orderrecord.h"

#include <QDialog>
#include <QLabel>

class OrderDocument;
class OrderWindow;
class QDateEdit;
class QMenu;
class QTableWidget;

// The state of the order on screen in words, with every event of the order in its tool tip.
class OrderStateLabel : public QLabel {
    Q_OBJECT
public:
    OrderStateLabel(OrderDocument &document, QWidget *parent);
    void refresh();

private:
    OrderDocument &m_document;
};

// "Réception...": one row per order line with a quantity, "Reçu" pre-filled with what is due.
class ReceptionDialog : public QDialog {
    Q_OBJECT
public:
    ReceptionDialog(const OrderRecord &record, QWidget *parent = nullptr);
    // What was received; the lines left at zero are not in it.
    OrderLife::Reception reception() const;
    void accept() override;

private:
    OrderRecord m_record;
    QDateEdit *m_date = nullptr;
    QTableWidget *m_table = nullptr;
};

namespace OrderLifeCommands {

// Adds the commands on what became of the order to `menu`: "Marquer comme envoyée",
// "Livraison prévue...", "Réception...", "Solder la commande", "Annuler la commande".
void addTo(QMenu *menu, OrderWindow &order);

} // namespace OrderLifeCommands
