// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/purchasereport.h"

#include <QAbstractTableModel>

// The chart's figures: one row per bar set (the largest suppliers, then "Autres"), one column
// per period, amounts in currency units, as the chart draws them; its tool tips.
class ChartModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ChartModel(QObject *parent = nullptr);

    void setReport(const PurchaseReport *report);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const PurchaseReport *m_report = nullptr;
};
