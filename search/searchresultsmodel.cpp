// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/searchresultsmodel.h"

#include "core/numbertext.h"

#include <QPoint>
#include <algorithm>
#include <tuple>

namespace {

constexpr qsizetype RecentSearches = 16;

} // namespace

SearchResultsModel::SearchResultsModel(SearchIndex &index, QObject *parent)
    : QAbstractTableModel(parent), m_index(index)
{
    connect(&m_index, &SearchIndex::orderChanged, this, &SearchResultsModel::orderChanged);
    connect(&m_index, &SearchIndex::ordersMoved, this, [this] {
        forgetSearches();
        search();
    });
    connect(&m_index, &SearchIndex::bookReplaced, this, [this] {
        forgetSearches();
        m_text.clear();
        m_query = SearchQuery();
        m_filter = SearchFilter();
        search();
    });
}

void SearchResultsModel::setQuery(const QString &text)
{
    m_text = text;
    m_query = SearchQuery(text);
    m_hits.clear();
    search();
}

void SearchResultsModel::setFilter(const SearchFilter &filter)
{
    if (filter == m_filter)
        return;
    m_filter = filter;
    search();
}

void SearchResultsModel::forgetSearches()
{
    m_recent.clear();
    m_shown.clear();
    m_hits.clear();
}

void SearchResultsModel::search()
{
    beginResetModel();
    m_rows.clear();
    if (!m_query.isEmpty() || !m_filter.isEmpty()) {
        // A search that takes the last one further looks only at what that one found.
        const QList<int> *within = nullptr;
        qsizetype found = -1;
        for (qsizetype k = 0; k < m_recent.size(); ++k) {
            const Found &recent = m_recent.at(k);
            if (recent.filter != m_filter || !m_query.narrows(recent.query))
                continue;
            if (recent.query == m_query) {
                found = k;
                break;
            }
            if (!within || recent.orders.size() < within->size())
                within = &recent.orders;
        }
        if (found >= 0) {
            m_recent.move(found, 0);
        } else {
            m_recent.prepend({m_query, m_filter, m_index.find(m_query, m_filter, within)});
            if (m_recent.size() > RecentSearches)
                m_recent.removeLast();
        }
        m_rows = m_recent.first().orders;
        sortRows();
    }
    endResetModel();
    Q_EMIT resultsChanged();
}

void SearchResultsModel::orderChanged(int index)
{
    m_recent.clear();
    m_shown.remove(index);
    m_hits.remove(index);
    if (m_query.isEmpty() && m_filter.isEmpty())
        return;
    const int row = rowOfOrder(index);
    const bool found = m_index.matches(index, m_query, m_filter);
    if (found && row >= 0) {
        Q_EMIT dataChanged(this->index(row, 0), this->index(row, ColumnCount - 1));
        return;
    }
    if (found) {
        Q_EMIT layoutAboutToBeChanged();
        m_rows.append(index);
        sortRows();
        Q_EMIT layoutChanged();
    } else if (row >= 0) {
        beginRemoveRows({}, row, row);
        m_rows.removeAt(row);
        endRemoveRows();
    } else {
        return;
    }
    Q_EMIT resultsChanged();
}

const SearchResultsModel::Shown &SearchResultsModel::shown(int order) const
{
    auto it = m_shown.find(order);
    if (it != m_shown.end())
        return *it;
    Shown s;
    s.number = m_index.numberText(order);
    s.date = m_index.dateText(order);
    s.supplier = m_index.supplierName(order);
    const BookView::Shown decoded = m_index.reader().show(m_index.order(order).open, order);
    s.total = decoded.totals.IncludingTax;
    s.hasTotal = !s.total.isEmpty() && NumberText::tryToReal(s.total, s.totalValue);
    return *m_shown.insert(order, s);
}

const SearchIndex::Hit &SearchResultsModel::hit(int order) const
{
    auto it = m_hits.find(order);
    if (it == m_hits.end())
        it = m_hits.insert(order, m_index.firstHit(order, m_query));
    return *it;
}

OrderPlace SearchResultsModel::placeAt(int row)
{
    const int order = orderAt(row);
    return order < 0 ? OrderPlace() : hit(order).place;
}

QString SearchResultsModel::placeName(const OrderPlace &place)
{
    static const char *const cells[] = {"Désignation", "Quantité", "Prix unitaire",
                                        "Remise",      "Montant",  "Code TVA"};
    switch (place.field) {
    case OrderPlace::None:
        return QString();
    case OrderPlace::Number:
        return QStringLiteral("N°");
    case OrderPlace::Date:
        return QStringLiteral("Date");
    case OrderPlace::SupplierCode:
        return QStringLiteral("Code fournisseur");
    case OrderPlace::PaymentTerms:
        return QStringLiteral("Conditions");
    case OrderPlace::Address:
        return QStringLiteral("Adresse");
    case OrderPlace::Cell:
        return QString::fromUtf8(cells[qBound(0, place.column, 5)]) +
               QStringLiteral(", ligne %1").arg(place.row);
    case OrderPlace::Note:
        return QStringLiteral("Note");
    }
    return QString();
}

QString SearchResultsModel::where(int order) const
{
    const SearchIndex::Hit &h = hit(order);
    if (h.place.field == OrderPlace::None)
        return QString();
    return placeName(h.place) + QStringLiteral(" : ") + h.text;
}

int SearchResultsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int SearchResultsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SearchResultsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const int order = m_rows.at(index.row());
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        switch (index.column()) {
        case NumberColumn:
            return shown(order).number;
        case DateColumn:
            return shown(order).date;
        case SupplierColumn:
            return shown(order).supplier;
        case TotalColumn:
            return shown(order).total;
        case WhereColumn:
            return where(order);
        }
    }
    if (role == Qt::TextAlignmentRole && index.column() == TotalColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role == HitSpansRole && index.column() == WhereColumn) {
        const SearchIndex::Hit &h = hit(order);
        const qsizetype shift = placeName(h.place).size() + 3;
        QList<QPoint> spans;
        for (const auto &[start, length] : h.spans)
            spans.append(QPoint(int(start + shift), int(length)));
        return QVariant::fromValue(spans);
    }
    return {};
}

QVariant SearchResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case NumberColumn:
        return QStringLiteral("N° de commande");
    case DateColumn:
        return QStringLiteral("Date");
    case SupplierColumn:
        return QStringLiteral("Fournisseur");
    case TotalColumn:
        return QStringLiteral("Total TTC");
    case WhereColumn:
        return QStringLiteral("Trouvé dans");
    }
    return {};
}

void SearchResultsModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount)
        return;
    Q_EMIT layoutAboutToBeChanged();
    m_sortColumn = column;
    m_sortOrder = order;
    sortRows();
    Q_EMIT layoutChanged();
}

// Ties stand newest first whatever the column.
bool SearchResultsModel::before(int a, int b) const
{
    const bool descending = m_sortOrder == Qt::DescendingOrder;
    const auto ordered = [&](auto x, auto y) -> int {
        if (x == y)
            return 0;
        return (x < y) != descending ? -1 : 1;
    };
    int c = 0;
    switch (m_sortColumn) {
    case NumberColumn:
        c = ordered(m_index.order(a).number, m_index.order(b).number);
        if (c == 0)
            c = ordered(shown(a).number, shown(b).number);
        break;
    case DateColumn:
        return descending ? m_index.newer(a, b) : m_index.newer(b, a);
    case SupplierColumn:
        c = ordered(shown(a).supplier.toCaseFolded(), shown(b).supplier.toCaseFolded());
        break;
    case TotalColumn: {
        const Shown &x = shown(a);
        const Shown &y = shown(b);
        c = ordered(x.hasTotal ? x.totalValue : Real(-1e300L),
                    y.hasTotal ? y.totalValue : Real(-1e300L));
        break;
    }
    case WhereColumn: {
        const OrderPlace &x = hit(a).place;
        const OrderPlace &y = hit(b).place;
        c = ordered(std::tuple(int(x.field), x.row, x.column),
                    std::tuple(int(y.field), y.row, y.column));
        break;
    }
    }
    return c != 0 ? c < 0 : m_index.newer(a, b);
}

void SearchResultsModel::sortRows()
{
    std::stable_sort(m_rows.begin(), m_rows.end(), [this](int a, int b) { return before(a, b); });
}

void SearchResultsModel::csv(CsvFile &file)
{
    for (const QString &heading :
         {QStringLiteral("N° de commande"), QStringLiteral("Date"),
          QStringLiteral("Code fournisseur"), QStringLiteral("Fournisseur"),
          QStringLiteral("Total TTC (%1)").arg(m_index.reader().currencySign()),
          QStringLiteral("Trouvé dans"), QStringLiteral("Texte")})
        file.text(heading);
    file.endRow();
    for (const int order : std::as_const(m_rows)) {
        const Shown &s = shown(order);
        const SearchIndex::Hit &h = hit(order);
        file.text(s.number).text(s.date).text(m_index.supplierCode(order)).text(s.supplier);
        file.number(s.total).text(placeName(h.place)).text(h.text);
        file.endRow();
    }
}
