// Every file of the corpus of damaged order files opens without losing what can be read, and
// says what is wrong in French.

#include "order/orderbook.h"
#include "core/commanderror.h"
#include "testsupport.h"

#include <QTest>

class TestBrokenFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opening_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("repairOffered");
        QTest::addColumn<int>("orderCount");
        QTest::addColumn<QString>("shownSupplier");
        QTest::addColumn<QString>("error");
        const QString none;
        QTest::newRow("sound") << "sound.cmd" << false << 2 << "10023" << none;
        QTest::newRow("last block cut short") << "truncated.cmd" << true << 2 << "10023" << none;
        QTest::newRow("bad date") << "bad-date.cmd" << false << 1 << ""
                                  << "'32/13/2000' n'est pas une date correcte";
        QTest::newRow("duplicate block") << "duplicate.cmd" << false << 2 << "10099" << none;
        QTest::newRow("not an order file") << "garbage.cmd" << false << 0 << "" << none;
        QTest::newRow("opening label alone") << "label-only.cmd" << true << 1 << ""
                                             << "'' n'est pas une date correcte";
        QTest::newRow("empty") << "empty.cmd" << false << 0 << "" << none;
        QTest::newRow("LF line ends") << "lf-endings.cmd" << false << 2 << "10023" << none;
        QTest::newRow("CR line ends") << "cr-endings.cmd" << false << 2 << "10023" << none;
        QTest::newRow("label without digits")
            << "damaged-label.cmd" << false << 2 << "10023" << none;
        QTest::newRow("stray closing label") << "stray-closing.cmd" << true << 1 << "10023" << none;
    }
    void opening()
    {
        QFETCH(QString, file);
        QFETCH(bool, repairOffered);
        QFETCH(int, orderCount);
        QFETCH(QString, shownSupplier);
        QFETCH(QString, error);
        FixedClock clock(QDateTime(QDate(2000, 3, 15), QTime(9, 0)));
        ScriptedPrompts prompts;
        prompts.answer(Prompts::Answer::Yes);
        MemoryOrderForm form;
        OrderBook book(form);
        QString raised;
        try {
            book.Charge(qEnvironmentVariable("QOR_TEST_DATA") + "/orders/" + file);
        } catch (const CommandError &e) {
            raised = e.message();
        }
        QCOMPARE(raised, error);
        QCOMPARE(!prompts.asked.isEmpty(), repairOffered);
        QCOMPARE(book.OrderCount, orderCount);
        QCOMPARE(form.record().SupplierCode, shownSupplier);
    }
};

QTEST_GUILESS_MAIN(TestBrokenFiles)
#include "test_brokenfiles.moc"
