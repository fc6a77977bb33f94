// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/result.h"

#include <QAbstractTableModel>

class OrderDocument;

// The lines of the order on screen as a table: rows 0 to 62 are the order's rows 1 to 63,
// columns the six cells of OrderLine. Every cell can be typed into; what is typed goes to the
// document, and the document's changes come back as changed cells. A number cell is edited
// without the spaces that right-align it (Qt::EditRole): given back unchanged, the cell keeps
// them.
class OrderLinesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role {
        // What is wrong with a number cell's text, to be shown and said; empty when nothing.
        NoticeRole = Qt::UserRole,
    };

    explicit OrderLinesModel(OrderDocument &document, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Enter in the cell `index`: from the unit price on it completes the line and moves on
    // (OrderDocument::completeLine). Gives the cell the cursor goes to, or an invalid index
    // when Enter does nothing there.
    Result<QModelIndex> completeLine(const QModelIndex &index);

private:
    void rowsChanged(int firstRow, int lastRow);
    // The last row of the order on screen that is not empty; 0 when all are.
    int filledRows() const;
    // The amount column is headed by the price mode. A view lays out its whole grid again on
    // every heading change, so the heading is reported only when the mode differs from the
    // one it was last reported for.
    void priceModeChanged();

    OrderDocument &m_document;
    bool m_headingIncludesVat;
    // Every row past this one is empty, and was last reported so: the whole grid at first.
    int m_filledRows;
};
