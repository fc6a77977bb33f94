// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/numbertext.h"

#include <QVarLengthArray>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace NumberText {

namespace {

bool isBlank(QChar c)
{
    return c.unicode() <= 32;
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Decimal digits of |v| rounded to `significant` digits (correctly rounded from the binary
// value), and the power of ten of the first digit: v ~ 0.d1d2d3... * 10^(exp10 + 1).
struct Decimal {
    QString digits;
    int exp10 = 0;
};

// The C library's conversions follow the desktop's locale once the application has set it
// (a French desktop reads "4.6" as 4 and writes "4,6e+00"); these never do.
Decimal decimalOf(Real v, int significant)
{
    char buffer[128];
    const std::to_chars_result written =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(v), std::chars_format::scientific,
                      significant - 1);
    const QString text = QString::fromLatin1(buffer, written.ptr - buffer);
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    Decimal d;
    d.digits = text.left(e).remove(QLatin1Char('.'));
    d.exp10 = text.mid(e + 1).toInt();
    return d;
}

// |value| x 10^decimals rounded half away from zero, when the value lies far from a half of its
// last place: rounding the binary value itself then gives the digits the decimal rounding of
// fixed() would, without going through text (a report works out hundreds of thousands).
bool roundedFast(Real value, int decimals, quint64 &rounded)
{
    if (decimals < 0 || decimals > 6 || !(std::fabs(value) < 1e12L))
        return false;
    const long double scaled = std::fabs(value) * std::pow(10.0L, decimals);
    const long double whole = std::floor(scaled);
    const long double fraction = scaled - whole;
    // Far beyond what rounding to 18 digits can move.
    if (std::fabs(fraction - 0.5L) <= scaled * 1e-15L + 1e-12L)
        return false;
    rounded = quint64(whole) + (fraction > 0.5L ? 1 : 0);
    return true;
}

// `text` without the blanks at its ends.
QStringView blankTrimmed(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;
    return text.sliced(begin, end - begin);
}

} // namespace

QString trimmed(const QString &text)
{
    return blankTrimmed(text).toString();
}

bool tryToReal(QStringView text, Real &out, QChar decimalSeparator)
{
    const QStringView t = blankTrimmed(text);
    qsizetype i = 0;
    const qsizetype n = t.size();
    // The number in C notation for strtold; amounts are read by the hundred thousand, so a
    // usual one takes no allocation.
    QVarLengthArray<char, 64> c;
    if (i < n && (t.at(i) == QLatin1Char('+') || t.at(i) == QLatin1Char('-')))
        c.append(char(t.at(i++).unicode()));
    int mantissaDigits = 0;
    int decimals = 0;
    quint64 digits = 0; // the mantissa's digits as an integer, while it has at most 19
    while (i < n && isDigit(t.at(i))) {
        digits = digits * 10 + (t.at(i).unicode() - '0');
        c.append(char(t.at(i++).unicode()));
        ++mantissaDigits;
    }
    if (i < n && t.at(i) == decimalSeparator) {
        c.append('.');
        ++i;
        while (i < n && isDigit(t.at(i))) {
            digits = digits * 10 + (t.at(i).unicode() - '0');
            c.append(char(t.at(i++).unicode()));
            ++mantissaDigits;
            ++decimals;
        }
    }
    if (mantissaDigits == 0)
        return false;
    // Nearly every figure: an integer of 19 digits at most divided by a power of ten, both held
    // exactly, gives in one rounding the value strtold would, at a fraction of its cost.
    if (i == n && mantissaDigits <= 19 && std::numeric_limits<Real>::digits >= 64) {
        static constexpr Real Tens[] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,
                                        1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L,
                                        1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L};
        const Real magnitude = Real(digits) / Tens[decimals];
        out = c.front() == '-' ? -magnitude : magnitude;
        return true;
    }
    if (i < n && (t.at(i) == QLatin1Char('e') || t.at(i) == QLatin1Char('E'))) {
        c.append('e');
        ++i;
        if (i < n && (t.at(i) == QLatin1Char('+') || t.at(i) == QLatin1Char('-')))
            c.append(char(t.at(i++).unicode()));
        int exponentDigits = 0;
        while (i < n && isDigit(t.at(i))) {
            c.append(char(t.at(i++).unicode()));
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    if (i != n)
        return false;
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    c.append('\0');
    const Real v = strtold_l(c.constData(), nullptr, cLocale);
    if (std::isinf(v) || std::isnan(v))
        return false;
    out = v;
    return true;
}

Result<Real> toReal(const QString &text)
{
    Real v = 0;
    if (!tryToReal(text, v))
        return Failure::notAReal(text);
    return v;
}

bool tryToInteger(QStringView text, int &out)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        negative = text.at(i++) == QLatin1Char('-');
    int base = 10;
    if (i < n && text.at(i) == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text.at(i) == QLatin1Char('0') &&
               (text.at(i + 1) == QLatin1Char('x') || text.at(i + 1) == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i == n)
        return false;
    long long value = 0;
    for (; i < n; ++i) {
        const QChar ch = text.at(i);
        const char16_t lower = ch.toLower().unicode();
        int digit = -1;
        if (isDigit(ch))
            digit = ch.unicode() - '0';
        else if (base == 16 && lower >= u'a' && lower <= u'f')
            digit = lower - u'a' + 10;
        if (digit < 0)
            return false;
        value = value * base + digit;
        if (value > (long long)std::numeric_limits<int>::max() + 1)
            return false;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return false;
    out = int(value);
    return true;
}

Result<int> toInteger(const QString &text)
{
    int v = 0;
    if (!tryToInteger(text, v))
        return Failure::notAnInteger(text);
    return v;
}

QString fixed(Real value, int decimals)
{
    // Like the runtime's pattern formatting: take the value to 18 significant digits, then
    // round that decimal text half away from zero.
    if (value == 0 || std::isnan(value) || std::isinf(value))
        return QStringLiteral("0") +
               (decimals > 0 ? QStringLiteral(",") + QString(decimals, QLatin1Char('0'))
                             : QString());
    quint64 rounded = 0;
    if (roundedFast(value, decimals, rounded)) {
        QString result = QString::number(rounded).rightJustified(decimals + 1, QLatin1Char('0'));
        if (decimals > 0)
            result.insert(result.size() - decimals, QLatin1Char(','));
        if (value < 0 && rounded != 0)
            result.prepend(QLatin1Char('-'));
        return result;
    }
    const Decimal d = decimalOf(value, 18);
    // digits d1..d18 stand for d1.d2d3... * 10^exp10
    const int keep = d.exp10 + 1 + decimals; // digits kept before rounding
    QString digits;
    int pointPos = d.exp10 + 1; // digits before the separator
    if (keep < 0) {
        digits = QString();
    } else {
        digits = d.digits.left(keep);
        const bool roundUp = keep < d.digits.size() && d.digits.at(keep) >= QLatin1Char('5');
        if (digits.size() < keep)
            digits += QString(keep - digits.size(), QLatin1Char('0'));
        if (roundUp) {
            int k = int(digits.size()) - 1;
            while (k >= 0 && digits.at(k) == QLatin1Char('9')) {
                digits[k] = QLatin1Char('0');
                --k;
            }
            if (k >= 0) {
                digits[k] = QChar(digits.at(k).unicode() + 1);
            } else {
                digits.prepend(QLatin1Char('1'));
                ++pointPos;
            }
        }
    }
    // Left-pad so that there is at least one digit before the separator.
    if (pointPos < 1) {
        digits.prepend(QString(1 - pointPos, QLatin1Char('0')));
        pointPos = 1;
    }
    if (digits.size() < pointPos + decimals)
        digits += QString(pointPos + decimals - digits.size(), QLatin1Char('0'));
    QString result = digits.left(pointPos);
    if (decimals > 0)
        result += QLatin1Char(',') + digits.mid(pointPos, decimals);
    bool allZero = true;
    for (QChar c : std::as_const(digits))
        if (c != QLatin1Char('0'))
            allZero = false;
    if (value < 0 && !allZero)
        result.prepend(QLatin1Char('-'));
    return result;
}

qint64 cents(Real value)
{
    quint64 rounded = 0;
    if (roundedFast(value, 2, rounded))
        return value < 0 ? -qint64(rounded) : qint64(rounded);
    QString text = fixed(value, 2);
    text.remove(QLatin1Char(','));
    return text.toLongLong();
}

QString general(Real value, int digits, QChar decimalSeparator)
{
    if (value == 0 || std::isnan(value) || std::isinf(value))
        return QStringLiteral("0");
    Decimal d = decimalOf(value, digits);
    while (d.digits.size() > 1 && d.digits.endsWith(QLatin1Char('0')))
        d.digits.chop(1);
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    const int before = d.exp10 + 1; // digits before the separator
    if (before > digits || std::fabs(value) < Real(0.00001L)) {
        QString mantissa = d.digits.left(1);
        if (d.digits.size() > 1)
            mantissa += decimalSeparator + d.digits.mid(1);
        return sign + mantissa + QLatin1Char('E') + QString::number(d.exp10);
    }
    if (before <= 0)
        return sign + QLatin1Char('0') + decimalSeparator + QString(-before, QLatin1Char('0')) +
               d.digits;
    QString whole = d.digits.left(before);
    if (whole.size() < before)
        whole += QString(before - whole.size(), QLatin1Char('0'));
    const QString rest = d.digits.mid(before);
    return sign + whole + (rest.isEmpty() ? QString() : decimalSeparator + rest);
}

QString scientific(Real value)
{
    const Decimal d = value == 0 ? Decimal{QString(15, QLatin1Char('0')), 0} : decimalOf(value, 15);
    const QString sign = value < 0 ? QStringLiteral("-") : QStringLiteral(" ");
    const QString exponent = (d.exp10 < 0 ? QStringLiteral("-") : QStringLiteral("+")) +
                             QStringLiteral("%1").arg(std::abs(d.exp10), 4, 10, QLatin1Char('0'));
    return sign + d.digits.left(1) + QLatin1Char('.') + d.digits.mid(1) + QLatin1Char('E') +
           exponent;
}

Real roundHalfEven(Real value)
{
    const Real floorValue = std::floor(value);
    const Real diff = value - floorValue;
    if (diff > 0.5L)
        return floorValue + 1;
    if (diff < 0.5L)
        return floorValue;
    return std::fmod(floorValue, 2.0L) == 0 ? floorValue : floorValue + 1;
}

QString formatDate(const QDate &date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

bool tryToDate(const QString &text, QDate &out)
{
    const QStringList parts = trimmed(text).split(QLatin1Char('/'));
    if (parts.size() != 3)
        return false;
    int values[3] = {0, 0, 0};
    for (int k = 0; k < 3; ++k) {
        const QString part = parts.at(k).trimmed();
        if (part.isEmpty() || part.size() > (k == 2 ? 4 : 2))
            return false;
        for (QChar c : part)
            if (!isDigit(c))
                return false;
        values[k] = part.toInt();
    }
    int year = values[2];
    if (parts.at(2).trimmed().size() <= 2)
        year += year < 50 ? 2000 : 1900;
    const QDate date(year, values[1], values[0]);
    if (!date.isValid())
        return false;
    out = date;
    return true;
}

Result<QDate> toDate(const QString &text)
{
    QDate d;
    if (!tryToDate(text, d))
        return Failure::notADate(text);
    return d;
}

} // namespace NumberText
