#include "order/bookindex.h"
#include "order/orderbook.h"
#include "order/orderformat.h"
#include "testsupport.h"

using namespace OrderFormat;

namespace {

using TestBooks::block;

// Every search the book makes, answered by the index and by reading the lines from the top.
void compareWithPlainSearch(BookIndex &index, const TextLines &lines, int orders)
{
    for (int k = -1; k <= orders + 1; ++k) {
        QCOMPARE(index.findBlock(lines, k), findLine(lines, BlockOpenLabel(k)));
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
        lines[lines.indexOf(BlockOpenLabel(1))] = QStringLiteral("<bloc0001>");
        lines[lines.indexOf(QStringLiteral("NUM100"))] = QStringLiteral("num100");
        lines += block(10003, "103").mid(0, 5);
        BookIndex index;
        compareWithPlainSearch(index, TextLines(lines), 5);
    }

    void followsTheChangesItIsToldOf()
    {
        TextLines lines(block(0, "100") + block(1, "101") + block(2, "102"));
        BookIndex index;
        compareWithPlainSearch(index, lines, 3);

        // Order 0 written back: its block leaves its place and is appended.
        const qsizetype open = index.findBlock(lines, 0);
        qsizetype end = 0;
        {
            BookIndex::Change change(index, lines);
            const qsizetype count = blockEnd(lines, open) - open;
            lines.remove(open, count);
            change.removed(open, count);
            end = lines.size();
            lines += block(0, "200");
            change.appended(end);
        }
        compareWithPlainSearch(index, lines, 3);
        QCOMPARE(index.findNumberLine(lines, "NUM200"), end + 1);

        // A change left unreported is not taken for the lines as they were.
        {
            BookIndex::Change change(index, lines);
            lines.prepend(BlockOpenLabel(4));
        }
        compareWithPlainSearch(index, lines, 5);
    }

    void noticesChangesItWasNotToldOf()
    {
        QStringList lines = block(0, "100") + block(1, "101");
        BookIndex index;
        compareWithPlainSearch(index, TextLines(lines), 2);

        lines = block(1, "101") + block(0, "100"); // another list
        compareWithPlainSearch(index, TextLines(lines), 2);
        lines.removeFirst(); // a list of another size
        compareWithPlainSearch(index, TextLines(lines), 2);
        // Lines rewritten in place, even to a label looked for before and not found.
        lines[lines.indexOf(BlockOpenLabel(0))] = BlockOpenLabel(3);
        compareWithPlainSearch(index, TextLines(lines), 4);
        const qsizetype number = lines.indexOf(QStringLiteral("NUM101"));
        lines[number] = QStringLiteral("NUM999");
        QCOMPARE(index.findNumberLine(TextLines(lines), "NUM999"), number);
    }

    void bookOperationsKeepItRight()
    {
        // Through the book: writing back, adding, deleting and moving keep every order shown
        // the one whose label it bears.
        FakePlatform prompts(QDateTime(QDate(2000, 3, 14), QTime(9, 0)));
        MemoryOrderForm form;
        OrderBook book(form);
        book.OrderLines =
            TextLines(block(2, "200003003") + block(0, "200003001") + block(1, "200003002"));
        book.OrderCount = 3;
        QVERIFY(book.LitFiche().ok());
        const auto shownNumber = [&] { return form.record().Number; };
        QCOMPARE(shownNumber(), QStringLiteral("200003001"));

        for (int step = 0; step < 7; ++step) {
            form.edit().AddressLines[3] = QStringLiteral("étape %1").arg(step);
            book.markModified();
            QVERIFY(book.Suivant().ok()); // writes back order k, moving its block to the end
        }
        QCOMPARE(book.CurrentOrder, 2);
        QCOMPARE(shownNumber(), QStringLiteral("200003003"));
        QVERIFY(book.Premier().ok());
        QCOMPARE(form.record().AddressLines[3], QStringLiteral("étape 0"));
        QVERIFY(book.Dernier().ok());
        QCOMPARE(form.record().AddressLines[3], QStringLiteral("étape 6"));
        QCOMPARE(book.findNumberLine("NUM200003002"), findLine(book.OrderLines, "NUM200003002"));

        QVERIFY(book.Ajout().ok()); // a new order in slot 3, not written until valid
        form.edit().SupplierCode = QStringLiteral("10023");
        form.edit().Number = QStringLiteral("200003004");
        form.edit().Lines = {OrderLine{QStringLiteral("Vis"), "1", "2", "", "2", "1"}};
        book.LastRow = 1;
        book.markModified();
        QVERIFY(book.Precedent().ok());
        QCOMPARE(shownNumber(), QStringLiteral("200003003"));
        QVERIFY(book.Supprime().ok()); // order 2 goes: order 3 becomes order 2
        QCOMPARE(shownNumber(), QStringLiteral("200003004"));
        QVERIFY(book.Premier().ok());
        QVERIFY(book.Suivant().ok());
        QCOMPARE(shownNumber(), QStringLiteral("200003002"));
        QCOMPARE(book.findNumberLine("NUM200003004"), findLine(book.OrderLines, "NUM200003004"));
    }
};

QTEST_GUILESS_MAIN(TestBookIndex)
#include "test_bookindex.moc"
