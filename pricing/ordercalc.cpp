#include "pricing/ordercalc.h"

#include "core/numbertext.h"
#include "core/real48.h"

#include <array>

namespace OrderCalc {

namespace {

constexpr int QuantityWidth = 100;
constexpr int PriceWidth = 120;
const QString DefaultVatCode = QStringLiteral("1");

using Groups = std::array<Real, 3>;

// A typed number that the 6-byte form cannot hold is no better than one that is not a
// number at all: both are conversion failures, which the calculation passes over silently.
bool readReal(const QString &text, Real &out)
{
    Real v = 0;
    if (!NumberText::tryToReal(text, v) || !Real48::tryStore(v, v))
        return false;
    out = v;
    return true;
}

// Rewrites one row and returns its amount; `group` is 0 to 2, or -1 when the row belongs to
// no group. The first conversion that fails ends the reading: what is not read yet stays 0.
Real linePass(OrderLine &row, int &group, const TextWidth &measure)
{
    const QString q = NumberText::trimmed(row.Quantity);
    QString p = NumberText::trimmed(row.UnitPrice);
    Real quantity = 0;
    Real price = 0;
    Real discount = 0;
    int code = 0;
    [&] {
        if (!readReal(q, quantity))
            return;
        if (!p.isEmpty() && !readReal(p, price))
            return;
        p = NumberText::amount(price);
        row.Quantity = Rset(q, QuantityWidth, measure);
        row.UnitPrice = Rset(p, PriceWidth, measure);
        if (row.VatCode.isEmpty())
            row.VatCode = DefaultVatCode;
        int typed = 0;
        if (!NumberText::tryToInteger(row.VatCode, typed))
            return;
        code = typed < 1 || typed > 3 ? 1 : typed;
        if (!row.DiscountPercent.isEmpty() && !readReal(row.DiscountPercent, discount))
            return;
    }();
    const Real gross = Real48::store(quantity * price);
    const Real reduction = Real48::store(discount * gross * 0.01L);
    const Real amount = Real48::store(gross - reduction);
    group = code - 1;
    row.Amount = Rset(NumberText::amount(amount), PriceWidth, measure);
    return amount;
}

Groups rates(const Settings &settings)
{
    Groups r;
    for (int k = 0; k < 3; ++k)
        r[k] = Real48::store(settings.VatRates[k]);
    return r;
}

// Prices before tax: the VAT is added on each group's total.
OrderTotals totalsBeforeTax(const Groups &t, const Groups &r, Real &ttc)
{
    Groups v;
    for (int k = 0; k < 3; ++k)
        v[k] = Real48::store(t[k] * r[k] * 0.01L);
    OrderTotals totals;
    totals.Vat = NumberText::amount(Real48::store((v[0] + v[1]) + v[2]));
    totals.BeforeTax = NumberText::amount(Real48::store((t[0] + t[1]) + t[2]));
    ttc = Real48::store(t[0] + t[1] + t[2] + v[0] + v[1] + v[2]);
    totals.IncludingTax = NumberText::amount(ttc);
    return totals;
}

// Prices including tax: the VAT is taken out of each group's total. A rate of -100 has no
// price before tax; a group with nothing in it has no tax to take out whatever its rate.
OrderTotals totalsIncludingTax(const Groups &t, const Groups &r, Real &ttc)
{
    Groups v{0, 0, 0};
    bool undefined = false;
    for (int k = 0; k < 3; ++k) {
        const Real divisor = r[k] * 0.01L + 1;
        if (r[k] == -100 || divisor == 0) {
            undefined = undefined || t[k] != 0;
            continue;
        }
        const Real h = Real48::store(t[k] / divisor);
        v[k] = Real48::store(t[k] - h);
    }
    OrderTotals totals;
    if (!undefined)
        totals.Vat = NumberText::amount(Real48::store((v[0] + v[1]) + v[2]));
    ttc = Real48::store((t[0] + t[1]) + t[2]);
    if (!undefined)
        totals.BeforeTax =
            NumberText::amount(Real48::store(t[0] + t[1] + t[2] - v[0] - v[1] - v[2]));
    totals.IncludingTax = NumberText::amount(ttc);
    return totals;
}

// The total in the other currency; empty when it is not shown or there is no rate to use.
QString secondCurrency(Real ttc, const Settings &settings)
{
    if (settings.SingleCurrency != 0)
        return QString();
    const Real euroRate = Real48::store(settings.EuroRate);
    if (euroRate == 0)
        return QString();
    const Real other = Real48::store(settings.EuroMode == 0 ? ttc / euroRate : ttc * euroRate);
    return NumberText::amount(other);
}

} // namespace

QString Rset(const QString &text, int width, const TextWidth &measure)
{
    const int limit = width - 10;
    const int bare = measure(text);
    if (bare > limit)
        return text;
    // The cap only guards against a measure that gives a space no width.
    const int most = width + 1;
    const auto padded = [&text](int spaces) {
        QString result(spaces, QLatin1Char(' '));
        result += text;
        return result;
    };
    // Every order shown pads dozens of cells: rather than measuring after each space, start
    // from the count the width of one space gives, then step to the fewest spaces that make
    // the text wider than the limit.
    const int space = measure(QStringLiteral(" "));
    int spaces = space > 0 ? qMin(most, (limit - bare) / space + 1) : most;
    while (spaces > 0 && measure(padded(spaces - 1)) > limit)
        --spaces;
    while (spaces < most && measure(padded(spaces)) <= limit)
        ++spaces;
    return padded(spaces);
}

QString amountHeading(bool includesVat)
{
    return includesVat ? QStringLiteral("Montant TTC") : QStringLiteral("Montant H.T.");
}

namespace {

// The line pass, the same in both modes: each group's total of its rows' amounts.
Groups linePasses(QList<OrderLine> &rows, const TextWidth &measure)
{
    Groups t{0, 0, 0};
    for (OrderLine &row : rows) {
        if (NumberText::trimmed(row.Quantity).isEmpty())
            continue;
        int group = -1;
        const Real amount = linePass(row, group, measure);
        if (group >= 0)
            t[group] = Real48::store(t[group] + amount);
    }
    return t;
}

} // namespace

OrderTotals CalculHT(QList<OrderLine> &rows, const Settings &settings, const TextWidth &measure)
{
    const Groups t = linePasses(rows, measure);
    Real ttc = 0;
    OrderTotals totals = totalsBeforeTax(t, rates(settings), ttc);
    totals.SecondCurrency = secondCurrency(ttc, settings);
    return totals;
}

OrderTotals CalculTTC(QList<OrderLine> &rows, const Settings &settings, const TextWidth &measure)
{
    const Groups t = linePasses(rows, measure);
    Real ttc = 0;
    OrderTotals totals = totalsIncludingTax(t, rates(settings), ttc);
    totals.SecondCurrency = secondCurrency(ttc, settings);
    return totals;
}

OrderTotals Calcule(QList<OrderLine> &rows, bool includesVat, const Settings &settings,
                    const TextWidth &measure)
{
    return includesVat ? CalculTTC(rows, settings, measure) : CalculHT(rows, settings, measure);
}

} // namespace OrderCalc
