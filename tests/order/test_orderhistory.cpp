// SPDX-License-Identifier: GPL-3.0-or-later
#include "../fakeplatform.h"
#include "core/textfile.h"
#include "order/orderhistory.h"
#include "testsupport.h"

#include <QtTest>

// The undo history over the document, without a window: wherever it goes, the book and the
// order on screen are what they were when the history last stood there, and a book shown
// unmodified is what its file holds.
class TestOrderHistory : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void goesBackAndForth_data();
    void goesBackAndForth();
};

void TestOrderHistory::goesBackAndForth_data()
{
    QTest::addColumn<QString>("script"); // a: an order typed and added (3 steps), s: save, z, y
    QTest::addColumn<int>("undoable");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("maxJournal"); // -1: not checked
    const QString a = QStringLiteral("a");
    const QString z = QStringLiteral("z");
    const QString y = QStringLiteral("y");
    QTest::newRow("the steps beyond the limit go")
        << a.repeated(80) + z.repeated(OrderHistory::Steps + 1) << 0 << true
        << OrderHistory::Steps + 10;
    QTest::newRow("undo past a save and back") << "aaszzzzzzyyyyyy" << 6 << false << -1;
    QTest::newRow("saved after an undo") << "aazzsyyzz" << 4 << false << -1;
    // The save writes back the order the undo showed: the redo goes over to the other branch.
    QTest::newRow("redone across a save's write") << "aazsyzy" << 6 << true << -1;
    QTest::newRow("clean point at the limit's edge")
        << "as" + a.repeated(33) + z.repeated(OrderHistory::Steps) + y << 1 << false << -1;
    QTest::newRow("clean point dropped by the limit")
        << "as" + a.repeated(34) + z.repeated(OrderHistory::Steps) + y.repeated(2) << 2 << true
        << -1;
    QTest::newRow("a new step after undoing past a save") << "aaszzzazyy" << 6 << true << -1;
}

void TestOrderHistory::goesBackAndForth()
{
    QFETCH(QString, script);
    QFETCH(int, undoable);
    QFETCH(bool, modified);
    QFETCH(int, maxJournal);
    TemporaryWorkingDir dir;
    FakePlatform desktop{QDateTime(QDate(2000, 3, 15), QTime(10, 0))};
    OrderDocument document;
    OrderHistory history(document);
    QVERIFY(document.newBook().ok());
    const QString file = dir.file(QStringLiteral("h.cmd"));

    // states[k]: the book with the order on screen written back, after the k-th step kept or
    // dropped.
    QList<QByteArray> states{document.snapshot().join()};
    int dropped = 0;
    int lastIndex = 0;
    connect(&document, &OrderDocument::stepDone, this, [&] {
        // Full, the history drops its oldest step; a step merged replaces the last.
        if (history.index() == lastIndex && lastIndex == OrderHistory::Steps)
            ++dropped;
        lastIndex = history.index();
        states.resize(lastIndex + dropped);
        states.append(document.snapshot().join());
    });

    QByteArray saved;
    int typed = 0;
    for (const QChar op : script) {
        const qsizetype journal = document.book().journalSize();
        if (op == 'a') {
            document.setSupplierCode(QStringLiteral("10023"));
            QVERIFY(document.setCell(1, 0, QStringLiteral("Article %1").arg(++typed)));
            QVERIFY(document.addOrder().ok());
        } else if (op == 's') {
            QVERIFY(*document.save(file, OrderDocument::SaveWhen::Always));
            QVERIFY(TextFile::readBytes(file, saved));
        } else {
            QVERIFY((op == 'z' ? history.undo() : history.redo()).ok());
            lastIndex = history.index();
            QCOMPARE(document.book().journalSize(), journal);
        }
        QCOMPARE(document.snapshot().join(), states.at(history.index() + dropped));
        if (!document.fileModified())
            QCOMPARE(document.snapshot().join(), saved);
    }
    QCOMPARE(history.index(), undoable);
    QCOMPARE(document.fileModified(), modified);
    if (maxJournal >= 0)
        QVERIFY2(document.book().journalSize() <= maxJournal,
                 QByteArray::number(document.book().journalSize()));
}

QTEST_MAIN(TestOrderHistory)
#include "test_orderhistory.moc"
