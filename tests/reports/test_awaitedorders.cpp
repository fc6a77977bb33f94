// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clock.h"
#include "order/bookview.h"
#include "reports/awaitedorders.h"
#include "reports/awaitedordersmodel.h"
#include "testsupport.h"

#include <QRegularExpression>
#include <QtTest>

namespace {

// An order of supplier `code` whose block holds `body` after its price mode: its lines
// ("CMDE" added) and what became of it (lines of four capitals, as they stand).
QStringList order(int index, const QString &number, const QString &code, const QStringList &body,
                  const QString &mode = QStringLiteral("TTCN"))
{
    TestBooks::Order o;
    o.number = number;
    o.code = code;
    o.address[0] = QStringLiteral("Fournisseur ") + code;
    o.body = {mode};
    for (const QString &line : body)
        o.body << (QRegularExpression(QStringLiteral("^[A-Z]{4}\\d")).match(line).hasMatch()
                       ? line
                       : QStringLiteral("CMDE") + line);
    return TestBooks::block(index, o);
}

const QString Screws = QStringLiteral("Vis\t2\t10,00\t\t20,00\t1");

} // namespace

class TestAwaitedOrders : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void awaited_data();
    void awaited();
};

// Each book against the clock of the test (14/03/2000): the rows the list shows, as "number,
// days late, still due before tax".
void TestAwaitedOrders::awaited_data()
{
    QTest::addColumn<QList<QStringList>>("orders");
    QTest::addColumn<QString>("supplier");
    QTest::addColumn<QStringList>("rows");
    const QString sent = QStringLiteral("ENVO01/03/2000\tAUTRE");
    // An order of comments alone has nothing to come: never listed, never late.
    QTest::newRow("only what was sent and is still to come")
        << QList<QStringList>{order(0, "1", "F1", {Screws}),
                              order(1, "2", "F1", {Screws, sent}),
                              order(2, "3", "F1", {Screws, sent, "RECU05/03/2000\t1=2"}),
                              order(3, "4", "F1", {Screws, sent, "RECU05/03/2000\t1=5"}),
                              order(4, "5", "F1", {Screws, sent, "SOLD06/03/2000"}),
                              order(5, "6", "F1", {Screws, sent, "ANNU06/03/2000"}),
                              order(6, "7", "F1", {Screws, sent, "MODI02/03/2000"}),
                              order(7, "8", "F1", {"Note seule", sent}),
                              order(8, "9", "F1",
                                    {"Note seule", "Tarif\tcf. devis\t\t\t\t", sent,
                                     "PREV02/03/2000"})}
        << QString() << QStringList{"2,0,20,00", "7,0,20,00"};
    QTest::newRow("late first, the latest first, then by the day sent")
        << QList<QStringList>{order(0, "1", "F1",
                                    {Screws, "ENVO02/03/2000\tPDF", "PREV14/03/2000"}),
                              order(1, "2", "F1",
                                    {Screws, "ENVO05/03/2000\tPDF", "PREV13/03/2000"}),
                              order(2, "3", "F1",
                                    {Screws, "ENVO01/03/2000\tPDF", "PREV10/03/2000"}),
                              order(3, "4", "F1",
                                    {Screws, "ENVO20/02/2000\tPDF", "PREV01/04/2000"}),
                              order(4, "5", "F1",
                                    {Screws, "ENVO20/02/2000\tPDF", "ENVO12/03/2000\tCOURRIEL"})}
        << QString()
        << QStringList{"3,4,20,00", "2,1,20,00", "4,0,20,00", "5,0,20,00", "1,0,20,00"};
    QTest::newRow("still due: parts received, discount, lines without a number quantity")
        << QList<QStringList>{order(0, "1", "F1",
                                    {"Vis\t10\t2,00\t10\t18,00\t1", "Commentaire",
                                     "Port\tforfait\t15,00\t\t15,00\t1", "Clou\t4\t1,50\t\t6,00\t3",
                                     sent, "RECU05/03/2000\t1=3\t4=4", "RECU06/03/2000\t1=1"})}
        << QString() << QStringList{"1,0,10,80"};
    QTest::newRow("still due before tax of an order typed with tax")
        << QList<QStringList>{order(0, "1", "F1",
                                    {"Vis\t2\t12,06\t\t24,12\t1", sent, "RECU05/03/2000\t1=1"},
                                    QStringLiteral("TTCY"))}
        << QString() << QStringList{"1,0,10,00"};
    const QList<QStringList> two{order(0, "1", "F1", {Screws, sent}),
                                 order(1, "2", "F2", {Screws, sent, "PREV13/03/2000"}),
                                 order(2, "3", "F1", {Screws, "ENVO29/02/2000\tAUTRE"})};
    QTest::newRow("every supplier")
        << two << QString() << QStringList{"2,1,20,00", "3,0,20,00", "1,0,20,00"};
    QTest::newRow("one supplier") << two << "F1" << QStringList{"3,0,20,00", "1,0,20,00"};
}

void TestAwaitedOrders::awaited()
{
    QFETCH(QList<QStringList>, orders);
    QFETCH(QString, supplier);
    QFETCH(QStringList, rows);
    const FakePlatform desktop;
    QStringList lines;
    for (const QStringList &o : orders)
        lines += o;
    AwaitedOrders awaited{BookView(TextLines(lines))};
    AwaitedOrdersModel model(awaited);
    const ModelTesters testers = testModels(&model);
    model.setToday(Clock::today());
    model.setSupplier(supplier);
    QStringList shown;
    int late = 0;
    for (int row = 0; row < model.rowCount(); ++row) {
        const auto cell = [&](int column) { return model.index(row, column).data().toString(); };
        const QString days = cell(AwaitedOrdersModel::LateColumn);
        shown << cell(AwaitedOrdersModel::NumberColumn).trimmed() + ',' +
                     (days.isEmpty() ? QStringLiteral("0") : days) + ',' +
                     cell(AwaitedOrdersModel::DueColumn);
        if (!days.isEmpty())
            ++late;
    }
    QCOMPARE(shown, rows);
    if (supplier.isEmpty())
        QCOMPARE(awaited.lateCount(Clock::today()), late);
}

QTEST_GUILESS_MAIN(TestAwaitedOrders)
#include "test_awaitedorders.moc"
