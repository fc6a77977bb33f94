// SPDX-License-Identifier: GPL-3.0-or-later
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

// Stores every intermediate in the 6-byte form. The first value too large for it is an
// overflow, which ends the calculation.
class Stored {
public:
    Real operator()(Real v)
    {
        Real out = 0;
        if (!Real48::tryStore(v, out))
            m_overflow = true;
        return out;
    }
    bool overflow() const { return m_overflow; }

private:
    bool m_overflow = false;
};

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
Real linePass(OrderLine &row, int &group, const TextWidth &measure, Stored &store)
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
    const Real gross = store(quantity * price);
    const Real reduction = store(discount * gross * 0.01L);
    const Real amount = store(gross - reduction);
    if (store.overflow())
        return 0; // the row keeps the amount it had
    group = code - 1;
    row.Amount = Rset(NumberText::amount(amount), PriceWidth, measure);
    return amount;
}

Groups rates(const Settings &settings, Stored &store)
{
    Groups r;
    for (int k = 0; k < 3; ++k)
        r[k] = store(settings.VatRates[k]);
    return r;
}

// The VAT in a group's total `t` at the rate `r`: added on top of prices before tax, taken out
// of prices including tax. A rate of -100 has no price before tax: false, with no VAT.
bool groupVat(Real t, Real r, bool includesVat, Real &v, Stored &store)
{
    v = 0;
    if (!includesVat) {
        v = store(t * r * 0.01L);
        return true;
    }
    const Real divisor = r * 0.01L + 1;
    if (r == -100 || divisor == 0)
        return false;
    const Real h = store(t / divisor);
    v = store(t - h);
    return true;
}

// Prices before tax: the VAT is added on each group's total.
void totalsBeforeTax(const Groups &t, const Groups &v, OrderAmounts &a, Stored &store)
{
    a.TotalVat = store((v[0] + v[1]) + v[2]);
    a.TotalBeforeTax = store((t[0] + t[1]) + t[2]);
    a.TotalIncludingTax = store(t[0] + t[1] + t[2] + v[0] + v[1] + v[2]);
}

// Prices including tax: the VAT is taken out of each group's total. A group with nothing in
// it has no tax to take out whatever its rate.
void totalsIncludingTax(const Groups &t, const Groups &v, OrderAmounts &a, Stored &store)
{
    if (a.VatKnown)
        a.TotalVat = store((v[0] + v[1]) + v[2]);
    a.TotalIncludingTax = store((t[0] + t[1]) + t[2]);
    if (a.VatKnown)
        a.TotalBeforeTax = store(t[0] + t[1] + t[2] - v[0] - v[1] - v[2]);
}

// The total in the other currency; none when it is not shown or there is no rate to use.
std::optional<Real> secondCurrency(Real ttc, const Settings &settings, Stored &store)
{
    if (settings.SingleCurrency != 0)
        return std::nullopt;
    const Real euroRate = store(settings.EuroRate);
    if (euroRate == 0)
        return std::nullopt;
    return store(settings.EuroMode == 0 ? ttc / euroRate : ttc * euroRate);
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

// The line pass, the same in both modes: each group's total of its rows' amounts. An overflow
// ends it: the rows before keep their rewritten cells.
Groups linePasses(QList<OrderLine> &rows, const TextWidth &measure, Stored &store,
                  QList<OrderAmounts::Row> &counted)
{
    Groups t{0, 0, 0};
    counted.resize(rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        OrderLine &row = rows[i];
        if (NumberText::trimmed(row.Quantity).isEmpty())
            continue;
        int group = -1;
        const Real amount = linePass(row, group, measure, store);
        if (group >= 0) {
            t[group] = store(t[group] + amount);
            counted[i] = {amount, group};
        }
        if (store.overflow())
            break;
    }
    return t;
}

Result<OrderAmounts> calculate(QList<OrderLine> &rows, bool includesVat, const Settings &settings,
                               const TextWidth &measure)
{
    Stored store;
    OrderAmounts a;
    const Groups t = linePasses(rows, measure, store, a.Rows);
    if (store.overflow())
        return Failure::overflow();
    const Groups r = rates(settings, store);
    Groups v{0, 0, 0};
    for (int k = 0; k < 3; ++k)
        if (!groupVat(t[k], r[k], includesVat, v[k], store) && t[k] != 0)
            a.VatKnown = false;
    a.Lines = t;
    a.Vat = v;
    if (includesVat)
        totalsIncludingTax(t, v, a, store);
    else
        totalsBeforeTax(t, v, a, store);
    a.SecondCurrency = secondCurrency(a.TotalIncludingTax, settings, store);
    if (store.overflow())
        return Failure::overflow();
    return a;
}

OrderTotals texts(const OrderAmounts &a)
{
    OrderTotals totals;
    if (a.VatKnown) {
        totals.Vat = NumberText::amount(a.TotalVat);
        totals.BeforeTax = NumberText::amount(a.TotalBeforeTax);
    }
    totals.IncludingTax = NumberText::amount(a.TotalIncludingTax);
    if (a.SecondCurrency)
        totals.SecondCurrency = NumberText::amount(*a.SecondCurrency);
    return totals;
}

Result<OrderTotals> totalTexts(const Result<OrderAmounts> &a)
{
    if (!a)
        return a.failure();
    return texts(*a);
}

} // namespace

Result<OrderTotals> CalculHT(QList<OrderLine> &rows, const Settings &settings,
                             const TextWidth &measure)
{
    return totalTexts(calculate(rows, false, settings, measure));
}

Result<OrderTotals> CalculTTC(QList<OrderLine> &rows, const Settings &settings,
                              const TextWidth &measure)
{
    return totalTexts(calculate(rows, true, settings, measure));
}

Result<OrderTotals> Calcule(QList<OrderLine> &rows, bool includesVat, const Settings &settings,
                            const TextWidth &measure)
{
    return includesVat ? CalculTTC(rows, settings, measure) : CalculHT(rows, settings, measure);
}

Result<OrderAmounts> amounts(QList<OrderLine> &rows, bool includesVat, const Settings &settings,
                             const TextWidth &measure)
{
    Result<OrderAmounts> result = calculate(rows, includesVat, settings, measure);
    if (!result)
        return result;
    // Each group's amounts before and including tax, as the totals take them.
    OrderAmounts &a = result.value();
    Stored store;
    for (int k = 0; k < 3; ++k) {
        a.BeforeTax[k] = includesVat ? store(a.Lines[k] - a.Vat[k]) : a.Lines[k];
        a.IncludingTax[k] = includesVat ? a.Lines[k] : store(a.Lines[k] + a.Vat[k]);
    }
    if (store.overflow())
        return Failure::overflow();
    return result;
}

std::optional<Split> splitRow(Real amount, int group, bool includesVat, const Settings &settings)
{
    if (group < 0 || group > 2)
        return std::nullopt;
    Stored store;
    const Real rate = store(settings.VatRates[group]);
    Split split;
    if (!groupVat(amount, rate, includesVat, split.Vat, store))
        return std::nullopt;
    split.BeforeTax = includesVat ? store(amount - split.Vat) : amount;
    split.IncludingTax = includesVat ? amount : store(amount + split.Vat);
    if (store.overflow())
        return std::nullopt;
    return split;
}

std::optional<Real> inSecondCurrency(Real amount, const Settings &settings)
{
    Stored store;
    const std::optional<Real> other = secondCurrency(amount, settings, store);
    if (store.overflow())
        return std::nullopt;
    return other;
}

} // namespace OrderCalc
