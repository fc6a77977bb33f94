// SPDX-License-Identifier: GPL-3.0-or-later
#include "../fakeplatform.h"
#include "core/clock.h"
#include "core/textfile.h"
#include "order/orderdocument.h"
#include "order/orderstate.h"
#include "orderlines.h"

#include <QRegularExpression>
#include <QtTest>

// The order document: every command without a window.
class TestOrderDocument : public QObject {
    Q_OBJECT

private:
    // A book of three orders in the file order 2, 0, 1, loaded into a fresh document.
    struct Fixture {
        TemporaryWorkingDir dir;
        FakePlatform desktop{QDateTime(QDate(2000, 3, 15), QTime(10, 0))};
        OrderDocument document;

        Fixture()
        {
            const QString name = dir.file(QStringLiteral("c.cmd"));
            QVERIFY(TextFile::write(
                name, TextLines(orderBlock(2, QStringLiteral("200003003"), "Clous") +
                                orderBlock(0, QStringLiteral("200003001"), "Vis") +
                                orderBlock(1, QStringLiteral("200003002"), "Ecrous"))));
            QVERIFY(*document.loadBook(name));
        }
        const OrderBook &book() const { return document.book(); }
    };

private Q_SLOTS:
    void searchShowsTheOrderWithThatExactNumber_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("shown");
        QTest::newRow("found, wherever it stands") << "200003003" << 2;
        QTest::newRow("another place in the file") << "200003002" << 1;
        QTest::newRow("eight digits find nothing") << "20000300" << 0;
        QTest::newRow("cancelled search finds nothing") << "" << 0;
    }
    void searchShowsTheOrderWithThatExactNumber()
    {
        QFETCH(QString, typed);
        QFETCH(int, shown);
        Fixture f;
        int asked = 0;
        f.document.setListDialogs({}, [&] {
            ++asked;
            return typed;
        });
        QVERIFY(f.document.findOrder().ok());
        QCOMPARE(asked, 1);
        QCOMPARE(f.book().currentOrder(), shown);
        QCOMPARE(f.document.record().number.trimmed(), QStringLiteral("20000300%1").arg(shown + 1));
    }

    void listFollowsTheRenumberingOfTheOrderOnScreen()
    {
        Fixture f;
        QVERIFY(f.document.nextOrder().ok()); // order 1 on screen
        // The user moved order 1 to the top and closed the list without choosing.
        f.document.setListDialogs(
            [](const OrderBook &) {
                return OrderList::Choice{{1, 0, 2}, -1};
            },
            {});
        QVERIFY(f.document.showOrderList().ok());
        QCOMPARE(f.book().currentOrder(), 0); // its block's new index
        QVERIFY(f.document.fileModified());
        QCOMPARE(f.document.record().number.trimmed(), QStringLiteral("200003002"));

        // Choosing an entry shows its order.
        f.document.setListDialogs(
            [](const OrderBook &) {
                return OrderList::Choice{{0, 1, 2}, 2};
            },
            {});
        QVERIFY(f.document.showOrderList().ok());
        QCOMPARE(f.book().currentOrder(), 2);
        QCOMPARE(f.document.record().number.trimmed(), QStringLiteral("200003003"));
    }

    void calculationRewritesTheRowsAndKeepsTheTotals_data()
    {
        QTest::addColumn<bool>("includesVat");
        QTest::addColumn<int>("euroMode");
        QTest::addColumn<QStringList>("totals"); // before tax, VAT, including tax, second
        QTest::addColumn<QString>("mainCurrency");
        QTest::addColumn<QString>("secondCurrency");
        QTest::newRow("H.T., francs")
            << false << 0 << QStringList{"33,75", "6,95", "40,70", "6,21"} << "Francs"
            << "Euros";
        QTest::newRow("TTC, euros")
            << true << 1 << QStringList{"27,99", "5,76", "33,75", "221,39"} << "Euros"
            << "Francs";
    }
    void calculationRewritesTheRowsAndKeepsTheTotals()
    {
        QFETCH(bool, includesVat);
        QFETCH(int, euroMode);
        QFETCH(QStringList, totals);
        QFETCH(QString, mainCurrency);
        QFETCH(QString, secondCurrency);
        Fixture f;
        f.document.settings().euroMode = euroMode;
        QVERIFY(f.document.setIncludesVat(includesVat).ok());
        typeRows(f.document, {{"Vis", "3", "12,5", "10", "", ""}});
        QVERIFY(f.document.calculateOrder().ok());
        QCOMPARE(f.document.record().lines[0].unitPrice.trimmed(), QStringLiteral("12,50"));
        QCOMPARE(f.document.record().lines[0].amount.trimmed(), QStringLiteral("33,75"));
        QCOMPARE(f.document.record().lines[0].vatCode, QStringLiteral("1"));
        const OrderTotals &t = f.document.totals();
        QCOMPARE((QStringList{t.beforeTax, t.vat, t.includingTax, t.secondCurrency}), totals);
        QCOMPARE(f.document.mainCurrency(), mainCurrency);
        QCOMPARE(f.document.secondCurrency(), secondCurrency);
        // The printed order takes the totals and currencies as they stand.
        const OrderPageInput printed = f.document.printedOrder();
        QCOMPARE(printed.totals, t);
        QCOMPARE(printed.secondCurrency, secondCurrency);

        // Showing another order first empties the totals, then works out its own.
        QVERIFY(f.document.nextOrder().ok());
        QCOMPARE(f.document.totals().beforeTax, QStringLiteral("20,00"));
        f.document.settings().singleCurrency = 1;
        QCOMPARE(f.document.secondCurrency(), QString());
    }

    void failuresStopTheCommandWhereTheyCome()
    {
        Fixture f;
        const OrderTotals before = f.document.totals();
        typeRows(f.document, {{"Tôle", "1E30", "1E30", "", "old"}, {"Clous", "1", "1"}}, 2);
        const Status calculated = f.document.calculateOrder();
        QVERIFY(!calculated.ok());
        QCOMPARE(calculated.message(), QStringLiteral("Débordement flottant"));
        // The row before the overflow is rewritten; the overflowing one keeps its amount, the
        // rows after it are not reached, and the totals stay as they were.
        QCOMPARE(f.document.record().lines[0].amount.trimmed(), QStringLiteral("20,00"));
        QCOMPARE(f.document.record().lines[1].amount, QStringLiteral("old"));
        QCOMPARE(f.document.record().lines[2].amount, QString());
        QCOMPARE(f.document.totals(), before);

        // A date line that is no date: the order is shown up to it and the move stops there.
        QStringList lines =
            orderBlock(0, QStringLiteral("200003001")) + orderBlock(1, QStringLiteral("200003002"));
        lines[14] = QStringLiteral("31/02/2000");
        const QString damaged = f.dir.file(QStringLiteral("d.cmd"));
        QVERIFY(TextFile::write(damaged, TextLines(lines)));
        QVERIFY(*f.document.loadBook(damaged));
        const Status moved = f.document.nextOrder();
        QVERIFY(!moved.ok());
        QCOMPARE(moved.message(), QStringLiteral("'31/02/2000' n'est pas une date correcte"));
        QCOMPARE(f.book().currentOrder(), 1);
        QCOMPARE(f.document.record().number.trimmed(), QStringLiteral("200003002"));
        QVERIFY(f.document.record().supplierCode.isEmpty());
    }

    void newBookForgetsTheFileAndCurrency()
    {
        Fixture f;
        Settings &s = f.document.settings();
        s.autoOpenFileName = QStringLiteral("c.cmd");
        s.euroMode = 1;
        s.singleCurrency = 1;
        QVERIFY(f.document.newBook().ok());
        QCOMPARE(s.autoOpenFileName, QString());
        QCOMPARE(s.euroMode, 0);
        QCOMPARE(s.singleCurrency, 0);
        QCOMPARE(f.book().orderCount(), 1);
        QCOMPARE(f.document.caption(), QString());
        QCOMPARE(f.document.record().number.trimmed(), QStringLiteral("200003001"));
    }

    void lineEntryAndDeletionMarkTheOrder()
    {
        Fixture f;
        f.document.setFileModified(false);
        f.document.setOrderModified(false);
        QCOMPARE(f.document.lastRow(), 1);
        typeRows(f.document, {{"Boulons", "4", "2"}}, 2);
        const LineEntry::EnterOutcome enter = f.document.completeLine(2, 2).value();
        QVERIFY(enter.completed);
        QCOMPARE(f.document.lastRow(), 2);
        QVERIFY(f.document.fileModified() && f.document.orderModified());
        QCOMPARE(f.document.totals().beforeTax, QStringLiteral("28,00"));

        QVERIFY(!f.document.deleteLine(3)); // past the last row in use: no line
        QVERIFY(f.document.deleteLine(1));
        QCOMPARE(f.document.lastRow(), 1);
        QCOMPARE(f.document.record().lines[0].designation, QStringLiteral("Boulons"));
        QVERIFY(f.document.record().lines[1].isEmpty());
    }

    // Lines of kinds the program does not read stay next to the lines they followed.
    void unknownLinesKeepTheirPlace_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("written"); // order lines by their designation
        QTest::newRow("row deleted")
            << "delete row 1"
            << "TTCN|LIVR20/01/2027|REF après a|b|REF après b|c|REF après les lignes|"
               "MEMOn1|VU après n1|MEMOn2|FIN";
        QTest::newRow("row added") << "add row 4"
                                   << "TTCN|LIVR20/01/2027|a|REF après a|b|REF après b|c|d|"
                                      "REF après les lignes|MEMOn1|VU après n1|MEMOn2|FIN";
        QTest::newRow("note emptied") << "empty note"
                                      << "TTCN|LIVR20/01/2027|a|REF après a|b|REF après b|c|"
                                         "REF après les lignes|VU après n1|FIN";
        QTest::newRow("note lengthened")
            << "lengthen note"
            << "TTCN|LIVR20/01/2027|a|REF après a|b|REF après b|c|REF après les lignes|MEMOn1|"
               "VU après n1|MEMOn2|MEMOn3|FIN";
    }
    void unknownLinesKeepTheirPlace()
    {
        QFETCH(QString, edit);
        QFETCH(QString, written);
        TemporaryWorkingDir dir;
        FakePlatform desktop{QDateTime(QDate(2000, 3, 15), QTime(10, 0))};
        OrderDocument document;
        TestBooks::Order order;
        order.body = QStringList{"TTCN",
                                 "LIVR20/01/2027",
                                 "CMDEa\t1\t1\t\t1\t1",
                                 "REF après a",
                                 "CMDEb\t1\t1\t\t1\t1",
                                 "REF après b",
                                 "CMDEc\t1\t1\t\t1\t1",
                                 "REF après les lignes",
                                 "MEMOn1",
                                 "VU après n1",
                                 "MEMOn2",
                                 "FIN"};
        QVERIFY(TextFile::write(QStringLiteral("c.cmd"), TextLines(TestBooks::block(0, order))));
        QVERIFY(*document.loadBook(QStringLiteral("c.cmd")));
        if (edit == QLatin1String("delete row 1"))
            QVERIFY(document.deleteLine(1));
        else if (edit == QLatin1String("add row 4"))
            typeRows(document, {{"d", "1", "1"}}, 4);
        else if (edit == QLatin1String("empty note"))
            document.setNote({});
        else
            document.setNote({"n1", "n2", "n3"});
        QStringList shown;
        const QStringList lines = document.snapshot().toStringList();
        for (const QString &line : lines.mid(9, lines.size() - 10))
            shown << (line.startsWith("CMDE") ? line.mid(4).section('\t', 0, 0) : line);
        QCOMPARE(shown.join('|'), written);
    }

    // The life of an order through the user's commands: what the block holds after them, what
    // the order says of itself, and the same read back from the saved file.
    void lifeOfAnOrder_data()
    {
        QTest::addColumn<QString>("commands");
        QTest::addColumn<QString>("written"); // the life lines, TAB shown as ' '
        QTest::addColumn<QString>("state");
        const QString sent = QStringLiteral("ENVO15/03/2000 AUTRE");
        QTest::newRow("printed twice the same day") << "send P;send P"
                                                    << "ENVO15/03/2000 IMPRIMEE"
                                                    << "Envoyée le 15/03/2000 (imprimée)";
        QTest::newRow("sent every way") << "send F;send C;send A"
                                        << "ENVO15/03/2000 PDF|ENVO15/03/2000 COURRIEL|" + sent
                                        << "Envoyée le 15/03/2000 (autre)";
        QTest::newRow("changed after sending") << "send C;edit;edit"
                                               << "ENVO15/03/2000 COURRIEL|MODI15/03/2000"
                                               << "Modifiée après envoi";
        QTest::newRow("changed, sent again") << "send C;edit;send C"
                                             << "ENVO15/03/2000 COURRIEL|ENVO15/03/2000 COURRIEL"
                                             << "Envoyée le 15/03/2000 (courriel)";
        QTest::newRow("a draft changed stays a draft") << "edit"
                                                       << ""
                                                       << "Brouillon";
        QTest::newRow("received in part") << "send A;recv 1=1" << sent + "|RECU15/03/2000 1=1"
                                          << "Reçue en partie";
        QTest::newRow("received in two, the comment never holding it back")
            << "send A;recv 1=1;recv 1=1 3=5" << sent + "|RECU15/03/2000 1=1|RECU15/03/2000 1=1 3=5"
            << "Reçue le 15/03/2000";
        QTest::newRow("over-reception") << "send A;recv 1=3 3=6" << sent + "|RECU15/03/2000 1=3 3=6"
                                        << "Reçue le 15/03/2000";
        QTest::newRow("settled") << "send A;recv 1=1;settle"
                                 << sent + "|RECU15/03/2000 1=1|SOLD15/03/2000"
                                 << "Soldée";
        QTest::newRow("cancelled") << "send A;cancel" << sent + "|ANNU15/03/2000"
                                   << "Annulée";
        QTest::newRow("cancel taken back")
            << "send A;cancel;reopen" << sent << "Envoyée le 15/03/2000 (autre)";
        QTest::newRow("undo of a sending") << "send P;undo"
                                           << ""
                                           << "Brouillon";
        QTest::newRow("undo of a reception")
            << "send A;recv 1=2 3=5;undo" << sent << "Envoyée le 15/03/2000 (autre)";
        QTest::newRow("undo of a settling")
            << "send A;settle;undo" << sent << "Envoyée le 15/03/2000 (autre)";
        QTest::newRow("a line deleted: receptions follow their lines")
            << "send A;recv 1=1 3=5;delete 1" << sent + "|RECU15/03/2000 2=5|MODI15/03/2000"
            << "Reçue le 15/03/2000";
        QTest::newRow("copied and pasted: a draft") << "send A;recv 1=1;copy;paste"
                                                    << ""
                                                    << "Brouillon";
    }
    void lifeOfAnOrder()
    {
        QFETCH(QString, commands);
        QFETCH(QString, written);
        QFETCH(QString, state);
        TemporaryWorkingDir dir;
        FakePlatform desktop{QDateTime(QDate(2000, 3, 15), QTime(10, 0))};
        desktop.unscripted = Prompts::Answer::Yes; // changing a sent order
        OrderDocument document;
        TestBooks::Order order;
        order.body =
            QStringList{"TTCN", "CMDEVis\t2\t10\t\t20\t1", "CMDEà livrer le matin\t\t\t\t\t",
                        "CMDEClous\t5\t1\t\t5\t1", "MEMOnote"};
        QVERIFY(TextFile::write(QStringLiteral("c.cmd"), TextLines(TestBooks::block(0, order))));
        QVERIFY(*document.loadBook(QStringLiteral("c.cmd")));
        OrderDocument::Step last;
        connect(&document, &OrderDocument::stepDone, this,
                [&](const OrderDocument::Step &step) { last = step; });
        int edits = 0;
        for (const QString &command : commands.split(';')) {
            const QStringList words = command.split(' ');
            const QString &verb = words.first();
            if (verb == "send")
                document.recordSending(
                    QHash<QString, OrderLife::Channel>{{"P", OrderLife::Channel::Printed},
                                                       {"F", OrderLife::Channel::Pdf},
                                                       {"C", OrderLife::Channel::Email},
                                                       {"A", OrderLife::Channel::Other}}
                        .value(words.at(1)));
            else if (verb == "edit")
                document.setCell(1, 0, QStringLiteral("Vis %1").arg(++edits));
            else if (verb == "recv") {
                OrderLife::Reception reception{Clock::today(), {}};
                for (const QString &received : words.mid(1))
                    reception.quantities.append(
                        {received.section('=', 0, 0).toInt(), received.section('=', 1)});
                document.recordReception(reception);
            } else if (verb == "settle")
                document.setClosing(OrderLife::Closing::Settled);
            else if (verb == "cancel")
                document.setClosing(OrderLife::Closing::Cancelled);
            else if (verb == "reopen")
                document.setClosing(OrderLife::Closing::Open);
            else if (verb == "undo")
                QVERIFY(document.restore(last.before).ok());
            else if (verb == "delete")
                QVERIFY(document.deleteLine(words.at(1).toInt()));
            else if (verb == "copy")
                document.copyOrder();
            else if (verb == "paste")
                QVERIFY(document.pasteOrder().ok());
        }
        QCOMPARE(OrderState::text(document.record()), state);
        QVERIFY(*document.save(QStringLiteral("c.cmd"), OrderDocument::SaveWhen::Always));
        QByteArray bytes;
        QVERIFY(TextFile::readBytes(QStringLiteral("c.cmd"), bytes));
        const QStringList lines = TextFile::splitLines(bytes);
        const QStringList life =
            lines.filter(QRegularExpression("^(ENVO|PREV|RECU|SOLD|ANNU|MODI)"));
        QCOMPARE(QString(life.join('|')).replace('\t', ' '), written);
        // A sent order keeps the rates it was worked out with, once.
        const QStringList rates = lines.filter(QRegularExpression("^TAUX"));
        QCOMPARE(rates, written.contains("ENVO")
                            ? QStringList{"TAUX6,55957\t20,6\t0\t5,5\tFRANCS\t2"}
                            : QStringList());
        // After the note, before the closing label: where a reader of the older kinds looks no
        // more.
        QCOMPARE(lines.indexOf("MEMOnote"), lines.size() - 2 - life.size() - rates.size());
        OrderRecord reread;
        QVERIFY(*OrderFormat::decode(TextLines(lines), 0, reread));
        QCOMPARE(OrderState::text(reread), state);
        QCOMPARE(reread.life, document.record().life);
    }

    // Text with line ends and TABs, as another program or an older copy may have put in the
    // fields: every file keeps its lines, the TABs of an order line only between its cells.
    void filesKeepEveryFieldOnOneLine_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("fields");             // fields written with the text
        QTest::newRow("order book") << "c.cmd" << 3; // and the note, which keeps its TAB
        QTest::newRow("supplier file") << SupplierBook::FileName << 2;
        QTest::newRow("company file") << Company::FileName << 7;
        QTest::newRow("settings file") << "QorCmd.ini" << 2;
    }
    void filesKeepEveryFieldOnOneLine()
    {
        QFETCH(QString, file);
        QFETCH(int, fields);
        Fixture f;
        const QString text = QStringLiteral("8 quai\tVoltaire\r\nBP 12\n");
        const QString asWritten = QStringLiteral("8 quai Voltaire  BP 12 ");
        if (file == QLatin1String("c.cmd")) {
            QVERIFY(f.document.setIncludesVat(true).ok());
            f.document.setPaymentTerms(text);
            f.document.setAddressLine(1, text);
            f.document.setCell(1, 0, text);
            f.document.setNote({text});
            QVERIFY(*f.document.save(f.dir.file(file)));
        } else if (file == SupplierBook::FileName) {
            f.document.suppliers().append({QStringLiteral("10030"), {text, text, {}, {}}});
            QVERIFY(f.document.saveSuppliers().ok());
        } else if (file == Company::FileName) {
            f.document.company().details.fill(text);
            QVERIFY(f.document.company().saveCompany());
        } else {
            f.document.settings().paymentTerms = {text};
            QVERIFY(f.document.saveSettings(text).ok());
        }

        QByteArray bytes;
        QVERIFY(TextFile::readBytes(file, bytes));
        const QStringList lines = TextFile::splitLines(bytes);
        QCOMPARE(bytes.count("\r\n"), lines.size());
        QCOMPARE(bytes.count('\r') + bytes.count('\n'), 2 * lines.size());
        const QStringList notes = lines.filter(QRegularExpression("^MEMO"));
        QCOMPARE(bytes.count('\t'),
                 5 * lines.filter(QRegularExpression("^CMDE")).size() + notes.size());
        QCOMPARE(lines.filter(asWritten).size(), fields);
        if (file != QLatin1String("c.cmd"))
            return;
        // Read back, the order is the one written: nothing shifted, still "Commande TTC".
        OrderRecord read;
        QVERIFY(*OrderFormat::decode(TextLines(lines), 0, read));
        QVERIFY(read.includesVat);
        QCOMPARE(read.addressLines[1], asWritten);
        QCOMPARE(read.addressLines[2], QString());
        QCOMPARE(read.lines[0].designation, asWritten);
        QCOMPARE(read.lines[0].quantity.trimmed(), QStringLiteral("2"));
        QCOMPARE(read.note, QStringList{QStringLiteral("8 quai\tVoltaire  BP 12 ")});
    }
};

QTEST_GUILESS_MAIN(TestOrderDocument)
#include "test_orderdocument.moc"
