// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/searchresultsmodel.h"

#include "core/numbertext.h"

#include <QPoint>
#include <algorithm>
#include <tuple>
#include <type_traits>

namespace {

constexpr qsizetype RecentSearches = 16;

} // namespace

SearchResultsModel::SearchResultsModel(SearchIndex &index, QObject *parent)
    : QAbstractTableModel(parent), m_index(index)
{
    connect(&m_index, &SearchIndex::orderChanged, this, &SearchResultsModel::orderChanged);
    connect(&m_index, &SearchIndex::orderEdited, this, &SearchResultsModel::orderChanged);
    connect(&m_index, &SearchIndex::ordersMoved, this, &SearchResultsModel::ordersMoved);
    connect(&m_index, &SearchIndex::bookReplaced, this, [this] {
        forgetSearches();
        m_searchAgain = false;
        m_staleOrders.clear();
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

void SearchResultsModel::setFollowing(bool following)
{
    m_following = following;
    if (following)
        catchUp();
}

void SearchResultsModel::catchUp()
{
    if (std::exchange(m_searchAgain, false)) {
        m_staleOrders.clear();
        search();
        return;
    }
    const QSet<int> stale = std::exchange(m_staleOrders, {});
    for (const int index : stale)
        refreshOrder(index);
}

void SearchResultsModel::forgetSearches()
{
    m_recent.clear();
    m_unchecked.clear();
    m_shown.clear();
    m_hits.clear();
}

// What was found and shown of each order follows it to its new index: the next search costs
// what it costs when nothing moved, only the orders new or written again are looked at.
void SearchResultsModel::ordersMoved(const QList<int> &from)
{
    int last = -1;
    for (const int was : from)
        last = qMax(last, was);
    QList<int> to(last + 1, -1);
    QSet<int> unchecked; // by the new indexes
    for (int now = 0; now < from.size(); ++now) {
        const int was = from.at(now);
        if (was >= 0 && to.at(was) < 0)
            to[was] = now;
        else
            unchecked.insert(now);
    }
    // Beyond `from`, an index holds no block: only the order on screen, new, can stand there.
    const auto moved = [&](int was) {
        if (was >= from.size())
            unchecked.insert(was);
        return was < to.size() ? to.at(was) : -1;
    };
    for (Found &recent : m_recent) {
        QList<int> orders;
        orders.reserve(recent.orders.size());
        for (const int was : std::as_const(recent.orders))
            if (const int now = moved(was); now >= 0)
                orders.append(now);
        if (!std::is_sorted(orders.cbegin(), orders.cend()))
            std::sort(orders.begin(), orders.end());
        recent.orders = std::move(orders);
    }
    for (const int was : std::as_const(m_unchecked))
        if (const int now = moved(was); now >= 0)
            unchecked.insert(now);
    const auto follow = [&](auto &cache) {
        std::remove_reference_t<decltype(cache)> kept;
        kept.reserve(cache.size());
        for (auto it = cache.cbegin(); it != cache.cend(); ++it)
            if (const int now = moved(it.key()); now >= 0 && !unchecked.contains(now))
                kept.insert(now, it.value());
        cache = std::move(kept);
    };
    follow(m_shown);
    follow(m_hits);
    m_unchecked = std::move(unchecked);
    m_staleOrders.clear();
    if (m_following)
        search();
    else
        m_searchAgain = true;
}

void SearchResultsModel::checkRecent()
{
    if (m_unchecked.isEmpty())
        return;
    // Many orders changed: searching again costs less than looking at each for each search.
    if (m_unchecked.size() * m_recent.size() > m_index.count() / 4) {
        m_recent.clear();
        m_unchecked.clear();
        return;
    }
    QList<int> unchecked(m_unchecked.cbegin(), m_unchecked.cend());
    std::sort(unchecked.begin(), unchecked.end());
    for (Found &recent : m_recent) {
        QList<int> &orders = recent.orders;
        for (const int index : std::as_const(unchecked)) {
            const auto at = std::lower_bound(orders.begin(), orders.end(), index);
            const bool held = at != orders.end() && *at == index;
            if (m_index.matches(index, recent.query, recent.filter) != held) {
                if (held)
                    orders.erase(at);
                else
                    orders.insert(at, index);
            }
        }
    }
    m_unchecked.clear();
}

void SearchResultsModel::search()
{
    beginResetModel();
    m_rows.clear();
    if (!m_query.isEmpty() || !m_filter.isEmpty()) {
        checkRecent();
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
    m_unchecked.insert(index);
    m_shown.remove(index);
    m_hits.remove(index);
    if (m_following)
        refreshOrder(index);
    else if (!m_searchAgain)
        m_staleOrders.insert(index);
}

// The order's row comes, goes or moves to where the sort puts it now.
void SearchResultsModel::refreshOrder(int index)
{
    if (m_query.isEmpty() && m_filter.isEmpty())
        return;
    const int row = rowOfOrder(index);
    if (!m_index.matches(index, m_query, m_filter)) {
        if (row < 0)
            return;
        beginRemoveRows({}, row, row);
        m_rows.removeAt(row);
        endRemoveRows();
        Q_EMIT resultsChanged();
        return;
    }
    // Its place among the other rows, which stand sorted.
    const SortKey key = sortKey(index);
    const qsizetype others = m_rows.size() - (row >= 0 ? 1 : 0);
    qsizetype low = 0;
    qsizetype high = others;
    while (low < high) {
        const qsizetype middle = (low + high) / 2;
        const int other = m_rows.at(row >= 0 && middle >= row ? middle + 1 : middle);
        if (compare(key, sortKey(other)) < 0)
            high = middle;
        else
            low = middle + 1;
    }
    const int place = int(low);
    if (row < 0) {
        beginInsertRows({}, place, place);
        m_rows.insert(place, index);
        endInsertRows();
        Q_EMIT resultsChanged();
        return;
    }
    if (place != row) {
        beginMoveRows({}, row, row, {}, place > row ? place + 1 : place);
        m_rows.move(row, place);
        endMoveRows();
    }
    Q_EMIT dataChanged(this->index(place, 0), this->index(place, ColumnCount - 1));
}

SearchResultsModel::Shown SearchResultsModel::shown(int order) const
{
    auto it = m_shown.constFind(order);
    if (it != m_shown.cend())
        return *it;
    Shown s;
    s.number = m_index.numberText(order);
    s.date = m_index.dateText(order);
    s.supplier = m_index.supplierName(order);
    s.total = m_index.show(order).totals.includingTax;
    s.hasTotal = !s.total.isEmpty() && NumberText::tryToReal(s.total, s.totalValue);
    m_shown.insert(order, s);
    return s;
}

SearchIndex::Hit SearchResultsModel::hit(int order) const
{
    auto it = m_hits.constFind(order);
    if (it != m_hits.cend())
        return *it;
    return *m_hits.insert(order, m_index.firstHit(order, m_query));
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
    const SearchIndex::Hit h = hit(order);
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
        case StateColumn:
            return OrderState::name(m_index.state(order));
        case WhereColumn:
            return where(order);
        }
    }
    if (role == Qt::TextAlignmentRole && index.column() == TotalColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role == HitSpansRole && index.column() == WhereColumn) {
        const SearchIndex::Hit h = hit(order);
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
    case StateColumn:
        return QStringLiteral("État");
    case WhereColumn:
        return QStringLiteral("Trouvé dans");
    }
    return {};
}

void SearchResultsModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount)
        return;
    Q_EMIT layoutAboutToBeChanged({}, VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QList<int> orders;
    orders.reserve(before.size());
    for (const QModelIndex &index : before)
        orders.append(orderAt(index.row()));
    m_sortColumn = column;
    m_sortOrder = order;
    sortRows();
    QHash<int, int> rows;
    rows.reserve(m_rows.size());
    for (int row = 0; row < m_rows.size(); ++row)
        rows.insert(m_rows.at(row), row);
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype k = 0; k < before.size(); ++k)
        after.append(index(rows.value(orders.at(k), -1), before.at(k).column()));
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, VerticalSortHint);
}

SearchResultsModel::SortKey SearchResultsModel::sortKey(int order) const
{
    SortKey key;
    key.order = order;
    const SearchIndex::Order seen = m_index.seenOrder(order);
    key.day = seen.day;
    key.number = seen.number;
    switch (m_sortColumn) {
    case NumberColumn:
        key.text = m_index.numberText(order);
        break;
    case SupplierColumn:
        key.text = m_index.supplierName(order).toCaseFolded();
        break;
    case TotalColumn: {
        const Shown s = shown(order);
        key.value = s.hasTotal ? s.totalValue : Real(-1e300L);
        break;
    }
    case StateColumn:
        key.state = int(m_index.state(order));
        break;
    case WhereColumn: {
        const OrderPlace place = hit(order).place;
        key.place = {int(place.field), place.row, place.column};
        break;
    }
    }
    return key;
}

// Ties stand newest first whatever the column.
int SearchResultsModel::compare(const SortKey &a, const SortKey &b) const
{
    const auto ordered = [](const auto &x, const auto &y) { return x < y ? -1 : y < x ? 1 : 0; };
    int c = 0;
    switch (m_sortColumn) {
    case NumberColumn:
        c = ordered(std::tie(a.number, a.text), std::tie(b.number, b.text));
        break;
    case SupplierColumn:
        c = ordered(a.text, b.text);
        break;
    case TotalColumn:
        c = ordered(a.value, b.value);
        break;
    case StateColumn:
        c = ordered(a.state, b.state);
        break;
    case WhereColumn:
        c = ordered(a.place, b.place);
        break;
    }
    const bool descending = m_sortOrder == Qt::DescendingOrder;
    if (c != 0)
        return descending ? -c : c;
    // By date, then number: no date counts oldest.
    const int newest =
        ordered(std::tie(b.day, b.number, b.order), std::tie(a.day, a.number, a.order));
    return m_sortColumn == DateColumn && !descending ? -newest : newest;
}

void SearchResultsModel::sortRows()
{
    QList<SortKey> keys;
    keys.reserve(m_rows.size());
    for (const int order : std::as_const(m_rows))
        keys.append(sortKey(order));
    std::sort(keys.begin(), keys.end(),
              [this](const SortKey &a, const SortKey &b) { return compare(a, b) < 0; });
    for (qsizetype row = 0; row < keys.size(); ++row)
        m_rows[row] = keys.at(row).order;
}

void SearchResultsModel::csv(CsvFile &file)
{
    for (const QString &heading :
         {QStringLiteral("N° de commande"), QStringLiteral("Date"),
          QStringLiteral("Code fournisseur"), QStringLiteral("Fournisseur"),
          QStringLiteral("Total TTC (%1)").arg(m_index.reader().currencySign()),
          QStringLiteral("État"), QStringLiteral("Trouvé dans"), QStringLiteral("Texte")})
        file.text(heading);
    file.endRow();
    for (const int order : std::as_const(m_rows)) {
        const Shown s = shown(order);
        const SearchIndex::Hit h = hit(order);
        file.text(s.number).text(s.date).text(m_index.supplierCode(order)).text(s.supplier);
        file.number(s.total).text(OrderState::name(m_index.state(order)));
        file.text(placeName(h.place)).text(h.text);
        file.endRow();
    }
}
