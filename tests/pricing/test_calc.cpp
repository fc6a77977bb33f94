// SPDX-License-Identifier: GPL-3.0-or-later
// Line amounts and totals of an order, without the window.

#include "pricing/ordercalc.h"

#include "testsupport.h"

#include <QTest>

Q_DECLARE_METATYPE(Real)

using OrderCalc::calculateOrder;

namespace {

// Six pixels a character: quantities (width 100) need 16 characters to pass 90 pixels,
// prices and amounts (width 120) 19 to pass 110.
int measure(const QString &text)
{
    return 6 * int(text.size());
}
const OrderCalc::TextWidth Measure = measure;

QString qty(const QString &text)
{
    return text.rightJustified(16);
}
QString money(const QString &text)
{
    return text.rightJustified(19);
}

// "quantity|unit price|discount|code"
OrderLine line(const QString &typed)
{
    const QStringList f = typed.split(QLatin1Char('|'));
    OrderLine l;
    l.designation = QStringLiteral("article");
    l.quantity = f.value(0);
    l.unitPrice = f.value(1);
    l.discountPercent = f.value(2);
    l.vatCode = f.value(3);
    return l;
}

QList<OrderLine> grid(const QStringList &typed = {})
{
    QList<OrderLine> rows(63);
    for (int i = 0; i < typed.size(); ++i)
        rows[i] = line(typed.at(i));
    return rows;
}

QString overflowOf(QList<OrderLine> &rows, bool includesVat, const Settings &settings)
{
    const Result<OrderTotals> totals = calculateOrder(rows, includesVat, settings, Measure);
    return totals.ok() ? QString() : totals.message();
}

} // namespace

class TestCalc : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rset_data();
    void rset();
    void rsetStopsOnZeroWidth();
    void rsetAgreesWithOneSpaceAtATime();
    void heading();

    void totals_data();
    void totals();
    void rowCells_data();
    void rowCells();
    void rowWithoutQuantityUntouched();
    void lastGridRowCounts();
    void priceRoundedAfterFirstPass();
    void secondPassChangesNothing();
    void overflow();

private:
    TemporaryWorkingDir m_dir;
};

void TestCalc::rset_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("result");
    QTest::newRow("empty") << "" << 100 << QString(16, QLatin1Char(' '));
    QTest::newRow("quantity") << "3" << 100 << qty("3");
    QTest::newRow("price") << "12,50" << 120 << money("12,50");
    QTest::newRow("exactly width - 10") << QString(15, 'x') << 100 << " " + QString(15, 'x');
    QTest::newRow("just wider") << QString(16, 'x') << 100 << QString(16, 'x');
    QTest::newRow("much wider") << QString(30, 'x') << 120 << QString(30, 'x');
}

void TestCalc::rset()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, result);
    QCOMPARE(OrderCalc::leftPadded(text, width, Measure), result);
}

void TestCalc::rsetStopsOnZeroWidth()
{
    const QString r =
        OrderCalc::leftPadded(QStringLiteral("5"), 100, [](const QString &) { return 0; });
    QVERIFY(r.endsWith(QLatin1String(" 5")));
    QVERIFY(r.size() < 200);
}

void TestCalc::rsetAgreesWithOneSpaceAtATime()
{
    // Fonts where a space alone measures differently from a space in front of the text.
    const QList<OrderCalc::TextWidth> fonts = {
        [](const QString &t) { return t == QLatin1String(" ") ? 1 : int(t.size()) * 7; },
        [](const QString &t) { return t == QLatin1String(" ") ? 40 : int(t.size()) * 3; },
        [](const QString &t) { return int(t.size() - t.trimmed().size()) * 5 + 9; },
    };
    for (const OrderCalc::TextWidth &font : fonts) {
        for (const QString &text : {QString(), QStringLiteral("3"), QStringLiteral("1 234,50")}) {
            QString expected = text;
            for (int guard = 0; guard <= 120 && font(expected) <= 110; ++guard)
                expected.prepend(QLatin1Char(' '));
            QCOMPARE(OrderCalc::leftPadded(text, 120, font), expected);
        }
    }
}

void TestCalc::heading()
{
    QCOMPARE(OrderCalc::amountHeading(true), QStringLiteral("Montant TTC"));
    QCOMPARE(OrderCalc::amountHeading(false), QStringLiteral("Montant H.T."));
}

void TestCalc::totals_data()
{
    QTest::addColumn<bool>("includesVat");
    QTest::addColumn<int>("euroMode");
    QTest::addColumn<int>("singleCurrency");
    QTest::addColumn<Real>("euroRate");
    QTest::addColumn<Real>("rate3");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("expected"); // before tax, VAT, including tax, second

    const Real euro = 6.55957L;
    const auto row = [&](const char *name, bool ttc, const QStringList &lines,
                         const QStringList &expected) {
        QTest::newRow(name) << ttc << 0 << 0 << euro << Real(5.5) << lines << expected;
    };
    const QStringList zeros{"0,00", "0,00", "0,00", "0,00"};
    row("nothing ordered", false, {}, zeros);
    row("discount", false, {"3|12,5|10|"}, {"33,75", "6,95", "40,70", "6,21"});
    row("prices with tax", true, {"1|120,6||1"}, {"100,00", "20,60", "120,60", "18,39"});
    row("VAT per group", false, {"2|10||1", "1|100||3"}, {"120,00", "9,62", "129,62", "19,76"});
    row("TTC second group", true, {"1|10,55||3"}, {"10,00", "0,55", "10,55", "1,61"});
    row("sums of unrounded amounts", false, {"0,4|0,99||1", "0,4|0,99||1", "0,4|0,99||1"},
        {"1,19", "0,24", "1,43", "0,22"});
    row("discount 100", false, {"2|10|100|"}, zeros);
    row("discount above 100", false, {"1|10|150|", "1|20||"}, {"15,00", "3,09", "18,09", "2,76"});
    row("code 2 has no VAT", false, {"1|50||2"}, {"50,00", "0,00", "50,00", "7,62"});
    row("code 4 at the first rate", false, {"1|50||4"}, {"50,00", "10,30", "60,30", "9,19"});
    const QStringList tenAtFirstRate{"10,00", "2,06", "12,06", "1,84"};
    row("code A in no group", false, {"1|50||A", "1|10||1"}, tenAtFirstRate);
    row("quantity not a number", false, {"abc|50||1", "1|10||1"}, tenAtFirstRate);
    row("price not a number", false, {"1|cinq||1", "1|10||1"}, tenAtFirstRate);
    row("quantity out of range", false, {"1E50|1||1", "1|10||1"}, tenAtFirstRate);
    row("discount not a number", false, {"1|50|dix|1"}, {"50,00", "10,30", "60,30", "9,19"});
    row("no price", false, {"2|||"}, zeros);

    QTest::newRow("euro mode") << false << 1 << 0 << euro << Real(5.5) << QStringList{"1|100||2"}
                               << QStringList{"100,00", "0,00", "100,00", "655,96"};
    QTest::newRow("single currency")
        << false << 0 << 1 << euro << Real(5.5) << QStringList{"1|100||1"}
        << QStringList{"100,00", "20,60", "120,60", ""};

    // Rates the settings should keep out: the totals that would divide by zero stay empty.
    QTest::newRow("euro rate 0") << false << 0 << 0 << Real(0) << Real(5.5)
                                 << QStringList{"1|100||1"}
                                 << QStringList{"100,00", "20,60", "120,60", ""};
    QTest::newRow("euro rate 0, euro mode")
        << false << 1 << 0 << Real(0) << Real(5.5) << QStringList{"1|100||1"}
        << QStringList{"100,00", "20,60", "120,60", ""};
    QTest::newRow("rate -100 in use, TTC")
        << true << 0 << 0 << euro << Real(-100) << QStringList{"1|50||3", "1|120,6||1"}
        << QStringList{"", "", "170,60", "26,01"};
    QTest::newRow("rate -100 unused, TTC")
        << true << 0 << 0 << euro << Real(-100) << QStringList{"1|120,6||1"}
        << QStringList{"100,00", "20,60", "120,60", "18,39"};
    QTest::newRow("rate -100, H.T.")
        << false << 0 << 0 << euro << Real(-100) << QStringList{"1|50||3"}
        << QStringList{"50,00", "-50,00", "0,00", "0,00"};
}

void TestCalc::totals()
{
    QFETCH(bool, includesVat);
    QFETCH(int, euroMode);
    QFETCH(int, singleCurrency);
    QFETCH(Real, euroRate);
    QFETCH(Real, rate3);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, expected);

    Settings settings;
    settings.euroMode = euroMode;
    settings.singleCurrency = singleCurrency;
    settings.euroRate = euroRate;
    settings.vatRates[2] = rate3;
    QList<OrderLine> rows = grid(lines);
    const OrderTotals t = calculateOrder(rows, includesVat, settings, Measure).value();
    QCOMPARE((QStringList{t.beforeTax, t.vat, t.includingTax, t.secondCurrency}), expected);
}

void TestCalc::rowCells_data()
{
    QTest::addColumn<QString>("typed");     // q|p|d|code
    QTest::addColumn<QStringList>("cells"); // quantity, price, discount, amount, code

    QTest::newRow("complete") << "3|12,5|10|"
                              << QStringList{qty("3"), money("12,50"), "10", money("33,75"), "1"};
    QTest::newRow("quantity kept as typed")
        << " 2,5 |4||3" << QStringList{qty("2,5"), money("4,00"), "", money("10,00"), "3"};
    QTest::newRow("no price") << "2|||"
                              << QStringList{qty("2"), money("0,00"), "", money("0,00"), "1"};
    QTest::newRow("quantity not a number")
        << " abc |5||" << QStringList{" abc ", "5", "", money("0,00"), ""};
    QTest::newRow("price not a number")
        << "2|x||2" << QStringList{"2", "x", "", money("0,00"), "2"};
    QTest::newRow("code not a whole number")
        << "2|3|10|A" << QStringList{qty("2"), money("3,00"), "10", money("6,00"), "A"};
    QTest::newRow("discount not a number")
        << "2|3|x|" << QStringList{qty("2"), money("3,00"), "x", money("6,00"), "1"};
    QTest::newRow("code out of range kept")
        << "2|3||7" << QStringList{qty("2"), money("3,00"), "", money("6,00"), "7"};
    QTest::newRow("negative amount")
        << "1|10|150|" << QStringList{qty("1"), money("10,00"), "150", money("-5,00"), "1"};
    // 0,135 and 0.3 x 0.45 are just below the half cent once in the 6-byte form
    QTest::newRow("price rounded from its stored value")
        << "1|0,135||" << QStringList{qty("1"), money("0,13"), "", money("0,13"), "1"};
    QTest::newRow("amount rounded from its stored value")
        << "0,3|0,45||" << QStringList{qty("0,3"), money("0,45"), "", money("0,13"), "1"};
    QTest::newRow("amount shown unrounded to the cent")
        << "0,4|0,99||" << QStringList{qty("0,4"), money("0,99"), "", money("0,40"), "1"};
}

void TestCalc::rowCells()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, cells);
    QList<OrderLine> rows = grid({typed});
    QVERIFY(calculateOrder(rows, false, Settings(), Measure).ok());
    const OrderLine &r = rows.at(0);
    QCOMPARE((QStringList{r.quantity, r.unitPrice, r.discountPercent, r.amount, r.vatCode}), cells);
    QCOMPARE(r.designation, QStringLiteral("article"));
}

void TestCalc::rowWithoutQuantityUntouched()
{
    QList<OrderLine> rows = grid({"|12||", " \t |5|10|"});
    rows[0].amount = QStringLiteral("ancien");
    const QList<OrderLine> before = rows;
    const OrderTotals t = calculateOrder(rows, false, Settings(), Measure).value();
    QCOMPARE(rows, before);
    QCOMPARE(t.beforeTax, QStringLiteral("0,00"));
}

void TestCalc::lastGridRowCounts()
{
    // The calculation knows nothing of the rows in use: every row with a quantity counts.
    QList<OrderLine> rows = grid({"1|10||1"});
    rows[62] = line(QStringLiteral("2|5||1"));
    const OrderTotals t = calculateOrder(rows, false, Settings(), Measure).value();
    QCOMPARE(t.beforeTax, QStringLiteral("20,00"));
    QCOMPARE(rows.at(62).amount, money("10,00"));
}

void TestCalc::priceRoundedAfterFirstPass()
{
    QList<OrderLine> rows = grid({"1|0,333||1", "1|0,333||1", "1|0,333||1"});
    OrderTotals t = calculateOrder(rows, false, Settings(), Measure).value();
    QCOMPARE(t.beforeTax, QStringLiteral("1,00"));
    QCOMPARE(rows.at(0).unitPrice, money("0,33"));
    QCOMPARE(rows.at(2).amount, money("0,33"));
    t = calculateOrder(rows, false, Settings(), Measure).value();
    QCOMPARE(t.beforeTax, QStringLiteral("0,99"));
}

void TestCalc::secondPassChangesNothing()
{
    for (bool includesVat : {false, true}) {
        QList<OrderLine> rows = grid({"3|12,5|10|", "0,4|0,99||3", "1|cinq||1", "2|3||A"});
        const OrderTotals first = calculateOrder(rows, includesVat, Settings(), Measure).value();
        const QList<OrderLine> afterFirst = rows;
        QCOMPARE(calculateOrder(rows, includesVat, Settings(), Measure).value(), first);
        QCOMPARE(rows, afterFirst);
    }
}

void TestCalc::overflow()
{
    const QString overflow = QStringLiteral("Débordement flottant");
    Settings settings;

    // In the line pass: the rows before keep their rewritten cells, the rows after are as typed.
    QList<OrderLine> rows = grid({"1|10||1", "1E20|1E20||1", "1|5||1"});
    QCOMPARE(overflowOf(rows, false, settings), overflow);
    QCOMPARE(rows.at(0).amount, money("10,00"));
    QCOMPARE(rows.at(1).quantity, qty("1E20"));
    QCOMPARE(rows.at(1).amount, QString());
    QCOMPARE(rows.at(2), line(QStringLiteral("1|5||1")));

    rows = grid({"1E38|1||1", "1E38|1||1"});
    QCOMPARE(overflowOf(rows, false, settings), overflow); // group total

    rows = grid({"1E38|1,5||1"});
    QCOMPARE(overflowOf(rows, false, settings), overflow); // total including tax

    settings.euroRate = 1e-30L;
    rows = grid({"1E10|1||1"});
    QCOMPARE(overflowOf(rows, true, settings), overflow); // second currency
    // a total that is not shown cannot fail
    settings.singleCurrency = 1;
    rows = grid({"1E10|1||1"});
    QCOMPARE(overflowOf(rows, true, settings), QString());
}

QTEST_GUILESS_MAIN(TestCalc)
#include "test_calc.moc"
