// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/orderlinesmodel.h"

#include "order/orderdocument.h"
#include "pricing/ordercalc.h"

OrderLinesModel::OrderLinesModel(OrderDocument &document, QObject *parent)
    : QAbstractTableModel(parent), m_document(document)
{
    connect(&document, &OrderDocument::linesChanged, this, &OrderLinesModel::rowsChanged);
    connect(&document, &OrderDocument::recordChanged, this, [this] {
        rowsChanged(1, OrderDocument::GridRows);
        Q_EMIT headerDataChanged(Qt::Horizontal, OrderLine::AmountCell, OrderLine::AmountCell);
    });
    // The amount column is headed by the price mode.
    connect(&document, &OrderDocument::fieldChanged, this, [this](OrderDocument::Field field) {
        if (field == OrderDocument::Field::IncludesVat)
            Q_EMIT headerDataChanged(Qt::Horizontal, OrderLine::AmountCell, OrderLine::AmountCell);
    });
}

int OrderLinesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : OrderDocument::GridRows;
}

int OrderLinesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : OrderLine::CellCount;
}

QVariant OrderLinesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const QString text = m_document.cell(index.row() + 1, index.column());
    // An empty cell shows nothing: the view then lays out no text for it, which keeps painting
    // a grid of mostly empty rows quick.
    if (text.isEmpty() && role == Qt::DisplayRole)
        return {};
    return text;
}

bool OrderLinesModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    m_document.setCell(index.row() + 1, index.column(), value.toString());
    return true;
}

Qt::ItemFlags OrderLinesModel::flags(const QModelIndex &index) const
{
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

QVariant OrderLinesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case OrderLine::DesignationCell:
        return QStringLiteral("Désignation");
    case OrderLine::QuantityCell:
        return QStringLiteral("Quantité");
    case OrderLine::UnitPriceCell:
        return QStringLiteral("Prix Unitaire");
    case OrderLine::DiscountCell:
        return QStringLiteral("R (%)");
    case OrderLine::AmountCell:
        return OrderCalc::amountHeading(m_document.record().IncludesVat);
    case OrderLine::VatCell:
        return QStringLiteral("T");
    default:
        return {};
    }
}

Result<QModelIndex> OrderLinesModel::completeLine(const QModelIndex &index)
{
    const Result<LineEntry::EnterOutcome> outcome =
        m_document.completeLine(index.column(), index.row() + 1);
    if (!outcome)
        return outcome.failure();
    if (!outcome->completed)
        return QModelIndex();
    return this->index(outcome->row - 1, outcome->column);
}

void OrderLinesModel::rowsChanged(int firstRow, int lastRow)
{
    Q_EMIT dataChanged(index(firstRow - 1, 0), index(lastRow - 1, OrderLine::CellCount - 1),
                       {Qt::DisplayRole, Qt::EditRole});
}
