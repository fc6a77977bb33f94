// SPDX-License-Identifier: GPL-3.0-or-later
// Typing order lines: the key filter, Enter at the end of a line, number cells as edited and
// judged, deleting a line, the note.

#include "pricing/lineentry.h"

#include "testsupport.h"

#include <QTest>

namespace {

QList<OrderLine> numberedRows()
{
    QList<OrderLine> rows(63);
    for (int r = 1; r <= 63; ++r)
        rows[r - 1] = OrderLine{QStringLiteral("ligne %1").arg(r),
                                QString::number(r),
                                QStringLiteral("1,00"),
                                QString(),
                                QStringLiteral("1,00"),
                                QStringLiteral("1")};
    return rows;
}

} // namespace

class TestLineEntry : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void filterGridKey_data();
    void filterGridKey();
    void enter_data();
    void enter();
    void numberCell_data();
    void numberCell();
    void deleteLine_data();
    void deleteLine();
    void deletePastLastRow();
    void memo_data();
    void memo();

private:
    TemporaryWorkingDir m_dir;
};

void TestLineEntry::filterGridKey_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QChar>("key");
    QTest::addColumn<QChar>("result");
    QTest::newRow("point in designation") << 0 << QChar('.') << QChar('.');
    QTest::newRow("point in quantity") << 1 << QChar('.') << QChar(',');
    QTest::newRow("point in price") << 2 << QChar('.') << QChar(',');
    QTest::newRow("digit") << 2 << QChar('5') << QChar('5');
    QTest::newRow("backspace") << 2 << QChar('\b') << QChar('\b');
}

void TestLineEntry::filterGridKey()
{
    QFETCH(int, column);
    QFETCH(QChar, key);
    QFETCH(QChar, result);
    QCOMPARE(LineEntry::filterGridKey(column, key), result);
}

void TestLineEntry::enter_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("lastRow");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("completed");
    QTest::addColumn<int>("newLastRow");
    QTest::addColumn<int>("toRow");
    QTest::addColumn<int>("toColumn");
    QTest::addColumn<QString>("newCode");

    QTest::newRow("price, new row") << 2 << 3 << 2 << "" << true << 3 << 4 << 0 << "1";
    QTest::newRow("code kept") << 3 << 1 << 0 << "3" << true << 1 << 2 << 0 << "3";
    QTest::newRow("row inside lines in use") << 4 << 2 << 10 << "2" << true << 10 << 3 << 0 << "2";
    QTest::newRow("row 20 moves on") << 2 << 20 << 19 << "" << true << 20 << 21 << 0 << "1";
    QTest::newRow("25 rows in use") << 2 << 5 << 25 << "" << true << 25 << 6 << 0 << "1";
    QTest::newRow("row 62") << 2 << 62 << 61 << "" << true << 62 << 63 << 0 << "1";
    QTest::newRow("last grid row stays") << 2 << 63 << 63 << "" << true << 63 << 63 << 0 << "1";
    QTest::newRow("quantity does nothing") << 1 << 3 << 2 << "" << false << 2 << 3 << 1 << "";
    QTest::newRow("designation does nothing") << 0 << 3 << 2 << "" << false << 2 << 3 << 0 << "";
}

void TestLineEntry::enter()
{
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(int, lastRow);
    QFETCH(QString, code);
    QList<OrderLine> rows(63);
    rows[row - 1].vatCode = code;

    const LineEntry::EnterOutcome out = LineEntry::completeLine(column, row, rows, lastRow);
    QTEST(out.completed, "completed");
    QTEST(out.lastRow, "newLastRow");
    QTEST(out.row, "toRow");
    QTEST(out.column, "toColumn");
    QTEST(rows.at(row - 1).vatCode, "newCode");
}

void TestLineEntry::numberCell_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("edited");
    QTest::addColumn<QString>("notice");
    QTest::newRow("padded price") << 2 << "      12,50"
                                  << "12,50"
                                  << "";
    QTest::newRow("exponent") << 1 << " 1,5E2"
                              << "1,5E2"
                              << "";
    // The calculation cannot store it, and reads it as no number.
    QTest::newRow("too large") << 1 << "1E40"
                               << "1E40"
                               << "Quantité : « 1E40 » est un nombre trop grand";
    QTest::newRow("designation keeps its spaces") << 0 << " 12 x"
                                                  << " 12 x"
                                                  << "";
    QTest::newRow("amount is not typed") << 4 << "  x"
                                         << "x"
                                         << "";
}

void TestLineEntry::numberCell()
{
    QFETCH(int, column);
    QFETCH(QString, text);
    QTEST(LineEntry::editText(column, text), "edited");
    QTEST(LineEntry::numberNotice(column, text), "notice");
}

void TestLineEntry::deleteLine_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("lastRow");
    QTest::newRow("middle") << 2 << 5;
    QTest::newRow("the last line") << 5 << 5;
    QTest::newRow("only line") << 1 << 1;
    QTest::newRow("full grid") << 10 << 63;
    QTest::newRow("full grid, last row") << 63 << 63;
}

void TestLineEntry::deleteLine()
{
    QFETCH(int, row);
    QFETCH(int, lastRow);
    const QList<OrderLine> before = numberedRows();
    QList<OrderLine> rows = before;
    int last = lastRow;
    QVERIFY(LineEntry::deleteLine(rows, row, last));
    QCOMPARE(last, lastRow - 1);
    for (int r = 1; r < row; ++r)
        QCOMPARE(rows.at(r - 1), before.at(r - 1));
    for (int r = row; r < lastRow; ++r)
        QCOMPARE(rows.at(r - 1), before.at(r));
    QVERIFY(rows.at(lastRow - 1).isEmpty());
    // rows past the lines in use are no lines: they stay as they were
    for (int r = lastRow + 1; r <= 63; ++r)
        QCOMPARE(rows.at(r - 1), before.at(r - 1));
}

void TestLineEntry::deletePastLastRow()
{
    const QList<OrderLine> before = numberedRows();
    QList<OrderLine> rows = before;
    int last = 5;
    QVERIFY(!LineEntry::deleteLine(rows, 6, last));
    QVERIFY(!LineEntry::deleteLine(rows, 0, last));
    QCOMPARE(last, 5);
    QCOMPARE(rows, before);
    last = 0;
    QVERIFY(!LineEntry::deleteLine(rows, 1, last));
    QCOMPARE(last, 0);
}

void TestLineEntry::memo_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("empty") << 0 << true;
    QTest::newRow("four, the fifth may come") << 4 << true;
    QTest::newRow("five") << 5 << false;
    QTest::newRow("pasted beyond") << 9 << false;
}

void TestLineEntry::memo()
{
    QFETCH(int, lines);
    QTEST(LineEntry::memoAcceptsEnter(lines), "accepted");
}

QTEST_GUILESS_MAIN(TestLineEntry)
#include "test_lineentry.moc"
