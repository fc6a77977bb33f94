// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/purchasereport.h"

#include <QAbstractTableModel>

// The orders behind a cell of the report: number, date and the amount shown.
class OrdersModel : public QAbstractTableModel {
    Q_OBJECT
public:
    OrdersModel(const PurchaseReport &report, QList<int> orders, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const PurchaseReport &m_report;
    QList<int> m_orders;
};
