// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/awaitedorders.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QList>
#include <QString>
#include <utility>

// The awaited orders as a table: number, supplier, sent, expected, days late and what is still
// to come before tax. Late orders first, the latest of them first, then by the date they were
// sent, the oldest first. Late rows are emphasised (ReportRoles::Emphasis), their delay told
// in words to screen readers. The rows follow the list each time it is read again.
class AwaitedOrdersModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        NumberColumn,
        SupplierColumn,
        SentColumn,
        ExpectedColumn,
        LateColumn,
        DueColumn,
        ColumnCount
    };

    AwaitedOrdersModel(AwaitedOrders &orders, QObject *parent = nullptr);

    // The day the delays are counted on.
    void setToday(const QDate &today);
    // The orders of one supplier, by code; every supplier when empty.
    void setSupplier(const QString &code);
    const QString &supplier() const { return m_supplier; }
    // The suppliers with an awaited order: code and name, by name.
    const QList<std::pair<QString, QString>> &suppliers() const { return m_suppliers; }

    int orderAt(int row) const;
    int rowOfOrder(int order) const;
    // "3 jours de retard", "1 jour de retard"; empty when not late.
    static QString lateText(int days);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    // The list of suppliers changed with the orders.
    void suppliersChanged();

private:
    void refill();

    AwaitedOrders &m_orders;
    QDate m_today;
    bool m_refilling = false;
    QString m_supplier;
    QList<AwaitedOrder> m_rows;
    QList<std::pair<QString, QString>> m_suppliers;
};
