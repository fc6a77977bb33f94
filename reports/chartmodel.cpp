// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/chartmodel.h"

#include "reports/reportroles.h"

ChartModel::ChartModel(QObject *parent) : QAbstractTableModel(parent) {}

void ChartModel::setReport(const PurchaseReport *report)
{
    beginResetModel();
    m_report = report;
    endResetModel();
}

int ChartModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_report ? 0 : int(m_report->chart().size());
}

int ChartModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_report ? 0 : int(m_report->periods().size());
}

QVariant ChartModel::data(const QModelIndex &index, int role) const
{
    if (!m_report || !index.isValid())
        return {};
    const qint64 cents = m_report->chart().at(index.row()).values.at(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return double(cents) / 100.0;
    case ReportRoles::Cents:
        return cents;
    case Qt::ToolTipRole:
        return QString(m_report->chart().at(index.row()).name + QStringLiteral(", ") +
                       m_report->periods().at(index.column()) + QStringLiteral(" : ") +
                       PurchaseReport::amountText(cents, false) + QStringLiteral("\u00A0") +
                       m_report->currencySymbol());
    default:
        return {};
    }
}

QVariant ChartModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (!m_report || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return orientation == Qt::Vertical ? m_report->chart().at(section).name
                                       : m_report->periods().at(section);
}
