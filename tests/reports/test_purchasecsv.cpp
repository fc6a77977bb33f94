// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/csvfile.h"
#include "core/textfile.h"
#include "order/bookview.h"
#include "reports/purchasebook.h"
#include "reports/purchasecsv.h"
#include "reports/purchasereport.h"
#include "reports/reportroles.h"
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
    void keptRates_data();
    void keptRates();
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
    settings.euroMode = 1;
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

// An order sent keeps its rates and currency in the statistics and the CSV; the book's settings
// are euros at 20 %.
void TestPurchaseCsv::keptRates_data()
{
    QTest::addColumn<QString>("line");  // the order's one line
    QTest::addColumn<QString>("rates"); // its kept rates, if any
    // VAT, TTC; TTC in francs (for the francs order its own: H.T. and VAT rounded, then added)
    QTest::addColumn<QList<qint64>>("figures");
    QTest::addColumn<QString>("csv");     // from the designation on
    QTest::addColumn<QString>("heading"); // of its VAT on the VAT page
    QTest::newRow("a draft: the settings")
        << "CMDEVis\t1\t100\t\t100\t1"
        << "" << QList<qint64>{2000, 12000, 78715} << ";Vis;1;100,00;;100,00;1;20;20,00;120,00"
        << "TVA 1 (20 %)";
    QTest::newRow("sent at 19,6 %")
        << "CMDEVis\t1\t100\t\t100\t1"
        << "TAUX6,55957\t19,6\t0\t5,5\tEUROS\t2" << QList<qint64>{1960, 11960, 78452}
        << ";Vis;1;100,00;;100,00;1;19,6;19,60;119,60"
        << "TVA 1 (19,6 %)";
    QTest::newRow("sent in francs alone: in euros at its own rate")
        << "CMDEVis\t1\t655,957\t\t655,96\t1"
        << "TAUX6,55957\t19,6\t0\t5,5\tFRANCS\t1" << QList<qint64>{1960, 11960, 78453}
        << ";Vis;1;100,00;;100,00;1;19,6;19,60;119,60"
        << "TVA 1 (19,6 %)";
}

void TestPurchaseCsv::keptRates()
{
    QFETCH(QString, line);
    QFETCH(QString, rates);
    QFETCH(QList<qint64>, figures);
    QFETCH(QString, csv);
    QFETCH(QString, heading);
    TestBooks::Order order;
    order.body = QStringList{"TTCN", line, "ENVO01/03/2000\tAUTRE"};
    if (!rates.isEmpty())
        order.body << rates;
    Settings settings;
    settings.euroMode = 1;
    settings.vatRates[0] = 20;
    const BookView source(TextLines(TestBooks::block(0, order)), settings);
    const PurchaseBook book(source);
    const PurchaseOrder figured = book.orders().value(0);
    QCOMPARE((QList<qint64>{figured.total(Amount::Vat, Currency::Main),
                            figured.total(Amount::IncludingTax, Currency::Main),
                            figured.total(Amount::IncludingTax, Currency::Second)}),
             figures);
    CsvFile written;
    PurchaseCsv::orderLines(source, 0, written);
    QVERIFY2(written.bytes().contains(csv.toUtf8()), written.bytes().constData());
    const PurchaseReport report(book, {0, Amount::Vat, Currency::Main});
    VatTableModel model;
    model.setReport(&report);
    QCOMPARE(model.headerData(2, Qt::Horizontal, ReportRoles::ExportHeader).toString(),
             heading + QStringLiteral(" (€)"));
}

QTEST_GUILESS_MAIN(TestPurchaseCsv)
#include "test_purchasecsv.moc"
