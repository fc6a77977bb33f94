// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/ordersmodel.h"

#include "core/numbertext.h"
#include "reports/reportroles.h"

OrdersModel::OrdersModel(const PurchaseReport &report, QList<int> orders, QObject *parent)
    : QAbstractTableModel(parent), m_report(report), m_orders(std::move(orders))
{
}

int OrdersModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_orders.size());
}

int OrdersModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant OrdersModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const PurchaseOrder &order = m_report.book().orders().at(m_orders.at(index.row()));
    const qint64 cents = order.total(m_report.choice().shown, m_report.choice().currency);
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case 0:
            return order.number;
        case 1:
            return order.date.isValid() ? NumberText::formatDate(order.date)
                                        : PurchaseReport::unreadDatesName();
        default:
            return PurchaseReport::amountText(cents, false);
        }
    case Qt::TextAlignmentRole:
        return index.column() == 2 ? int(Qt::AlignRight | Qt::AlignVCenter)
                                   : int(Qt::AlignLeft | Qt::AlignVCenter);
    case ReportRoles::Cents:
        return index.column() == 2 ? QVariant(cents) : QVariant();
    case ReportRoles::BlockIndex:
        return order.blockIndex;
    default:
        return {};
    }
}

QVariant OrdersModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case 0:
        return QStringLiteral("N° de commande");
    case 1:
        return QStringLiteral("Date");
    default:
        return QString(QStringLiteral("Total ") +
                       PurchaseReport::amountName(m_report.choice().shown) + QStringLiteral(" (") +
                       m_report.currencySymbol() + QLatin1Char(')'));
    }
}
