// SPDX-License-Identifier: GPL-3.0-or-later
// The euro converter's arithmetic, its two modes and its rate.

#include "utilities/euroconverter.h"

#include <QTest>

namespace {

void type(EuroConverter &c, const QString &keys)
{
    for (QChar k : keys)
        c.keyPress(k);
}

} // namespace

class TestEuroConverter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // An empty result: the entry is not a number or out of range, both displays are emptied.
    void conversion_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<double>("rate");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        const int fe = EuroConverter::FrancsToEuros, ef = EuroConverter::EurosToFrancs;
        QTest::newRow("100 F") << fe << 655957.0 << "100"
                               << "15,24";
        QTest::newRow("1000 F") << fe << 655957.0 << "1000"
                                << "152,45";
        QTest::newRow("1 F") << fe << 655957.0 << "1"
                             << "0,15";
        QTest::newRow("100 EUR, to the tenth of a franc") << ef << 655957.0 << "100"
                                                          << "656";
        QTest::newRow("15 EUR") << ef << 655957.0 << "15"
                                << "98,4";
        QTest::newRow("1 EUR") << ef << 655957.0 << "1"
                               << "6,6";
        QTest::newRow("half to even, down") << fe << 100000.0 << "0.125"
                                            << "0,12";
        QTest::newRow("half to even, up") << fe << 100000.0 << "0,375"
                                          << "0,38";
        QTest::newRow("empty") << fe << 655957.0 << ""
                               << "";
        QTest::newRow("two commas") << fe << 655957.0 << "1,2,3"
                                    << "";
        QTest::newRow("too large") << fe << 655957.0 << "1" + QString(40, '0') << "";
    }
    void conversion()
    {
        QFETCH(int, direction);
        QFETCH(double, rate);
        QFETCH(QString, typed);
        QFETCH(QString, result);
        EuroConverter c;
        c.setIni(rate, direction);
        type(c, typed + "\r");
        QCOMPARE(c.result(), result);
        QCOMPARE(c.entry(), result.isEmpty() ? QString() : typed.replace('.', ','));
        QCOMPARE(c.resultShown(), !result.isEmpty());
    }

    void resultModeAndEntryMode()
    {
        EuroConverter c;
        type(c, "100\r\r"); // Enter again converts again
        QCOMPARE(c.result(), QString("15,24"));
        type(c, "5"); // the next key starts a new entry
        QCOMPARE(c.entry() + "|" + c.result(), QString("5|"));
        type(c, "0\r");
        c.keypad(QLatin1Char('7'));
        QCOMPARE(c.entry() + "|" + c.result(), QString("7|"));
        type(c, "\r");
        c.activate(); // shown again: typing goes on, the displays are kept
        c.keypad(QLatin1Char('0'));
        QCOMPARE(c.entry() + "|" + c.result(), QString("70|1,07"));
        type(c, "\r");
        QVERIFY(c.keyPress(QChar(EuroConverter::Escape)));
        QCOMPARE(c.entry(), QString());
    }

    void rate()
    {
        EuroConverter c;
        c.spinUp();
        QCOMPARE(c.rateText(), QString("6,55958"));
        c.setIni(99999, 2); // below 1,00000: the default
        Real value = 0;
        int direction = 0;
        c.getIni(value, direction);
        QCOMPARE(value, Real(655957));
        QCOMPARE(direction, 2);
        c.setIni(100000, 0); // 0 leaves the direction
        QCOMPARE(c.rateText(), QString("1"));
        QCOMPARE(c.direction(), EuroConverter::EurosToFrancs);
        for (int k = 0; k < 100000; ++k)
            c.spinDown();
        QCOMPARE(c.rateText(), QString("0,00001"));
    }
};

QTEST_GUILESS_MAIN(TestEuroConverter)
#include "test_euroconverter.moc"
