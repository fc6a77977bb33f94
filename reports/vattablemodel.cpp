// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/vattablemodel.h"

#include "core/numbertext.h"
#include "reports/reportroles.h"

VatTableModel::VatTableModel(QObject *parent) : QAbstractTableModel(parent) {}

void VatTableModel::setReport(const PurchaseReport *report)
{
    beginResetModel();
    m_report = report;
    endResetModel();
}

int VatTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_report ? 0 : int(m_report->vatRows().size()) + 1;
}

int VatTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_report ? 0 : columns();
}

int VatTableModel::columns() const
{
    // The period, base and VAT per VAT group, both totals.
    return 1 + 2 * int(m_report->vatGroups().size()) + 2;
}

const PurchaseReport::VatRow &VatTableModel::shown(int row) const
{
    const QList<PurchaseReport::VatRow> &rows = m_report->vatRows();
    return row < rows.size() ? rows.at(row) : m_report->vatTotals();
}

QVariant VatTableModel::data(const QModelIndex &index, int role) const
{
    if (!m_report || !index.isValid())
        return {};
    const PurchaseReport::VatRow &row = shown(index.row());
    const int column = index.column();
    const int columnCount = columns();
    qint64 cents = 0;
    if (column == columnCount - 2)
        cents = row.totalBase();
    else if (column == columnCount - 1)
        cents = row.totalVat();
    else if (column > 0)
        cents = (column - 1) % 2 == 0 ? row.base.value((column - 1) / 2)
                                      : row.vat.value((column - 1) / 2);
    switch (role) {
    case Qt::DisplayRole:
        if (column == 0) {
            const int year = m_report->choice().year;
            const bool month = year && index.row() < 12;
            return month ? PurchaseReport::monthName(index.row() + 1) : row.period;
        }
        return PurchaseReport::amountText(cents);
    case Qt::TextAlignmentRole:
        return column > 0 ? int(Qt::AlignRight | Qt::AlignVCenter)
                          : int(Qt::AlignLeft | Qt::AlignVCenter);
    case ReportRoles::Cents:
        return column > 0 && cents != 0 ? QVariant(cents) : QVariant();
    case ReportRoles::Emphasis:
        return index.row() == m_report->vatRows().size() || row.unreadDates;
    default:
        return {};
    }
}

QVariant VatTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    const bool exported = role == ReportRoles::ExportHeader;
    if (!m_report || orientation != Qt::Horizontal || (role != Qt::DisplayRole && !exported))
        return QAbstractTableModel::headerData(section, orientation, role);
    const QString unit =
        exported ? QStringLiteral(" (") + m_report->currencySymbol() + QLatin1Char(')') : QString();
    if (section == 0)
        return QStringLiteral("Période");
    if (section == columns() - 2)
        return QString(QStringLiteral("Base totale") + unit);
    if (section == columns() - 1)
        return QString(QStringLiteral("TVA totale") + unit);
    const PurchaseReport::VatGroup group = m_report->vatGroups().value((section - 1) / 2);
    const QString rate = NumberText::rate(group.rate);
    const QString kind = (section - 1) % 2 == 0 ? QStringLiteral("Base ") : QStringLiteral("TVA ");
    return QString(kind + QString::number(group.code) + QStringLiteral(" (") + rate +
                   (exported ? QStringLiteral(" %)") : QStringLiteral("\u00A0%)")) + unit);
}
