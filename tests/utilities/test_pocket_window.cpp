// The calculator window: keyboard map, focus, errors told by the general report, Escape.

#include "testsupport.h"
#include "utilities/tpocket.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

QString display(QWidget *w)
{
    return w->findChild<QLabel *>("Label1")->text();
}

QPushButton *button(QWidget *w, int n)
{
    return w->findChild<QPushButton *>(QStringLiteral("Button%1").arg(n));
}

} // namespace

class TestPocketWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keysPressTheirButtons()
    {
        TemporaryWorkingDir dir;
        TPocket window;
        window.show();
        QWidget *equals = button(&window, 11);
        QCOMPARE(window.focusWidget(), equals);
        QTest::keyClicks(equals, "12a.5+");
        QCOMPARE(display(&window), QString("12,5"));
        QTest::keyClicks(equals, "2,5=");
        QCOMPARE(display(&window), QString("15"));
        QTest::keyClicks(equals, "c4X");
        QCOMPARE(display(&window), QString("0,25"));
        QTest::keyClicks(&window, "C9s");
        QCOMPARE(display(&window), QString("3"));

        // With no operator pending, "*" drops the 0,5 and keeps the 3.
        for (int n : {10, 5, 14, 4, 11})
            QTest::mouseClick(button(&window, n), Qt::LeftButton);
        QCOMPARE(display(&window), QString("12"));

        // "1/x" and "sqr" type nothing when they hold the focus.
        QWidget *sqr = button(&window, 17);
        sqr->setFocus();
        QTest::keyClicks(sqr, "7");
        QCOMPARE(display(&window), QString("12"));
        button(&window, 18)->setFocus();
        QTest::keyClicks(button(&window, 18), "7");
        QCOMPARE(display(&window), QString("7"));
    }

    void longNumbersKeepTheWindowSize()
    {
        TemporaryWorkingDir dir;
        TPocket window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QSize size = window.size();
        auto *label = window.findChild<QLabel *>("Label1");
        const QString digits = QString(70, QLatin1Char('7')) + QStringLiteral("123");
        QTest::keyClicks(&window, digits);
        QCoreApplication::processEvents();
        QCOMPARE(display(&window), digits);
        QCOMPARE(window.size(), size);
        QVERIFY(label->geometry().right() < window.width());
    }

    void errorsAreReported()
    {
        TemporaryWorkingDir dir;
        FakePlatform desktop;
        TPocket window;
        window.show();
        QTest::keyClicks(button(&window, 11), "7/0=");
        QCOMPARE(desktop.texts(), QStringList{"Division flottante par zéro"});
        QCOMPARE(display(&window), QString("0"));
        QCOMPARE(double(window.calculator().accumulator()), 7.0);
    }

    void escapeClosesAndOpeningResets()
    {
        TemporaryWorkingDir dir;
        TPocket window;
        QTimer::singleShot(0, [] {
            QWidget *w = QApplication::activeModalWidget();
            QVERIFY(w);
            QTest::keyClicks(button(w, 11), "2+3=");
            QCOMPARE(display(w), QString("5"));
            QTest::keyClick(button(w, 11), Qt::Key_Escape);
        });
        window.exec();
        QVERIFY(!window.isVisible());
        QTimer::singleShot(0, [] {
            QWidget *w = QApplication::activeModalWidget();
            QVERIFY(w);
            QCOMPARE(display(w), QString());
            QCOMPARE(w->focusWidget(), button(w, 11));
            QTest::mouseClick(button(w, 19), Qt::LeftButton);
        });
        window.exec();
        QVERIFY(!window.isVisible());
        QVERIFY(!window.calculator().accumulatorValid());
    }
};

QTEST_MAIN(TestPocketWindow)
#include "test_pocket_window.moc"
