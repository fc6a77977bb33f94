// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/orderfilename.h"

#include <QTest>

class TestOrderFileName : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void extension_data();
    void extension();
    void savedName_data();
    void savedName();
};

void TestOrderFileName::extension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("lower") << "/tmp/commande.cmd" << true;
    QTest::newRow("upper") << "/tmp/COMMANDE.CMD" << true;
    QTest::newRow("mixed") << "C:\\Cmd\\Stock.Cmd" << true;
    QTest::newRow("text file") << "/tmp/commande.txt" << false;
    QTest::newRow("cmd inside") << "/tmp/commande.cmd.bak" << false;
    QTest::newRow("no extension") << "/tmp/cmd" << false;
}

void TestOrderFileName::extension()
{
    QFETCH(QString, name);
    QFETCH(bool, accepted);
    QCOMPARE(OrderFileName::hasOrderExtension(name), accepted);
}

void TestOrderFileName::savedName_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("saved");
    QTest::newRow("year as extension") << "/data/commandes.2000"
                                       << "/data/commandes.cmd";
    QTest::newRow("no extension") << "/data/commandes"
                                  << "/data/commandes.cmd";
    QTest::newRow("already cmd") << "/data/commandes.cmd"
                                 << "/data/commandes.cmd";
    QTest::newRow("upper case") << "/data/STOCK.CMD"
                                << "/data/STOCK.CMD";
    QTest::newRow("several dots, ending cmd") << "/data/Commandes 2026.v2.cmd"
                                              << "/data/Commandes 2026.v2.cmd";
    QTest::newRow("several dots") << "/data/a.b.c"
                                  << "/data/a.cmd";
    QTest::newRow("folder with a dot") << "/home/jean.dupont/commandes"
                                       << "/home/jean.dupont/commandes.cmd";
    QTest::newRow("folder and file with dots") << "/home/jean.dupont/cmd.2000"
                                               << "/home/jean.dupont/cmd.cmd";
    QTest::newRow("windows folder") << "C:\\Mes.Docs\\achats"
                                    << "C:\\Mes.Docs\\achats.cmd";
    QTest::newRow("bare name") << "achats.txt"
                               << "achats.cmd";
}

void TestOrderFileName::savedName()
{
    QFETCH(QString, chosen);
    QFETCH(QString, saved);
    QCOMPARE(OrderFileName::withOrderExtension(chosen), saved);
}

QTEST_GUILESS_MAIN(TestOrderFileName)
#include "test_orderfilename.moc"
