// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/orderbook.h"
#include "order/orderformat.h"
#include "order/orderlist.h"
#include "order/orderlistmodel.h"
#include "testsupport.h"

#include <QTest>

using namespace OrderFormat;

namespace {

QStringList block(int index, const QString &number, const QString &name = QStringLiteral("Dupont"))
{
    return TestBooks::block(
        index, {.number = number.leftJustified(9),
                .date = QStringLiteral("01/12/1999"),
                .address = {name, QStringLiteral("12 rue des Lilas"), QString(), QString()}});
}

// The number text of the block labelled `index`, "" when there is none.
QString numberOf(const TextLines &lines, int index)
{
    const qsizetype open = findBlock(lines, index);
    return open < 0 ? QString() : numberText(lines.at(open + 1));
}

// The list's moves written into the lines, as the book writes them; true when a label changed.
bool renumber(TextLines &lines, const QList<int> &order)
{
    const QList<BookJournal::Label> labels = OrderList::relabels(lines, order);
    BookJournal().relabel(lines, labels);
    return !labels.isEmpty();
}

} // namespace

class TestOrderList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void modelListsTheBookAndMovesEntries()
    {
        // Blocks in file order 1, 0: one entry per order, in index order, read from the book.
        const QStringList lines =
            block(1, QStringLiteral("19991200"), QStringLiteral("Dupont et Fils")) +
            QStringList{QStringLiteral(" ")} +
            block(0, QStringLiteral("199912001"), QStringLiteral("Martin"));
        OrderBook book;
        book.recover(QString(), TextLines(lines));
        OrderListModel model;
        const ModelTesters testers = testModels(&model);
        model.setBook(&book);
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.data(model.index(0)).toString(),
                 QStringLiteral("199912001  01/12/1999  10023  Martin  12 rue des Lilas"));
        // The number text is shown as stored, trailing space included.
        QCOMPARE(model.data(model.index(1)).toString(),
                 QStringLiteral("19991200   01/12/1999  10023  Dupont et Fils  12 rue des Lilas"));
        QCOMPARE(model.longestEntry(), 1);

        // Moves reorder the entries, not the book.
        QVERIFY(!model.moveEntry(0, -1));
        QVERIFY(!model.moveEntry(1, 1));
        QVERIFY(model.moveEntry(1, -1));
        QCOMPARE(model.entryOrder(), (QList<int>{1, 0}));
        QVERIFY(model.data(model.index(0)).toString().startsWith(QStringLiteral("19991200 ")));
        QCOMPARE(model.longestEntry(), 0);
        QCOMPARE(book.lines().toStringList(), lines);

        model.setBook(nullptr);
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.longestEntry(), -1);
    }

    void renumberGivesEachBlockItsPlace_data()
    {
        QTest::addColumn<QList<int>>("order");
        QTest::addColumn<bool>("changed");
        QTest::newRow("unchanged") << QList<int>{0, 1, 2} << false;
        QTest::newRow("first two swapped") << QList<int>{1, 0, 2} << true;
        QTest::newRow("last moved to the top") << QList<int>{2, 0, 1} << true;
        QTest::newRow("first moved to the bottom") << QList<int>{1, 2, 0} << true;
        QTest::newRow("reversed") << QList<int>{2, 1, 0} << true;
    }
    void renumberGivesEachBlockItsPlace()
    {
        QFETCH(QList<int>, order);
        QFETCH(bool, changed);
        const QStringList numbers{QStringLiteral("100"), QStringLiteral("101"),
                                  QStringLiteral("102")};
        // Blocks in file order 2, 0, 1, and block 4 outside the list (index 3 missing).
        const QStringList before = block(2, numbers[2]) + block(0, numbers[0]) +
                                   block(4, QStringLiteral("104")) + block(1, numbers[1]);
        TextLines lines(before);
        QCOMPARE(renumber(lines, order), changed);

        QCOMPARE(lines.size(), before.size());
        for (int p = 0; p < order.size(); ++p) {
            QCOMPARE(numberOf(lines, p), numbers.at(order.at(p)));
            QCOMPARE(OrderList::newIndexOf(order, order.at(p)), p);
            // The block stays whole: its closing label follows its own lines.
            const qsizetype open = findBlock(lines, p);
            QCOMPARE(lines.at(open + 11), blockCloseLabel(p));
        }
        QCOMPARE(numberOf(lines, 4), QStringLiteral("104"));
        QCOMPARE(OrderList::newIndexOf(order, 4), 4);
        // Only label lines changed, and blocks did not move.
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (!isOpenLabel(lines.at(i)) && !isCloseLabel(lines.at(i)))
                QCOMPARE(lines.at(i), before.at(i));
    }

    void renumberBlockWithoutClosingLabel()
    {
        // Block 1 is cut short at the end of the file: only its opening label changes, and
        // block 0's closing label is not taken for it.
        TextLines lines(block(0, QStringLiteral("100")) + block(1, QStringLiteral("101")));
        lines.removeLast();
        QVERIFY(renumber(lines, {1, 0}));
        QCOMPARE(lines.at(0), blockOpenLabel(1));
        QCOMPARE(lines.at(11), blockCloseLabel(1));
        QCOMPARE(lines.at(12), blockOpenLabel(0));
        QCOMPARE(lines.size(), 23);
    }

    void renumberRefusesWhatIsNoPermutation_data()
    {
        QTest::addColumn<QList<int>>("order");
        QTest::newRow("twice the same block") << QList<int>{1, 1};
        QTest::newRow("index beyond the list") << QList<int>{2, 0};
        QTest::newRow("negative") << QList<int>{-1, 0};
    }
    void renumberRefusesWhatIsNoPermutation()
    {
        QFETCH(QList<int>, order);
        const QStringList before =
            block(0, QStringLiteral("100")) + block(1, QStringLiteral("101"));
        TextLines lines(before);
        QVERIFY(!renumber(lines, order));
        QCOMPARE(lines, before);
    }

    void tenThousandOrdersReversed()
    {
        constexpr int count = MaxOrders;
        TextLines lines;
        lines.reserve(count * 12);
        QList<int> order;
        for (int k = 0; k < count; ++k) {
            lines += block(k, QString::number(100000 + k));
            order.prepend(k);
        }
        QVERIFY(renumber(lines, order));
        const QHash<int, qsizetype> opens = firstBlockPositions(lines);
        QCOMPARE(opens.size(), count);
        for (int p : {0, 1, 4999, 5000, count - 1}) {
            QCOMPARE(numberText(lines.at(opens.value(p) + 1)),
                     QString::number(100000 + count - 1 - p));
            QCOMPARE(lines.at(opens.value(p) + 11), blockCloseLabel(p));
        }
    }
};

QTEST_GUILESS_MAIN(TestOrderList)
#include "test_orderlist.moc"
