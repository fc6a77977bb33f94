#include "app/printdialogs.h"
#include "order/tcommande.h"
#include "pricing/commanderror.h"
#include "pricing/numbertext.h"
#include "printing/orderpage.h"
#include "printing/pagepainter.h"
#include "printing/tmpage.h"
#include "testsupport.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

// A grid row from its cells, from column 0 on.
OrderLine row(const QStringList &cells)
{
    OrderLine line;
    for (int i = 0; i < cells.size(); ++i)
        line.setCell(i, cells.at(i));
    return line;
}

// An A4 page at 10 pixels per millimetre: x mm is at 10x px, y mm at 10(y + 5) px.
QImage render(const PageItems &items)
{
    QImage image(2100, 2970, QImage::Format_RGB32);
    image.setDotsPerMeterX(10000);
    image.setDotsPerMeterY(10000);
    image.fill(Qt::white);
    QPainter painter(&image);
    PagePainter::paint(painter, image, items);
    return image;
}

int darkPixels(const QImage &image, const QRect &area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    return n;
}

int pdfPageCount(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    return int(bytes.count("/Type /Page\n") + bytes.count("/Type /Page ") +
               bytes.count("/Type /Page>"));
}

void printToPdf(const QString &fileName)
{
    QPrinter &printer = PrintDialogs::printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(fileName);
}

// Runs the page set-up, `act` driving the dialog while it is shown.
void runPageSetup(TCommande &w, int select, const std::function<void(TMPage &)> &act)
{
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<TMPage *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        if (select >= 0)
            QTest::mouseClick(
                dialog->findChild<QRadioButton *>(QStringLiteral("RadioGroup1Item%1").arg(select)),
                Qt::LeftButton);
        act(*dialog);
    });
    w.ParM();
}

void click(TMPage &dialog, const char *name)
{
    QTest::mouseClick(dialog.findChild<QPushButton *>(QLatin1String(name)), Qt::LeftButton);
}

} // namespace

class TestPrinting : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void renderedLayers()
    {
        OrderPageInput in;
        in.record.Lines = {row({QStringLiteral("WWWW"), {}, {}, {}, QStringLiteral(" 88,88")})};
        in.lastRow = 1;
        in.companyLines[0] = QStringLiteral("MMMM");
        const QImage plain = render(OrderPage::build(in, 0));
        QVERIFY(darkPixels(plain, QRect(199, 1500, 3, 1)) > 0);    // frame's left edge
        QVERIFY(darkPixels(plain, QRect(1149, 1500, 3, 1)) > 0);   // designation | quantity
        QCOMPARE(darkPixels(plain, QRect(300, 1500, 800, 1)), 0);  // white inside
        QVERIFY(darkPixels(plain, QRect(200, 50, 300, 50)) > 0);   // letterhead at (20, 0)
        QVERIFY(darkPixels(plain, QRect(220, 1100, 300, 40)) > 0); // row 1 at (22, 105)
        // The amount ends at 184 mm, short of the column line at 185.
        QVERIFY(darkPixels(plain, QRect(1700, 1100, 140, 40)) > 0);
        QCOMPARE(darkPixels(plain, QRect(1842, 1100, 5, 40)), 0);

        const QImage preprinted = render(OrderPage::build(in, 2));
        QCOMPARE(darkPixels(preprinted, QRect(199, 1500, 3, 1)), 0);
        QCOMPARE(darkPixels(preprinted, QRect(200, 50, 300, 50)), 0);
        QVERIFY(darkPixels(preprinted, QRect(220, 1100, 300, 40)) > 0);
    }

    void imprimeMakesOnePageJob()
    {
        TemporaryWorkingDir dir;
        ScriptedPrompts prompts;
        TCommande w;
        w.activate();
        OrderRecord r = w.record();
        r.Lines = {row({QStringLiteral("Vis"), QStringLiteral("2"), QStringLiteral("10")})};
        w.setRecord(r);
        w.book().LastRow = 1;
        w.Calcule();

        const OrderPageInput in = w.printedOrder();
        QCOMPARE(in.lastRow, 1);
        QCOMPARE(NumberText::trimmed(in.totals.BeforeTax), QStringLiteral("20,00"));
        QVERIFY(!in.totals.Vat.isEmpty() && !in.totals.SecondCurrency.isEmpty());
        QCOMPARE(in.mainCurrency + in.secondCurrency, QStringLiteral("FrancsEuros"));

        for (int paper : {0, 1, 2}) {
            const QString pdf = dir.file(QStringLiteral("order%1.pdf").arg(paper));
            printToPdf(pdf);
            w.PaperType = paper;
            w.Imprime();
            QCOMPARE(pdfPageCount(pdf), 1);
        }
        QCOMPARE(PagePainter::scaleFor(PrintDialogs::printer()).horizontal, 47); // 1200 dpi
        QVERIFY(prompts.asked.isEmpty());

        // The envelope asks for the envelope first, then prints.
        const QString envelope = dir.file(QStringLiteral("envelope.pdf"));
        printToPdf(envelope);
        prompts.answer(Prompts::Answer::Ok);
        w.ImpEnv();
        QCOMPARE(prompts.texts(),
                 QStringList{QStringLiteral("Insérez une enveloppe dans l'imprimante")});
        QCOMPARE(prompts.asked.first().buttons, Prompts::Buttons::Ok);
        QCOMPARE(pdfPageCount(envelope), 1);
    }

    void failedPrintIsReported_data()
    {
        QTest::addColumn<QString>("outputFile");
        QTest::addColumn<QString>("reason");
        // No printer installed: Qt's fallback is PDF output to no file.
        QTest::newRow("no printer") << QString() << "aucune imprimante par défaut sélectionnée.";
        QTest::newRow("cannot start") << "missing/folder/order.pdf"
                                      << "impossible d'écrire";
    }
    void failedPrintIsReported()
    {
        QFETCH(QString, outputFile);
        QFETCH(QString, reason);
        TemporaryWorkingDir dir;
        ScriptedPrompts prompts;
        TCommande w;
        w.activate();
        printToPdf(outputFile.isEmpty() ? QString() : dir.file(outputFile));
        for (bool envelope : {false, true}) {
            try {
                envelope ? w.ImpEnv() : w.Imprime();
                QFAIL("a printer that cannot start must not pass for a print");
            } catch (const CommandError &e) {
                QVERIFY2(e.message().startsWith(QStringLiteral("L'impression a échoué : ")) &&
                             e.message().contains(reason),
                         qPrintable(e.message()));
            }
        }
    }

    void pageSetupChangesPaperTypeOnlyOnOk()
    {
        TCommande w;
        QCOMPARE(w.PaperType, 0);
        const auto ok = [](TMPage &d) { click(d, "Button2"); };
        const auto closeBox = [](TMPage &d) { d.close(); };
        runPageSetup(w, 1, closeBox); // never accepted since start-up
        QCOMPARE(w.PaperType, 0);
        runPageSetup(w, 2, ok);
        QCOMPARE(w.PaperType, 2);
        // Annuler and Escape leave the type, whatever was selected; the dialog opens on it.
        runPageSetup(w, -1, [](TMPage &d) {
            QVERIFY(d.findChild<QRadioButton *>(QStringLiteral("RadioGroup1Item2"))->isChecked());
            QTest::mouseClick(d.findChild<QRadioButton *>(QStringLiteral("RadioGroup1Item0")),
                              Qt::LeftButton);
            click(d, "Button1");
        });
        QCOMPARE(w.PaperType, 2);
        runPageSetup(w, 1, ok);
        runPageSetup(w, 0, [](TMPage &d) { QTest::keyClick(&d, Qt::Key_Escape); });
        QCOMPARE(w.PaperType, 1);
        runPageSetup(w, 0, closeBox); // the last button was Annuler: not accepted
        QCOMPARE(w.PaperType, 1);
        runPageSetup(w, 2, ok);
        runPageSetup(w, 0, closeBox); // the last button was OK: the close box accepts
        QCOMPARE(w.PaperType, 0);
    }
};

QTEST_MAIN(TestPrinting)
#include "test_printing.moc"
