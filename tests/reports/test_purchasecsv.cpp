// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/csvfile.h"
#include "core/textfile.h"
#include "order/bookview.h"
#include "reports/purchasebook.h"
#include "reports/purchasecsv.h"
#include "reports/purchasereport.h"
#include "reports/suppliertablemodel.h"
#include "reports/vattablemodel.h"
#include "testsupport.h"

#include <QFile>

// A small book (a separator, quotes and formulas in its texts, a TTC order, a date that is no
// date, an order without lines) against the files a spreadsheet receives, byte for byte.
class TestPurchaseCsv : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void golden_data();
    void golden();
};

void TestPurchaseCsv::golden_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("golden");
    const int spreadsheet = int(CsvFile::Format::Spreadsheet);
    const int standard = int(CsvFile::Format::Standard);
    QTest::newRow("order lines, for a French spreadsheet")
        << "lines" << spreadsheet << "lignes-tableur.csv";
    QTest::newRow("order lines, standard") << "lines" << standard << "lignes-standard.csv";
    QTest::newRow("2026 before tax, for a French spreadsheet")
        << "table" << spreadsheet << "tableau-tableur.csv";
    QTest::newRow("VAT of every year, standard") << "vat" << standard << "tva-standard.csv";
}

void TestPurchaseCsv::golden()
{
    QFETCH(QString, what);
    QFETCH(int, format);
    QFETCH(QString, golden);
    const QString data = qEnvironmentVariable("QOR_TEST_DATA") + QStringLiteral("/reports/");
    TextLines lines;
    QVERIFY(TextFile::read(data + QStringLiteral("achats.cmd"), lines));
    Settings settings;
    settings.EuroMode = 1;
    const BookView source(lines, settings);
    const PurchaseBook book(source);

    CsvFile csv{CsvFile::Format(format)};
    if (what == QLatin1String("lines")) {
        PurchaseCsv::orderLines(source, 0, csv);
    } else if (what == QLatin1String("table")) {
        const PurchaseReport report(book, {2026, Amount::BeforeTax, Currency::Main});
        SupplierTableModel model;
        const ModelTesters testers = testModels(&model);
        model.setReport(&report);
        PurchaseCsv::table(model, csv);
    } else {
        const PurchaseReport report(book, {0, Amount::BeforeTax, Currency::Main});
        VatTableModel model;
        const ModelTesters testers = testModels(&model);
        model.setReport(&report);
        PurchaseCsv::table(model, csv);
    }
    TemporaryWorkingDir dir;
    QVERIFY(csv.save(QStringLiteral("out.csv")).ok());
    QByteArray written;
    QVERIFY(TextFile::readBytes(QStringLiteral("out.csv"), written));
    QByteArray expected;
    QVERIFY(TextFile::readBytes(data + golden, expected));
    QCOMPARE(QString::fromUtf8(written), QString::fromUtf8(expected));
    QCOMPARE(written, expected); // the byte order mark too
}

QTEST_GUILESS_MAIN(TestPurchaseCsv)
#include "test_purchasecsv.moc"
