// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/textfile.h"
#include "suppliers/supplierbook.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

QByteArray fileBytes(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

SupplierRecord named(const QString &code, const QString &name)
{
    return {code, {name, QString(), QString(), QString()}};
}

} // namespace

class TestSupplierBook : public QObject {
    Q_OBJECT
private slots:
    void header_data();
    void header();
    void loadAndSaveKeepEveryLine();
    void saveOnlyWhenModified();
    void unwritableFileIsReported();
    void sort_data();
    void sort();
};

void TestSupplierBook::header_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("header");
    QTest::newRow("five digits") << "<FOU>10023" << true;
    QTest::newRow("tag alone") << "<FOU>" << true;
    QTest::newRow("six digits") << "<FOU>100234" << false;
    QTest::newRow("letter among digits") << "<FOU>10A23" << false;
    QTest::newRow("lower-case tag") << "<fou>10023" << false;
}

void TestSupplierBook::header()
{
    QFETCH(QString, line);
    QFETCH(bool, header);
    QCOMPARE(SupplierBook::isSupplierHeader(line), header);
}

void TestSupplierBook::loadAndSaveKeepEveryLine()
{
    TemporaryWorkingDir dir;
    // A stray line, an accented name and a record cut short by the end of the file.
    const QByteArray original =
        "Notes\r\n<FOU>10023\r\nH\xe9lo\xefse\r\n\r\nLyon\r\n\r\n<FOU>10030\r\n"
        "Zola\r\n";
    QVERIFY(TextFile::writeBytes("Commande.fnr", original));
    SupplierBook book;
    book.append(named("10099", "Unsaved"));
    QVERIFY(book.loadSuppliers());
    QVERIFY(!book.modified);
    QCOMPARE(book.find("10099"), -1);
    QCOMPARE(book.record(book.find("10023")).addressLines,
             (std::array<QString, 4>{QString::fromUtf8("Héloïse"), "", "Lyon", ""}));
    QCOMPARE(book.record(book.find("10030")).addressLines[1], QString());

    book.modified = true;
    QVERIFY(book.saveSuppliers());
    QCOMPARE(fileBytes("Commande.fnr"), original);
}

void TestSupplierBook::saveOnlyWhenModified()
{
    TemporaryWorkingDir dir;
    SupplierBook book;
    book.append(named("10002", "Martin"));
    QVERIFY(book.saveSuppliers());
    QVERIFY(!book.modified);
    QCOMPARE(fileBytes("Commande.fnr"), QByteArray("<FOU>10002\r\nMartin\r\n\r\n\r\n\r\n"));
    // Nothing changed since: a file deleted meanwhile is not written again.
    QVERIFY(QFile::remove("Commande.fnr"));
    QVERIFY(book.saveSuppliers());
    QVERIFY(!QFile::exists("Commande.fnr"));
}

void TestSupplierBook::unwritableFileIsReported()
{
    TemporaryWorkingDir dir;
    FakePlatform desktop;
    QVERIFY(QDir().mkdir("Commande.fnr")); // a folder cannot be replaced by a file
    SupplierBook book;
    book.append(named("10002", "Martin"));
    const Status saved = book.saveSuppliers();
    QVERIFY(!saved);
    QVERIFY(book.modified);
    QVERIFY(saved.message().startsWith(QStringLiteral("Ne peut créer le fichier Commande.fnr")));
    // Nor can it be read: said so, and the list in memory stays for a later save.
    const Status read = book.loadSuppliers();
    QVERIFY(!read);
    QVERIFY(!read.message().isEmpty());
    QCOMPARE(book.fileLines.size(), 5);
    QVERIFY(desktop.asked.isEmpty()); // the window says it, not the book
}

void TestSupplierBook::sort_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("codes"); // the records' codes after sorting
    QTest::addColumn<bool>("exchanged");
    QTest::newRow("upper case first") << QStringList{"dupont", "Dupont"} << "21" << true;
    QTest::newRow("accented after z") << QStringList{"Émile", "Zola"} << "21" << true;
    QTest::newRow("prefix first") << QStringList{"Dupont", "Dupon"} << "21" << true;
    QTest::newRow("in order") << QStringList{"Dupont", "Dupont", "Martin"} << "123" << false;
    // Not stable: the second "B" passes the first by way of "A".
    QTest::newRow("unstable") << QStringList{"B", "B", "A"} << "321" << true;
}

void TestSupplierBook::sort()
{
    QFETCH(QStringList, names);
    QFETCH(QString, codes);
    QFETCH(bool, exchanged);
    QList<SupplierRecord> records;
    for (int i = 0; i < names.size(); ++i)
        records << named(QString::number(i + 1), names.at(i));
    QCOMPARE(SupplierBook::sortRecords(records), exchanged);
    QString sorted;
    for (const SupplierRecord &r : records)
        sorted += r.code;
    QCOMPARE(sorted, codes);
}

QTEST_GUILESS_MAIN(TestSupplierBook)
#include "test_supplierbook.moc"
