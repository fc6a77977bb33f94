// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/purchasebook.h"

#include "core/numbertext.h"
#include "pricing/ordercalc.h"
#include "reports/booksource.h"

#include <QSet>
#include <algorithm>
#include <climits>

namespace {

// No cell is right-aligned here: the rows are only added up.
int noWidth(const QString &)
{
    return INT_MAX;
}

} // namespace

PurchaseOrder PurchaseBook::figuresOf(const OrderRecord &record, const Settings &settings,
                                      bool secondCurrency)
{
    const auto second = [&settings](Real value) -> qint64 {
        const std::optional<Real> other = OrderCalc::inSecondCurrency(value, settings);
        return other ? NumberText::cents(*other) : 0;
    };
    PurchaseOrder p;
    p.BlockIndex = record.BlockIndex;
    p.Number = record.Number;
    p.Date = record.Date;
    p.SupplierCode = record.SupplierCode;
    p.SupplierName = record.AddressLines[0];
    QList<OrderLine> rows = record.Lines.mid(0, BookSource::ShownRows);
    const Result<OrderAmounts> amounts =
        OrderCalc::amounts(rows, record.IncludesVat, settings, noWidth);
    p.Counted = amounts.ok();
    if (!p.Counted)
        return p;
    const OrderAmounts &a = *amounts;
    // The VAT and the amount before tax of a TTC order at -100 % are not shown.
    const std::array<Real, 3> totals{a.VatKnown ? a.TotalBeforeTax : 0, a.VatKnown ? a.TotalVat : 0,
                                     a.TotalIncludingTax};
    for (int k = 0; k < 3; ++k) {
        p.m_totals[k] = NumberText::cents(totals[k]);
        if (secondCurrency)
            p.m_totals[3 + k] = k == 2 && a.SecondCurrency ? NumberText::cents(*a.SecondCurrency)
                                                           : second(totals[k]);
    }
    for (int g = 0; g < 3; ++g) {
        if (!a.VatKnown && a.Lines[g] != 0)
            continue;
        p.m_groups[g * 2] = NumberText::cents(a.BeforeTax[g]);
        p.m_groups[g * 2 + 1] = NumberText::cents(a.Vat[g]);
        if (secondCurrency) {
            p.m_groups[6 + g * 2] = second(a.BeforeTax[g]);
            p.m_groups[6 + g * 2 + 1] = second(a.Vat[g]);
        }
    }
    return p;
}

PurchaseBook::PurchaseBook(const BookSource &source, const Settings &settings, Cache *cache)
    : m_euros(settings.EuroMode != 0), m_vatRates(settings.VatRates)
{
    m_secondCurrency = OrderCalc::inSecondCurrency(1, settings).has_value();
    Cache none;
    Cache &kept = cache ? *cache : none;
    const std::array<Real, 5> used{settings.EuroRate, settings.VatRates[0], settings.VatRates[1],
                                   settings.VatRates[2], 0};
    const int modes = (settings.EuroMode != 0 ? 1 : 0) + (settings.SingleCurrency != 0 ? 2 : 0);
    if (kept.m_settings != used || kept.m_modes != modes) {
        kept.m_orders.clear();
        kept.m_settings = used;
        kept.m_modes = modes;
    }
    QHash<std::pair<size_t, size_t>, PurchaseOrder> seen;
    QSet<int> years;
    source.forEachBlock(
        [&](int index, BookSource::Digest digest, const BookSource::Decode &decode) {
            auto found = kept.m_orders.constFind(digest);
            PurchaseOrder p = found != kept.m_orders.cend()
                                  ? *found
                                  : figuresOf(decode().record, settings, m_secondCurrency);
            p.BlockIndex = index;
            if (p.Date.isValid())
                years.insert(p.Date.year());
            else
                ++m_unreadDates;
            if (cache)
                seen.insert(digest, p);
            m_orders.append(p);
        });
    if (cache)
        kept.m_orders = std::move(seen); // the orders of this book only
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
