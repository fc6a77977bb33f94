// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/orderrecord.h"
#include "search/articlememory.h"

#include <QAbstractTableModel>

class SearchIndex;

// The completion list of a designation being typed: the article, its last unit price and
// discount, the date and number of the order they come from.
class ArticleCompletionModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        DesignationColumn,
        PriceColumn,
        DiscountColumn,
        DateColumn,
        NumberColumn,
        ColumnCount
    };

    using QAbstractTableModel::QAbstractTableModel;

    void setEntries(QList<ArticleMemory::Entry> entries);
    const ArticleMemory::Entry &entry(int row) const { return m_entries.at(row); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QList<ArticleMemory::Entry> m_entries;
};

// Every order line of an article, newest first: date, order, supplier, quantity, unit price
// and discount. It follows the book as it changes.
class PriceHistoryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        DateColumn,
        NumberColumn,
        SupplierColumn,
        QuantityColumn,
        PriceColumn,
        DiscountColumn,
        ColumnCount
    };

    explicit PriceHistoryModel(SearchIndex &index, QObject *parent = nullptr);

    void setArticle(const QString &designation);
    const QString &designation() const { return m_designation; }
    int orderAt(int row) const { return m_lines.value(row).order; }
    // The unit price cell of the row's line.
    OrderPlace placeAt(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void reload();

    SearchIndex &m_index;
    QString m_designation;
    QList<ArticleMemory::Line> m_lines;
};
