// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QSize>

class OrderBook;

// The order list's entries over a book: one per order from 0 up to the first index without a
// block, each entry's text read from the book only when it is shown. The user's moves reorder
// the entries, not the book: the book takes them when the list is closed
// (OrderDocument::moveOrders).
class OrderListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit OrderListModel(QObject *parent = nullptr);

    // Lists the orders of `book`, which must not change while it is listed; null lists none.
    void setBook(const OrderBook *book);
    int rowCount(const QModelIndex &parent = {}) const override;
    // The entry's text (OrderList::entryText); its size when one was set.
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Moves the entry at `row` one place up (step -1) or down (step 1); false when there is no
    // such entry or place.
    bool moveEntry(int row, int step);
    // The index each entry's order had when the list was filled, in list order.
    const QList<int> &entryOrder() const { return m_order; }
    // The row of the entry with the most characters; -1 when there is none.
    int longestEntry() const;
    // The size the view gives every entry.
    void setEntrySize(QSize size) { m_entrySize = size; }

private:
    const OrderBook *m_book = nullptr;
    QList<qsizetype> m_opens; // where the block of each listed order opens
    QList<int> m_order;
    QSize m_entrySize;
};
