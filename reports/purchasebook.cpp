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

PurchaseBook::PurchaseBook(const BookSource &source, const Settings &settings)
    : m_euros(settings.EuroMode != 0), m_vatRates(settings.VatRates)
{
    m_secondCurrency = OrderCalc::inSecondCurrency(1, settings).has_value();
    const auto second = [&settings](Real value) -> qint64 {
        const std::optional<Real> other = OrderCalc::inSecondCurrency(value, settings);
        return other ? NumberText::cents(*other) : 0;
    };
    QSet<int> years;
    source.forEachOrder([&](const BookSource::Order &order) {
        const OrderRecord &record = order.record;
        PurchaseOrder p;
        p.BlockIndex = record.BlockIndex;
        p.Number = record.Number;
        p.Date = record.Date;
        p.SupplierCode = record.SupplierCode;
        p.SupplierName = record.AddressLines[0];
        if (p.Date.isValid())
            years.insert(p.Date.year());
        else
            ++m_unreadDates;

        QList<OrderLine> rows = record.Lines.mid(0, BookSource::ShownRows);
        const Result<OrderAmounts> amounts =
            OrderCalc::amounts(rows, record.IncludesVat, settings, noWidth);
        p.Counted = amounts.ok();
        if (p.Counted) {
            const OrderAmounts &a = *amounts;
            // The VAT and the amount before tax of a TTC order at -100 % are not shown.
            const std::array<Real, 3> totals{a.VatKnown ? a.TotalBeforeTax : 0,
                                             a.VatKnown ? a.TotalVat : 0, a.TotalIncludingTax};
            for (int k = 0; k < 3; ++k) {
                p.m_totals[k] = NumberText::cents(totals[k]);
                if (m_secondCurrency)
                    p.m_totals[3 + k] = k == 2 && a.SecondCurrency
                                            ? NumberText::cents(*a.SecondCurrency)
                                            : second(totals[k]);
            }
            for (int g = 0; g < 3; ++g) {
                if (!a.VatKnown && a.Lines[g] != 0)
                    continue;
                p.m_groups[g * 2] = NumberText::cents(a.BeforeTax[g]);
                p.m_groups[g * 2 + 1] = NumberText::cents(a.Vat[g]);
                if (m_secondCurrency) {
                    p.m_groups[6 + g * 2] = second(a.BeforeTax[g]);
                    p.m_groups[6 + g * 2 + 1] = second(a.Vat[g]);
                }
            }
        }
        m_orders.append(p);
    });
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
