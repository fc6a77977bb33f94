// SPDX-License-Identifier: GPL-3.0-or-later
// The purchase statistics and the CSV exports driven from the main window's menus, by keys and
// clicks, on the small book of the CSV tests.

#include "app/mainwindow.h"
#include "core/csvfile.h"
#include "core/textfile.h"
#include "failingwriter.h"
#include "order/orderwindow.h"
#include "reports/barchart.h"
#include "reports/purchasereportwindow.h"
#include "settings/settingsfile.h"
#include "testsupport.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolTip>
#include <functional>
#include <memory>

namespace {

QString testData(const QString &name)
{
    return qEnvironmentVariable("QOR_TEST_DATA") + QStringLiteral("/reports/") + name;
}

QByteArray contents(const QString &fileName)
{
    QByteArray bytes;
    (void)TextFile::readBytes(fileName, bytes);
    return bytes;
}

// Runs `drive` on the modal window once its event loop runs; a window left open fails.
void whenModal(std::function<void(QDialog *)> drive)
{
    QTimer::singleShot(0, [drive] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        drive(dialog);
        if (dialog->isVisible()) {
            dialog->reject();
            QFAIL("the window was left open");
        }
    });
}

template <typename T = QWidget> T *child(QWidget *window, const char *name)
{
    return window->findChild<T *>(QLatin1String(name));
}

QStringList row(QTableView *view, int r)
{
    QStringList texts;
    for (int c = 0; c < view->model()->columnCount(); ++c)
        texts << view->model()->index(r, c).data().toString();
    return texts;
}

QStringList items(QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

void key(QWidget *to, int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(to, Qt::Key(k), modifiers);
}

} // namespace

class TestReportWindow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TemporaryWorkingDir> m_dir;
    std::unique_ptr<FakePlatform> m_desktop;
    std::unique_ptr<MainWindow> m_form;

    // Alt and the menu's mnemonic, then the item's.
    void menu(char mnemonic, char item)
    {
        QTRY_COMPARE(QApplication::activeWindow(), m_form.get());
        key(m_form.get(), Qt::Key_A + (mnemonic - 'a'), Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        key(QApplication::activePopupWidget(), Qt::Key_A + (item - 'a'));
    }

private Q_SLOTS:
    void init();
    void cleanup();
    void statistics();
    void printAndExport();
    void exportOrders_data();
    void exportOrders();
    void chart_data();
    void chart();
};

void TestReportWindow::init()
{
    m_dir = std::make_unique<TemporaryWorkingDir>();
    m_desktop = std::make_unique<FakePlatform>();
    QVERIFY(QFile::copy(testData(QStringLiteral("achats.cmd")), m_dir->file("achats.cmd")));
    Settings settings;
    settings.euroMode = 1; // amounts in euros, the francs shown beside them
    QVERIFY(TextFile::writeBytes(SettingsFile::fileName(), SettingsFile::save(settings, {})));
    m_form = std::make_unique<MainWindow>();
    m_form->show();
    QApplication::setActiveWindow(m_form.get());
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    m_desktop->chooseFile(m_dir->file("achats.cmd"));
    key(m_form.get(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(m_form->fileName(), m_dir->file("achats.cmd"));
    m_desktop->asked.clear(); // the date that is no date, told when the order is shown
}

void TestReportWindow::cleanup()
{
    m_form.reset();
    m_desktop.reset();
    m_dir.reset();
}

void TestReportWindow::statistics()
{
    bool listed = false;
    whenModal([&](QDialog *window) {
        QCOMPARE(window->windowTitle(), QStringLiteral("Statistiques des achats"));
        const ModelTesters testers = testModels(window);
        auto *table = child<QTableView>(window, "Table");
        auto *year = child<QComboBox>(window, "Year");
        QCOMPARE(items(year), QStringList({"2026", "2025", "Toutes"}));
        QCOMPARE(items(child<QComboBox>(window, "Currency")), QStringList({"Euros", "Francs"}));
        QCOMPARE(child<QLabel>(window, "Coverage")->text(),
                 QStringLiteral("2026 : 2 commandes (1 commande à la date illisible, "
                                "sous « Toutes »)"));
        // The cancelled order of April counts nowhere, and the window says so.
        QVERIFY(child<QLabel>(window, "Cancelled")->isVisible());
        QCOMPARE(child<QLabel>(window, "Cancelled")->text(),
                 QStringLiteral("1 commande annulée n'est pas comptée."));
        // Largest total first, zero cells empty, the months' totals last; 2025 holds an
        // order, so the change against it is shown (none without a total to compare with).
        QCOMPARE(row(table, 0).mid(0, 4),
                 QStringList({"10001", "Quincaillerie Dupré; fils", "55,75", ""}));
        QCOMPARE(row(table, 0).mid(14), QStringList({"55,75", ""}));
        QCOMPARE(row(table, 1).mid(0, 4), QStringList({"10002", "Bureau Plus", "", "23,08"}));
        QCOMPARE(row(table, 2).mid(14), QStringList({"78,83", ""}));

        // The amount, from the keyboard: TVA.
        key(window, Qt::Key_M, Qt::AltModifier);
        key(child(window, "Amount"), Qt::Key_Down);
        QCOMPARE(row(table, 2).at(14), QStringLiteral("13,21"));
        // Every year: the orders without a date get a row of their own.
        key(window, Qt::Key_A, Qt::AltModifier);
        key(year, Qt::Key_End);
        QCOMPARE(child<QLabel>(window, "Coverage")->text(),
                 QStringLiteral("Toutes : 4 commandes, dont 1 à la date illisible"));
        QCOMPARE(row(table, 3).mid(1, 3), QStringList({"Date illisible", "", ""}));
        // A click on a heading sorts by it; the totals stay last.
        auto *header = table->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(1) + 5, 5));
        QCOMPARE(row(table, 0).at(1), QStringLiteral("Bureau Plus"));
        QCOMPARE(row(table, 4).at(1), QStringLiteral("Total"));

        // Enter on a cell lists its orders; Enter on one shows it in the order window.
        key(window, Qt::Key_A, Qt::AltModifier);
        key(year, Qt::Key_Home);
        table->setFocus();
        table->setCurrentIndex(table->model()->index(1, 3)); // Bureau Plus, February
        whenModal([&](QDialog *orders) {
            const ModelTesters testers = testModels(orders);
            auto *list = child<QTableView>(orders, "Orders");
            QCOMPARE(row(list, 0), QStringList({"260200002", "03/02/2026", "4,75"}));
            key(list, Qt::Key_Return);
            listed = true;
        });
        key(table, Qt::Key_Return);
    });
    menu('d', 't');
    QVERIFY(listed);
    QCOMPARE(m_form->orderWindow().document().record().number.trimmed(),
             QStringLiteral("260200002"));
    QCOMPARE(m_desktop->texts(), QStringList());
}

void TestReportWindow::printAndExport()
{
    const QString pdf = m_dir->file("stats.pdf");
    const QString csv = m_dir->file("tva.csv");
    m_desktop->copies = 1;
    QPrinter *printer = m_desktop->printer();
    whenModal([&](QDialog *window) {
        QTest::mouseClick(child<QPushButton>(window, "Print"), Qt::LeftButton);
        m_desktop->chooseFile(pdf);
        QTest::mouseClick(child<QPushButton>(window, "ExportPdf"), Qt::LeftButton);
        // The VAT page, in the standard format.
        child<QTabWidget>(window, "Pages")->setCurrentIndex(1);
        m_desktop->chooseFile(csv);
        m_desktop->chosenFilters << CsvFile::filter(CsvFile::Format::Standard);
        QTest::mouseClick(child<QPushButton>(window, "ExportCsv"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(window, "Close"), Qt::LeftButton);
    });
    menu('d', 't');
    QCOMPARE(m_desktop->texts(), QStringList());
    // Both on A4 landscape (842 x 595 points); the printer is left upright for the orders.
    for (const QString &file : {printer->outputFileName(), pdf}) {
        const QByteArray bytes = contents(file);
        QVERIFY2(bytes.contains("/MediaBox [0 0 841.") || bytes.contains("/MediaBox [0 0 842"),
                 qPrintable(file));
    }
    QCOMPARE(printer->pageLayout().orientation(), QPageLayout::Portrait);
    // A heading holding the separator is quoted.
    QVERIFY(contents(csv).startsWith(
        "Période,\"Base 1 (20,6 %) (€)\",\"TVA 1 (20,6 %) (€)\",Base 2 (0 %) (€),"));
}

void TestReportWindow::exportOrders_data()
{
    QTest::addColumn<bool>("failing");
    QTest::newRow("written") << false;
    QTest::newRow("failing write") << true;
}

void TestReportWindow::exportOrders()
{
    QFETCH(bool, failing);
    const QString csv = m_dir->file("toutes.csv");
    TextFile::WriterFactory previous;
    if (failing)
        previous = TextFile::setWriterFactory([](const QString &name) {
            return std::make_unique<FailingWriter>(name, FailingWriter::Failure::Write, 100);
        });
    m_desktop->chooseFile(m_dir->file("toutes")); // the extension is added
    menu('f', 'x');
    if (failing)
        TextFile::setWriterFactory(previous);
    QCOMPARE(m_desktop->fileRequests.last().initialName, QStringLiteral("achats.csv"));
    if (failing) {
        QCOMPARE(m_desktop->texts(),
                 QStringList(QStringLiteral("L'exportation a échoué : impossible d'écrire le "
                                            "fichier « ") +
                             csv +
                             QStringLiteral(" ». Le disque est peut-être plein, ou le "
                                            "fichier protégé.")));
        QVERIFY(!QFile::exists(csv));
        return;
    }
    QCOMPARE(m_desktop->texts(), QStringList());
    QCOMPARE(contents(csv), contents(testData(QStringLiteral("lignes-tableur.csv"))));
}

QTEST_MAIN(TestReportWindow)
#include "test_reportwindow.moc"

void TestReportWindow::chart_data()
{
    // One list of amounts per set, one amount per period.
    QTest::addColumn<QList<QList<double>>>("sets");
    QTest::newRow("months, one set")
        << QList<QList<double>>{{120.5, 0, 3000, 45, 0, 0, 0, 0, 0, 0, 0, 999.99}};
    QTest::newRow("stacked, negative and zero")
        << QList<QList<double>>{{100, -50, 0}, {50, 200, 0}, {0.4, 10, 0}};
    QTest::newRow("years upright")
        << QList<QList<double>>{QList<double>(30, 1234567.89), QList<double>(30, 7654321)};
    QTest::newRow("nothing") << QList<QList<double>>{{0, 0}, {-3, 0}};
}

void TestReportWindow::chart()
{
    QFETCH(QList<QList<double>>, sets);
    const QList<QColor> colours{Qt::red, Qt::blue, Qt::green};
    QStandardItemModel model(int(sets.size()), int(sets.first().size()));
    for (int s = 0; s < sets.size(); ++s) {
        model.setHeaderData(s, Qt::Vertical, QStringLiteral("Fournisseur %1").arg(s));
        for (int p = 0; p < sets.at(s).size(); ++p) {
            model.setData(model.index(s, p), sets.at(s).at(p));
            model.setData(model.index(s, p), QStringLiteral("%1/%2").arg(s).arg(p),
                          Qt::ToolTipRole);
        }
    }
    BarChart chart;
    chart.setModel(&model);
    chart.setColours([&](int set) { return colours.at(set); });
    chart.setScaleTitle(QStringLiteral("Montant H.T. (€)"));
    chart.resize(700, 320);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    const QImage image = chart.grab().toImage();
    // Every segment where its amount says, of its colour, one scale for all, the stacks inside
    // the chart; its tool tip under the mouse.
    double perUnit = 0;
    for (int p = 0; p < sets.first().size(); ++p) {
        double top = 0;
        for (int s = 0; s < sets.size(); ++s) {
            const double amount = sets.at(s).at(p);
            const QRectF segment = chart.segment(s, p);
            if (amount <= 0) {
                QVERIFY(segment.isEmpty());
                continue;
            }
            if (perUnit == 0)
                perUnit = segment.height() / amount;
            QVERIFY2(qAbs(segment.height() - amount * perUnit) < 0.01,
                     qPrintable(QString::number(s)));
            if (top > 0)
                QCOMPARE(segment.bottom(), top);
            top = segment.top();
            QVERIFY(chart.rect().contains(segment.toRect()));
            if (segment.height() < 3)
                continue;
            const QPoint centre = segment.center().toPoint();
            QCOMPARE(image.pixelColor(centre * image.devicePixelRatio()), colours.at(s));
            QHelpEvent help(QEvent::ToolTip, centre, chart.mapToGlobal(centre));
            QApplication::sendEvent(&chart, &help);
            QCOMPARE(QToolTip::text(), QStringLiteral("%1/%2").arg(s).arg(p));
        }
    }
}
