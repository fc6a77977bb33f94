// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/orderlinesmodel.h"

#include "order/orderdocument.h"
#include "pricing/lineentry.h"
#include "pricing/ordercalc.h"

OrderLinesModel::OrderLinesModel(OrderDocument &document, QObject *parent)
    : QAbstractTableModel(parent), m_document(document),
      m_headingIncludesVat(document.record().includesVat), m_filledRows(OrderDocument::GridRows)
{
    connect(&document, &OrderDocument::linesChanged, this, [this](int firstRow, int lastRow) {
        rowsChanged(firstRow, lastRow);
        m_filledRows = filledRows();
    });
    // Another order: the rows that were empty and stay empty are left as they are shown.
    connect(&document, &OrderDocument::recordChanged, this, [this] {
        const int filled = filledRows();
        if (const int last = qMax(m_filledRows, filled); last > 0)
            rowsChanged(1, last);
        m_filledRows = filled;
        priceModeChanged();
    });
    connect(&document, &OrderDocument::fieldChanged, this, [this](OrderDocument::Field field) {
        if (field == OrderDocument::Field::IncludesVat)
            priceModeChanged();
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
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole && role != NoticeRole))
        return {};
    const QString text = m_document.cell(index.row() + 1, index.column());
    if (role == Qt::EditRole)
        return LineEntry::editText(index.column(), text);
    if (role == NoticeRole)
        return LineEntry::numberNotice(index.column(), text);
    // An empty cell shows nothing: the view then lays out no text for it, which keeps painting
    // a grid of mostly empty rows quick.
    if (text.isEmpty())
        return {};
    return text;
}

bool OrderLinesModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    // An editor left as it was opened changes nothing, not even the padding of a number.
    const QString text = value.toString();
    if (text != data(index, Qt::EditRole).toString())
        m_document.setCell(index.row() + 1, index.column(), text);
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
        return OrderCalc::amountHeading(m_document.record().includesVat);
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

int OrderLinesModel::filledRows() const
{
    const QList<OrderLine> &lines = m_document.record().lines;
    for (qsizetype row = qMin(lines.size(), qsizetype(OrderDocument::GridRows)); row > 0; --row)
        if (!lines.at(row - 1).isEmpty())
            return int(row);
    return 0;
}

void OrderLinesModel::rowsChanged(int firstRow, int lastRow)
{
    Q_EMIT dataChanged(index(firstRow - 1, 0), index(lastRow - 1, OrderLine::CellCount - 1),
                       {Qt::DisplayRole, Qt::EditRole, NoticeRole});
}

void OrderLinesModel::priceModeChanged()
{
    const bool includesVat = m_document.record().includesVat;
    if (includesVat == m_headingIncludesVat)
        return;
    m_headingIncludesVat = includesVat;
    Q_EMIT headerDataChanged(Qt::Horizontal, OrderLine::AmountCell, OrderLine::AmountCell);
}
