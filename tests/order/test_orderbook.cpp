// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/textfile.h"
#include "order/orderdocument.h"
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

// Writes "c.cmd" with `lines`, the first note holding every byte but CR and LF; gives back its
// bytes, none when it could not be written.
QByteArray writeEveryByte(const QStringList &lines)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n')
            all.append(char(b));
    QByteArray file = TextFile::joinLines(lines);
    file.insert(file.indexOf("TTCN"), "MEMO" + all + "\r\n");
    QFile f("c.cmd");
    if (!f.open(QIODevice::WriteOnly) || f.write(file) != file.size())
        return {};
    return file;
}

} // namespace

class TestOrderBook : public QObject {
    Q_OBJECT

    QScopedPointer<TemporaryWorkingDir> dir;
    QScopedPointer<FakePlatform> prompts;
    QScopedPointer<OrderDocument> doc;

    const OrderBook &book() const { return doc->book(); }
    // A user types an order that passes the validity test.
    void typeValidOrder(const QString &designation = QStringLiteral("Écrous"))
    {
        doc->setSupplierCode(QStringLiteral("10001"));
        doc->setCell(1, 0, designation);
    }

private Q_SLOTS:
    void init()
    {
        dir.reset(new TemporaryWorkingDir);
        prompts.reset(new FakePlatform(QDateTime(QDate(2000, 3, 15), QTime(10, 0))));
        doc.reset(new OrderDocument);
    }
    void cleanup()
    {
        doc.reset();
        prompts.reset();
        dir.reset();
    }

    void loadShowsBlockZeroWhateverTheFileOrder()
    {
        writeFile("c.cmd", orderBlock(2, "200003002", "deux") + orderBlock(0, "200003000", "zero") +
                               orderBlock(1, "200003001", "un"));
        QVERIFY(doc->loadBook(dir->file("c.cmd")).ok());
        QCOMPARE(book().orderCount(), 3);
        QCOMPARE(doc->record().lines.at(0).designation, QStringLiteral("zero"));
        QCOMPARE(doc->caption(), QStringLiteral("c.cmd"));
        QVERIFY(doc->fileModified()); // showing the first order fills the controls
        QVERIFY(!doc->orderModified());
        QCOMPARE(doc->lastRow(), 1);
        QVERIFY(doc->nextOrder().ok());
        QCOMPARE(doc->record().lines.at(0).designation, QStringLiteral("un"));
        QVERIFY(doc->nextOrder().ok());
        QVERIFY(doc->nextOrder().ok()); // stays on the last one
        QCOMPARE(book().currentOrder(), 2);
        QCOMPARE(doc->record().lines.at(0).designation, QStringLiteral("deux"));
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
        QVERIFY(doc->loadBook("c.cmd").ok());
        QCOMPARE(prompts->texts(), QStringList{"Le fichier a été altéré. Restaurer ?"});
        QCOMPARE(prompts->asked.first().buttons, Prompts::Buttons::YesNo);
        // The repair drops the blank line outside the blocks and closes the damaged one.
        if (answer == Answer::Yes)
            QCOMPARE(book().lines(), orderBlock(0, "200003000") + orderBlock(1, "200003001", "un"));
        else
            QCOMPARE(book().lines(), original);
    }

    void copiesOfAnOrderAreMergedWithoutLosingOne()
    {
        // The same order written twice keeps one copy; an order with other lines under the same
        // index is kept under the first free one, and the count follows.
        writeFile("c.cmd", orderBlock(0, "1") + orderBlock(1, "2", "first") + orderBlock(0, "1") +
                               orderBlock(1, "3", "second") + orderBlock(3, "4"));
        QVERIFY(doc->loadBook("c.cmd").ok());
        QVERIFY(prompts->asked.isEmpty());
        QCOMPARE(book().lines().count(blockOpenLabel(0)), 1);
        QCOMPARE(book().lines().count(blockOpenLabel(1)), 1);
        QCOMPARE(book().orderCount(), 4);
        QVERIFY(doc->nextOrder().ok());
        QCOMPARE(doc->record().lines.at(0).designation, QStringLiteral("second"));
        QVERIFY(doc->nextOrder().ok());
        QCOMPARE(doc->record().lines.at(0).designation, QStringLiteral("first"));
        QCOMPARE(doc->record().number.trimmed(), QStringLiteral("2"));
    }

    void editingAnOrderCutShortKeepsTheOrdersBehindIt()
    {
        const QStringList original = orderBlock(0, "1", "zero", false) + orderBlock(1, "2", "un");
        writeFile("c.cmd", original);
        prompts->answer(Answer::No);
        QVERIFY(doc->loadBook("c.cmd").ok());
        QCOMPARE(book().lines(), original);
        QCOMPARE(doc->record().lines.size(), OrderDocument::GridRows);
        QCOMPARE(doc->record().lines.at(1).designation, QString()); // not order 1's line
        typeValidOrder(QStringLiteral("changed"));
        QVERIFY(doc->nextOrder().ok());
        QCOMPARE(doc->record().lines.at(0).designation, QStringLiteral("un"));
        QCOMPARE(book().lines().mid(0, 12), orderBlock(1, "2", "un"));
        QVERIFY(doc->deleteOrder().ok()); // order 1 goes, order 0 (now closed) stays
        QCOMPARE(book().orderCount(), 1);
        QCOMPARE(book().lines().first(), blockOpenLabel(0));
        QCOMPARE(book().lines().last(), blockCloseLabel(0));
    }

    void damagedLabelsDoNotStopLoading()
    {
        // A label whose digits are not a number, or point past the book, is no order's.
        writeFile("c.cmd",
                  orderBlock(0, "1") + QStringList{"<BLOCxx>", "</BLOCxx>"} + orderBlock(7, "2"));
        QVERIFY(doc->loadBook("c.cmd").ok());
        QCOMPARE(book().orderCount(), 3);
        QCOMPARE(doc->record().supplierCode, QStringLiteral("10023"));
    }

    void deleteRenumbersTheBlocksBehind()
    {
        writeFile("c.cmd", orderBlock(0, "1", "zero") + orderBlock(1, "2", "un") +
                               orderBlock(2, "3", "deux"));
        QVERIFY(doc->loadBook("c.cmd").ok());
        QVERIFY(doc->nextOrder().ok());
        QVERIFY(doc->deleteOrder().ok());
        QCOMPARE(book().orderCount(), 2);
        QCOMPARE(book().currentOrder(), 1);
        QCOMPARE(doc->record().lines.at(0).designation, QStringLiteral("deux"));
        QVERIFY(book().lines().contains(blockCloseLabel(1)));
        QVERIFY(!book().lines().contains(blockOpenLabel(2)));
        QVERIFY(doc->deleteOrder().ok());
        QCOMPARE(book().currentOrder(), 0);
        QVERIFY(
            doc->deleteOrder().ok()); // the only order: the count stays 1 and a new order is shown
        QCOMPARE(book().orderCount(), 1);
        QVERIFY(doc->record().supplierCode.isEmpty());
        QCOMPARE(doc->record().number, QStringLiteral("200003001"));
    }

    void deleteInABookWithoutBlocksStaysOnOrderZero()
    {
        writeFile("c.cmd", {QStringLiteral("nothing here")});
        QVERIFY(doc->loadBook("c.cmd").ok());
        QCOMPARE(book().orderCount(), 0);
        QVERIFY(doc->deleteOrder().ok());
        QCOMPARE(book().currentOrder(), 0);
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
        QStringList lines;
        for (const QString &n : numbers)
            lines << QStringLiteral("NUM") + n;
        writeFile("c.cmd", lines);
        OrderBook numbered;
        QVERIFY(*numbered.load("c.cmd"));
        numbered.updateNextNumber();
        QCOMPARE(numbered.nextOrderNumber(), next);
    }

    void savingOnlyWhenModified()
    {
        QVERIFY(doc->newBook().ok());
        QVERIFY(!*doc->save("c.cmd"));
        QVERIFY(!QFile::exists("c.cmd"));
        typeValidOrder();
        QVERIFY(*doc->save(dir->file("c.cmd")));
        QVERIFY(!doc->fileModified());
        QCOMPARE(doc->caption(), QStringLiteral("c.cmd"));
        QStringList lines;
        QVERIFY(TextFile::read("c.cmd", lines));
        QCOMPARE(lines.first(), blockOpenLabel(0));
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
        QVERIFY(doc->loadBook(name).ok());
        typeValidOrder(QStringLiteral("changed"));
        const Result<bool> saved = doc->save(name);
        QVERIFY(!saved.ok());
        QCOMPARE(saved.message(), QStringLiteral("Ne peut créer le fichier ") + name);
        QVERIFY(doc->fileModified());
        QStringList onDisk;
        QVERIFY(TextFile::read(name, onDisk));
        QCOMPARE(onDisk, orderBlock(0, "1"));
        QFile::setPermissions(dir->file("locked"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void saveToANameThatCannotBeCreated()
    {
        writeFile("plain", {QStringLiteral("x")});
        QVERIFY(doc->newBook().ok());
        typeValidOrder();
        const QString name = dir->file("plain/c.cmd"); // "plain" is a file, not a folder
        QVERIFY(!doc->save(name).ok());
        QVERIFY(doc->fileModified());
        QStringList kept;
        QVERIFY(TextFile::read("plain", kept));
        QCOMPARE(kept, QStringList{QStringLiteral("x")});
        QVERIFY(*doc->save(dir->file("c.cmd"))); // nothing was lost: a good name still saves
    }

    void everyByteSurvivesLoadAndSave()
    {
        const QByteArray file = writeEveryByte(orderBlock(0, "1"));
        QVERIFY(doc->loadBook("c.cmd").ok());
        QVERIFY(*doc->save("d.cmd"));
        QFile g("d.cmd");
        QVERIFY(g.open(QIODevice::ReadOnly));
        QCOMPARE(g.readAll(), file);
    }

    // Undo and redo go to any state the document was in since the book was opened, in any
    // order, and give the book back byte for byte.
    void everyStateComesBackByteForByte()
    {
        const QByteArray file =
            writeEveryByte(orderBlock(0, "1") + orderBlock(1, "2") + orderBlock(2, "3"));
        QVERIFY(doc->loadBook("c.cmd").ok());

        QList<OrderDocument::State> states{doc->state()};
        QList<QByteArray> books{book().lines().join()};
        const auto keep = [&] {
            states << doc->state();
            books << book().lines().join();
        };
        doc->setCell(1, 0, QStringLiteral("Boulons"));
        QVERIFY(doc->nextOrder().ok()); // written back
        keep();
        QVERIFY(doc->firstOrder().ok());
        QVERIFY(doc->deleteOrder().ok()); // the labels behind are rewritten
        keep();
        QVERIFY(doc->addOrder().ok());
        keep();
        doc->moveOrders({1, 0});
        keep();
        QVERIFY(*doc->save("d.cmd", OrderDocument::SaveWhen::Always));
        keep();
        QCOMPARE(states.size(), 6);
        for (const int k : {3, 0, 4, 2, 5, 1, 0, 5}) {
            QVERIFY(doc->restore(states.at(k)));
            QCOMPARE(book().lines().join(), books.at(k));
            QCOMPARE(book().currentOrder(), states.at(k).book.currentOrder);
            QCOMPARE(doc->record(), states.at(k).record);
        }
        // Back to where it was read, the first order's bytes are the file's.
        QVERIFY(doc->restore(states.at(0)));
        QCOMPARE(book().lines().join(), file);
    }

    void copyAndPasteIntoANewOrder()
    {
        QStringList lines = orderBlock(0, "200003001");
        lines.insert(11, QStringLiteral("CMDEb\t1\t1\t\t1\t1"));
        lines.insert(12, QStringLiteral("CMDEc\t1\t1\t\t1\t3"));
        lines.insert(13, QStringLiteral("MEMOnote 1"));
        lines.insert(14, QStringLiteral("MEMOnote 2"));
        writeFile("c.cmd", lines);
        QVERIFY(doc->loadBook("c.cmd").ok());
        QCOMPARE(doc->lastRow(), 3);
        doc->copyOrder();
        QCOMPARE(doc->clipboard().order().note, (QStringList{"note 1", "note 2"}));
        QVERIFY(doc->addOrder().ok());
        QCOMPARE(book().currentOrder(), 1);
        QVERIFY(doc->pasteOrder().ok());
        const OrderRecord pasted = doc->record();
        QCOMPARE(pasted.number, QStringLiteral("200003002"));
        QVERIFY(pasted.note.isEmpty());
        QCOMPARE(pasted.lines.at(2).designation, QStringLiteral("c"));
        QCOMPARE(pasted.supplierCode, QStringLiteral("10023"));
        QVERIFY(doc->orderModified());
        QVERIFY(doc->firstOrder().ok()); // the pasted copy is written with the same three rows
        QVERIFY(doc->nextOrder().ok());
        QCOMPARE(doc->record().lines.at(1).designation, QStringLiteral("b"));
        QCOMPARE(doc->lastRow(), 3);
    }

    void pastedRowsAreWrittenBack()
    {
        // Order 0 has three rows, order 1 one: pasted into order 1, all three are written.
        QStringList lines = orderBlock(0, "200003001");
        lines.insert(11, QStringLiteral("CMDEb\t1\t1\t\t1\t1"));
        lines.insert(12, QStringLiteral("CMDEc\t1\t1\t\t1\t3"));
        writeFile("c.cmd", lines + orderBlock(1, "200003002", "un"));
        QVERIFY(doc->loadBook("c.cmd").ok());
        doc->copyOrder();
        QVERIFY(doc->nextOrder().ok());
        QCOMPARE(doc->lastRow(), 1);
        QVERIFY(doc->pasteOrder().ok());
        QCOMPARE(doc->lastRow(), 3);
        QVERIFY(doc->firstOrder().ok());
        OrderRecord written;
        QVERIFY(*decode(book().lines(), 1, written));
        QCOMPARE(written.lines.size(), 3);
        QCOMPARE(written.lines.at(2).designation, QStringLiteral("c"));
        QCOMPARE(written.number.trimmed(), QStringLiteral("200003002"));
    }

    void pasteWithNothingCopiedDoesNothing()
    {
        QVERIFY(doc->newBook().ok());
        QVERIFY(doc->pasteOrder().ok());
        QVERIFY(!doc->fileModified());
    }

    void addingNeverLeavesAGap()
    {
        QVERIFY(doc->newBook().ok());
        QVERIFY(doc->addOrder().ok()); // order 0 was never valid: the new order takes its slot
        QCOMPARE(book().currentOrder(), 0);
        QCOMPARE(book().orderCount(), 1);
        typeValidOrder();
        QVERIFY(doc->addOrder().ok());
        QCOMPARE(book().currentOrder(), 1);
        QCOMPARE(book().orderCount(), 2);
        QVERIFY(doc->firstOrder().ok()); // order 1 not valid, not written
        QVERIFY(doc->addOrder().ok());
        QCOMPARE(book().currentOrder(), 1);
        QCOMPARE(book().orderCount(), 2);
    }

    void addingPastTheLastLabelIsRefused()
    {
        QStringList lines;
        for (int k = 0; k < MaxOrders; ++k)
            lines += orderBlock(k, QString::number(k));
        writeFile("c.cmd", lines);
        QVERIFY(doc->loadBook("c.cmd").ok());
        QVERIFY(doc->lastOrder().ok());
        QVERIFY(!doc->addOrder().ok());
        QCOMPARE(book().orderCount(), MaxOrders);
        QCOMPARE(book().lines().size(), lines.size());
    }

    void modifiedFlagsFollowWhatIsShown()
    {
        writeFile("c.cmd", orderBlock(0, "1"));
        QVERIFY(doc->loadBook("c.cmd").ok());
        doc->setFileModified(false);
        QVERIFY(doc->nextOrder().ok()); // one order: nothing happens
        QVERIFY(!doc->fileModified());
        QVERIFY(doc->previousOrder().ok()); // writes back and shows order 0 again
        QVERIFY(doc->fileModified());
        QVERIFY(!doc->orderModified());
        // An index without block shows a new order, counted as changed.
        QVERIFY(doc->showOrder(5).ok());
        QVERIFY(doc->orderModified());
    }

    void editedOrderIsWrittenBackWithoutGrowing()
    {
        writeFile("c.cmd", orderBlock(0, "1") + orderBlock(1, "2"));
        QVERIFY(doc->loadBook("c.cmd").ok());
        for (int round = 0; round < 3; ++round) {
            doc->setAddressLine(1, QStringLiteral("round %1").arg(round));
            QVERIFY(doc->nextOrder().ok());
            QVERIFY(doc->previousOrder().ok());
        }
        QCOMPARE(book().lines().count(), 24);
        QCOMPARE(doc->record().addressLines[1], QStringLiteral("round 2"));
        doc->setNote({QStringLiteral("a note")}); // a note alone is enough to write back
        doc->setOrderModified(false);
        QVERIFY(doc->nextOrder().ok());
        QVERIFY(book().lines().contains(QStringLiteral("MEMOa note")));
    }

    void invalidOrderIsNotWrittenBack()
    {
        writeFile("c.cmd", orderBlock(0, "1") + orderBlock(1, "2"));
        QVERIFY(doc->loadBook("c.cmd").ok());
        const QStringList before = book().lines().toStringList();
        doc->setSupplierCode(QString());
        QVERIFY(doc->nextOrder().ok());
        QCOMPARE(book().lines().toStringList(), before);
    }

    void rowsBeyondTheGridStayWithTheOrder()
    {
        QStringList lines = orderBlock(0, "1");
        lines.removeLast();
        for (int i = 0; i < 70; ++i)
            lines << QStringLiteral("CMDErow %1\t\t\t\t\t").arg(i);
        lines << blockCloseLabel(0);
        writeFile("c.cmd", lines);
        QVERIFY(doc->loadBook("c.cmd").ok());
        QCOMPARE(doc->lastRow(), 63);
        doc->setAddressLine(2, QStringLiteral("x"));
        doc->writeBackOrder();
        QCOMPARE(book().lines().toStringList().filter(QRegularExpression("^CMDE")).size(), 71);
        QVERIFY(book().lines().contains(QStringLiteral("CMDErow 69\t\t\t\t\t")));
    }

    void missingFileLoadsNothing()
    {
        writeFile("c.cmd", orderBlock(0, "1"));
        QVERIFY(doc->loadBook("c.cmd").ok());
        QVERIFY(doc->loadBook("absent.cmd").ok());
        QCOMPARE(book().lines(), orderBlock(0, "1"));
        QCOMPARE(doc->caption(), QString());
    }

    void squeezeDropsLeadingBlankLines()
    {
        writeFile("c.cmd", {" ", "\t", "", "a", "b"});
        OrderBook squeezed;
        QVERIFY(*squeezed.load("c.cmd"));
        squeezed.dropLeadingBlankLines();
        QCOMPARE(squeezed.lines(), (QStringList{"a", "b"}));
        writeFile("c.cmd", {" ", "a"});
        QVERIFY(*squeezed.load("c.cmd"));
        squeezed.dropLeadingBlankLines();
        QCOMPARE(squeezed.lines().size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestOrderBook)
#include "test_orderbook.moc"
