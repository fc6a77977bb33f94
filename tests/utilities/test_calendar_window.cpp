// SPDX-License-Identifier: GPL-3.0-or-later
// The calendar window: the "Mois" buttons, Page Up and Page Down, Escape and reopening.

#include "testsupport.h"
#include "utilities/calendarwindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

QString caption(QWidget *w)
{
    return w->findChild<QLabel *>("MonthCaption")->text();
}

QCalendarWidget *grid(QWidget *w)
{
    return w->findChild<QCalendarWidget *>("MonthView");
}

void click(QWidget *w, const char *name)
{
    QTest::mouseClick(w->findChild<QPushButton *>(name), Qt::LeftButton);
}

} // namespace

class TestCalendarWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void monthButtonsAndKeys()
    {
        TemporaryWorkingDir dir;
        FakePlatform desktop(QDateTime(QDate(2024, 1, 31), QTime(12, 0)));
        CalendarWindow window;
        window.show();
        QCOMPARE(caption(&window), QString("janvier  2024"));
        QCOMPARE(grid(&window)->selectedDate(), QDate(2024, 1, 31));
        QCOMPARE(grid(&window)->firstDayOfWeek(), Qt::Sunday);

        click(&window, "NextMonthButton");
        QCOMPARE(grid(&window)->selectedDate(), QDate(2024, 2, 29));
        QCOMPARE(caption(&window), QString("février  2024"));
        QCOMPARE(grid(&window)->monthShown(), 2);

        auto *view = grid(&window)->findChild<QAbstractItemView *>();
        QVERIFY(view);
        QTest::keyClick(view, Qt::Key_PageUp);
        QCOMPARE(window.calendar().date(), QDate(2024, 1, 29));
        QTest::keyClick(window.findChild<QPushButton *>("CloseButton"), Qt::Key_PageDown);
        QCOMPARE(window.calendar().date(), QDate(2024, 2, 29));

        // The grid's own arrows choose another day of the month.
        QTest::keyClick(view, Qt::Key_Left);
        QCOMPARE(window.calendar().date(), QDate(2024, 2, 28));

        for (int i = 0; i < 12; ++i)
            click(&window, "NextMonthButton");
        QCOMPARE(caption(&window), QString("février  2025"));
        QCOMPARE(grid(&window)->selectedDate(), QDate(2025, 2, 28));
        click(&window, "PreviousMonthButton");
        QCOMPARE(caption(&window), QString("janvier  2025"));
    }

    void reopeningKeepsTheMonth()
    {
        TemporaryWorkingDir dir;
        FakePlatform desktop(QDateTime(QDate(2023, 3, 31), QTime(12, 0)));
        CalendarWindow window;
        QTimer::singleShot(0, [] {
            QWidget *w = QApplication::activeModalWidget();
            QVERIFY(w);
            QCOMPARE(caption(w), QString("mars  2023"));
            click(w, "PreviousMonthButton");
            QTest::keyClick(grid(w)->findChild<QAbstractItemView *>(), Qt::Key_Escape);
        });
        window.exec();
        QVERIFY(!window.isVisible());
        desktop.moment = desktop.moment.addDays(40);
        QTimer::singleShot(0, [] {
            QWidget *w = QApplication::activeModalWidget();
            QVERIFY(w);
            QCOMPARE(caption(w), QString("février  2023"));
            QCOMPARE(grid(w)->selectedDate(), QDate(2023, 2, 28));
            click(w, "CloseButton");
        });
        window.exec();
        QVERIFY(!window.isVisible());
        // The Escape character typed some other way (Ctrl+[) closes it from the grid too.
        QTimer::singleShot(0, [] {
            QWidget *w = QApplication::activeModalWidget();
            QVERIFY(w);
            QTest::sendKeyEvent(QTest::Click, grid(w)->findChild<QAbstractItemView *>(),
                                Qt::Key_BracketLeft, QString(QChar(27)), Qt::ControlModifier);
        });
        window.exec();
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(TestCalendarWindow)
#include "test_calendar_window.moc"
