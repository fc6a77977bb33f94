// SPDX-License-Identifier: GPL-3.0-or-later
#include "utilities/pocketcalculator.h"

#include "core/numbertext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

// The calculator counts in decimal, as a pocket calculator does: 1,2 + 3,4 gives 4,6 and
// 100 - 99,99 gives 0,01, where numbers kept in binary would leave noise in the last digits.
// It keeps three guard digits beyond the 15 it shows, so 1 / 3 * 3 gives 1; 18 digits are as
// many as a long double gives back unchanged. Its numbers keep the range of the 6-byte reals.
constexpr int Shown = 15;
constexpr int Kept = 18;

using Wide = unsigned __int128;

// sign * coefficient * 10^exponent
struct Decimal {
    bool negative = false;
    Wide coefficient = 0;
    int exponent = 0;
};

Wide powerOfTen(int n)
{
    Wide p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

int digitCount(Wide c)
{
    int n = 0;
    for (; c > 0; c /= 10)
        ++n;
    return n;
}

// Exact results are rounded to `digits` significant digits, a half away from zero.
Decimal rounded(Decimal d, int digits = Kept)
{
    const Wide limit = powerOfTen(digits);
    unsigned dropped = 0; // the last digit dropped is the one that decides
    while (d.coefficient >= limit) {
        dropped = unsigned(d.coefficient % 10);
        d.coefficient /= 10;
        ++d.exponent;
    }
    if (dropped >= 5 && ++d.coefficient == limit) {
        d.coefficient /= 10;
        ++d.exponent;
    }
    return d;
}

// The calculator's numbers are the reals nearest to decimals of at most Kept digits, so this
// gives those decimals back; any other real (a root) is rounded to Kept digits.
Decimal decimalOf(Real v)
{
    Decimal d;
    if (v == 0)
        return d;
    char text[64];
    const char *const end = std::to_chars(text, text + sizeof text, std::fabs(v),
                                          std::chars_format::scientific, Kept - 1)
                                .ptr;
    const char *p = text;
    for (; p != end && *p != 'e'; ++p)
        if (*p != '.')
            d.coefficient = d.coefficient * 10 + Wide(*p - '0');
    int exponent = 0;
    std::from_chars(p + (*(p + 1) == '+' ? 2 : 1), end, exponent);
    d.negative = v < 0;
    d.exponent = exponent - (Kept - 1);
    return d;
}

// A typed number, digit for digit (NumberText::tryToReal has found it to be a number).
Decimal decimalOf(const QString &typed)
{
    const QString text = NumberText::trimmed(typed);
    Decimal d;
    qsizetype i = 0;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        d.negative = text.at(i++) == QLatin1Char('-');
    bool fraction = false;
    int kept = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char(',')) {
            fraction = true;
            continue;
        }
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        if (fraction)
            --d.exponent;
        if (kept == 0 && c == QLatin1Char('0'))
            continue;
        if (kept <= Kept) { // one digit more than kept decides the rounding
            d.coefficient = d.coefficient * 10 + Wide(c.unicode() - '0');
            ++kept;
        } else {
            ++d.exponent;
        }
    }
    if (i < text.size()) { // the exponent, held far beyond the range
        const bool negative = ++i < text.size() && text.at(i) == QLatin1Char('-');
        if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+')))
            ++i;
        int exponent = 0;
        for (; i < text.size(); ++i)
            exponent = std::min(exponent * 10 + (text.at(i).unicode() - '0'), 100000);
        d.exponent += negative ? -exponent : exponent;
    }
    return d;
}

// Infinite beyond the range of the long double.
Real realOf(const Decimal &d, int digits = Kept)
{
    const Decimal r = rounded(d, digits);
    Real v = 0;
    if (!NumberText::tryToReal(QStringLiteral("%1%2E%3")
                                   .arg(r.negative ? QStringLiteral("-") : QString())
                                   .arg(quint64(r.coefficient))
                                   .arg(r.exponent),
                               v))
        return std::numeric_limits<Real>::infinity();
    return v;
}

Decimal negated(Decimal d)
{
    d.negative = !d.negative;
    return d;
}

Decimal sum(const Decimal &a, const Decimal &b)
{
    if (a.coefficient == 0)
        return b;
    if (b.coefficient == 0)
        return a;
    // An addend Kept + 3 orders of magnitude below the other leaves its digits as they are,
    // rounding included.
    const int orderA = a.exponent + digitCount(a.coefficient);
    const int orderB = b.exponent + digitCount(b.coefficient);
    if (orderA - orderB >= Kept + 3)
        return a;
    if (orderB - orderA >= Kept + 3)
        return b;
    // Otherwise both fit, exactly, below 10^38 at the finer exponent.
    const int exponent = std::min(a.exponent, b.exponent);
    const Wide x = a.coefficient * powerOfTen(a.exponent - exponent);
    const Wide y = b.coefficient * powerOfTen(b.exponent - exponent);
    Decimal s;
    s.exponent = exponent;
    if (a.negative == b.negative) {
        s.negative = a.negative;
        s.coefficient = x + y;
    } else if (x >= y) {
        s.negative = a.negative;
        s.coefficient = x - y;
    } else {
        s.negative = b.negative;
        s.coefficient = y - x;
    }
    return s;
}

Decimal product(const Decimal &a, const Decimal &b)
{
    return {a.negative != b.negative, a.coefficient * b.coefficient, a.exponent + b.exponent};
}

// b is not 0. The quotient is taken to at least Kept + 1 digits; the remainder cannot change a
// rounding half away from zero.
Decimal quotient(const Decimal &a, const Decimal &b)
{
    const int shift = Kept + 2 + digitCount(b.coefficient) - digitCount(a.coefficient);
    return {a.negative != b.negative, a.coefficient * powerOfTen(shift) / b.coefficient,
            a.exponent - shift - b.exponent};
}

// A number the calculator keeps: its decimal rounded to Kept digits, within the range of the
// 6-byte reals, 0 below it.
bool tryKeep(const Decimal &exact, Real &out)
{
    const Real v = realOf(exact);
    Real stored = 0;
    if (!Real48::tryStore(v, stored))
        return false;
    out = stored == 0 ? 0 : v;
    return true;
}

// The display rounds a kept number to the digits it shows, in decimal.
QString shown(Real kept)
{
    return NumberText::general(realOf(decimalOf(kept), Shown), Shown);
}

} // namespace

void PocketCalculator::show(Real result)
{
    m_display = shown(result);
    m_unrounded = result;
}

void PocketCalculator::activate()
{
    m_display.clear();
    m_unrounded.reset();
    m_accumulator = 0;
    m_operand = 0;
    m_accumulatorValid = false;
    m_pendingOperator = QChar();
}

Status PocketCalculator::press(int key)
{
    if (key >= Digit0 && key <= Digit0 + 9) {
        digit(key - Digit0);
        return {};
    }
    switch (key) {
    case Comma:
        comma();
        break;
    case Equals:
        return equals();
    case Plus:
        return operation(QLatin1Char('+'));
    case Minus:
        return operation(QLatin1Char('-'));
    case Times:
        return operation(QLatin1Char('*'));
    case Divide:
        return operation(QLatin1Char('/'));
    case Reciprocal:
        return reciprocal();
    case SquareRoot:
        return squareRoot();
    case Clear:
        activate();
        break;
    default:
        break;
    }
    return {};
}

void PocketCalculator::digit(int d)
{
    if (m_newEntry)
        m_display.clear();
    m_display += QChar(QLatin1Char(char('0' + d)));
    m_unrounded.reset();
    m_newEntry = false;
}

void PocketCalculator::comma()
{
    // A comma that starts a number starts it as "0,"; a second one in the same number would
    // only make it unreadable.
    m_unrounded.reset();
    if (m_newEntry || m_display.isEmpty()) {
        m_display = QStringLiteral("0,");
        m_newEntry = false;
        return;
    }
    if (!m_display.contains(QLatin1Char(',')))
        m_display += QLatin1Char(',');
}

Result<Real> PocketCalculator::readOperand()
{
    Real number = 0;
    if (m_unrounded) {
        if (!tryKeep(decimalOf(*m_unrounded), number))
            return Failure::overflow();
        m_operand = number;
        return m_operand;
    }
    if (!NumberText::tryToReal(m_display, number))
        return Failure::notAReal(m_display);
    if (!tryKeep(decimalOf(m_display), number))
        return Failure::overflow();
    m_operand = number;
    return m_operand;
}

Status PocketCalculator::equals()
{
    if (!m_accumulatorValid) {
        Real value = 0;
        if (m_unrounded) {
            if (!tryKeep(decimalOf(*m_unrounded), value))
                return Failure::overflow();
        } else if (!NumberText::tryToReal(m_display, value)) {
            m_display.clear();
            return {};
        } else if (!tryKeep(decimalOf(m_display), value)) {
            return Failure::overflow();
        }
        m_accumulator = value;
        m_accumulatorValid = true;
        m_newEntry = true;
        return {};
    }
    const Result<Real> read = readOperand();
    if (!read)
        return read.failure();
    const Decimal left = decimalOf(m_accumulator);
    const Decimal right = decimalOf(*read);
    Decimal result = left;
    switch (m_pendingOperator.unicode()) {
    case '+':
        result = sum(left, right);
        break;
    case '-':
        result = sum(left, negated(right));
        break;
    case '*':
        result = product(left, right);
        break;
    case '/':
        if (*read == 0)
            return m_accumulator == 0 ? Failure::invalidOperation() : Failure::divisionByZero();
        result = quotient(left, right);
        break;
    default:
        break;
    }
    Real kept = 0;
    if (!tryKeep(result, kept))
        return Failure::overflow();
    m_accumulator = kept;
    show(m_accumulator);
    m_newEntry = true;
    return {};
}

Status PocketCalculator::operation(QChar op)
{
    const Status done = equals();
    if (done) // a failure leaves the previous operator in place
        m_pendingOperator = op;
    return done;
}

Status PocketCalculator::reciprocal()
{
    const Result<Real> read = readOperand();
    if (!read)
        return read.failure();
    if (*read == 0)
        return Failure::divisionByZero();
    const Real result = realOf(quotient(decimalOf(1), decimalOf(*read)));
    // The reciprocal is shown even when it is too large to be kept.
    show(result);
    return keepResult(result);
}

Status PocketCalculator::squareRoot()
{
    const Result<Real> read = readOperand();
    if (!read)
        return read.failure();
    if (*read < 0)
        return Failure::invalidOperation();
    const Real result = realOf(decimalOf(std::sqrt(*read)));
    show(result);
    return keepResult(result);
}

Status PocketCalculator::keepResult(Real result)
{
    Real kept = 0;
    if (!tryKeep(decimalOf(result), kept))
        return Failure::overflow();
    m_accumulator = kept;
    m_accumulatorValid = true;
    m_newEntry = true;
    return {};
}

int PocketCalculator::keyFor(QChar typed)
{
    const char16_t c = typed.unicode();
    if (c >= u'0' && c <= u'9')
        return Digit0 + (c - u'0');
    switch (c) {
    case u'+':
        return Plus;
    case u'-':
        return Minus;
    case u'*':
        return Times;
    case u'/':
        return Divide;
    case u',':
    case u'.':
        return Comma;
    case u'=':
        return Equals;
    case u'C':
    case u'c':
        return Clear;
    case u'S':
    case u's':
        return SquareRoot;
    case u'X':
    case u'x':
        return Reciprocal;
    case 27:
        return Close;
    default:
        return NoKey;
    }
}
