// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/awaitedordersmodel.h"

#include "core/numbertext.h"
#include "reports/purchasereport.h"
#include "reports/reportroles.h"

#include <QMap>
#include <algorithm>
#include <tuple>

AwaitedOrdersModel::AwaitedOrdersModel(AwaitedOrders &orders, QObject *parent)
    : QAbstractTableModel(parent), m_orders(orders)
{
    connect(&m_orders, &AwaitedOrders::changed, this, &AwaitedOrdersModel::refill);
}

void AwaitedOrdersModel::setToday(const QDate &today)
{
    if (today == m_today)
        return;
    m_today = today;
    refill();
}

void AwaitedOrdersModel::setSupplier(const QString &code)
{
    if (code == m_supplier)
        return;
    m_supplier = code;
    refill();
}

void AwaitedOrdersModel::refill()
{
    // Reading the book again tells changed(), which leads back here: the list is then read.
    if (m_refilling)
        return;
    m_refilling = true;
    const QList<AwaitedOrder> &all = m_orders.orders();
    m_refilling = false;
    beginResetModel();
    m_rows.clear();
    QMap<std::pair<QString, QString>, bool> suppliers; // by name folded, then code
    QHash<QString, QString> names;
    for (const AwaitedOrder &order : all) {
        if (!names.contains(order.supplierCode)) {
            names.insert(order.supplierCode, order.supplierName);
            suppliers.insert({order.supplierName.toCaseFolded(), order.supplierCode}, true);
        }
        if (m_supplier.isEmpty() || order.supplierCode == m_supplier)
            m_rows.append(order);
    }
    const QDate today = m_today;
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [&today](const AwaitedOrder &a, const AwaitedOrder &b) {
                         return std::make_tuple(-a.daysLate(today), a.sent, a.blockIndex) <
                                std::make_tuple(-b.daysLate(today), b.sent, b.blockIndex);
                     });
    endResetModel();
    QList<std::pair<QString, QString>> list;
    for (auto it = suppliers.cbegin(); it != suppliers.cend(); ++it)
        list.append({it.key().second, names.value(it.key().second)});
    if (list != m_suppliers) {
        m_suppliers = list;
        Q_EMIT suppliersChanged();
    }
}

int AwaitedOrdersModel::orderAt(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row).blockIndex : -1;
}

int AwaitedOrdersModel::rowOfOrder(int order) const
{
    for (int row = 0; row < m_rows.size(); ++row)
        if (m_rows.at(row).blockIndex == order)
            return row;
    return -1;
}

QString AwaitedOrdersModel::lateText(int days)
{
    if (days <= 0)
        return QString();
    return days == 1 ? QStringLiteral("1 jour de retard")
                     : QStringLiteral("%1 jours de retard").arg(days);
}

int AwaitedOrdersModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int AwaitedOrdersModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant AwaitedOrdersModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const AwaitedOrder &order = m_rows.at(index.row());
    const int late = order.daysLate(m_today);
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case NumberColumn:
            return order.number;
        case SupplierColumn:
            return order.supplierName.isEmpty() ? order.supplierCode : order.supplierName;
        case SentColumn:
            return NumberText::formatDate(order.sent);
        case ExpectedColumn:
            return order.expected.isValid() ? NumberText::formatDate(order.expected) : QString();
        case LateColumn:
            return late > 0 ? QString::number(late) : QString();
        case DueColumn:
            return order.dueKnown ? PurchaseReport::amountText(order.dueCents, false) : QString();
        }
        return {};
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole:
        if (index.column() == LateColumn)
            return late > 0 ? lateText(late) : QStringLiteral("Pas en retard");
        return {};
    case Qt::TextAlignmentRole:
        return index.column() == LateColumn || index.column() == DueColumn
                   ? int(Qt::AlignRight | Qt::AlignVCenter)
                   : int(Qt::AlignLeft | Qt::AlignVCenter);
    case ReportRoles::Cents:
        return index.column() == DueColumn && order.dueKnown ? QVariant(order.dueCents)
                                                             : QVariant();
    case ReportRoles::Emphasis:
        return late > 0;
    case ReportRoles::BlockIndex:
        return order.blockIndex;
    default:
        return {};
    }
}

QVariant AwaitedOrdersModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal ||
        (role != Qt::DisplayRole && role != ReportRoles::ExportHeader))
        return QAbstractTableModel::headerData(section, orientation, role);
    const bool exported = role == ReportRoles::ExportHeader;
    switch (section) {
    case NumberColumn:
        return QStringLiteral("N° de commande");
    case SupplierColumn:
        return QStringLiteral("Fournisseur");
    case SentColumn:
        return QStringLiteral("Envoyée le");
    case ExpectedColumn:
        return QStringLiteral("Livraison prévue");
    case LateColumn:
        return exported ? QStringLiteral("Retard (jours)") : QStringLiteral("Retard");
    case DueColumn:
        return QString(QStringLiteral("Reste à recevoir H.T.") +
                       (exported ? QStringLiteral(" (") + m_orders.currencySign() + QLatin1Char(')')
                                 : QString()));
    }
    return {};
}
