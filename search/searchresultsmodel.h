// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/csvfile.h"
#include "core/real48.h"
#include "search/searchindex.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QSet>
#include <tuple>

// The orders a search finds, one row each: number, date, supplier, total including tax as the
// order window shows it, its state, and where the first hit is with its text. Newest first until
// another column is chosen. The rows follow the book: an order written again or edited on screen is
// looked at again and moves to its place, orders renumbered keep what was found of them under
// their new indexes, another book empties the list. A row keeps its order through a sort and a
// change (persistent indexes follow), so that the selection stays on the order the user chose.
class SearchResultsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        NumberColumn,
        DateColumn,
        SupplierColumn,
        TotalColumn,
        StateColumn,
        WhereColumn,
        ColumnCount
    };
    // Where the terms stand in the text of the "where" column: a QList<QPoint> of (start,
    // length).
    static constexpr int HitSpansRole = Qt::UserRole + 1;

    explicit SearchResultsModel(SearchIndex &index, QObject *parent = nullptr);

    // An empty text and an empty filter find nothing; the filter alone finds every order it
    // keeps.
    void setQuery(const QString &text);
    void setFilter(const SearchFilter &filter);
    const QString &queryText() const { return m_text; }

    // While nobody looks at the rows (the window hidden), changes of the book only mark them
    // out of date: they are brought up to date when followed again, or by catchUp().
    void setFollowing(bool following);
    void catchUp();

    int orderAt(int row) const { return m_rows.value(row, -1); }
    OrderPlace placeAt(int row);
    int rowOfOrder(int order) const { return int(m_rows.indexOf(order)); }

    // How a place of an order is named in the "where" column: "Désignation, ligne 4".
    static QString placeName(const OrderPlace &place);

    // The rows as they stand, in the spreadsheet form of the program's other exports.
    void csv(CsvFile &file);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

Q_SIGNALS:
    // The rows changed: another search, or the book changed under them.
    void resultsChanged();

private:
    struct Shown {
        QString number;
        QString date;
        QString supplier;
        QString total;
        Real totalValue = 0;
        bool hasTotal = false;
    };
    struct Found {
        SearchQuery query;
        SearchFilter filter;
        QList<int> orders; // in index order
    };

    // What a row is sorted by, worked out once per row before sorting.
    struct SortKey {
        int order = -1;
        qint32 day = 0;
        qint64 number = 0;
        QString text;
        Real value = 0;
        int state = 0; // by the order of an order's life
        std::tuple<int, int, int> place;
    };

    void search();
    void ordersMoved(const QList<int> &from);
    // The recent searches look again at the orders changed or new since they were made.
    void checkRecent();
    void orderChanged(int index);
    void refreshOrder(int index);
    void forgetSearches();
    // Copies: the caches grow as they are read.
    Shown shown(int order) const;
    SearchIndex::Hit hit(int order) const;
    QString where(int order) const;
    SortKey sortKey(int order) const;
    // Below zero when `a` stands before `b`.
    int compare(const SortKey &a, const SortKey &b) const;
    void sortRows();

    SearchIndex &m_index;
    QString m_text;
    SearchQuery m_query;
    SearchFilter m_filter;
    QList<int> m_rows;
    int m_sortColumn = DateColumn;
    Qt::SortOrder m_sortOrder = Qt::DescendingOrder;
    QList<Found> m_recent; // the last searches, the newest first, to narrow the next one
    QSet<int> m_unchecked; // orders changed or new since, for every search in m_recent
    bool m_following = true;
    bool m_searchAgain = false; // orders renumbered while not followed
    QSet<int> m_staleOrders;    // orders changed while not followed
    mutable QHash<int, Shown> m_shown;
    mutable QHash<int, SearchIndex::Hit> m_hits;
};
