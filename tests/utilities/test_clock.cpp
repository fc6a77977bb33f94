// SPDX-License-Identifier: GPL-3.0-or-later
// The clock's spin clamps and the universal time that the second "Set" hands to the system.

#include "utilities/clocksetting.h"

#include <QTest>
#include <ctime>

class TestClock : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // Central European time with its summer time, whatever the machine's zone.
        qputenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3");
        tzset();
    }

    void spin_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("date");
        QTest::addColumn<int>("steps");        // positive: up presses, negative: down presses
        QTest::addColumn<QString>("expected"); // "time date" afterwards

        const QString d = "15/06/2024";
        QTest::newRow("hour up to 24")
            << int(ClockSetting::Hour) << "23:15:30" << d << 3 << "24:15:30 15/06/2024";
        QTest::newRow("hour down stops at 0")
            << int(ClockSetting::Hour) << "01:15:30" << d << -2 << "00:15:30 15/06/2024";
        QTest::newRow("minute down stops at 0")
            << int(ClockSetting::Minute) << "10:00:30" << d << -1 << "10:00:30 15/06/2024";
        QTest::newRow("minute up stops at 59")
            << int(ClockSetting::Minute) << "10:58:30" << d << 3 << "10:59:30 15/06/2024";
        QTest::newRow("day up stops at 31") << int(ClockSetting::Day) << "10:00:00"
                                            << "30/06/2024" << 3 << "10:00:00 31/06/2024";
        QTest::newRow("day down stops at 0") << int(ClockSetting::Day) << "10:00:00"
                                             << "01/06/2024" << -2 << "10:00:00 00/06/2024";
        QTest::newRow("month up stops at 12") << int(ClockSetting::Month) << "10:00:00"
                                              << "01/11/2024" << 2 << "10:00:00 01/12/2024";
        QTest::newRow("year down stops at 1900") << int(ClockSetting::Year) << "10:00:00"
                                                 << "01/01/1901" << -3 << "10:00:00 01/01/1900";
        QTest::newRow("year up stops at 2099") << int(ClockSetting::Year) << "10:00:00"
                                               << "01/01/2098" << 3 << "10:00:00 01/01/2099";
        QTest::newRow("two-digit year") << int(ClockSetting::Year) << "10:00:00"
                                        << "12/05/98" << 1 << "10:00:00 12/05/1999";
        QTest::newRow("no field") << int(ClockSetting::NoField) << "10:00:00" << d << 5
                                  << "10:00:00 15/06/2024";
    }
    void spin()
    {
        QFETCH(int, field);
        QFETCH(QString, time);
        QFETCH(QString, date);
        QFETCH(int, steps);
        QFETCH(QString, expected);
        ClockSetting setting;
        setting.setTexts(time, date);
        setting.setField(static_cast<ClockSetting::Field>(field));
        for (int i = 0; i < std::abs(steps); ++i)
            QVERIFY(steps > 0 ? setting.spinUp() : setting.spinDown());
        QCOMPARE(setting.timeText() + " " + setting.dateText(), expected);
    }

    void unreadableDigits()
    {
        ClockSetting setting;
        setting.setTexts("ab:00:00", "01/01/2024");
        setting.setField(ClockSetting::Hour);
        const QString message = "'ab' n'est pas une valeur entière correcte";
        const Status spun = setting.spinUp();
        QVERIFY(!spun);
        QCOMPARE(spun.message(), message);
        QCOMPARE(setting.timeText(), QString("ab:00:00"));

        // Nor is anything set from them.
        QVERIFY(setting.toggleSetting());
        const Result<ClockSetting::Outcome> second = setting.toggleSetting();
        QVERIFY(!second);
        QCOMPARE(second.message(), message);
        QVERIFY(setting.settingMode());
    }

    void displayedUtc_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("utc"); // empty: not a valid moment

        QTest::newRow("winter") << "10:30:00"
                                << "15/01/2024"
                                << "2024-01-15T09:30:00Z";
        QTest::newRow("summer") << "10:30:45"
                                << "15/07/2024"
                                << "2024-07-15T08:30:45Z";
        QTest::newRow("hour 24") << "24:00:00"
                                 << "31/12/2023"
                                 << "2023-12-31T23:00:00Z";
        QTest::newRow("across the day") << "00:05:07"
                                        << "01/03/2024"
                                        << "2024-02-29T23:05:07Z";
        QTest::newRow("day 0") << "10:00:00"
                               << "00/05/2024"
                               << "";
        QTest::newRow("month 0") << "10:00:00"
                                 << "10/00/2024"
                                 << "";
        QTest::newRow("31 April") << "10:00:00"
                                  << "31/04/2024"
                                  << "";
        QTest::newRow("29 February 2023") << "10:00:00"
                                          << "29/02/2023"
                                          << "";
        QTest::newRow("summer time gap") << "02:30:00"
                                         << "31/03/2024"
                                         << "";
    }
    void displayedUtc()
    {
        QFETCH(QString, time);
        QFETCH(QString, date);
        QFETCH(QString, utc);
        const Result<QDateTime> read = ClockSetting::displayedUtc(time, date);
        QVERIFY(read);
        const QDateTime &result = *read;
        QCOMPARE(result.isValid() ? result.toString(Qt::ISODate) : QString(), utc);
    }
};

QTEST_GUILESS_MAIN(TestClock)
#include "test_clock.moc"
