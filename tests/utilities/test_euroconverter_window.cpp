// SPDX-License-Identifier: GPL-3.0-or-later
// The euro converter window, driven with the keyboard, the keypad and the spin button.

#include "testsupport.h"
#include "utilities/euroconverterwindow.h"
#include "utilities/spinbutton.h"

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
    return w->findChild<QLabel *>("Entry")->text() + "|" +
           w->findChild<QLabel *>("ConvertedAmount")->text() + "|" +
           w->findChild<QLineEdit *>("Rate")->text();
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
        EuroConverterWindow window;
        window.show();
        QWidget *equals = button(&window, "ConvertButton");
        QTest::keyClicks(equals, "1a.5");
        QCOMPARE(shown(&window), QString("1,5||6,55957"));
        QTest::keyClick(equals, Qt::Key_Return);
        QCOMPARE(shown(&window), QString("1,5|0,23|6,55957"));
        QVERIFY(window.isVisible());

        QTest::mouseClick(window.findChild<QRadioButton *>("EurosToFrancs"), Qt::LeftButton);
        for (const char *name : {"Key1", "Key5", "CommaKey", "Key0", "ConvertButton"})
            QTest::mouseClick(button(&window, name), Qt::LeftButton);
        QCOMPARE(shown(&window), QString("15,0|98,4|6,55957"));

        auto *spin = window.findChild<SpinButton *>("RateButton");
        QTest::mouseClick(spin->upButton(), Qt::LeftButton);
        QCOMPARE(shown(&window), QString("15,0|98,4|6,55958"));
        spin->setFocus();
        QTest::keyClick(spin, Qt::Key_Down);
        QTest::keyClick(spin, Qt::Key_Down);
        QCOMPARE(shown(&window), QString("15,0|98,4|6,55956"));
    }

    void escapeClosesAndShowingAgainKeepsTheEntry()
    {
        EuroConverterWindow window;
        QTimer::singleShot(0, [] {
            QWidget *w = QApplication::activeModalWidget();
            QVERIFY(w);
            QTest::keyClicks(button(w, "ConvertButton"), "12");
            QTest::mouseClick(button(w, "CloseButton"), Qt::LeftButton);
        });
        window.exec();
        window.setRateAndDirection(99999, 2);
        QTimer::singleShot(0, [] {
            QWidget *w = QApplication::activeModalWidget();
            QVERIFY(w);
            QCOMPARE(w->focusWidget(), button(w, "ConvertButton"));
            QTest::keyClicks(button(w, "ConvertButton"), "3");
            QTest::keyClick(button(w, "ConvertButton"), Qt::Key_Return);
            QCOMPARE(shown(w), QString("123|806,8|6,55957"));
            QTest::keyClick(button(w, "ConvertButton"), Qt::Key_Escape);
            if (w->isVisible())
                static_cast<QDialog *>(w)->reject();
        });
        window.exec();
        QCOMPARE(shown(&window), QString("||6,55957")); // Escape after a result empties
    }
};

QTEST_MAIN(TestEuroConverterWindow)
#include "test_euroconverter_window.moc"
