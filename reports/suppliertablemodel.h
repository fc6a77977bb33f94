// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/purchasereport.h"

#include <QAbstractTableModel>

// The report's table: one row per supplier, one column per period, then "Total" and, when the
// previous year holds orders, "Évolution"; the last row holds the periods' totals. Sorted by
// any column, the row of the orders without a date and the totals stay at the bottom.
class SupplierTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { CodeColumn, NameColumn, FirstPeriodColumn };

    explicit SupplierTableModel(QObject *parent = nullptr);

    // Shows `report` (which must outlive it, or the next setReport()), sorted by total.
    void setReport(const PurchaseReport *report);
    const PurchaseReport *report() const { return m_report; }

    int totalColumn() const;
    int evolutionColumn() const; // -1 without one
    // The report's row a table row shows; nullptr for the totals.
    const PurchaseReport::Row *rowAt(int row) const;
    // The period a column shows; -1 for the whole row (code, name, total, change).
    int periodAt(int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    const PurchaseReport::Row &shown(int row) const;

    const PurchaseReport *m_report = nullptr;
    QList<int> m_order; // the report's rows in the order shown
};
