// SPDX-License-Identifier: GPL-3.0-or-later
// The clock window: ticking, the timer's life, "Set" twice, and closing without writing.

#include "testsupport.h"
#include "utilities/clockwindow.h"
#include "utilities/spinbutton.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <ctime>

namespace {

QString shown(QWidget *w)
{
    return w->findChild<QLabel *>("Time")->text() + " " + w->findChild<QLabel *>("Date")->text();
}

void click(QWidget *w, const char *name)
{
    QWidget *child = w->findChild<QWidget *>(name);
    QVERIFY2(child, name);
    QTest::mouseClick(child, Qt::LeftButton);
}

void spin(QWidget *w, bool up, int times = 1)
{
    auto *spinButton = w->findChild<SpinButton *>("AdjustButton");
    for (int i = 0; i < times; ++i)
        QTest::mouseClick(up ? spinButton->upButton() : spinButton->downButton(), Qt::LeftButton);
}

} // namespace

class TestClockWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        qputenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3");
        tzset();
    }

    void setAdjustSet()
    {
        TemporaryWorkingDir dir;
        FakePlatform desktop(QDateTime(QDate(2024, 7, 15), QTime(10, 30, 5)));
        const QList<QDateTime> &written = desktop.timesSet;
        ClockWindow window;
        window.show();
        auto *timer = window.findChild<QTimer *>("Timer");
        QVERIFY(timer->isActive());
        QCOMPARE(shown(&window), QString("10:30:05 15/07/2024"));
        desktop.moment = desktop.moment.addSecs(2);
        QMetaObject::invokeMethod(timer, "timeout");
        QCOMPARE(shown(&window), QString("10:30:07 15/07/2024"));

        spin(&window, true); // no field chosen yet
        QCOMPARE(shown(&window), QString("10:30:07 15/07/2024"));

        click(&window, "SetButton");
        QVERIFY(!timer->isActive());
        click(&window, "FieldMn");
        spin(&window, true, 2);
        click(&window, "FieldJo");
        spin(&window, false);
        QCOMPARE(shown(&window), QString("10:32:07 14/07/2024"));
        click(&window, "SetButton");
        QCOMPARE(written,
                 QList<QDateTime>{QDateTime(QDate(2024, 7, 14), QTime(8, 32, 7), Qt::UTC)});
        QVERIFY(timer->isActive());
        QVERIFY(desktop.asked.isEmpty());

        // A day that does not exist is told and written nowhere.
        desktop.timesSet.clear();
        click(&window, "SetButton");
        spin(&window, false, 20);
        click(&window, "SetButton");
        QCOMPARE(desktop.texts(), QStringList{"Date ou heure incorrecte"});
        QVERIFY(written.isEmpty());

        // The time service refuses: its reason is told, and the clock runs on.
        desktop.timeRefusal = Failure("L'heure est réglée automatiquement par le réseau.");
        spin(&window, true, 3);
        click(&window, "SetButton");
        QCOMPARE(desktop.texts().last(),
                 QString("L'heure est réglée automatiquement par le réseau."));
        QVERIFY(timer->isActive());

        // Refused without a reason of its own.
        desktop.timeRefusal = Failure(QString());
        click(&window, "SetButton");
        click(&window, "SetButton");
        QCOMPARE(desktop.texts().last(), QString("Impossible de régler l'horloge de l'ordinateur"));
        QVERIFY(!window.setting().settingMode());
        QVERIFY(desktop.timesSet.isEmpty());
    }

    void closingWithoutSecondSetWritesNothing()
    {
        TemporaryWorkingDir dir;
        FakePlatform desktop(QDateTime(QDate(2024, 1, 15), QTime(23, 59, 0)));
        ClockWindow window;
        QTimer::singleShot(0, [] {
            QWidget *w = QApplication::activeModalWidget();
            QVERIFY(w);
            click(w, "SetButton");
            click(w, "FieldHr");
            spin(w, true, 3);
            QCOMPARE(shown(w), QString("24:59:00 15/01/2024"));
            click(w, "CloseButton");
        });
        window.exec();
        QVERIFY(!window.findChild<QTimer *>("Timer")->isActive());
        QTimer::singleShot(0, [] {
            QWidget *w = QApplication::activeModalWidget();
            QVERIFY(w);
            QCOMPARE(shown(w), QString("23:59:00 15/01/2024"));
            QVERIFY(!static_cast<ClockWindow *>(w)->setting().settingMode());
            QTest::keyClick(w->findChild<QWidget *>("SetButton"), Qt::Key_Escape);
        });
        window.exec();
        QVERIFY(!window.isVisible());
        QVERIFY(desktop.timesSet.isEmpty());
    }
};

QTEST_MAIN(TestClockWindow)
#include "test_clock_window.moc"
