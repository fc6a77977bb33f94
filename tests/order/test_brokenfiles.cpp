// SPDX-License-Identifier: GPL-3.0-or-later
// Every file of the corpus of damaged order files opens, after Oui and after Non to the repair
// question, as the book written beside it under expected/; no whole order is ever lost.

#include "bookrule.h"
#include "core/textfile.h"
#include "order/orderdocument.h"
#include "order/orderformat.h"
#include "order/orderrepair.h"
#include "orderlines.h"
#include "testsupport.h"

#include <QSet>
#include <QTest>

using Prompts::Answer;

namespace {

QString corpus(const QString &name)
{
    return qEnvironmentVariable("QOR_TEST_DATA") + QStringLiteral("/orders/") + name;
}

QStringList readLines(const QString &fileName)
{
    QStringList lines;
    if (!TextFile::read(fileName, lines))
        QTest::qFail(qPrintable(QStringLiteral("cannot read ") + fileName), __FILE__, __LINE__);
    return lines;
}

struct Loaded {
    QStringList lines;
    int orderCount = 0;
    QStringList questions;
    QString error;
    QString shownSupplier;
};

Loaded load(const QStringList &fileLines, Answer answer)
{
    TemporaryWorkingDir dir;
    if (!TextFile::write(QStringLiteral("c.cmd"), TextLines(fileLines)))
        QTest::qFail("cannot write the book", __FILE__, __LINE__);
    FakePlatform prompts(QDateTime(QDate(2000, 3, 15), QTime(9, 0)));
    prompts.answer(answer);
    OrderDocument document;
    const OrderBook &book = document.book();
    Loaded loaded;
    const Result<bool> charged = document.loadBook(dir.file(QStringLiteral("c.cmd")));
    if (!charged)
        loaded.error = charged.message();
    loaded.lines = book.lines().toStringList();
    loaded.orderCount = book.orderCount();
    loaded.questions = prompts.texts();
    loaded.shownSupplier = document.record().supplierCode;
    return loaded;
}

// A book of `count` orders, each closed or not.
QStringList orders(int count, bool closed)
{
    QStringList lines;
    for (int k = 0; k < count; ++k)
        lines += orderBlock(k, QString::number(200003001 + k), QStringLiteral("Article %1").arg(k),
                            closed);
    return lines;
}

} // namespace

class TestBrokenFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opening_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("repairOffered");
        QTest::addColumn<QString>("shownSupplier");
        QTest::addColumn<QString>("error");

        struct Case {
            const char *name;
            bool repairOffered;
            QString shownSupplier;
            QString error;
        };
        const QString none;
        const Case cases[] = {
            {"sound", false, "10023", none},
            {"truncated", true, "10023", none},
            {"bad-date", false, "", "'32/13/2000' n'est pas une date correcte"},
            {"duplicate", false, "10099", none},
            {"garbage", false, "", none},
            {"label-only", true, "", "'' n'est pas une date correcte"},
            {"empty", false, "", none},
            {"lf-endings", false, "10023", none},
            {"cr-endings", false, "10023", none},
            {"damaged-label", true, "10023", none},
            {"stray-closing", true, "10023", none},
            {"written-twice", true, "10023", none},
            {"unclosed-blocks", true, "10000", none},
            {"gap", true, "10023", none},
            {"blank-between", true, "10023", none},
            {"three-copies", false, "10023", none},
            {"cut-copy", true, "10023", none},
            {"cut-copy-first", true, "10023", none},
            {"stray-labels", true, "10023", none},
            {"lower-case-open", true, "10023", none},
            {"long-order", false, "10023", none},
            {"gap-indexes", false, "10023", none},
            {"unknown-lines", true, "10023", none},
        };
        for (const Case &c : cases) {
            QTest::addRow("%s / Oui", c.name) << QString::fromLatin1(c.name) << Answer::Yes
                                              << c.repairOffered << c.shownSupplier << c.error;
            QTest::addRow("%s / Non", c.name) << QString::fromLatin1(c.name) << Answer::No
                                              << c.repairOffered << c.shownSupplier << c.error;
        }
    }
    void opening()
    {
        QFETCH(QString, name);
        QFETCH(Answer, answer);
        QFETCH(bool, repairOffered);
        QFETCH(QString, shownSupplier);
        QFETCH(QString, error);

        const QStringList input = readLines(corpus(name + QStringLiteral(".cmd")));
        const Loaded loaded = load(input, answer);
        QCOMPARE(loaded.questions, repairOffered
                                       ? QStringList{"Le fichier a été altéré. Restaurer ?"}
                                       : QStringList());
        QCOMPARE(loaded.error, error);
        QCOMPARE(loaded.shownSupplier, shownSupplier);
        const QString expected = corpus(
            QStringLiteral("expected/") + name +
            (answer == Answer::Yes ? QStringLiteral(".oui.cmd") : QStringLiteral(".non.cmd")));
        QCOMPARE(loaded.lines, readLines(expected));
        // Every order is reached by stepping: the blocks take the indexes 0 to n - 1, all below
        // the count, which counts every "<BLOC" line as well.
        QSet<int> indexes;
        for (const QString &line : loaded.lines)
            if (const int index = BookRule::openingIndex(line); index >= 0)
                indexes.insert(index);
        for (const int index : std::as_const(indexes))
            QVERIFY(index < indexes.size());
        QCOMPARE(loaded.orderCount,
                 qMax(int(indexes.size()),
                      int(loaded.lines.filter(QRegularExpression("^<BLOC")).size())));
        QCOMPARE(BookRule::check(input, loaded.lines), QString());
        // A repaired book is sound: opening it again asks nothing and changes nothing.
        if (repairOffered && answer == Answer::Yes) {
            QVERIFY(!OrderRepair::isDamaged(TextLines(loaded.lines)));
            TextLines again(loaded.lines);
            QVERIFY(!OrderRepair::mergeDuplicates(again));
        }
    }

    void largeDamagedBooksKeepEveryOrder_data()
    {
        QTest::addColumn<QStringList>("input");
        QTest::addColumn<int>("orderCount");
        // 2000 orders, none closed.
        QTest::newRow("2000 blocks without closing label") << orders(2000, false) << 2000;
        // 10000 orders written twice, the first copy of order 5000 without closing label.
        QStringList twice = orders(10000, true);
        twice.removeAt(twice.indexOf(OrderFormat::blockCloseLabel(5000)));
        twice += orders(10000, true);
        QTest::newRow("10000 orders written twice") << twice << 10000;
    }
    void largeDamagedBooksKeepEveryOrder()
    {
        QFETCH(QStringList, input);
        QFETCH(int, orderCount);
        for (const Answer answer : {Answer::Yes, Answer::No}) {
            const Loaded loaded = load(input, answer);
            QCOMPARE(loaded.questions.size(), 1);
            QCOMPARE(loaded.orderCount, orderCount);
            QCOMPARE(loaded.shownSupplier, QStringLiteral("10023"));
            QCOMPARE(BookRule::check(input, loaded.lines), QString());
        }
    }
};

QTEST_GUILESS_MAIN(TestBrokenFiles)
#include "test_brokenfiles.moc"
