// SPDX-License-Identifier: GPL-3.0-or-later
#include "suppliers/supplierlookup.h"
#include "testsupport.h"

#include <QTest>

using namespace SupplierLookup;

Q_DECLARE_METATYPE(SupplierLookup::CodeKey)

class TestSupplierLookup : public QObject {
    Q_OBJECT
private slots:
    void codeKeys_data();
    void codeKeys();
    void nextCode_data();
    void nextCode();
    void nextCodeWhenAllTaken();
    void leavingCodeField_data();
    void leavingCodeField();
};

void TestSupplierLookup::codeKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<CodeKey>("action");
    QTest::newRow("digit") << int(Qt::Key_7) << "7" << CodeKey::Pass;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << "\b" << CodeKey::Pass;
    QTest::newRow("arrow") << int(Qt::Key_Left) << "" << CodeKey::Pass;
    QTest::newRow("tab moves on") << int(Qt::Key_Tab) << "\t" << CodeKey::Pass;
    QTest::newRow("star") << int(Qt::Key_Asterisk) << "*" << CodeKey::ReplaceWithStar;
    QTest::newRow("letter") << int(Qt::Key_A) << "a" << CodeKey::Drop;
    QTest::newRow("enter") << int(Qt::Key_Return) << "\r" << CodeKey::Drop;
}

void TestSupplierLookup::codeKeys()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(CodeKey, action);
    QCOMPARE(filterCodeKey(key, text), action);
}

void TestSupplierLookup::nextCode_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("code");
    QTest::newRow("no supplier") << QStringList() << "10002";
    QTest::newRow("low codes") << QStringList{"<FOU>00005", "<FOU>"} << "10002";
    QTest::newRow("largest plus one")
        << QStringList{"<FOU>10007", "<FOU>10003", "<FOU>2000000", "<FOU>2x"} << "10008";
    QTest::newRow("past 99999: smallest free")
        << QStringList{"<FOU>10002", "<FOU>99999", "<FOU>10004"} << "10003";
}

void TestSupplierLookup::nextCode()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, code);
    FakePlatform desktop;
    QCOMPARE(nextSupplierCode(lines), code);
    QVERIFY(desktop.asked.isEmpty());
}

void TestSupplierLookup::nextCodeWhenAllTaken()
{
    SupplierBook book;
    for (int code = 10002; code <= 99999; ++code)
        book.fileLines << "<FOU>" + QString::number(code);
    FakePlatform desktop;
    QString code = "*";
    Address address;
    QVERIFY(!codeFieldExit(
        code, address, book, [](const QString &) { return Address(); }, Prompts::ask));
    QVERIFY(code.isEmpty());
    QCOMPARE(desktop.asked.size(), 1);
    QCOMPARE(desktop.asked.at(0).icon, Prompts::Icon::Critical);
}

void TestSupplierLookup::leavingCodeField_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("picked");  // the chooser was used once
    QTest::addColumn<bool>("yes");     // answer to the question
    QTest::addColumn<QString>("name"); // typed in the quick entry
    QTest::addColumn<QString>("code"); // the field afterwards
    QTest::addColumn<int>("questions");
    QTest::addColumn<QString>("filled"); // the name put in the address block, if any
    QTest::newRow("found") << "23" << false << false << ""
                           << "10023" << 0 << "Dupont";
    QTest::newRow("one digit") << "5" << false << false << ""
                               << "10005" << 1 << "";
    QTest::newRow("four digits") << "1234" << false << false << ""
                                 << "11234" << 1 << "";
    QTest::newRow("answered no") << "42" << false << false << "X"
                                 << "10042" << 1 << "";
    QTest::newRow("created") << "42" << false << true << "Martin"
                             << "10042" << 1 << "Martin";
    QTest::newRow("empty name") << "42" << false << true << ""
                                << "10042" << 1 << "";
    QTest::newRow("chooser used") << "7" << true << false << "Durand"
                                  << "10007" << 0 << "Durand";
    QTest::newRow("star") << "*" << false << true << "Neuf"
                          << "10024" << 1 << "Neuf";
    QTest::newRow("leading zero") << "023" << false << true << "X"
                                  << "023" << 0 << "";
    QTest::newRow("empty") << "" << false << true << "X"
                           << "" << 0 << "";
    // The order window refuses it first; the lookup itself never stores it either.
    QTest::newRow("star then digits") << "*8971" << true << true << "X"
                                      << "*8971" << 0 << "";
}

void TestSupplierLookup::leavingCodeField()
{
    QFETCH(QString, typed);
    QFETCH(bool, picked);
    QFETCH(bool, yes);
    QFETCH(QString, name);
    QFETCH(QString, code);
    QFETCH(int, questions);
    QFETCH(QString, filled);
    FakePlatform desktop;
    desktop.answer(yes ? Prompts::Answer::Yes : Prompts::Answer::No);
    SupplierBook book;
    book.fileLines = {"<FOU>10023", "Dupont", "l2", "l3", "l4"};
    book.chooserUsed = picked;
    QStringList entered;
    auto enter = [&](const QString &c) {
        entered << c;
        return Address{name, "a2", "", "a4"};
    };
    QString field = typed;
    Address address{"old", "", "", ""};
    QCOMPARE(codeFieldExit(field, address, book, enter, Prompts::ask), !filled.isEmpty());
    QCOMPARE(field, code);
    QCOMPARE(desktop.asked.size(), questions);
    if (questions)
        QCOMPARE(desktop.asked.at(0).caption, QString("Avertissement"));
    QCOMPARE(address[0], filled.isEmpty() ? QString("old") : filled);
    // A new supplier is appended, and marks the file.
    const bool created = !filled.isEmpty() && !entered.isEmpty();
    QCOMPARE(book.modified, created);
    QCOMPARE(book.fileLines.size(), created ? 10 : 5);
    if (created)
        QCOMPARE(book.fileLines.mid(5), QStringList({"<FOU>" + code, name, "a2", "", "a4"}));
}

QTEST_GUILESS_MAIN(TestSupplierLookup)
#include "test_supplierlookup.moc"
