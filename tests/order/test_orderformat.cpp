// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/orderformat.h"
#include "testsupport.h"

#include <QTest>

using namespace OrderFormat;

namespace {

// A block with the given lines after the address: none gives a block cut after its header.
QStringList block(int index, const QStringList &body, bool close = true)
{
    return TestBooks::block(
        index,
        {.date = QStringLiteral("15/03/2000"),
         .terms = QStringLiteral("Réglement à 30 jours"),
         .address = {QStringLiteral("Dupont SA"), QStringLiteral("12 rue des Lilas"),
                     QStringLiteral("75011 Paris"), QString()},
         .body = body},
        close);
}

OrderRecord blankRecord()
{
    OrderRecord r;
    r.Number = QStringLiteral("200003999");
    r.Date = QDate(2000, 3, 20);
    r.PaymentTerms = QStringLiteral("A réception");
    return r;
}

} // namespace

class TestOrderFormat : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void labels_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("open");
        QTest::addColumn<QString>("close");
        QTest::newRow("0") << 0 << "<BLOC0000>"
                           << "</BLOC0000>";
        QTest::newRow("9") << 9 << "<BLOC0009>"
                           << "</BLOC0009>";
        QTest::newRow("42") << 42 << "<BLOC0042>"
                            << "</BLOC0042>";
        QTest::newRow("1234") << 1234 << "<BLOC1234>"
                              << "</BLOC1234>";
        QTest::newRow("10000 wraps") << 10000 << "<BLOC0000>"
                                     << "</BLOC0000>";
    }
    void labels()
    {
        QFETCH(int, index);
        QFETCH(QString, open);
        QFETCH(QString, close);
        QCOMPARE(BlockOpenLabel(index), open);
        QCOMPARE(BlockCloseLabel(index), close);
        if (index < MaxOrders) {
            QCOMPARE(openLabelIndex(open).value(), index);
            QCOMPARE(closeLabelIndex(close).value(), index);
        }
    }

    void splitting_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("five tabs, no text") << "\t\t\t\t\t" << QStringList{"", "", "", "", "", ""};
        QTest::newRow("no tab at all") << "abc" << QStringList{"", "", "", "", "", "abc"};
        QTest::newRow("one tab") << "a\tb" << QStringList{"a", "", "", "", "", "b"};
        QTest::newRow("full row") << "Vis\t  3\t 12,50\t10\t 33,75\t1"
                                  << QStringList{"Vis", "  3", " 12,50", "10", " 33,75", "1"};
        QTest::newRow("extra tab stays in last cell")
            << "a\tb\tc\td\te\tf\tg" << QStringList{"a", "b", "c", "d", "e", "f\tg"};
    }
    void splitting()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, cells);
        const OrderLine line = splitLine(text);
        for (int n = 0; n < OrderLine::CellCount; ++n)
            QCOMPARE(line.cell(n), cells.at(n));
    }

    void roundTripKeepsEveryCell()
    {
        OrderRecord r = blankRecord();
        r.Number = QStringLiteral("2000031  ");
        r.SupplierCode = QStringLiteral("10023");
        r.AddressLines = {QStringLiteral("Dupont"), QStringLiteral("  rue"), QString(),
                          QStringLiteral("Paris ")};
        r.IncludesVat = true;
        OrderLine l1;
        l1.Designation = QStringLiteral("Vis à bois");
        l1.Quantity = QStringLiteral("          3");
        l1.UnitPrice = QStringLiteral("      12,50");
        l1.Amount = QStringLiteral("      37,50");
        l1.VatCode = QStringLiteral("1");
        r.Lines = {l1, OrderLine(), l1};
        r.Memo = {QStringLiteral("  livraison le matin"), QString()};

        TextLines lines{QStringLiteral(" ")};
        encode(lines, 3, r);
        OrderRecord back = blankRecord();
        QVERIFY(decode(lines, 3, back).value());
        QCOMPARE(back.Lines, r.Lines);
        QCOMPARE(back.Memo, r.Memo);
        QCOMPARE(back.AddressLines, r.AddressLines);
        QCOMPARE(back.IncludesVat, true);
        QCOMPARE(back.Number, QStringLiteral("2000031")); // trailing spaces go on reading
        QCOMPARE(back.Date, r.Date);
        QCOMPARE(back.BlockIndex, 3);
        QCOMPARE(lines.at(2), QStringLiteral("NUM2000031  "));
        QCOMPARE(lines.at(3), QStringLiteral("20/03/2000"));
        QCOMPARE(lines.at(10), QStringLiteral("TTCY"));
        QCOMPARE(lines.at(12), QStringLiteral("CMDE\t\t\t\t\t"));

        // Rewriting moves the block to the end of the list.
        lines.prepend(QStringLiteral("x"));
        encode(lines, 3, back);
        QCOMPARE(lines.first(), QStringLiteral("x"));
        QCOMPARE(lines.at(2), BlockOpenLabel(3));
        QCOMPARE(lines.count(BlockOpenLabel(3)), 1);
    }

    void decodingVariants()
    {
        // Without the TTC line the first order line stands at +9; memo lines may come first;
        // other lines are passed over; an empty number keeps the proposed one.
        QStringList lines = block(0, {QStringLiteral("MEMOnote"), QStringLiteral("CMDEa\tb"),
                                      QStringLiteral("junk"), QStringLiteral("CMDEc")});
        lines[1] = QStringLiteral("NUM      ");
        OrderRecord r = blankRecord();
        QVERIFY(decode(TextLines(lines), 0, r).value());
        QCOMPARE(r.Number, QStringLiteral("200003999"));
        QCOMPARE(r.IncludesVat, false);
        QCOMPARE(r.Memo, QStringList{QStringLiteral("note")});
        QCOMPARE(r.Lines.size(), 2);
        QCOMPARE(r.Lines.at(0).Designation, QStringLiteral("a"));
        QCOMPARE(r.Lines.at(1).VatCode, QStringLiteral("c"));

        OrderRecord none = blankRecord();
        QVERIFY(!decode(TextLines(lines), 1, none).value());
        QCOMPARE(none, blankRecord());
    }

    void labelsAreFoundWhateverTheirCase()
    {
        QStringList lines = block(2, {QStringLiteral("CMDEx")});
        lines[0] = QStringLiteral("<bloc0002>");
        lines.last() = QStringLiteral("</bloc0002>");
        lines << QStringLiteral("CMDEafter");
        OrderRecord r = blankRecord();
        QVERIFY(decode(TextLines(lines), 2, r).value());
        QCOMPARE(r.Lines.size(), 1);
    }

    void limitsOfReading()
    {
        // Every line of the block is read, long ones whole; a block without closing label ends
        // at the end of the list.
        QStringList body;
        body << QStringLiteral("TTCN") << QStringLiteral("MEMO") + QString(300, QLatin1Char('m'));
        for (int i = 0; i < 100; ++i)
            body << QStringLiteral("CMDE%1").arg(i);
        QStringList lines = block(0, body, false);
        OrderRecord r = blankRecord();
        QVERIFY(decode(TextLines(lines), 0, r).value());
        QCOMPARE(r.Memo.first().size(), 300);
        QCOMPARE(r.Lines.size(), 100);
        QCOMPARE(r.Lines.last().VatCode, QStringLiteral("99"));

        QStringList shortBlock =
            block(1, {QStringLiteral("CMDEa"), QStringLiteral("CMDEb")}, false);
        OrderRecord s = blankRecord();
        QVERIFY(decode(TextLines(shortBlock), 1, s).value());
        QCOMPARE(s.Lines.size(), 2);
    }

    void badDateStopsAfterTheNumber()
    {
        QStringList lines = block(0, {});
        lines[2] = QStringLiteral("31/02/2000");
        OrderRecord r = blankRecord();
        const Result<bool> decoded = decode(TextLines(lines), 0, r);
        QVERIFY(!decoded.ok());
        QCOMPARE(decoded.message(), QStringLiteral("'31/02/2000' n'est pas une date correcte"));
        QCOMPARE(r.Number, QStringLiteral("200003001"));
        QVERIFY(r.SupplierCode.isEmpty());
    }

    void removingABlock()
    {
        TextLines lines(QStringList{QStringLiteral("a")} + block(0, {}) +
                        QStringList{QStringLiteral("b")});
        removeBlock(lines, 0);
        QCOMPARE(lines, (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
        TextLines open(block(0, {}, false));
        removeBlock(open, 0);
        QVERIFY(open.isEmpty());
    }

    void aBlockWithoutClosingLabelEndsAtTheNextBlock()
    {
        // Neither its reading nor its removal runs on into the blocks behind it.
        const QStringList next = block(1, {QStringLiteral("CMDEnext")});
        TextLines lines(block(0, {QStringLiteral("CMDEown")}, false) + next);
        lines.replace(3, QStringLiteral("<bloc0001>")); // a block cut short after its date
        OrderRecord r = blankRecord();
        QVERIFY(decode(lines, 0, r).value());
        QCOMPARE(r.SupplierCode, QString());
        QVERIFY(r.Lines.isEmpty());
        lines = TextLines(block(0, {QStringLiteral("CMDEown")}, false) + next);
        r = blankRecord();
        QVERIFY(decode(lines, 0, r).value());
        QCOMPARE(r.Lines.size(), 1);
        QCOMPARE(r.Lines.first().VatCode, QStringLiteral("own"));
        removeBlock(lines, 0);
        QCOMPARE(lines, next);
    }
};

QTEST_GUILESS_MAIN(TestOrderFormat)
#include "test_orderformat.moc"
