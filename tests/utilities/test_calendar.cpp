// SPDX-License-Identifier: GPL-3.0-or-later
// Month steps of the perpetual calendar and its caption.

#include "utilities/monthcalendar.h"

#include <QTest>

class TestCalendar : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void steps_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<int>("months"); // positive: next presses, negative: previous presses
        QTest::addColumn<QDate>("expected");

        QTest::newRow("31 Jan next, leap") << QDate(2024, 1, 31) << 1 << QDate(2024, 2, 29);
        QTest::newRow("31 Jan next") << QDate(2023, 1, 31) << 1 << QDate(2023, 2, 28);
        QTest::newRow("31 Mar previous") << QDate(2023, 3, 31) << -1 << QDate(2023, 2, 28);
        QTest::newRow("twelve next") << QDate(1998, 10, 14) << 12 << QDate(1999, 10, 14);
        QTest::newRow("December next") << QDate(1999, 12, 31) << 1 << QDate(2000, 1, 31);
        QTest::newRow("January previous") << QDate(2000, 1, 15) << -1 << QDate(1999, 12, 15);
        // A shortened day is not given back by the next step.
        QTest::newRow("31 Jan two next") << QDate(2023, 1, 31) << 2 << QDate(2023, 3, 28);
    }
    void steps()
    {
        QFETCH(QDate, start);
        QFETCH(int, months);
        QFETCH(QDate, expected);
        MonthCalendar calendar(start);
        for (int i = 0; i < std::abs(months); ++i)
            months > 0 ? calendar.nextMonth() : calendar.previousMonth();
        QCOMPARE(calendar.date(), expected);
    }

    void caption()
    {
        QCOMPARE(MonthCalendar::caption(QDate(1998, 10, 14)), QString("octobre  1998"));
        QCOMPARE(MonthCalendar::caption(QDate(2024, 2, 1)), QString("février  2024"));
        QCOMPARE(MonthCalendar::caption(QDate(2031, 8, 31)), QString("août  2031"));
    }
};

QTEST_GUILESS_MAIN(TestCalendar)
#include "test_calendar.moc"
