// SPDX-License-Identifier: GPL-3.0-or-later
// The 6-byte real form and the program's number and date texts.

#include "core/numbertext.h"
#include "core/real48.h"
#include "core/result.h"

#include "testsupport.h"

#include <QTest>
#include <cmath>

Q_DECLARE_METATYPE(Real)

namespace QTest {
template <> inline char *toString(const Real &v)
{
    return qstrdup(QByteArray::number(double(v), 'g', 21));
}
} // namespace QTest

namespace {

// The gap between neighbouring 6-byte values in [1, 2).
const Real Ulp1 = std::ldexp(1.0L, -39);

template <typename T> QString errorOf(const Result<T> &result)
{
    return result.ok() ? QString() : result.message();
}

} // namespace

class TestNumbers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void storeRounds_data();
    void storeRounds();
    void storeKeepsStoredValues();
    void storeRange();
    void bytes_data();
    void bytes();
    void bytesRoundTrip();

    void toReal_data();
    void toReal();
    void toRealWithPoint();
    void toInteger_data();
    void toInteger();
    void fixed_data();
    void fixed();
    void general_data();
    void general();
    void scientific_data();
    void scientific();
    void roundHalfEven_data();
    void roundHalfEven();
    void dates_data();
    void dates();
    void smallTexts();

private:
    TemporaryWorkingDir m_dir;
};

void TestNumbers::storeRounds_data()
{
    QTest::addColumn<Real>("value");
    QTest::addColumn<Real>("stored");
    QTest::newRow("zero") << Real(0) << Real(0);
    QTest::newRow("below half") << 1 + Ulp1 / 4 << Real(1);
    QTest::newRow("tie away from zero") << 1 + Ulp1 / 2 << 1 + Ulp1;
    QTest::newRow("negative tie away from zero") << -(1 + Ulp1 / 2) << -(1 + Ulp1);
    QTest::newRow("odd tie away from zero") << 1 + Ulp1 * 3 / 2 << 1 + 2 * Ulp1;
    QTest::newRow("carry into the exponent") << 2 - Ulp1 / 4 << Real(2);
}

void TestNumbers::storeRounds()
{
    QFETCH(Real, value);
    QFETCH(Real, stored);
    QCOMPARE(*Real48::store(value), stored);
}

void TestNumbers::storeKeepsStoredValues()
{
    for (Real v : {0.1L, 20.6L, 6.55957L, -1234.56L, 1e-30L, 3e37L}) {
        const Real once = *Real48::store(v);
        QCOMPARE(*Real48::store(once), once);
        // about 12 significant digits survive
        QVERIFY(std::fabs(once - v) <= std::fabs(v) * std::ldexp(1.0L, -40));
        QVERIFY(once != v);
    }
}

void TestNumbers::storeRange()
{
    const Real max = Real48::maxValue();
    QVERIFY(max > 1.7e38L && max < 1.71e38L);
    QVERIFY(Real48::minValue() > 2.9e-39L && Real48::minValue() < 2.94e-39L);
    QCOMPARE(*Real48::store(max), max);
    QCOMPARE(*Real48::store(-max), -max);
    QCOMPARE(*Real48::store(Real48::minValue()), Real48::minValue());

    QCOMPARE(errorOf(Real48::store(1e39L)), QStringLiteral("Débordement flottant"));
    QCOMPARE(errorOf(Real48::store(-1e39L)), QStringLiteral("Débordement flottant"));
    // the top gap between values is 2^87: a half gap above the largest value rounds past it
    QCOMPARE(*Real48::store(max + std::ldexp(1.0L, 85)), max);
    QCOMPARE(errorOf(Real48::store(max + std::ldexp(1.0L, 86))),
             QStringLiteral("Débordement flottant"));
    Real out = 7;
    QVERIFY(!Real48::tryStore(1e39L, out));
    QVERIFY(!Real48::tryStore(std::numeric_limits<Real>::infinity(), out));
    QVERIFY(!Real48::tryStore(std::numeric_limits<Real>::quiet_NaN(), out));

    // below the range: zero, no error
    QCOMPARE(*Real48::store(1e-40L), Real(0));
    QCOMPARE(*Real48::store(-1e-40L), Real(0));
}

void TestNumbers::bytes_data()
{
    QTest::addColumn<Real>("value");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("zero") << Real(0) << QByteArray::fromHex("000000000000");
    QTest::newRow("one") << Real(1) << QByteArray::fromHex("810000000000");
    QTest::newRow("minus one") << Real(-1) << QByteArray::fromHex("810000000080");
    QTest::newRow("2.5") << Real(2.5) << QByteArray::fromHex("820000000020");
    QTest::newRow("-100") << Real(-100) << QByteArray::fromHex("8700000000c8");
}

void TestNumbers::bytes()
{
    QFETCH(Real, value);
    QFETCH(QByteArray, bytes);
    const auto b = *Real48::toBytes(value);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(b.data()), 6), bytes);
    std::array<std::uint8_t, 6> in{};
    std::copy(bytes.begin(), bytes.end(), in.begin());
    QCOMPARE(Real48::fromBytes(in), value);
}

void TestNumbers::bytesRoundTrip()
{
    for (Real v : {0.1L, -20.6L, 6.55957L, 1e-38L, -1.5e38L, Real48::maxValue(), Real48::minValue(),
                   123456789.123L}) {
        const Real stored = *Real48::store(v);
        QCOMPARE(Real48::fromBytes(*Real48::toBytes(v)), stored);
    }
    // an exponent byte of 0 is zero whatever the other bytes hold
    QCOMPARE(Real48::fromBytes({0, 1, 2, 3, 4, 0x85}), Real(0));
}

void TestNumbers::toReal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<Real>("value");
    QTest::newRow("decimal comma") << "12,5" << true << Real(12.5);
    QTest::newRow("minus") << "-0,25" << true << Real(-0.25);
    QTest::newRow("exponent") << "1,5E2" << true << Real(150);
    QTest::newRow("negative exponent") << "25e-2" << true << Real(0.25);
    QTest::newRow("no digit before the comma") << ",5" << true << Real(0.5);
    QTest::newRow("beyond the 6-byte range") << "1E50" << true << Real(1e50L);
    QTest::newRow("empty") << "" << false << Real(0);
    QTest::newRow("decimal point") << "12.5" << false << Real(0);
    QTest::newRow("thousands separator") << "1 000" << false << Real(0);
    QTest::newRow("word") << "abc" << false << Real(0);
    QTest::newRow("exponent without digits") << "1,5E" << false << Real(0);
    QTest::newRow("exponent alone") << "E5" << false << Real(0);
    QTest::newRow("two signs") << "--1" << false << Real(0);
    QTest::newRow("two commas") << "1,2,3" << false << Real(0);
    QTest::newRow("infinite") << "1E99999" << false << Real(0);
}

void TestNumbers::toReal()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(Real, value);
    Real out = -1;
    QCOMPARE(NumberText::tryToReal(text, out), ok);
    if (ok) {
        QCOMPARE(out, value);
        QCOMPARE(*NumberText::toReal(text), value);
    } else {
        QCOMPARE(out, Real(-1)); // untouched
        QCOMPARE(errorOf(NumberText::toReal(text)),
                 QStringLiteral("'%1' n'est pas une valeur flottante correcte").arg(text));
    }
}

void TestNumbers::toRealWithPoint()
{
    Real out = 0;
    QVERIFY(
        NumberText::tryToReal(QStringLiteral(" 6.55957000000000E+0000"), out, QLatin1Char('.')));
    QCOMPARE(out, 6.55957L);
    QVERIFY(!NumberText::tryToReal(QStringLiteral("6,5"), out, QLatin1Char('.')));
}

void TestNumbers::toInteger_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("value");
    QTest::newRow("digit") << "1" << true << 1;
    QTest::newRow("leading spaces") << "  7" << true << 7;
    QTest::newRow("negative") << "-3" << true << -3;
    QTest::newRow("dollar hex") << "$1F" << true << 31;
    QTest::newRow("0x hex") << "0x10" << true << 16;
    QTest::newRow("largest") << "2147483647" << true << 2147483647;
    QTest::newRow("smallest") << "-2147483648" << true << int(-2147483648LL);
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("decimal") << "1,0" << false << 0;
    QTest::newRow("trailing space") << "7 " << false << 0;
    QTest::newRow("too large") << "2147483648" << false << 0;
}

void TestNumbers::toInteger()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, value);
    int out = -99;
    QCOMPARE(NumberText::tryToInteger(text, out), ok);
    if (ok) {
        QCOMPARE(out, value);
        QCOMPARE(*NumberText::toInteger(text), value);
    } else {
        QCOMPARE(errorOf(NumberText::toInteger(text)),
                 QStringLiteral("'%1' n'est pas une valeur entière correcte").arg(text));
    }
}

void TestNumbers::fixed_data()
{
    QTest::addColumn<Real>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    QTest::newRow("12.5") << Real(12.5) << 2 << "12,50";
    QTest::newRow("33.754") << Real(33.754L) << 2 << "33,75";
    QTest::newRow("1234.5") << Real(1234.5) << 2 << "1234,50";
    QTest::newRow("0") << Real(0) << 2 << "0,00";
    QTest::newRow("negative") << Real(-12.5) << 2 << "-12,50";
    QTest::newRow("half up") << Real(0.125) << 2 << "0,13";
    QTest::newRow("half cent") << Real(0.005L) << 2 << "0,01";
    QTest::newRow("carry") << Real(99.999L) << 2 << "100,00";
    QTest::newRow("negative rounding to zero") << Real(-0.001L) << 2 << "0,00";
    QTest::newRow("stored 0.396") << *Real48::store(0.396L) << 2 << "0,40";
    QTest::newRow("large") << Real(1e20L) << 2 << "100000000000000000000,00";
    QTest::newRow("five decimals") << Real(6.55957L) << 5 << "6,55957";
    QTest::newRow("no decimals") << Real(2.5) << 0 << "3";
}

void TestNumbers::fixed()
{
    QFETCH(Real, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(NumberText::fixed(value, decimals), text);
}

void TestNumbers::general_data()
{
    QTest::addColumn<Real>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("rate") << Real(6.55957L) << "6,55957";
    QTest::newRow("whole") << Real(656) << "656";
    QTest::newRow("one decimal") << Real(98.4L) << "98,4";
    QTest::newRow("large") << Real(1.5e20L) << "1,5E20";
    QTest::newRow("tiny") << Real(1e-10L) << "1E-10";
    QTest::newRow("zero") << Real(0) << "0";
    QTest::newRow("smallest fixed") << Real(0.00001L) << "0,00001";
    QTest::newRow("fifteen digits") << Real(999999999999999.0L) << "999999999999999";
    QTest::newRow("sixteen digits") << Real(1e15L) << "1E15";
}

void TestNumbers::general()
{
    QFETCH(Real, value);
    QFETCH(QString, text);
    QCOMPARE(NumberText::general(value), text);
}

void TestNumbers::scientific_data()
{
    QTest::addColumn<Real>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("euro rate") << Real(6.55957L) << " 6.55957000000000E+0000";
    QTest::newRow("zero") << Real(0) << " 0.00000000000000E+0000";
    QTest::newRow("negative") << Real(-5.5L) << "-5.50000000000000E+0000";
    QTest::newRow("small") << Real(0.01L) << " 1.00000000000000E-0002";
}

void TestNumbers::scientific()
{
    QFETCH(Real, value);
    QFETCH(QString, text);
    QCOMPARE(NumberText::scientific(value), text);
    QCOMPARE(text.size(), 23);
}

void TestNumbers::roundHalfEven_data()
{
    QTest::addColumn<Real>("value");
    QTest::addColumn<Real>("rounded");
    QTest::newRow("0.5") << Real(0.5) << Real(0);
    QTest::newRow("1.5") << Real(1.5) << Real(2);
    QTest::newRow("2.5") << Real(2.5) << Real(2);
    QTest::newRow("2.6") << Real(2.6) << Real(3);
    QTest::newRow("-1.5") << Real(-1.5) << Real(-2);
    QTest::newRow("-2.5") << Real(-2.5) << Real(-2);
}

void TestNumbers::roundHalfEven()
{
    QFETCH(Real, value);
    QFETCH(Real, rounded);
    QCOMPARE(NumberText::roundHalfEven(value), rounded);
}

void TestNumbers::dates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");
    QTest::newRow("full") << "05/03/2024" << QDate(2024, 3, 5);
    QTest::newRow("short day and month") << "5/3/2024" << QDate(2024, 3, 5);
    QTest::newRow("blanks around") << " 31/12/2023 " << QDate(2023, 12, 31);
    QTest::newRow("no leap day") << "29/02/2023" << QDate();
    QTest::newRow("month 13") << "05/13/2024" << QDate();
    QTest::newRow("dashes") << "05-03-2024" << QDate();
    QTest::newRow("no year") << "05/03" << QDate();
    QTest::newRow("empty") << "" << QDate();
}

void TestNumbers::dates()
{
    QFETCH(QString, text);
    QFETCH(QDate, date);
    QDate out;
    QCOMPARE(NumberText::tryToDate(text, out), date.isValid());
    if (date.isValid()) {
        QCOMPARE(out, date);
        QCOMPARE(*NumberText::toDate(text), date);
        QCOMPARE(*NumberText::toDate(NumberText::formatDate(date)), date);
    } else {
        QCOMPARE(errorOf(NumberText::toDate(text)),
                 QStringLiteral("'%1' n'est pas une date correcte").arg(text));
    }
}

void TestNumbers::smallTexts()
{
    QCOMPARE(NumberText::formatDate(QDate(2024, 3, 5)), QStringLiteral("05/03/2024"));
    QCOMPARE(NumberText::trimmed(QStringLiteral("\t 12 \r\n")), QStringLiteral("12"));
    QCOMPARE(NumberText::trimmed(QStringLiteral(" \x01 ")), QString());
    QCOMPARE(NumberText::trimmed(QStringLiteral("a b")), QStringLiteral("a b"));
}

QTEST_GUILESS_MAIN(TestNumbers)
#include "test_numbers.moc"
