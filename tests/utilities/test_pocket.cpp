// SPDX-License-Identifier: GPL-3.0-or-later
// The pocket calculator's rules: chains, repeated "=", 1/x and sqr, and the errors that leave
// the display and the accumulator as they were.

#include "utilities/pocketcalculator.h"

#include <QTest>

namespace {

// Types a sequence of keys as the keyboard gives them ("x" is 1/x, "s" sqr, "C" clear), up to
// the first that fails.
Status type(PocketCalculator &calculator, const QString &keys)
{
    for (QChar c : keys) {
        const int key = PocketCalculator::keyFor(c);
        if (key == PocketCalculator::NoKey) // a slip in the test's keys fails the case
            return Failure(QStringLiteral("no key for ") + c);
        const Status pressed = calculator.press(key);
        if (!pressed)
            return pressed;
    }
    return {};
}

} // namespace

class TestPocket : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sequences_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("pending");

        QTest::newRow("left to right") << "2+3*4="
                                       << "20"
                                       << "*";
        QTest::newRow("equals repeats +") << "2+3=="
                                          << "10"
                                          << "+";
        QTest::newRow("equals repeats *") << "3*3=="
                                          << "81"
                                          << "*";
        QTest::newRow("new number continues") << "2+3=7="
                                              << "12"
                                              << "+";
        QTest::newRow("no operator drops entry") << "5=3="
                                                 << "5"
                                                 << "";
        QTest::newRow("chain in working order") << "3*4+2="
                                                << "14"
                                                << "+";
        QTest::newRow("operator after equals repeats") << "2+3=*"
                                                       << "10"
                                                       << "*";
        QTest::newRow("two operators") << "2+*"
                                       << "4"
                                       << "*";
        QTest::newRow("sqr replaces accumulator") << "3+4s="
                                                  << "4"
                                                  << "+";
        QTest::newRow("reciprocal") << "4x"
                                    << "0,25"
                                    << "";
        QTest::newRow("sqr plain 15 digits") << "2s"
                                             << "1,4142135623731"
                                             << "";
        QTest::newRow("equals on empty") << "="
                                         << ""
                                         << "";
        QTest::newRow("operator first") << "+2=3="
                                        << "5"
                                        << "+";
        QTest::newRow("clear") << "2+3C"
                               << ""
                               << "";
        // Results carry no storage noise and no genuine digit is cut.
        QTest::newRow("tenths") << "0,1+0,2="
                                << "0,3"
                                << "+";
        QTest::newRow("1,05") << "1,05*1="
                              << "1,05"
                              << "*";
        QTest::newRow("large") << "150000000000000000000*1="
                               << "1,5E20"
                               << "*";
        QTest::newRow("third") << "1/3="
                               << "0,333333333333333"
                               << "/";
        // A comma starts a new number as "0,"; a second one is ignored.
        QTest::newRow("comma first") << ",5"
                                     << "0,5"
                                     << "";
        QTest::newRow("comma after result") << "2+3=,5+"
                                            << "5,5"
                                            << "+";
        QTest::newRow("second comma") << "1,2,3"
                                      << "1,23"
                                      << "";
    }
    void sequences()
    {
        QFETCH(QString, keys);
        PocketCalculator calculator;
        calculator.activate();
        QFETCH(QString, display);
        QFETCH(QString, pending);
        QVERIFY(type(calculator, keys));
        QCOMPARE(calculator.display(), display);
        const QChar op = calculator.pendingOperator();
        QCOMPARE(op.isNull() ? QString() : QString(op), pending);
    }

    void errors_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("display");
        QTest::addColumn<double>("accumulator");
        QTest::addColumn<QString>("pending");

        const QString nines(5000, QLatin1Char('9')); // too long to be a number at all
        QTest::newRow("division by zero") << "7/0"
                                          << "="
                                          << "Division flottante par zéro"
                                          << "0" << 7.0 << "/";
        QTest::newRow("zero by zero") << "0/0"
                                      << "="
                                      << "Opération flottante incorrecte"
                                      << "0" << 0.0 << "/";
        QTest::newRow("root of negative") << "1-2="
                                          << "s"
                                          << "Opération flottante incorrecte"
                                          << "-1" << -1.0 << "-";
        QTest::newRow("reciprocal of zero") << "3+0"
                                            << "x"
                                            << "Division flottante par zéro"
                                            << "0" << 3.0 << "+";
        QTest::newRow("reciprocal of nothing") << ""
                                               << "x"
                                               << "'' n'est pas une valeur flottante correcte"
                                               << "" << 0.0 << "";
        QTest::newRow("unreadable keeps operator")
            << "2+" + nines << "-"
            << "'" + nines + "' n'est pas une valeur flottante correcte" << nines << 2.0 << "+";
        QTest::newRow("overflow") << "100000000000000000000000000000000000000*10"
                                  << "="
                                  << "Débordement flottant"
                                  << "10" << 1e38 << "*";
        // Below the range a typed number is kept as 0.
        QTest::newRow("tiny reciprocal") << "0," + QString(40, QLatin1Char('0')) + "1"
                                         << "x"
                                         << "Division flottante par zéro"
                                         << "0," + QString(40, QLatin1Char('0')) + "1" << 0.0 << "";
    }
    void errors()
    {
        QFETCH(QString, before);
        QFETCH(QString, failing);
        QFETCH(QString, message);
        QFETCH(QString, display);
        QFETCH(double, accumulator);
        QFETCH(QString, pending);
        PocketCalculator calculator;
        calculator.activate();
        QVERIFY(type(calculator, before));
        const Status failed = type(calculator, failing);
        QVERIFY(!failed);
        QCOMPARE(failed.message(), message);
        QCOMPARE(calculator.display(), display);
        QCOMPARE(double(calculator.accumulator()), accumulator);
        const QChar op = calculator.pendingOperator();
        QCOMPARE(op.isNull() ? QString() : QString(op), pending);
    }

    // The reciprocal too large to keep is shown before the overflow is reported.
    void reciprocalBeyondRange()
    {
        PocketCalculator calculator;
        calculator.activate();
        QVERIFY(type(calculator, "5+0," + QString(38, QLatin1Char('0')) + "3"));
        const Status failed = type(calculator, "x");
        QVERIFY(!failed);
        QCOMPARE(failed.message(), QStringLiteral("Débordement flottant"));
        QVERIFY(calculator.display().endsWith("E38"));
        QCOMPARE(double(calculator.accumulator()), 5.0);
    }
};

QTEST_GUILESS_MAIN(TestPocket)
#include "test_pocket.moc"
