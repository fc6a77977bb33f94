// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/orderlistmodel.h"

#include "order/orderbook.h"
#include "order/orderlist.h"

#include <numeric>

OrderListModel::OrderListModel(QObject *parent) : QAbstractListModel(parent) {}

void OrderListModel::setBook(const OrderBook *book)
{
    beginResetModel();
    m_book = book;
    m_opens = book ? book->blocksFromZero() : QList<qsizetype>();
    m_order.resize(m_opens.size());
    std::iota(m_order.begin(), m_order.end(), 0);
    endResetModel();
}

int OrderListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_order.size());
}

QVariant OrderListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_order.size())
        return {};
    if (role == Qt::DisplayRole)
        return OrderList::entryText(m_book->lines(), m_opens.at(m_order.at(index.row())));
    if (role == Qt::SizeHintRole && m_entrySize.isValid())
        return m_entrySize;
    return {};
}

bool OrderListModel::moveEntry(int row, int step)
{
    const int target = row + step;
    if (row < 0 || row >= m_order.size() || target < 0 || target >= m_order.size() || step == 0)
        return false;
    // Qt names the place before which the row goes, counted before the move.
    beginMoveRows(QModelIndex(), row, row, QModelIndex(), step > 0 ? target + 1 : target);
    m_order.move(row, target);
    endMoveRows();
    return true;
}

int OrderListModel::longestEntry() const
{
    if (!m_book)
        return -1;
    // Measured on the file's bytes, one per character: no entry is built for it.
    const TextLines &lines = m_book->lines();
    const auto length = [&lines](qsizetype i, qsizetype skip = 0) {
        return i < lines.size() ? qMax<qsizetype>(0, lines.bytes(i).size() - skip) : 0;
    };
    int longest = -1;
    qsizetype most = -1;
    for (int row = 0; row < m_order.size(); ++row) {
        const qsizetype open = m_opens.at(m_order.at(row));
        const qsizetype size = length(open + 1, 3) + length(open + 2) + length(open + 3) +
                               length(open + 5) + length(open + 6);
        if (size > most) {
            most = size;
            longest = row;
        }
    }
    return longest;
}
