// SPDX-License-Identifier: GPL-3.0-or-later
// The euro converter window, driven with the keyboard, the keypad and the spin button.

#include "testsupport.h"
#include "utilities/spinbutton.h"
#include "utilities/teurof.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

QString shown(QWidget *w)
{
    return w->findChild<QLabel *>("Label1")->text() + "|" +
           w->findChild<QLabel *>("Label2")->text() + "|" +
           w->findChild<QLineEdit *>("Edit3")->text();
}

QPushButton *button(QWidget *w, const char *name)
{
    return w->findChild<QPushButton *>(name);
}

} // namespace

class TestEuroConverterWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keysKeypadDirectionAndSpin()
    {
        TEurof window;
        window.show();
        QWidget *equals = button(&window, "Button11");
        QTest::keyClicks(equals, "1a.5");
        QCOMPARE(shown(&window), QString("1,5||6,55957"));
        QTest::keyClick(equals, Qt::Key_Return);
        QCOMPARE(shown(&window), QString("1,5|0,23|6,55957"));
        QVERIFY(window.isVisible());

        QTest::mouseClick(window.findChild<QRadioButton *>("RadioButton2"), Qt::LeftButton);
        for (const char *name : {"Button1", "Button5", "Button12", "Button0", "Button11"})
            QTest::mouseClick(button(&window, name), Qt::LeftButton);
        QCOMPARE(shown(&window), QString("15,0|98,4|6,55957"));

        auto *spin = window.findChild<SpinButton *>("SpinButton1");
        QTest::mouseClick(spin->upButton(), Qt::LeftButton);
        QCOMPARE(shown(&window), QString("15,0|98,4|6,55958"));
        spin->setFocus();
        QTest::keyClick(spin, Qt::Key_Down);
        QTest::keyClick(spin, Qt::Key_Down);
        QCOMPARE(shown(&window), QString("15,0|98,4|6,55956"));
    }

    void escapeClosesAndShowingAgainKeepsTheEntry()
    {
        TEurof window;
        QTimer::singleShot(0, [] {
            QWidget *w = QApplication::activeModalWidget();
            QVERIFY(w);
            QTest::keyClicks(button(w, "Button11"), "12");
            QTest::mouseClick(button(w, "Button10"), Qt::LeftButton);
        });
        window.exec();
        window.SetIni(99999, 2);
        QTimer::singleShot(0, [] {
            QWidget *w = QApplication::activeModalWidget();
            QVERIFY(w);
            QCOMPARE(w->focusWidget(), button(w, "Button11"));
            QTest::keyClicks(button(w, "Button11"), "3");
            QTest::keyClick(button(w, "Button11"), Qt::Key_Return);
            QCOMPARE(shown(w), QString("123|806,8|6,55957"));
            QTest::keyClick(button(w, "Button11"), Qt::Key_Escape);
            if (w->isVisible())
                static_cast<QDialog *>(w)->reject();
        });
        window.exec();
        QCOMPARE(shown(&window), QString("||6,55957")); // Escape after a result empties
    }
};

QTEST_MAIN(TestEuroConverterWindow)
#include "test_euroconverter_window.moc"
