// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/real48.h"
#include "core/result.h"

#include <QDate>
#include <QString>

// Number and date texts of the whole program. Shown and typed numbers use the decimal comma;
// only the settings file writes a point. A conversion that fails gives the runtime's French
// message; the try- forms only say whether it worked.
namespace NumberText {

// Text to real: blanks around, optional sign, digits with an optional decimal separator, an
// optional exponent ("1,5E2"); no thousands separator. The value is not yet stored in the
// 6-byte form: callers store it when they keep it.
bool tryToReal(QStringView text, Real &out, QChar decimalSeparator = QLatin1Char(','));
Result<Real> toReal(const QString &text);

// Text to 32-bit integer: leading blanks, optional sign, decimal digits or "$" / "0x" followed
// by hexadecimal digits, nothing after them.
bool tryToInteger(QStringView text, int &out);
Result<int> toInteger(const QString &text);

// Pattern "0.00" / "0.00000": at least one digit before the comma, a fixed count after it,
// rounded half away from zero, "-" in front of negative values, no thousands separator.
QString fixed(Real value, int decimals);
inline QString amount(Real value)
{
    return fixed(value, 2);
}
// The amount amount() shows, as a whole number of cents.
qint64 cents(Real value);

// General format: up to `digits` significant digits, no trailing zeros, no separator for
// whole numbers, scientific ("1,5E20", "1E-10") for large or tiny magnitudes.
QString general(Real value, int digits = 15, QChar decimalSeparator = QLatin1Char(','));
// A stored rate as the user typed it ("20,6"): the 6-byte form holds about 12 significant
// digits, so the general format's last ones would show its noise ("20,6000000000058").
inline QString rate(Real value, QChar decimalSeparator = QLatin1Char(','))
{
    return general(value, 11, decimalSeparator);
}

// The settings file's 23-character scientific form with a point: " 6.55957000000000E+0000".
QString scientific(Real value);

// Rounds to the nearest whole number, an exact half to the even neighbour.
Real roundHalfEven(Real value);

// Dates as the order file and the windows write them: "dd/mm/yyyy".
QString formatDate(const QDate &date);
bool tryToDate(const QString &text, QDate &out);
Result<QDate> toDate(const QString &text);

// Trims blanks and control characters (code 32 and below) at both ends.
QString trimmed(const QString &text);

} // namespace NumberText
