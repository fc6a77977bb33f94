// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator window: keyboard map, focus, results typed and clicked, errors told by the
// general report, Escape.

#include "testsupport.h"
#include "utilities/pocketcalculatorwindow.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

QString display(QWidget *w)
{
    return w->findChild<QLabel *>("Display")->text();
}

QPushButton *button(QWidget *w, int n)
{
    return w->findChild<QPushButton *>(QStringLiteral("Key%1").arg(n));
}

// The keys typed for m_digit0 to m_clearKey, in that order.
const QString KeyCaps = QStringLiteral("0123456789,=+-*/xsc");

// Expected values worked out in exact decimal: `units` of 10^-decimals.
struct Exact {
    __int128 units = 0;
    int decimals = 0;
};

Exact exact(const QString &text)
{
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    return {QString(text).remove(QLatin1Char(',')).toLongLong(),
            comma < 0 ? 0 : int(text.size() - comma - 1)};
}

Exact scaled(Exact e, int decimals)
{
    for (; e.decimals < decimals; ++e.decimals)
        e.units *= 10;
    return e;
}

Exact operator+(Exact a, Exact b)
{
    const int decimals = std::max(a.decimals, b.decimals);
    return {scaled(a, decimals).units + scaled(b, decimals).units, decimals};
}

Exact operator-(Exact a, Exact b)
{
    b.units = -b.units;
    return a + b;
}

Exact operator*(Exact a, Exact b)
{
    return {a.units * b.units, a.decimals + b.decimals};
}

// With the decimal comma and no trailing zeros (small enough for fixed notation).
QString text(Exact e)
{
    QString digits;
    for (__int128 u = e.units < 0 ? -e.units : e.units; u > 0 || digits.size() <= e.decimals;
         u /= 10)
        digits.prepend(QChar(u'0' + int(u % 10)));
    QString whole = digits.left(digits.size() - e.decimals);
    QString fraction = digits.right(e.decimals);
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    return (e.units < 0 ? QStringLiteral("-") : QString()) + whole +
           (fraction.isEmpty() ? QString() : QLatin1Char(',') + fraction);
}

} // namespace

class TestPocketWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keysPressTheirButtons()
    {
        TemporaryWorkingDir dir;
        PocketCalculatorWindow window;
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

    // Every result is the exact decimal result of what was typed, shown rounded to 15
    // significant digits, typed on the keyboard and clicked alike, and it fits the display.
    void results_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("result");

        const QStringList amounts{"0,01",  "1,2", "3,4",     "9,99",
                                  "99,99", "100", "6,55957", "99999,99"};
        for (const QString &a : amounts) {
            for (const QString &b : amounts) {
                QTest::addRow("%s+%s", qPrintable(a), qPrintable(b))
                    << a + "+" + b + "=" << text(exact(a) + exact(b));
                QTest::addRow("%s-%s", qPrintable(a), qPrintable(b))
                    << a + "-" + b + "=" << text(exact(a) - exact(b));
                QTest::addRow("%s*%s", qPrintable(a), qPrintable(b))
                    << a + "*" + b + "=" << text(exact(a) * exact(b));
            }
        }
        // Worked out by hand.
        const char *const rows[][2] = {
            {"3,3*3=", "9,9"},
            {"120/1,2=", "100"},
            {"7/8=", "0,875"},
            {"2/3=", "0,666666666666667"},
            {"1/3*3=", "1"},
            {"2sx", "0,707106781186548"}, // of the root as kept, not as shown
            {"1000000-999999,99=", "0,01"},
            {"100000000000*1000000000=", "1E20"},
            {"1/1000000000000=", "1E-12"},
            {"0,0001*0,0001=", "1E-8"},
            {"123456789012*9=", "1111111101108"},
            {"1234567*1234567=", "1524155677489"},
            {"999999999999+1=", "1000000000000"},
            {"999999999999999+1=", "1E15"},
            {"1+1===", "8"},
            {"2*2===", "256"},
            {"0,1+0,2*3=", "0,9"},
            {"8x+0,875=", "1"},
            {"6,25s*4=", "10"},
            {"1,000000000000005*1=", "1,00000000000001"},
            {"0-0,0000123456789012345=", "-0,0000123456789012345"},
        };
        for (const auto &row : rows)
            QTest::newRow(row[0]) << QString::fromLatin1(row[0]) << QString::fromUtf8(row[1]);
    }
    void results()
    {
        QFETCH(QString, keys);
        QFETCH(QString, result);
        TemporaryWorkingDir dir;
        FakePlatform desktop;
        PocketCalculatorWindow window;
        window.show();
        auto *label = window.findChild<QLabel *>("Display");
        QTest::keyClicks(button(&window, 11), keys);
        QCOMPARE(display(&window), result);
        QVERIFY(label->fontMetrics().horizontalAdvance(result) <= label->contentsRect().width());

        QTest::mouseClick(button(&window, 18), Qt::LeftButton);
        for (QChar key : keys)
            QTest::mouseClick(button(&window, int(KeyCaps.indexOf(key))), Qt::LeftButton);
        QCOMPARE(display(&window), result);
        QCOMPARE(desktop.texts(), QStringList());
    }

    void longNumbersKeepTheWindowSize()
    {
        TemporaryWorkingDir dir;
        PocketCalculatorWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QSize size = window.size();
        auto *label = window.findChild<QLabel *>("Display");
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
        PocketCalculatorWindow window;
        window.show();
        QTest::keyClicks(button(&window, 11), "7/0=");
        QCOMPARE(desktop.texts(), QStringList{"Division flottante par zéro"});
        QCOMPARE(display(&window), QString("0"));
        QCOMPARE(double(window.calculator().accumulator()), 7.0);
    }

    void escapeClosesAndOpeningResets()
    {
        TemporaryWorkingDir dir;
        PocketCalculatorWindow window;
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
