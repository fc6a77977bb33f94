// SPDX-License-Identifier: GPL-3.0-or-later
#include "pricing/ordercalc.h"

#include "core/numbertext.h"
#include "core/real48.h"

#include <array>

namespace OrderCalc {

namespace {

constexpr int QuantityWidth = 100;
constexpr int PriceWidth = 120;
const QString defaultVatCode = QStringLiteral("1");

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
bool readReal(QStringView text, Real &out)
{
    Real v = 0;
    if (!NumberText::tryToReal(text, v) || !Real48::tryStore(v, v))
        return false;
    out = v;
    return true;
}

bool isBlank(QStringView text)
{
    for (const QChar c : text)
        if (c.unicode() > ' ')
            return false;
    return true;
}

// What the line pass reads of a row with a quantity. The first conversion that fails ends the
// reading: what is not read yet stays 0.
struct Reading {
    Real quantity = 0;
    Real price = 0;
    Real discount = 0;
    int code = 0;            // VAT code 1 to 3; 0: the row belongs to no group
    bool pricesRead = false; // the quantity and the price were read: their cells are rewritten
    bool passed = false;     // the pass reached the row
    bool worked = false;     // its amount was worked out without overflow
    Real amount = 0;
};

Reading readRow(const LineCells &row)
{
    Reading r;
    r.passed = true;
    if (!readReal(row.quantity, r.quantity))
        return r;
    if (!isBlank(row.unitPrice) && !readReal(row.unitPrice, r.price))
        return r;
    r.pricesRead = true;
    int typed = 0;
    if (!NumberText::tryToInteger(row.vatCode.isEmpty() ? QStringView(defaultVatCode) : row.vatCode,
                                  typed))
        return r;
    r.code = typed < 1 || typed > 3 ? 1 : typed;
    if (!row.discountPercent.isEmpty() && !readReal(row.discountPercent, r.discount))
        return r;
    return r;
}

// The row's amount from what was read of it; `group` is 0 to 2, or -1 when the row belongs
// to no group or its amount overflows.
Real rowAmount(Reading &r, int &group, Stored &store)
{
    const Real gross = store(r.quantity * r.price);
    const Real reduction = store(r.discount * gross * 0.01L);
    const Real amount = store(gross - reduction);
    if (store.overflow())
        return 0; // the row keeps the amount it had
    group = r.code - 1;
    r.worked = true;
    r.amount = amount;
    return amount;
}

// The cells the pass rewrites from what it read: the numbers as the grid shows them,
// right-aligned, and the default VAT code.
void rewrite(OrderLine &row, const Reading &r, const TextWidth &measure)
{
    if (r.pricesRead) {
        row.quantity = leftPadded(NumberText::trimmed(row.quantity), QuantityWidth, measure);
        row.unitPrice = leftPadded(NumberText::amount(r.price), PriceWidth, measure);
        if (row.vatCode.isEmpty())
            row.vatCode = defaultVatCode;
    }
    if (r.worked)
        row.amount = leftPadded(NumberText::amount(r.amount), PriceWidth, measure);
}

Groups rates(const Settings &settings, Stored &store)
{
    Groups r;
    for (int k = 0; k < 3; ++k)
        r[k] = store(settings.vatRates[k]);
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
    a.totalVat = store((v[0] + v[1]) + v[2]);
    a.totalBeforeTax = store((t[0] + t[1]) + t[2]);
    a.totalIncludingTax = store(t[0] + t[1] + t[2] + v[0] + v[1] + v[2]);
}

// Prices including tax: the VAT is taken out of each group's total. A group with nothing in
// it has no tax to take out whatever its rate.
void totalsIncludingTax(const Groups &t, const Groups &v, OrderAmounts &a, Stored &store)
{
    if (a.vatKnown)
        a.totalVat = store((v[0] + v[1]) + v[2]);
    a.totalIncludingTax = store((t[0] + t[1]) + t[2]);
    if (a.vatKnown)
        a.totalBeforeTax = store(t[0] + t[1] + t[2] - v[0] - v[1] - v[2]);
}

// The total in the other currency; none when it is not shown or there is no rate to use.
std::optional<Real> secondCurrency(Real ttc, const Settings &settings, Stored &store)
{
    if (settings.singleCurrency != 0)
        return std::nullopt;
    const Real euroRate = store(settings.euroRate);
    if (euroRate == 0)
        return std::nullopt;
    return store(settings.euroMode == 0 ? ttc / euroRate : ttc * euroRate);
}

} // namespace

QString leftPadded(const QString &text, int width, const TextWidth &measure)
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

// The line pass over the first `count` rows, the same in both modes: each group's total of
// its rows' amounts. An overflow ends it. With `readings`, what was read of each row passed.
using RowCells = std::function<LineCells(qsizetype)>;

Groups linePasses(qsizetype count, const RowCells &rows, Stored &store,
                  QList<OrderAmounts::Row> &counted, QList<Reading> *readings)
{
    Groups t{0, 0, 0};
    counted.resize(count);
    if (readings)
        readings->resize(count);
    for (qsizetype i = 0; i < count; ++i) {
        const LineCells row = rows(i);
        if (isBlank(row.quantity))
            continue;
        Reading r = readRow(row);
        int group = -1;
        const Real amount = rowAmount(r, group, store);
        if (group >= 0) {
            t[group] = store(t[group] + amount);
            counted[i] = {amount, group};
        }
        if (readings)
            (*readings)[i] = r;
        if (store.overflow())
            break;
    }
    return t;
}

Result<OrderAmounts> calculate(qsizetype count, const RowCells &rows, bool includesVat,
                               const Settings &settings, QList<Reading> *readings = nullptr)
{
    Stored store;
    OrderAmounts a;
    const Groups t = linePasses(count, rows, store, a.rows, readings);
    if (store.overflow())
        return Failure::overflow();
    const Groups r = rates(settings, store);
    Groups v{0, 0, 0};
    for (int k = 0; k < 3; ++k)
        if (!groupVat(t[k], r[k], includesVat, v[k], store) && t[k] != 0)
            a.vatKnown = false;
    a.lines = t;
    a.vat = v;
    if (includesVat)
        totalsIncludingTax(t, v, a, store);
    else
        totalsBeforeTax(t, v, a, store);
    a.secondCurrency = secondCurrency(a.totalIncludingTax, settings, store);
    if (store.overflow())
        return Failure::overflow();
    return a;
}

OrderTotals texts(const OrderAmounts &a)
{
    OrderTotals totals;
    if (a.vatKnown) {
        totals.vat = NumberText::amount(a.totalVat);
        totals.beforeTax = NumberText::amount(a.totalBeforeTax);
    }
    totals.includingTax = NumberText::amount(a.totalIncludingTax);
    if (a.secondCurrency)
        totals.secondCurrency = NumberText::amount(*a.secondCurrency);
    return totals;
}

RowCells cellsOf(const QList<OrderLine> &rows)
{
    return [&rows](qsizetype i) { return LineCells::of(rows.at(i)); };
}

// The pass with the rows' cells rewritten as the grid shows them: those of every row it
// reached, up to an overflow.
Result<OrderTotals> withTexts(QList<OrderLine> &rows, bool includesVat, const Settings &settings,
                              const TextWidth &measure)
{
    QList<Reading> readings;
    const Result<OrderAmounts> a =
        calculate(rows.size(), cellsOf(rows), includesVat, settings, &readings);
    for (qsizetype i = 0; i < readings.size(); ++i)
        if (readings.at(i).passed)
            rewrite(rows[i], readings.at(i), measure);
    if (!a)
        return a.failure();
    return texts(*a);
}

} // namespace

Result<OrderTotals> calculateBeforeTax(QList<OrderLine> &rows, const Settings &settings,
                                       const TextWidth &measure)
{
    return withTexts(rows, false, settings, measure);
}

Result<OrderTotals> calculateIncludingTax(QList<OrderLine> &rows, const Settings &settings,
                                          const TextWidth &measure)
{
    return withTexts(rows, true, settings, measure);
}

Settings settingsFor(const OrderRecord &record, const Settings &settings)
{
    Settings used = settings;
    if (const std::optional<OrderLife::Rates> &kept = record.life.rates) {
        used.euroRate = kept->euroRate;
        used.vatRates = kept->vatRates;
        used.euroMode = kept->euros ? 1 : 0;
        used.singleCurrency = kept->singleCurrency ? 1 : 0;
    }
    return used;
}

OrderLife::Rates ratesOf(const Settings &settings)
{
    // As typed, without the last digits' noise of the 6-byte form: what the order's block
    // holds and reads back. The figures are the same, each rate being stored again.
    const auto typed = [](Real rate) {
        Real value = rate;
        return NumberText::tryToReal(NumberText::rate(rate), value) ? value : rate;
    };
    return {typed(settings.euroRate),
            {typed(settings.vatRates[0]), typed(settings.vatRates[1]), typed(settings.vatRates[2])},
            settings.euroMode != 0,
            settings.singleCurrency != 0};
}

Result<OrderTotals> calculateOrder(QList<OrderLine> &rows, bool includesVat,
                                   const Settings &settings, const TextWidth &measure)
{
    return withTexts(rows, includesVat, settings, measure);
}

Result<OrderAmounts> amounts(const QList<OrderLine> &rows, bool includesVat,
                             const Settings &settings, qsizetype count)
{
    return amounts(count < 0 ? rows.size() : qMin(count, rows.size()), cellsOf(rows), includesVat,
                   settings);
}

Result<OrderAmounts> amounts(qsizetype count, const std::function<LineCells(qsizetype)> &row,
                             bool includesVat, const Settings &settings)
{
    Result<OrderAmounts> result = calculate(count, row, includesVat, settings);
    if (!result)
        return result;
    // Each group's amounts before and including tax, as the totals take them.
    OrderAmounts &a = result.value();
    Stored store;
    for (int k = 0; k < 3; ++k) {
        a.beforeTax[k] = includesVat ? store(a.lines[k] - a.vat[k]) : a.lines[k];
        a.includingTax[k] = includesVat ? a.lines[k] : store(a.lines[k] + a.vat[k]);
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
    const Real rate = store(settings.vatRates[group]);
    Split split;
    if (!groupVat(amount, rate, includesVat, split.vat, store))
        return std::nullopt;
    split.beforeTax = includesVat ? store(amount - split.vat) : amount;
    split.includingTax = includesVat ? amount : store(amount + split.vat);
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
