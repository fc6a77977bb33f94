// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/purchasereport.h"

#include "core/numbertext.h"

#include <QHash>
#include <algorithm>
#include <numeric>

namespace {

const char *const Months[] = {"janvier", "février", "mars",      "avril",   "mai",      "juin",
                              "juillet", "août",    "septembre", "octobre", "novembre", "décembre"};
const char *const ShortMonths[] = {"janv.", "févr.", "mars",  "avr.", "mai",  "juin",
                                   "juil.", "août",  "sept.", "oct.", "nov.", "déc."};

// Later date, then later block: the order whose address names the supplier.
bool isLater(const PurchaseOrder &a, const PurchaseOrder &b)
{
    if (a.date.isValid() != b.date.isValid())
        return a.date.isValid();
    if (a.date != b.date)
        return a.date > b.date;
    return a.blockIndex > b.blockIndex;
}

} // namespace

QString PurchaseReport::amountName(Amount amount)
{
    switch (amount) {
    case Amount::BeforeTax:
        return QStringLiteral("H.T.");
    case Amount::Vat:
        return QStringLiteral("TVA");
    case Amount::IncludingTax:
        break;
    }
    return QStringLiteral("TTC");
}

QString PurchaseReport::amountText(qint64 cents, bool blankZero)
{
    if (cents == 0 && blankZero)
        return QString();
    const quint64 magnitude = cents < 0 ? quint64(0) - quint64(cents) : quint64(cents);
    QString units = QString::number(magnitude / 100);
    for (qsizetype at = units.size() - 3; at > 0; at -= 3)
        units.insert(at, QChar(0x00A0)); // a no-break space: a figure never splits
    return (cents < 0 ? QStringLiteral("-") : QString()) + units + QLatin1Char(',') +
           QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

QString PurchaseReport::evolutionText(double percent)
{
    QString text = QString::number(percent, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(','));
    if (percent >= 0.05)
        text.prepend(QLatin1Char('+'));
    return text + QStringLiteral(" %");
}

QString PurchaseReport::monthName(int month)
{
    return QString::fromUtf8(Months[month - 1]);
}

QString PurchaseReport::shortMonthName(int month)
{
    return QString::fromUtf8(ShortMonths[month - 1]);
}

std::optional<double> PurchaseReport::Row::evolution() const
{
    if (previous == 0)
        return std::nullopt;
    return double(total - previous) * 100.0 / double(previous);
}

PurchaseReport::PurchaseReport(const PurchaseBook &book, const ReportChoice &choice)
    : m_book(book), m_choice(choice)
{
    if (m_choice.currency == Currency::Second && !book.hasSecondCurrency())
        m_choice.currency = Currency::Main;
    if (m_choice.year == 0) {
        m_yearsShown = book.years();
        std::reverse(m_yearsShown.begin(), m_yearsShown.end());
        for (const int year : m_yearsShown)
            m_periods << QString::number(year);
    } else {
        for (int month = 1; month <= 12; ++month)
            m_periods << shortMonthName(month);
    }
    addUp(book);
    makeChart();
}

int PurchaseReport::periodOf(const PurchaseOrder &order) const
{
    if (!order.date.isValid())
        return -1;
    if (m_choice.year != 0)
        return order.date.year() == m_choice.year ? order.date.month() - 1 : -1;
    return int(std::lower_bound(m_yearsShown.begin(), m_yearsShown.end(), order.date.year()) -
               m_yearsShown.begin());
}

void PurchaseReport::addUp(const PurchaseBook &book)
{
    const qsizetype periods = m_periods.size();
    const auto emptyRow = [periods] {
        Row row;
        row.cells.fill(0, periods);
        return row;
    };
    const auto emptyVatRow = [](const QString &period) {
        VatRow row;
        row.period = period;
        return row;
    };
    m_totals = emptyRow();
    m_totals.name = QStringLiteral("Total");
    for (const QString &period : m_periods)
        m_vatRows.append(emptyVatRow(period));
    m_vatTotals = emptyVatRow(QStringLiteral("Total"));
    VatRow unreadVat = emptyVatRow(unreadDatesName());
    unreadVat.unreadDates = true;
    Row unread = emptyRow();
    unread.name = unreadDatesName();
    unread.unreadDates = true;

    // The VAT group of a code at a rate, made when first met. Rates told apart by their last
    // digits' noise alone (a rate kept as typed, the settings' 6-byte form) are one rate.
    struct Met {
        int group;
        Real rate;
        int column;
    };
    QList<Met> met;
    const auto columnOf = [&](int group, Real rate) {
        for (const Met &m : std::as_const(met))
            if (m.group == group && m.rate == rate)
                return m.column;
        const QString text = NumberText::rate(rate);
        int column = int(m_vatGroups.size());
        for (const Met &m : std::as_const(met))
            if (m.group == group && NumberText::rate(m.rate) == text)
                column = m.column;
        if (column == m_vatGroups.size())
            m_vatGroups.append({group + 1, rate});
        met.append({group, rate, column});
        return column;
    };
    const auto add = [](VatRow &row, int column, qint64 base, qint64 vat) {
        if (row.base.size() <= column) {
            row.base.resize(column + 1);
            row.vat.resize(column + 1);
        }
        row.base[column] += base;
        row.vat[column] += vat;
    };

    // By supplier: its row, and the order naming it.
    QList<qsizetype> rowOf(book.supplierCount(), -1);
    QList<int> latestOf(book.supplierCount(), -1);
    const QList<PurchaseOrder> &orders = book.orders();
    const Amount shown = m_choice.shown;
    const Currency in = m_choice.currency;
    const int previousYear = m_choice.year - 1;
    for (int i = 0; i < orders.size(); ++i) {
        const PurchaseOrder &order = orders.at(i);
        if (order.cancelled) {
            if (m_choice.year == 0 || (order.date.isValid() && order.date.year() == m_choice.year))
                ++m_cancelled;
            continue;
        }
        const int supplier = order.supplier;
        int &latest = latestOf[supplier];
        if (latest < 0 || isLater(order, orders.at(latest)))
            latest = i;

        if (!order.date.isValid())
            ++m_unreadDates;
        const int period = periodOf(order);
        const bool previous =
            m_choice.year != 0 && order.date.isValid() && order.date.year() == previousYear;
        // Every year together holds the orders without a date too, in a row of their own.
        const bool unreadShown = m_choice.year == 0 && !order.date.isValid();
        if (period < 0 && !previous && !unreadShown)
            continue;
        const qint64 amount = order.total(shown, in);
        if (previous) {
            m_hasEvolution = true;
            m_totals.previous += amount;
        }
        Row *row = &unread;
        if (!unreadShown) {
            qsizetype &at = rowOf[supplier];
            if (at < 0) {
                at = m_rows.size();
                m_rows.append(emptyRow());
                m_rows.last().code = order.supplierCode;
            }
            row = &m_rows[at];
        }
        if (previous) {
            row->previous += amount;
            continue;
        }
        ++m_orderCount;
        row->orders.append(i);
        row->total += amount;
        m_totals.total += amount;
        VatRow &vat = unreadShown ? unreadVat : m_vatRows[period];
        if (!unreadShown) {
            row->cells[period] += amount;
            m_totals.cells[period] += amount;
        }
        for (int g = 0; g < 3; ++g) {
            if (!order.hasGroup(g))
                continue;
            const int column = columnOf(g, order.vatRate(g));
            add(vat, column, order.base(g, in), order.vat(g, in));
            add(m_vatTotals, column, order.base(g, in), order.vat(g, in));
        }
    }
    for (int supplier = 0; supplier < rowOf.size(); ++supplier)
        if (rowOf.at(supplier) >= 0)
            m_rows[rowOf.at(supplier)].name = orders.at(latestOf.at(supplier)).supplierName;
    // A supplier seen only in the previous year has nothing to show this year.
    m_rows.removeIf([](const Row &row) { return row.orders.isEmpty(); });
    std::sort(m_rows.begin(), m_rows.end(), [](const Row &a, const Row &b) {
        if (a.total != b.total)
            return a.total > b.total;
        if (a.code != b.code)
            return a.code < b.code;
        return a.name < b.name;
    });
    if (!unread.orders.isEmpty()) {
        m_rows.append(unread);
        m_vatRows.append(unreadVat);
    }
    sortVatGroups(book);
}

void PurchaseReport::sortVatGroups(const PurchaseBook &book)
{
    // Every code has its columns, as in a period without a change of rate.
    for (int g = 0; g < 3; ++g)
        if (std::none_of(m_vatGroups.cbegin(), m_vatGroups.cend(),
                         [g](const VatGroup &group) { return group.code == g + 1; }))
            m_vatGroups.append({g + 1, book.vatRates()[g]});
    QList<int> order(m_vatGroups.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [this](int a, int b) {
        const VatGroup &ga = m_vatGroups.at(a);
        const VatGroup &gb = m_vatGroups.at(b);
        return ga.code != gb.code ? ga.code < gb.code : ga.rate < gb.rate;
    });
    const auto sort = [&order](QList<qint64> &figures) {
        QList<qint64> sorted;
        sorted.reserve(order.size());
        for (const int from : order)
            sorted.append(figures.value(from)); // 0 for a group the row never met
        figures = sorted;
    };
    for (VatRow &row : m_vatRows) {
        sort(row.base);
        sort(row.vat);
    }
    sort(m_vatTotals.base);
    sort(m_vatTotals.vat);
    QList<VatGroup> groups;
    for (const int from : order)
        groups.append(m_vatGroups.at(from));
    m_vatGroups = groups;
}

qint64 PurchaseReport::VatRow::sum(const QList<qint64> &figures)
{
    qint64 total = 0;
    for (const qint64 figure : figures)
        total += figure;
    return total;
}

void PurchaseReport::makeChart()
{
    ChartSet others{othersName(), QList<qint64>(m_periods.size(), 0)};
    bool anyOther = false;
    for (const Row &row : m_rows) {
        if (row.unreadDates)
            continue; // no period to stand in
        if (m_chart.size() < ChartSuppliers) {
            const QString name = row.name.trimmed().isEmpty() ? row.code : row.name.trimmed();
            m_chart.append({name, row.cells});
            continue;
        }
        anyOther = true;
        for (qsizetype p = 0; p < row.cells.size(); ++p)
            others.values[p] += row.cells.at(p);
    }
    if (anyOther)
        m_chart.append(others);
}

QList<int> PurchaseReport::ordersIn(const Row &row, int period) const
{
    QList<int> found;
    const QList<PurchaseOrder> &orders = m_book.orders();
    for (const int i : row.orders)
        if (period < 0 || periodOf(orders.at(i)) == period)
            found.append(i);
    std::stable_sort(found.begin(), found.end(), [&orders](int a, int b) {
        const QDate &da = orders.at(a).date;
        const QDate &db = orders.at(b).date;
        if (da.isValid() != db.isValid())
            return da.isValid();
        return da < db;
    });
    return found;
}

QString PurchaseReport::coverage() const
{
    const QString period =
        m_choice.year == 0 ? QStringLiteral("Toutes") : QString::number(m_choice.year);
    const auto orders = [](int count) -> QString {
        return QString::number(count) + QLatin1String(count == 1 ? " commande" : " commandes");
    };
    QString text = period + QStringLiteral(" : ") + orders(m_orderCount);
    if (m_unreadDates > 0 && m_choice.year != 0)
        text += QStringLiteral(" (") + orders(m_unreadDates) +
                QStringLiteral(" à la date illisible, sous « Toutes »)");
    else if (m_unreadDates > 0)
        text += QStringLiteral(", dont ") + QString::number(m_unreadDates) +
                QStringLiteral(" à la date illisible");
    return text;
}

QString PurchaseReport::cancelledNote() const
{
    if (m_cancelled == 0)
        return QString();
    if (m_cancelled == 1)
        return QStringLiteral("1 commande annulée n'est pas comptée.");
    return QString::number(m_cancelled) +
           QStringLiteral(" commandes annulées ne sont pas comptées.");
}
