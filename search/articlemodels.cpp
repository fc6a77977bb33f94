// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/articlemodels.h"

#include "core/numbertext.h"
#include "search/searchindex.h"

namespace {

QString percent(const QString &discount)
{
    return discount.isEmpty() ? QString() : discount + QStringLiteral(" %");
}

} // namespace

void ArticleCompletionModel::setEntries(QList<ArticleMemory::Entry> entries)
{
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

int ArticleCompletionModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int ArticleCompletionModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ArticleCompletionModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return {};
    const ArticleMemory::Entry &e = m_entries.at(index.row());
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        switch (index.column()) {
        case DesignationColumn:
            return e.designation;
        case PriceColumn:
            return e.unitPrice;
        case DiscountColumn:
            return percent(e.discount);
        case DateColumn:
            return e.date;
        case NumberColumn:
            return e.number;
        }
    }
    if (role == Qt::TextAlignmentRole &&
        (index.column() == PriceColumn || index.column() == DiscountColumn))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

PriceHistoryModel::PriceHistoryModel(SearchIndex &index, QObject *parent)
    : QAbstractTableModel(parent), m_index(index)
{
    connect(&m_index, &SearchIndex::ordersMoved, this, &PriceHistoryModel::reload);
    connect(&m_index, &SearchIndex::bookReplaced, this, &PriceHistoryModel::reload);
    connect(&m_index, &SearchIndex::orderChanged, this, &PriceHistoryModel::reload);
}

void PriceHistoryModel::setArticle(const QString &designation)
{
    m_designation = designation;
    reload();
}

void PriceHistoryModel::reload()
{
    beginResetModel();
    m_lines = m_designation.isEmpty() ? QList<ArticleMemory::Line>()
                                      : m_index.articles().history(m_designation);
    endResetModel();
}

OrderPlace PriceHistoryModel::placeAt(int row) const
{
    const ArticleMemory::Line line = m_lines.value(row);
    if (line.order < 0)
        return {};
    return {OrderPlace::Cell, m_index.rowOf(line.order, line.offset), OrderLine::UnitPriceCell};
}

int PriceHistoryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_lines.size());
}

int PriceHistoryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PriceHistoryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_lines.size())
        return {};
    const ArticleMemory::Line &line = m_lines.at(index.row());
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case DateColumn:
            return m_index.dateText(line.order);
        case NumberColumn:
            return m_index.numberText(line.order);
        case SupplierColumn: {
            const QString name = m_index.supplierName(line.order);
            return name.isEmpty() ? m_index.supplierCode(line.order) : name;
        }
        case QuantityColumn:
            return NumberText::trimmed(m_index.lineAt(line.order, line.offset).quantity);
        case PriceColumn:
            return NumberText::trimmed(m_index.lineAt(line.order, line.offset).unitPrice);
        case DiscountColumn:
            return percent(
                NumberText::trimmed(m_index.lineAt(line.order, line.offset).discountPercent));
        }
    }
    if (role == Qt::TextAlignmentRole && index.column() >= QuantityColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant PriceHistoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const titles[] = {"Date",     "Commande",      "Fournisseur",
                                         "Quantité", "Prix unitaire", "Remise"};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ColumnCount)
        return QString::fromUtf8(titles[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}
