// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/purchasebook.h"

#include "core/numbertext.h"
#include "order/bookview.h"
#include "pricing/ordercalc.h"

#include <QSet>
#include <algorithm>

namespace {

using Cents = std::array<qint64, 3>;

qint64 sum(const Cents &parts)
{
    return parts[0] + parts[1] + parts[2];
}

// The figures of the three VAT groups in cents, each rounded, then made to add up to `total`:
// the cent or two of rounding between them goes to the groups that lost most to it.
Cents share(const std::array<Real, 3> &exact, qint64 total)
{
    Cents parts;
    for (int g = 0; g < 3; ++g)
        parts[g] = NumberText::cents(exact[g]);
    for (qint64 left = total - sum(parts); left != 0;) {
        const int step = left > 0 ? 1 : -1;
        int best = -1;
        Real lost = 0;
        for (int g = 0; g < 3; ++g) {
            if (exact[g] == 0)
                continue;
            const Real by = (exact[g] * 100 - Real(parts[g])) * step;
            if (best < 0 || by > lost) {
                best = g;
                lost = by;
            }
        }
        parts[best < 0 ? 0 : best] += step;
        left -= step;
    }
    return parts;
}

} // namespace

void PurchaseOrder::setFigures(int currency, qint64 beforeTax, qint64 vat,
                               const std::array<Real, 3> &bases, const std::array<Real, 3> &vats)
{
    m_totals[currency * 3] = beforeTax;
    m_totals[currency * 3 + 1] = vat;
    m_totals[currency * 3 + 2] = beforeTax + vat;
    const Cents b = share(bases, beforeTax);
    const Cents v = share(vats, vat);
    for (int g = 0; g < 3; ++g) {
        m_groups[currency * 6 + g * 2] = b[g];
        m_groups[currency * 6 + g * 2 + 1] = v[g];
    }
}

PurchaseOrder PurchaseBook::figuresOf(const BookView::Order &order, const Settings &settings,
                                      bool secondCurrency)
{
    const OrderRecord &record = order.record;
    PurchaseOrder p;
    p.blockIndex = record.blockIndex;
    p.number = record.number;
    p.date = record.date;
    p.supplierCode = record.supplierCode;
    p.supplierName = record.addressLines[0];
    p.cancelled = record.life.closing == OrderLife::Closing::Cancelled;
    // A sent order counts with the rates it was sent with. One kept in the other currency
    // counts in the report's at its own euro rate: its figures trade places.
    Settings used = OrderCalc::settingsFor(record, settings);
    p.m_rates = used.vatRates;
    const bool swapped = (used.euroMode != 0) != (settings.euroMode != 0);
    if (swapped || secondCurrency)
        used.singleCurrency = 0;
    const int own = swapped ? 1 : 0;
    // The order window's rows only: the rest of a longer order is no part of its totals.
    const Result<OrderAmounts> amounts = order.amounts(BookView::ShownRows, used);
    p.counted = amounts.ok();
    if (!p.counted)
        return p;
    const OrderAmounts &a = *amounts;
    if (!a.vatKnown) {
        // The VAT and the amount before tax of a TTC order at -100 % are not shown: the order
        // counts in the totals including tax alone.
        p.m_totals[own * 3 + 2] = NumberText::cents(a.totalIncludingTax);
        if (a.secondCurrency)
            p.m_totals[(1 - own) * 3 + 2] = NumberText::cents(*a.secondCurrency);
        return p;
    }
    // Each order counts as its page shows it: the VAT, and the amount the prices were typed
    // in (before tax, or including it); the third figure is the difference, so that every
    // row and total of a report adds up to the cent. The VAT groups share the same figures.
    const qint64 vat = NumberText::cents(a.totalVat);
    const qint64 beforeTax = record.includesVat ? NumberText::cents(a.totalIncludingTax) - vat
                                                : NumberText::cents(a.totalBeforeTax);
    p.setFigures(own, beforeTax, vat, a.beforeTax, a.vat);
    if (!secondCurrency && !swapped)
        return p;
    // The other currency: its total including tax as the page shows it, the VAT converted.
    std::array<Real, 3> bases{};
    std::array<Real, 3> vats{};
    for (int g = 0; g < 3; ++g) {
        bases[g] = OrderCalc::inSecondCurrency(a.beforeTax[g], used).value_or(0);
        vats[g] = OrderCalc::inSecondCurrency(a.vat[g], used).value_or(0);
    }
    const qint64 otherVat =
        NumberText::cents(OrderCalc::inSecondCurrency(a.totalVat, used).value_or(0));
    const qint64 otherTotal = NumberText::cents(a.secondCurrency.value_or(0));
    p.setFigures(1 - own, otherTotal - otherVat, otherVat, bases, vats);
    return p;
}

PurchaseBook::PurchaseBook(const BookView &source, Cache *cache)
    : m_euros(source.settings().euroMode != 0), m_vatRates(source.settings().vatRates)
{
    const Settings &settings = source.settings();
    m_secondCurrency = OrderCalc::inSecondCurrency(1, settings).has_value();
    Cache none;
    Cache &kept = cache ? *cache : none;
    const std::array<Real, 5> used{settings.euroRate, settings.vatRates[0], settings.vatRates[1],
                                   settings.vatRates[2], 0};
    const int modes = (settings.euroMode != 0 ? 1 : 0) + (settings.singleCurrency != 0 ? 2 : 0);
    if (kept.m_settings != used || kept.m_modes != modes) {
        kept.m_orders.clear();
        kept.m_lines = TextLines();
        kept.m_settings = used;
        kept.m_modes = modes;
    }
    if (cache && kept.m_lines.isSharedWith(source.lines())) {
        m_orders = kept.m_last;
    } else {
        QHash<std::pair<size_t, size_t>, PurchaseOrder> seen;
        if (cache)
            seen.reserve(kept.m_orders.size());
        m_orders.reserve(source.orderCount());
        source.forEachBlock(
            [&](int index, BookView::Digest digest, const BookView::Decode &decode) {
                auto found = kept.m_orders.constFind(digest);
                PurchaseOrder p = found != kept.m_orders.cend()
                                      ? *found
                                      : figuresOf(decode(), settings, m_secondCurrency);
                p.blockIndex = index;
                if (cache)
                    seen.insert(digest, p);
                m_orders.append(p);
            });
        if (cache) {
            kept.m_orders = std::move(seen); // the orders of this book only
            kept.m_lines = source.lines();
            kept.m_last = m_orders;
        }
    }
    QSet<int> years;
    for (const PurchaseOrder &p : std::as_const(m_orders)) {
        // A cancelled order brings no year of its own, nor an unread date.
        if (!p.cancelled && p.date.isValid())
            years.insert(p.date.year());
        else if (!p.cancelled)
            ++m_unreadDates;
    }
    // A supplier is its code; orders without a code are told apart by their address.
    QHash<QString, int> suppliers;
    for (PurchaseOrder &p : m_orders) {
        const QString key =
            p.supplierCode.isEmpty() ? QStringLiteral("\x01") + p.supplierName : p.supplierCode;
        auto found = suppliers.constFind(key);
        if (found == suppliers.cend())
            found = suppliers.insert(key, int(suppliers.size()));
        p.supplier = *found;
    }
    m_supplierCount = int(suppliers.size());
    m_years = years.values();
    std::sort(m_years.begin(), m_years.end(), std::greater<int>());
}

QString PurchaseBook::currencyName(Currency currency) const
{
    const bool euros = (currency == Currency::Main) == m_euros;
    return euros ? QStringLiteral("Euros") : QStringLiteral("Francs");
}

QString PurchaseBook::currencySymbol(Currency currency) const
{
    const bool euros = (currency == Currency::Main) == m_euros;
    return euros ? QStringLiteral("€") : QStringLiteral("F");
}
