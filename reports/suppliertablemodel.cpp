// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/suppliertablemodel.h"

#include "reports/reportroles.h"

#include <algorithm>

SupplierTableModel::SupplierTableModel(QObject *parent) : QAbstractTableModel(parent) {}

void SupplierTableModel::setReport(const PurchaseReport *report)
{
    beginResetModel();
    m_report = report;
    m_order.clear();
    if (m_report)
        for (int i = 0; i < m_report->rows().size(); ++i)
            m_order.append(i); // the report's own order: largest total first
    endResetModel();
}

int SupplierTableModel::totalColumn() const
{
    return FirstPeriodColumn + (m_report ? int(m_report->periods().size()) : 0);
}

int SupplierTableModel::evolutionColumn() const
{
    return m_report && m_report->hasEvolution() ? totalColumn() + 1 : -1;
}

int SupplierTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_report ? 0 : int(m_order.size()) + 1;
}

int SupplierTableModel::columnCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_report)
        return 0;
    return totalColumn() + (m_report->hasEvolution() ? 2 : 1);
}

const PurchaseReport::Row &SupplierTableModel::shown(int row) const
{
    return row < m_order.size() ? m_report->rows().at(m_order.at(row)) : m_report->totals();
}

const PurchaseReport::Row *SupplierTableModel::rowAt(int row) const
{
    return m_report && row >= 0 && row < m_order.size() ? &shown(row) : nullptr;
}

int SupplierTableModel::periodAt(int column) const
{
    return column >= FirstPeriodColumn && column < totalColumn() ? column - FirstPeriodColumn : -1;
}

QVariant SupplierTableModel::data(const QModelIndex &index, int role) const
{
    if (!m_report || !index.isValid())
        return {};
    const PurchaseReport::Row &row = shown(index.row());
    const int column = index.column();
    const bool amount = column >= FirstPeriodColumn && column <= totalColumn();
    const qint64 cents = !amount                   ? 0
                         : column == totalColumn() ? row.total
                                                   : row.cells.at(column - FirstPeriodColumn);
    switch (role) {
    case Qt::DisplayRole:
        if (column == CodeColumn)
            return row.code;
        if (column == NameColumn)
            return row.name;
        if (amount)
            return PurchaseReport::amountText(cents);
        if (const auto change = row.evolution())
            return PurchaseReport::evolutionText(*change);
        return QString();
    case Qt::TextAlignmentRole:
        return column >= FirstPeriodColumn ? int(Qt::AlignRight | Qt::AlignVCenter)
                                           : int(Qt::AlignLeft | Qt::AlignVCenter);
    case ReportRoles::Cents:
        return amount && cents != 0 ? QVariant(cents) : QVariant();
    case ReportRoles::Percent:
        if (column == evolutionColumn())
            if (const auto change = row.evolution())
                return *change;
        return {};
    case ReportRoles::Emphasis:
        return index.row() == m_order.size() || row.unreadDates;
    default:
        return {};
    }
}

QVariant SupplierTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (!m_report || orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    const bool exported = role == ReportRoles::ExportHeader;
    if (role != Qt::DisplayRole && !exported)
        return QAbstractTableModel::headerData(section, orientation, role);
    const ReportChoice &choice = m_report->choice();
    const QString unit = QStringLiteral(" (") + m_report->currencySymbol() + QLatin1Char(')');
    if (section == CodeColumn)
        return exported ? QStringLiteral("Code fournisseur") : QStringLiteral("Code");
    if (section == NameColumn)
        return QStringLiteral("Fournisseur");
    if (section == totalColumn())
        return exported ? QString(QStringLiteral("Total ") +
                                  PurchaseReport::amountName(choice.shown) + unit)
                        : QStringLiteral("Total");
    if (section == evolutionColumn())
        return exported ? QStringLiteral("Évolution (%)") : QStringLiteral("Évolution");
    const int period = periodAt(section);
    if (period < 0)
        return {};
    if (!exported)
        return m_report->periods().at(period);
    const QString name = choice.year ? PurchaseReport::monthName(period + 1) + QLatin1Char(' ') +
                                           QString::number(choice.year)
                                     : m_report->periods().at(period);
    return QString(name + unit);
}

void SupplierTableModel::sort(int column, Qt::SortOrder order)
{
    if (!m_report)
        return;
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QList<int> oldOrder = m_order;
    const QList<PurchaseReport::Row> &rows = m_report->rows();
    const auto value = [&](const PurchaseReport::Row &row) -> QVariant {
        if (column == CodeColumn)
            return row.code;
        if (column == NameColumn)
            return row.name;
        if (column == totalColumn())
            return row.total;
        if (column == evolutionColumn())
            return row.evolution().value_or(-1e300);
        return periodAt(column) >= 0 ? row.cells.at(periodAt(column)) : 0;
    };
    // The row of the orders without a date stays below the suppliers, whatever the order.
    std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) {
        const PurchaseReport::Row &ra = rows.at(a);
        const PurchaseReport::Row &rb = rows.at(b);
        if (ra.unreadDates != rb.unreadDates)
            return rb.unreadDates;
        const QVariant va = value(ra);
        const QVariant vb = value(rb);
        const QPartialOrdering c = QVariant::compare(va, vb);
        if (va.typeId() == QMetaType::QString) {
            const int text = va.toString().localeAwareCompare(vb.toString());
            return order == Qt::AscendingOrder ? text < 0 : text > 0;
        }
        return order == Qt::AscendingOrder ? c == QPartialOrdering::Less
                                           : c == QPartialOrdering::Greater;
    });
    QModelIndexList after;
    for (const QModelIndex &index : before) {
        const int row = index.row() < oldOrder.size()
                            ? int(m_order.indexOf(oldOrder.at(index.row())))
                            : index.row();
        after.append(this->index(row, index.column()));
    }
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
