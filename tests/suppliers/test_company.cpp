// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/textfile.h"
#include "suppliers/company.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestCompany : public QObject {
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void saveWritesSevenLines();
};

void TestCompany::parse_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("empty file") << QByteArray() << QStringList{"k1", "k2", "k3"};
    QTest::newRow("last line without end") << QByteArray("A\r\n\r\nC") << QStringList{"A", "", "C"};
    QTest::newRow("bare CR and bare LF") << QByteArray("A\rB\n") << QStringList{"A", "B", "k3"};
    QTest::newRow("ctrl-z ends the file")
        << QByteArray("A\r\nB\x1a\r\nC\r\n") << QStringList{"A", "B", "k3"};
    QTest::newRow("windows-1252") << QByteArray("Soci\xe9t\xe9 \x80\r\n")
                                  << QStringList{"Société €", "k2", "k3"};
    QTest::newRow("nine lines") << QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n")
                                << QStringList{"1", "2", "3", "4", "5", "6", "7"};
}

void TestCompany::parse()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, texts);
    CompanyDetails details{"k1", "k2", "k3", "k4", "k5", "k6", "k7"};
    Company::parse(bytes, details);
    QCOMPARE(QStringList(details.begin(), details.begin() + texts.size()), texts);
    QCOMPARE(details[6], texts.size() == 7 ? QString("7") : QString("k7"));
}

void TestCompany::saveWritesSevenLines()
{
    TemporaryWorkingDir dir;
    Company company;
    company.details[0] = "Société Qor";
    QVERIFY(company.saveCompany());
    QFile f("Cmd.soc");
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("Soci\xe9t\xe9 Qor\r\n\r\n\r\n\r\n\r\n\r\n\r\n"));
    f.close();
    Company again;
    again.loadCompany();
    QCOMPARE(again.details, company.details);

    FakePlatform desktop;
    QVERIFY(QFile::remove("Cmd.soc") && QDir().mkdir("Cmd.soc"));
    const Status saved = company.saveCompany();
    QVERIFY(!saved);
    QVERIFY(saved.message().startsWith(QStringLiteral("Ne peut créer le fichier Cmd.soc")));
    QVERIFY(desktop.asked.isEmpty()); // the window says it, not the file
}

QTEST_GUILESS_MAIN(TestCompany)
#include "test_company.moc"
