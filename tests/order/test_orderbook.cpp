#include "core/textfile.h"
#include "order/orderbook.h"
#include "order/orderformat.h"
#include "orderlines.h"
#include "testsupport.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace OrderFormat;
using Prompts::Answer;

namespace {

void writeFile(const QString &name, const QStringList &lines)
{
    QVERIFY(TextFile::write(name, TextLines(lines)));
}

} // namespace

class TestOrderBook : public QObject {
    Q_OBJECT

    QScopedPointer<TemporaryWorkingDir> dir;
    QScopedPointer<FakePlatform> prompts;
    QScopedPointer<MemoryOrderForm> form;
    QScopedPointer<OrderBook> book;

    // A user types an order that passes the validity test.
    void typeValidOrder(const QString &designation = QStringLiteral("Écrous"))
    {
        form->edit().SupplierCode = QStringLiteral("10001");
        form->edit().Lines[0].Designation = designation;
        book->LastRow = qMax(book->LastRow, 1);
        book->markModified();
    }

private Q_SLOTS:
    void init()
    {
        dir.reset(new TemporaryWorkingDir);
        prompts.reset(new FakePlatform(QDateTime(QDate(2000, 3, 15), QTime(10, 0))));
        form.reset(new MemoryOrderForm);
        book.reset(new OrderBook(*form));
        book->DefaultPaymentTerm = QStringLiteral("A réception");
        book->Numeroc();
    }
    void cleanup()
    {
        book.reset();
        form.reset();
        prompts.reset();
        dir.reset();
    }

    void loadShowsBlockZeroWhateverTheFileOrder()
    {
        writeFile("c.cmd", orderBlock(2, "200003002", "deux") + orderBlock(0, "200003000", "zero") +
                               orderBlock(1, "200003001", "un"));
        QVERIFY(book->Charge(dir->file("c.cmd")).ok());
        QCOMPARE(book->OrderCount, 3);
        QCOMPARE(form->record().Lines.at(0).Designation, QStringLiteral("zero"));
        QCOMPARE(form->caption(), QStringLiteral("c.cmd"));
        QVERIFY(book->FileModified); // showing the first order fills the controls
        QVERIFY(!book->OrderModified);
        QCOMPARE(book->LastRow, 1);
        QVERIFY(book->Suivant().ok());
        QCOMPARE(form->record().Lines.at(0).Designation, QStringLiteral("un"));
        QVERIFY(book->Suivant().ok());
        QVERIFY(book->Suivant().ok()); // stays on the last one
        QCOMPARE(book->CurrentOrder, 2);
        QCOMPARE(form->record().Lines.at(0).Designation, QStringLiteral("deux"));
        QVERIFY(prompts->asked.isEmpty());
    }

    void repairOfUnbalancedLabels_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::newRow("Oui repairs") << Answer::Yes;
        QTest::newRow("Non leaves the lines") << Answer::No;
    }
    void repairOfUnbalancedLabels()
    {
        QFETCH(Answer, answer);
        const QStringList original = orderBlock(0, "200003000") + QStringList{QString()} +
                                     orderBlock(1, "200003001", "un", false);
        writeFile("c.cmd", original);
        prompts->answer(answer);
        QVERIFY(book->Charge("c.cmd").ok());
        QCOMPARE(prompts->texts(), QStringList{"Le fichier a été altéré. Restaurer ?"});
        QCOMPARE(prompts->asked.first().buttons, Prompts::Buttons::YesNo);
        // The repair drops the blank line outside the blocks and closes the damaged one.
        if (answer == Answer::Yes)
            QCOMPARE(book->OrderLines,
                     orderBlock(0, "200003000") + orderBlock(1, "200003001", "un"));
        else
            QCOMPARE(book->OrderLines, original);
    }

    void copiesOfAnOrderAreMergedWithoutLosingOne()
    {
        // The same order written twice keeps one copy; an order with other lines under the same
        // index is kept under the first free one, and the count follows.
        writeFile("c.cmd", orderBlock(0, "1") + orderBlock(1, "2", "first") + orderBlock(0, "1") +
                               orderBlock(1, "3", "second") + orderBlock(3, "4"));
        QVERIFY(book->Charge("c.cmd").ok());
        QVERIFY(prompts->asked.isEmpty());
        QCOMPARE(book->OrderLines.count(BlockOpenLabel(0)), 1);
        QCOMPARE(book->OrderLines.count(BlockOpenLabel(1)), 1);
        QCOMPARE(book->OrderCount, 4);
        QVERIFY(book->Suivant().ok());
        QCOMPARE(form->record().Lines.at(0).Designation, QStringLiteral("second"));
        QVERIFY(book->Suivant().ok());
        QCOMPARE(form->record().Lines.at(0).Designation, QStringLiteral("first"));
        QCOMPARE(form->record().Number.trimmed(), QStringLiteral("2"));
    }

    void editingAnOrderCutShortKeepsTheOrdersBehindIt()
    {
        const QStringList original = orderBlock(0, "1", "zero", false) + orderBlock(1, "2", "un");
        writeFile("c.cmd", original);
        prompts->answer(Answer::No);
        QVERIFY(book->Charge("c.cmd").ok());
        QCOMPARE(book->OrderLines, original);
        QCOMPARE(form->record().Lines.size(), OrderForm::GridRows);
        QCOMPARE(form->record().Lines.at(1).Designation, QString()); // not order 1's line
        typeValidOrder(QStringLiteral("changed"));
        QVERIFY(book->Suivant().ok());
        QCOMPARE(form->record().Lines.at(0).Designation, QStringLiteral("un"));
        QCOMPARE(book->OrderLines.mid(0, 12), orderBlock(1, "2", "un"));
        QVERIFY(book->Supprime().ok()); // order 1 goes, order 0 (now closed) stays
        QCOMPARE(book->OrderCount, 1);
        QCOMPARE(book->OrderLines.first(), BlockOpenLabel(0));
        QCOMPARE(book->OrderLines.last(), BlockCloseLabel(0));
    }

    void damagedLabelsDoNotStopLoading()
    {
        // A label whose digits are not a number, or point past the book, is no order's.
        writeFile("c.cmd",
                  orderBlock(0, "1") + QStringList{"<BLOCxx>", "</BLOCxx>"} + orderBlock(7, "2"));
        QVERIFY(book->Charge("c.cmd").ok());
        QCOMPARE(book->OrderCount, 3);
        QCOMPARE(form->record().SupplierCode, QStringLiteral("10023"));
    }

    void deleteRenumbersTheBlocksBehind()
    {
        writeFile("c.cmd", orderBlock(0, "1", "zero") + orderBlock(1, "2", "un") +
                               orderBlock(2, "3", "deux"));
        QVERIFY(book->Charge("c.cmd").ok());
        QVERIFY(book->Suivant().ok());
        QVERIFY(book->Supprime().ok());
        QCOMPARE(book->OrderCount, 2);
        QCOMPARE(book->CurrentOrder, 1);
        QCOMPARE(form->record().Lines.at(0).Designation, QStringLiteral("deux"));
        QVERIFY(book->OrderLines.contains(BlockCloseLabel(1)));
        QVERIFY(!book->OrderLines.contains(BlockOpenLabel(2)));
        QVERIFY(book->Supprime().ok());
        QCOMPARE(book->CurrentOrder, 0);
        QVERIFY(
            book->Supprime().ok()); // the only order: the count stays 1 and a new order is shown
        QCOMPARE(book->OrderCount, 1);
        QVERIFY(form->record().SupplierCode.isEmpty());
        QCOMPARE(form->record().Number, QStringLiteral("200003001"));
    }

    void deleteInABookWithoutBlocksStaysOnOrderZero()
    {
        writeFile("c.cmd", {QStringLiteral("nothing here")});
        QVERIFY(book->Charge("c.cmd").ok());
        QCOMPARE(book->OrderCount, 0);
        QVERIFY(book->Supprime().ok());
        QCOMPARE(book->CurrentOrder, 0);
    }

    void numbering_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QStringList>("numbers");
        QTest::addColumn<int>("next");
        QTest::newRow("new month restarts")
            << QDate(2000, 3, 2) << QStringList{"200002017"} << 200003001;
        QTest::newRow("same month goes on")
            << QDate(2000, 3, 2) << QStringList{"200003005"} << 200003006;
        QTest::newRow("a higher number wins")
            << QDate(1999, 12, 2) << QStringList{"200001009"} << 200001010;
        QTest::newRow("not numbers are passed over")
            << QDate(1999, 12, 2) << QStringList{"12A", "   ", "99999999999"} << 199912001;
    }
    void numbering()
    {
        QFETCH(QDate, today);
        QFETCH(QStringList, numbers);
        QFETCH(int, next);
        prompts->moment = QDateTime(today, QTime(9, 0));
        for (const QString &n : numbers)
            book->OrderLines << QStringLiteral("NUM") + n;
        book->Numeroc();
        QCOMPARE(book->NextOrderNumber, next);
    }

    void savingOnlyWhenModified()
    {
        QVERIFY(book->Nouveau().ok());
        QVERIFY(!*book->Sauve("c.cmd"));
        QVERIFY(!QFile::exists("c.cmd"));
        typeValidOrder();
        QVERIFY(*book->Sauve(dir->file("c.cmd")));
        QVERIFY(!book->FileModified);
        QCOMPARE(form->caption(), QStringLiteral("c.cmd"));
        QStringList lines;
        QVERIFY(TextFile::read("c.cmd", lines));
        QCOMPARE(lines.first(), BlockOpenLabel(0));
        QCOMPARE(lines.at(1), QStringLiteral("NUM200003001"));
        QCOMPARE(lines.at(10), QStringLiteral("CMDEÉcrous\t\t\t\t\t"));
    }

    void failedSaveKeepsTheOldFileAndTheBook()
    {
        QDir().mkdir("locked");
        const QString name = dir->file("locked/c.cmd");
        writeFile(name, orderBlock(0, "1"));
        QFile::setPermissions(dir->file("locked"), QFile::ReadOwner | QFile::ExeOwner);
        if (QFileInfo(dir->file("locked")).isWritable())
            QSKIP("running with rights that ignore folder permissions");
        QVERIFY(book->Charge(name).ok());
        typeValidOrder(QStringLiteral("changed"));
        const Result<bool> saved = book->Sauve(name);
        QVERIFY(!saved.ok());
        QCOMPARE(saved.message(), QStringLiteral("Ne peut créer le fichier ") + name);
        QVERIFY(book->FileModified);
        QStringList onDisk;
        QVERIFY(TextFile::read(name, onDisk));
        QCOMPARE(onDisk, orderBlock(0, "1"));
        QFile::setPermissions(dir->file("locked"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void saveToANameThatCannotBeCreated()
    {
        writeFile("plain", {QStringLiteral("x")});
        QVERIFY(book->Nouveau().ok());
        typeValidOrder();
        const QString name = dir->file("plain/c.cmd"); // "plain" is a file, not a folder
        QVERIFY(!book->Sauve(name).ok());
        QVERIFY(book->FileModified);
        QStringList kept;
        QVERIFY(TextFile::read("plain", kept));
        QCOMPARE(kept, QStringList{QStringLiteral("x")});
        QVERIFY(*book->Sauve(dir->file("c.cmd"))); // nothing was lost: a good name still saves
    }

    void everyByteSurvivesLoadAndSave()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            if (b != '\r' && b != '\n')
                all.append(char(b));
        QByteArray file = TextFile::joinLines(orderBlock(0, "1"));
        file.insert(file.indexOf("TTCN"), "MEMO" + all + "\r\n");
        QFile f("c.cmd");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(file);
        f.close();
        QVERIFY(book->Charge("c.cmd").ok());
        QVERIFY(*book->Sauve("d.cmd"));
        QFile g("d.cmd");
        QVERIFY(g.open(QIODevice::ReadOnly));
        QCOMPARE(g.readAll(), file);
    }

    void copyAndPasteIntoANewOrder()
    {
        QStringList lines = orderBlock(0, "200003001");
        lines.insert(11, QStringLiteral("CMDEb\t1\t1\t\t1\t1"));
        lines.insert(12, QStringLiteral("CMDEc\t1\t1\t\t1\t3"));
        lines.insert(13, QStringLiteral("MEMOnote 1"));
        lines.insert(14, QStringLiteral("MEMOnote 2"));
        writeFile("c.cmd", lines);
        QVERIFY(book->Charge("c.cmd").ok());
        QCOMPARE(book->LastRow, 3);
        book->Copier();
        QCOMPARE(book->Clipboard.Entries[0], QStringLiteral("128"));
        QCOMPARE(book->Clipboard.Entries[128], QStringLiteral("note 1"));
        QCOMPARE(book->Clipboard.Entries[130], QString());
        QVERIFY(book->Ajout().ok());
        QCOMPARE(book->CurrentOrder, 1);
        QVERIFY(book->Coller().ok());
        const OrderRecord pasted = form->record();
        QCOMPARE(pasted.Number, QStringLiteral("200003002"));
        QVERIFY(pasted.Memo.isEmpty());
        QCOMPARE(pasted.Lines.at(2).Designation, QStringLiteral("c"));
        QCOMPARE(pasted.SupplierCode, QStringLiteral("10023"));
        QVERIFY(book->OrderModified);
        QVERIFY(book->Premier().ok()); // the pasted copy is written with the same three rows
        QVERIFY(book->Suivant().ok());
        QCOMPARE(form->record().Lines.at(1).Designation, QStringLiteral("b"));
        QCOMPARE(book->LastRow, 3);
    }

    void pasteWithNothingCopiedDoesNothing()
    {
        QVERIFY(book->Nouveau().ok());
        QVERIFY(book->Coller().ok());
        QVERIFY(!book->FileModified);
    }

    void addingNeverLeavesAGap()
    {
        QVERIFY(book->Nouveau().ok());
        QVERIFY(book->Ajout().ok()); // order 0 was never valid: the new order takes its slot
        QCOMPARE(book->CurrentOrder, 0);
        QCOMPARE(book->OrderCount, 1);
        typeValidOrder();
        QVERIFY(book->Ajout().ok());
        QCOMPARE(book->CurrentOrder, 1);
        QCOMPARE(book->OrderCount, 2);
        QVERIFY(book->Premier().ok()); // order 1 not valid, not written
        QVERIFY(book->Ajout().ok());
        QCOMPARE(book->CurrentOrder, 1);
        QCOMPARE(book->OrderCount, 2);
    }

    void addingPastTheLastLabelIsRefused()
    {
        book->OrderCount = MaxOrders;
        book->OrderLines = TextLines(orderBlock(MaxOrders - 1, "1"));
        book->CurrentOrder = MaxOrders - 1;
        QVERIFY(book->LitFiche().ok());
        QVERIFY(!book->Ajout().ok());
        QCOMPARE(book->OrderCount, MaxOrders);
        QCOMPARE(book->OrderLines.count(BlockOpenLabel(0)), 0);
    }

    void modifiedFlagsFollowWhatIsShown()
    {
        writeFile("c.cmd", orderBlock(0, "1"));
        QVERIFY(book->Charge("c.cmd").ok());
        book->FileModified = false;
        QVERIFY(book->Suivant().ok()); // one order: nothing happens
        QVERIFY(!book->FileModified);
        QVERIFY(book->Precedent().ok()); // writes back and shows order 0 again
        QVERIFY(book->FileModified);
        QVERIFY(!book->OrderModified);
        book->CurrentOrder = 5;
        QVERIFY(
            book->LitFiche().ok()); // an index without block shows a new order, counted as changed
        QVERIFY(book->OrderModified);
    }

    void editedOrderIsWrittenBackWithoutGrowing()
    {
        writeFile("c.cmd", orderBlock(0, "1") + orderBlock(1, "2"));
        QVERIFY(book->Charge("c.cmd").ok());
        for (int round = 0; round < 3; ++round) {
            form->edit().AddressLines[1] = QStringLiteral("round %1").arg(round);
            book->markModified();
            QVERIFY(book->Suivant().ok());
            QVERIFY(book->Precedent().ok());
        }
        QCOMPARE(book->OrderLines.count(), 24);
        QCOMPARE(form->record().AddressLines[1], QStringLiteral("round 2"));
        form->editNote({QStringLiteral("a note")}); // a note alone is enough to write back
        book->OrderModified = false;
        QVERIFY(book->Suivant().ok());
        QVERIFY(book->OrderLines.contains(QStringLiteral("MEMOa note")));
    }

    void invalidOrderIsNotWrittenBack()
    {
        writeFile("c.cmd", orderBlock(0, "1") + orderBlock(1, "2"));
        QVERIFY(book->Charge("c.cmd").ok());
        const QStringList before = book->OrderLines.toStringList();
        form->edit().SupplierCode.clear();
        book->markModified();
        QVERIFY(book->Suivant().ok());
        QCOMPARE(book->OrderLines, before);
    }

    void rowsBeyondTheGridStayWithTheOrder()
    {
        QStringList lines = orderBlock(0, "1");
        lines.removeLast();
        for (int i = 0; i < 70; ++i)
            lines << QStringLiteral("CMDErow %1\t\t\t\t\t").arg(i);
        lines << BlockCloseLabel(0);
        writeFile("c.cmd", lines);
        QVERIFY(book->Charge("c.cmd").ok());
        QCOMPARE(book->LastRow, 63);
        QCOMPARE(book->overflowLines().size(), 8);
        form->edit().AddressLines[2] = QStringLiteral("x");
        book->markModified();
        book->EcritFiche();
        QCOMPARE(book->OrderLines.toStringList().filter(QRegularExpression("^CMDE")).size(), 71);
        QVERIFY(book->OrderLines.contains(QStringLiteral("CMDErow 69\t\t\t\t\t")));
    }

    void missingFileLoadsNothing()
    {
        book->OrderLines = TextLines(orderBlock(0, "1"));
        QVERIFY(book->Charge("absent.cmd").ok());
        QCOMPARE(book->OrderLines, orderBlock(0, "1"));
        QCOMPARE(form->caption(), QString());
    }

    void squeezeDropsLeadingBlankLines()
    {
        book->OrderLines = {" ", "\t", "", "a", "b"};
        book->Squize();
        QCOMPARE(book->OrderLines, (QStringList{"a", "b"}));
        book->OrderLines = {" ", "a"};
        book->Squize();
        QCOMPARE(book->OrderLines.size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestOrderBook)
#include "test_orderbook.moc"
