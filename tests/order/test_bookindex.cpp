// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/textfile.h"
#include "order/bookindex.h"
#include "order/orderdocument.h"
#include "order/orderformat.h"
#include "testsupport.h"

using namespace OrderFormat;

namespace {

using TestBooks::block;

// Every search the book makes, answered by the index and by reading the lines from the top.
void compareWithPlainSearch(BookIndex &index, const TextLines &lines, int orders)
{
    for (int k = -1; k <= orders + 1; ++k) {
        QCOMPARE(index.findBlock(lines, k), findLine(lines, blockOpenLabel(k)));
        const QString number = QStringLiteral("NUM%1").arg(100 + k);
        QCOMPARE(index.findNumberLine(lines, number), findLine(lines, number));
    }
}

} // namespace

class TestBookIndex : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void answersAsASearchFromTheTop()
    {
        // Blocks out of order, a duplicate, labels and numbers in other letter cases, a block
        // without its closing label, lines outside blocks, a label past 9999.
        QStringList lines = block(2, "102") + block(0, "100") + QStringList{" ", "NUMx"} +
                            block(1, "101") + block(2, "102");
        lines[lines.indexOf(blockOpenLabel(1))] = QStringLiteral("<bloc0001>");
        lines[lines.indexOf(QStringLiteral("NUM100"))] = QStringLiteral("num100");
        lines += block(10003, "103").mid(0, 5);
        // Number lines outside ASCII, one with a character the files cannot hold.
        lines += QStringList{"NUMÉ7", "numé7", "NUM中", "NUM?", "NUM@1", "NUM`1"};
        BookIndex index;
        const TextLines indexed(lines);
        compareWithPlainSearch(index, indexed, 5);
        for (const char *number : {"numÉ7", "NUMé7", "NUM中", "NUM?", "num@1", "NUM`1", "NUM`"})
            QCOMPARE(index.findNumberLine(indexed, QString::fromUtf8(number)),
                     findLine(indexed, QString::fromUtf8(number)));
    }

    void followsTheChangesItIsToldOf()
    {
        TextLines lines(block(0, "100") + block(1, "101") + block(2, "102"));
        BookIndex index;
        compareWithPlainSearch(index, lines, 3);

        // Order 0 written back: its block leaves its place and is appended.
        const qsizetype open = index.findBlock(lines, 0);
        const qsizetype count = blockEnd(lines, open) - open;
        lines.remove(open, count);
        index.removed(open, count);
        const qsizetype end = lines.size();
        lines += block(0, "200");
        index.appended(lines, end);
        compareWithPlainSearch(index, lines, 3);
        QCOMPARE(index.findNumberLine(lines, "NUM200"), end + 1);
        QCOMPARE(index.blocksFromZero(lines), (QList<qsizetype>{24, 0, 12}));

        // Any other change: built again.
        lines.prepend(blockOpenLabel(4));
        index.invalidate();
        compareWithPlainSearch(index, lines, 5);
    }

    void bookOperationsKeepItRight()
    {
        // Through the document: writing back, adding, deleting and moving keep every order
        // shown the one whose label it bears.
        TemporaryWorkingDir dir;
        FakePlatform prompts(QDateTime(QDate(2000, 3, 14), QTime(9, 0)));
        OrderDocument doc;
        const OrderBook &book = doc.book();
        QVERIFY(TextFile::write(
            dir.file("c.cmd"),
            TextLines(block(2, "200003003") + block(0, "200003001") + block(1, "200003002"))));
        QVERIFY(*doc.loadBook(dir.file("c.cmd")));
        const auto shownNumber = [&] { return doc.record().number; };
        QCOMPARE(shownNumber(), QStringLiteral("200003001"));

        for (int step = 0; step < 7; ++step) {
            doc.setAddressLine(3, QStringLiteral("étape %1").arg(step));
            QVERIFY(doc.nextOrder().ok()); // writes back order k, moving its block to the end
        }
        QCOMPARE(book.currentOrder(), 2);
        QCOMPARE(shownNumber(), QStringLiteral("200003003"));
        QVERIFY(doc.firstOrder().ok());
        QCOMPARE(doc.record().addressLines[3], QStringLiteral("étape 0"));
        QVERIFY(doc.lastOrder().ok());
        QCOMPARE(doc.record().addressLines[3], QStringLiteral("étape 6"));
        QCOMPARE(book.findNumberLine("NUM200003002"), findLine(book.lines(), "NUM200003002"));

        QVERIFY(doc.addOrder().ok()); // a new order in slot 3, not written until valid
        doc.setSupplierCode(QStringLiteral("10023"));
        doc.setNumber(QStringLiteral("200003004"));
        doc.setCell(1, 0, QStringLiteral("Vis"));
        QVERIFY(doc.previousOrder().ok());
        QCOMPARE(shownNumber(), QStringLiteral("200003003"));
        QVERIFY(doc.deleteOrder().ok()); // order 2 goes: order 3 becomes order 2
        QCOMPARE(shownNumber(), QStringLiteral("200003004"));
        QVERIFY(doc.firstOrder().ok());
        QVERIFY(doc.nextOrder().ok());
        QCOMPARE(shownNumber(), QStringLiteral("200003002"));
        QCOMPARE(book.findNumberLine("NUM200003004"), findLine(book.lines(), "NUM200003004"));

        // Entries moved in the list: the order on screen follows its block.
        doc.moveOrders({2, 0, 1});
        QCOMPARE(book.currentOrder(), 2);
        QVERIFY(doc.firstOrder().ok());
        QCOMPARE(shownNumber(), QStringLiteral("200003004"));
        QVERIFY(doc.lastOrder().ok());
        QCOMPARE(shownNumber(), QStringLiteral("200003002"));
    }
};

QTEST_GUILESS_MAIN(TestBookIndex)
#include "test_bookindex.moc"
