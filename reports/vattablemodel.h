// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/purchasereport.h"

#include <QAbstractTableModel>

// "TVA par taux": for each period, the base and the VAT of each VAT code at each of its rates,
// then their totals; the last row adds up the periods. What a VAT return asks for.
class VatTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit VatTableModel(QObject *parent = nullptr);

    void setReport(const PurchaseReport *report);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const PurchaseReport::VatRow &shown(int row) const;
    int columns() const;

    const PurchaseReport *m_report = nullptr;
};
