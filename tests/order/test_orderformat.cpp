// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clock.h"
#include "core/numbertext.h"
#include "fakeplatform.h"
#include "order/orderformat.h"
#include "order/orderstate.h"
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
    r.number = QStringLiteral("200003999");
    r.date = QDate(2000, 3, 20);
    r.paymentTerms = QStringLiteral("A réception");
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
        QCOMPARE(blockOpenLabel(index), open);
        QCOMPARE(blockCloseLabel(index), close);
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
        r.number = QStringLiteral("2000031  ");
        r.supplierCode = QStringLiteral("10023");
        r.addressLines = {QStringLiteral("Dupont"), QStringLiteral("  rue"), QString(),
                          QStringLiteral("Paris ")};
        r.includesVat = true;
        OrderLine l1;
        l1.designation = QStringLiteral("Vis à bois");
        l1.quantity = QStringLiteral("          3");
        l1.unitPrice = QStringLiteral("      12,50");
        l1.amount = QStringLiteral("      37,50");
        l1.vatCode = QStringLiteral("1");
        r.lines = {l1, OrderLine(), l1};
        r.note = {QStringLiteral("  livraison le matin"), QString()};

        TextLines lines{QStringLiteral(" ")};
        encode(lines, 3, r);
        OrderRecord back = blankRecord();
        QVERIFY(decode(lines, 3, back).value());
        QCOMPARE(back.lines, r.lines);
        QCOMPARE(back.note, r.note);
        QCOMPARE(back.addressLines, r.addressLines);
        QCOMPARE(back.includesVat, true);
        QCOMPARE(back.number, QStringLiteral("2000031")); // trailing spaces go on reading
        QCOMPARE(back.date, r.date);
        QCOMPARE(back.blockIndex, 3);
        QCOMPARE(lines.at(2), QStringLiteral("NUM2000031  "));
        QCOMPARE(lines.at(3), QStringLiteral("20/03/2000"));
        QCOMPARE(lines.at(10), QStringLiteral("TTCY"));
        QCOMPARE(lines.at(12), QStringLiteral("CMDE\t\t\t\t\t"));

        // Rewriting moves the block to the end of the list.
        lines.prepend(QStringLiteral("x"));
        encode(lines, 3, back);
        QCOMPARE(lines.first(), QStringLiteral("x"));
        QCOMPARE(lines.at(2), blockOpenLabel(3));
        QCOMPARE(lines.count(blockOpenLabel(3)), 1);
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
        QCOMPARE(r.number, QStringLiteral("200003999"));
        QCOMPARE(r.includesVat, false);
        QCOMPARE(r.note, QStringList{QStringLiteral("note")});
        QCOMPARE(r.lines.size(), 2);
        QCOMPARE(r.lines.at(0).designation, QStringLiteral("a"));
        QCOMPARE(r.lines.at(1).vatCode, QStringLiteral("c"));

        OrderRecord none = blankRecord();
        QVERIFY(!decode(TextLines(lines), 1, none).value());
        QCOMPARE(none, blankRecord());
    }

    // What became of an order is read from the lines after its note and written back byte for
    // byte; the lines this version would not write the same way stay as unknown ones. `late`:
    // the days an awaited order is late on 13/02/2026, -1 when it is not awaited.
    void lifeOfAnOrder_data()
    {
        QTest::addColumn<QStringList>("life");
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("unread");
        QTest::addColumn<QStringList>("due"); // row:ordered:received of each line counted
        QTest::addColumn<int>("late");
        const QString sent = QStringLiteral("ENVO03/02/2026\tCOURRIEL");
        QTest::newRow("draft") << QStringList{} << "Brouillon" << 0
                               << QStringList{"1:3:0", "2:2,5:0"} << -1;
        QTest::newRow("sent, expected")
            << QStringList{sent, "PREV10/02/2026"} << "Envoyée le 03/02/2026 (courriel)" << 0
            << QStringList{"1:3:0", "2:2,5:0"} << 3;
        QTest::newRow("sent with its rates, due later")
            << QStringList{sent, "TAUX6,55957\t19,6\t0\t5,5\tEUROS\t1", "PREV20/02/2026"}
            << "Envoyée le 03/02/2026 (courriel)" << 0 << QStringList{"1:3:0", "2:2,5:0"} << 0;
        QTest::newRow("sent again: the latest shows")
            << QStringList{"ENVO01/02/2026\tIMPRIMEE", "ENVO02/02/2026\tPDF",
                           "ENVO03/02/2026\tAUTRE"}
            << "Envoyée le 03/02/2026 (autre)" << 0 << QStringList{"1:3:0", "2:2,5:0"} << 0;
        QTest::newRow("received in part")
            << QStringList{sent, "PREV12/02/2026", "RECU12/02/2026\t1=3"} << "Reçue en partie" << 0
            << QStringList{"1:3:3", "2:2,5:0"} << 1;
        QTest::newRow("received in two: the comment never holds it back")
            << QStringList{sent, "RECU12/02/2026\t1=3\t2=1", "RECU14/02/2026\t2=1,5"}
            << "Reçue le 14/02/2026" << 0 << QStringList{"1:3:3", "2:2,5:2,5"} << -1;
        QTest::newRow("over-reception")
            << QStringList{sent, "RECU12/02/2026\t1=5\t2=2,5", "RECU13/02/2026\t1=1"}
            << "Reçue le 12/02/2026" << 0 << QStringList{"1:3:6", "2:2,5:2,5"} << -1;
        QTest::newRow("settled") << QStringList{sent, "RECU12/02/2026\t1=1", "SOLD15/02/2026"}
                                 << "Soldée" << 0 << QStringList{"1:3:1", "2:2,5:0"} << -1;
        QTest::newRow("cancelled") << QStringList{sent, "PREV01/02/2026", "ANNU15/02/2026"}
                                   << "Annulée" << 0 << QStringList{"1:3:0", "2:2,5:0"} << -1;
        QTest::newRow("changed after sending")
            << QStringList{sent, "MODI05/02/2026"} << "Modifiée après envoi" << 0
            << QStringList{"1:3:0", "2:2,5:0"} << 0;
        QTest::newRow("lines not written so stay unread, in place")
            << QStringList{"ZZZZa later version's",
                           "ENVO3/2/2026\tCOURRIEL",
                           "ENVO03/02/2026\tFAX",
                           "RECU12/02/2026\t1=",
                           "RECU12/02/2026\t01=1",
                           "PREV31/02/2026",
                           "TAUX6,559570\t19,6\t0\t5,5\tEUROS\t1",
                           "TAUX6,55957\t19,6\t0\t5,5\tEURO\t1",
                           sent}
            << "Envoyée le 03/02/2026 (courriel)" << 8 << QStringList{"1:3:0", "2:2,5:0"} << 0;
        // Lines of its own ("CMDE") stand for the usual ones: nothing a reception could count.
        QTest::newRow("sent, comments alone: nothing awaited, never late")
            << QStringList{"CMDEEnvoyer le catalogue\t\t\t\t\t", "CMDETarif\tcf. devis\t\t\t\t",
                           sent, "PREV10/02/2026"}
            << "Envoyée le 03/02/2026 (courriel)" << 0 << QStringList{} << -1;
    }
    void lifeOfAnOrder()
    {
        QFETCH(QStringList, life);
        QFETCH(QString, state);
        QFETCH(int, unread);
        QFETCH(QStringList, due);
        QFETCH(int, late);
        FakePlatform desktop{QDateTime(QDate(2026, 2, 13), QTime(9, 0))};
        QStringList body{"TTCN", "CMDEVis\t3\t1,00\t\t3,00\t1", "CMDEClou\t2,5\t1,00\t\t2,50\t1",
                         "CMDEà livrer le matin\t\t\t\t\t", "CMDETarif\tcf. devis\t\t\t\t"};
        if (!life.isEmpty() && life.first().startsWith(QLatin1String("CMDE"))) {
            body = {"TTCN"};
            while (life.first().startsWith(QLatin1String("CMDE")))
                body << life.takeFirst();
        }
        const TextLines lines(block(0, body + QStringList{"MEMOnote"} + life));
        OrderRecord r = blankRecord();
        KeptLines kept;
        QVERIFY(decodeAt(lines, 0, 0, r, &kept, 63).value());
        QCOMPARE(OrderState::text(r), state);
        QCOMPARE(kept.lines.size(), unread);
        QStringList found;
        for (const OrderState::LineDue &line : OrderState::linesDue(r))
            found << QStringLiteral("%1:%2:%3")
                         .arg(line.row)
                         .arg(NumberText::general(line.ordered),
                              NumberText::general(line.received));
        QCOMPARE(found, due);
        QCOMPARE(OrderState::awaited(r) ? OrderState::daysLate(r, Clock::today()) : -1, late);
        TextLines back;
        appendBlock(back, r, 0, kept);
        QCOMPARE(back, lines);
        // A reader that keeps nothing reads the same life; a book without one writes none.
        OrderRecord plain = blankRecord();
        QVERIFY(decode(lines, 0, plain).value());
        QCOMPARE(plain.life, r.life);
        QCOMPARE(lifeLines(r.life).isEmpty(), r.life.isEmpty());
    }

    void labelsAreFoundWhateverTheirCase()
    {
        QStringList lines = block(2, {QStringLiteral("CMDEx")});
        lines[0] = QStringLiteral("<bloc0002>");
        lines.last() = QStringLiteral("</bloc0002>");
        lines << QStringLiteral("CMDEafter");
        OrderRecord r = blankRecord();
        QVERIFY(decode(TextLines(lines), 2, r).value());
        QCOMPARE(r.lines.size(), 1);
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
        QCOMPARE(r.note.first().size(), 300);
        QCOMPARE(r.lines.size(), 100);
        QCOMPARE(r.lines.last().vatCode, QStringLiteral("99"));

        QStringList shortBlock =
            block(1, {QStringLiteral("CMDEa"), QStringLiteral("CMDEb")}, false);
        OrderRecord s = blankRecord();
        QVERIFY(decode(TextLines(shortBlock), 1, s).value());
        QCOMPARE(s.lines.size(), 2);
    }

    void badDateStopsAfterTheNumber()
    {
        QStringList lines = block(0, {});
        lines[2] = QStringLiteral("31/02/2000");
        OrderRecord r = blankRecord();
        const Result<bool> decoded = decode(TextLines(lines), 0, r);
        QVERIFY(!decoded.ok());
        QCOMPARE(decoded.message(), QStringLiteral("'31/02/2000' n'est pas une date correcte"));
        QCOMPARE(r.number, QStringLiteral("200003001"));
        QVERIFY(r.supplierCode.isEmpty());
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
        QCOMPARE(r.supplierCode, QString());
        QVERIFY(r.lines.isEmpty());
        lines = TextLines(block(0, {QStringLiteral("CMDEown")}, false) + next);
        r = blankRecord();
        QVERIFY(decode(lines, 0, r).value());
        QCOMPARE(r.lines.size(), 1);
        QCOMPARE(r.lines.first().vatCode, QStringLiteral("own"));
        removeBlock(lines, 0);
        QCOMPARE(lines, next);
    }
};

QTEST_GUILESS_MAIN(TestOrderFormat)
#include "test_orderformat.moc"
