#include "app/tmainform.h"
#include "core/numbertext.h"
#include "order/tcommande.h"
#include "printing/ordermail.h"
#include "printing/orderpage.h"
#include "printing/pagepainter.h"
#include "printing/printercalibration.h"
#include "printing/tmpage.h"
#include "recordingprinter.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>
#include <QToolButton>
#include <memory>

namespace {

constexpr int Factor = 47;         // whole pixels per millimetre at 1200 dpi
constexpr qreal Unprintable = 12;  // points, as a queue's printable area may start
constexpr int UnprintablePx = 200; // 12 pt at 1200 dpi
const QString Number = QStringLiteral("200003001");

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
    PagePainter::paint(painter, PagePainter::placementFor(image), items);
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

// The page of a PDF file written by the program: its paper size and its drawing commands.
struct PdfPage {
    QByteArray mediaBox;
    QByteArray content;
    int pages = 0;
};

PdfPage readPdf(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    PdfPage page;
    static const QRegularExpression pageObject(QStringLiteral("/Type /Page[\\s>/]"));
    page.pages = int(QString::fromLatin1(bytes).count(pageObject));
    static const QRegularExpression box(QStringLiteral("/MediaBox \\[([^\\]]*)\\]"));
    page.mediaBox = box.match(QString::fromLatin1(bytes)).captured(1).toLatin1().simplified();
    // The first compressed stream is the page's content.
    const qsizetype dict = bytes.indexOf("/FlateDecode");
    const qsizetype start = bytes.indexOf("stream\n", dict) + 7;
    const qsizetype end = bytes.indexOf("endstream", start);
    QByteArray zipped;
    const quint32 room = 64 * 1024 * 1024; // qUncompress wants a size first
    for (int shift = 24; shift >= 0; shift -= 8)
        zipped.append(char(room >> shift));
    zipped.append(bytes.mid(start, end - start));
    page.content = qUncompress(zipped);
    return page;
}

// "x y w h re": the first rectangle drawn, in the device pixels of the page's "cm" matrix.
QList<int> firstRectangle(const QByteArray &content)
{
    static const QRegularExpression re(QStringLiteral("(\\d+) (\\d+) (\\d+) (\\d+) re"));
    const QRegularExpressionMatch m = re.match(QString::fromLatin1(content));
    QList<int> values;
    for (int i = 1; i <= 4; ++i)
        values << m.captured(i).toInt();
    return values;
}

QList<Drawn> ofKind(const QList<Drawn> &drawn, Drawn::Kind kind)
{
    QList<Drawn> result;
    for (const Drawn &d : drawn) {
        if (d.kind == kind)
            result << d;
    }
    return result;
}

// The white band laid under a text, drawn just before it.
const Drawn *bandOf(const QList<Drawn> &drawn, const QString &text)
{
    for (qsizetype i = 1; i < drawn.size(); ++i) {
        if (drawn.at(i).kind == Drawn::Text && drawn.at(i).text == text &&
            drawn.at(i - 1).kind == Drawn::Fill)
            return &drawn.at(i - 1);
    }
    return nullptr;
}

// Fills the order window with a small order of two rows and a supplier.
void fillOrder(TCommande &w)
{
    OrderRecord r = w.record();
    r.Number = Number;
    r.AddressLines = {QStringLiteral("Dupont SA"), QStringLiteral("12 rue des Lilas"), QString(),
                      QStringLiteral("75001 Paris")};
    r.Lines = {row({QStringLiteral("Vis"), QStringLiteral("2"), QStringLiteral("10")}),
               row({QStringLiteral("Clous"), QStringLiteral("3"), QStringLiteral("1")})};
    w.setRecord(r);
    w.book().LastRow = 2;
    for (int i = 0; i < 7; ++i)
        w.company().CompanyLines[i] = QStringLiteral("Société %1").arg(i + 1);
    w.Calcule();
}

// Clicks an item of the paper type on its round button, where a user clicks.
void clickRadio(TMPage &dialog, int item)
{
    auto *radio = dialog.findChild<QRadioButton *>(QStringLiteral("RadioGroup1Item%1").arg(item));
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
}

// Runs the page set-up, `act` driving the dialog while it is shown.
void runPageSetup(TCommande &w, int select, const std::function<void(TMPage &)> &act)
{
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<TMPage *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        if (select >= 0)
            clickRadio(*dialog, select);
        act(*dialog);
    });
    w.ParM();
}

void click(TMPage &dialog, const char *name)
{
    QTest::mouseClick(dialog.findChild<QPushButton *>(QLatin1String(name)), Qt::LeftButton);
}

void setOffsets(TMPage &dialog, double x, double y)
{
    dialog.findChild<QDoubleSpinBox *>(QStringLiteral("CalibrationX"))->setValue(x);
    dialog.findChild<QDoubleSpinBox *>(QStringLiteral("CalibrationY"))->setValue(y);
}

// The program prints on `printer` for the life of the object.
class PrinterInUse {
public:
    PrinterInUse(FakePlatform &desktop, QPrinter &printer) : m_desktop(desktop)
    {
        desktop.printerInUse = &printer;
    }
    ~PrinterInUse() { m_desktop.printerInUse = nullptr; }

private:
    FakePlatform &m_desktop;
};

} // namespace

class TestPrinting : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // Calibrations go to a file of the test's, never to the user's settings.
        PrinterCalibration::setStoreFile(m_settings.filePath(QStringLiteral("calibration.ini")));
    }
    void init()
    {
        m_dir = std::make_unique<TemporaryWorkingDir>();
        m_desktop = std::make_unique<FakePlatform>();
        QFile::remove(m_settings.filePath(QStringLiteral("calibration.ini")));
    }
    void cleanup()
    {
        m_form.reset();
        m_desktop.reset();
        m_dir.reset();
    }

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
        QVERIFY(darkPixels(plain, QRect(1899, 2749, 3, 1)) > 0); // right edge on 190 mm

        const QImage preprinted = render(OrderPage::build(in, 2));
        QCOMPARE(darkPixels(preprinted, QRect(199, 1500, 3, 1)), 0);
        QCOMPARE(darkPixels(preprinted, QRect(200, 50, 300, 50)), 0);
        QVERIFY(darkPixels(preprinted, QRect(220, 1100, 300, 40)) > 0);
    }

    // Every element stands at its millimetres from the corner of the printable area the
    // printer reports, plus the printer's calibration, on the paper the printer is set to.
    void placementFromPrintableCorner_data()
    {
        QTest::addColumn<int>("paperType"); // -1: the envelope
        QTest::addColumn<qreal>("unprintable");
        QTest::addColumn<QPageSize::PageSizeId>("paper");
        QTest::addColumn<QPointF>("calibration");
        const QPointF none;
        QTest::newRow("plain, printable to the edge") << 0 << 0.0 << QPageSize::A4 << none;
        QTest::newRow("plain, 12 pt unprintable") << 0 << Unprintable << QPageSize::A4 << none;
        QTest::newRow("letterhead on Letter")
            << 1 << Unprintable << QPageSize::Letter << QPointF(1.5, -0.7);
        QTest::newRow("pre-printed, calibrated")
            << 2 << Unprintable << QPageSize::A4 << QPointF(-20, 20);
        QTest::newRow("envelope") << -1 << Unprintable << QPageSize::EnvelopeDL << QPointF(0, 2);
    }
    void placementFromPrintableCorner()
    {
        QFETCH(int, paperType);
        QFETCH(qreal, unprintable);
        QFETCH(QPageSize::PageSizeId, paper);
        QFETCH(QPointF, calibration);
        RecordingPrinter printer;
        printer.engine.setUnprintable(unprintable);
        printer.setPageSize(QPageSize(paper));
        PrinterCalibration::setOffsets(printer.printerName(), calibration);
        PrinterInUse use(*m_desktop, printer);
        TCommande w;
        w.activate();
        fillOrder(w);
        w.document().PaperType = qMax(0, paperType);
        m_desktop->answer(Prompts::Answer::Ok);
        if (paperType < 0)
            w.ImpEnv();
        else
            w.Imprime();

        QCOMPARE(printer.engine.jobs, 1);
        QCOMPARE(printer.pageLayout().pageSize().id(), paper); // never forced to A4
        const QPoint origin(qRound(unprintable * 1200 / 72 + calibration.x() * 1200 / 25.4),
                            qRound(unprintable * 1200 / 72 + calibration.y() * 1200 / 25.4));
        const auto at = [&origin](int x, int y) {
            return QPointF(origin + QPoint(x * Factor, (y + 5) * Factor));
        };
        const QList<Drawn> &drawn = printer.engine.drawn;
        const auto checkText = [&](const QString &text, int x, int y) {
            const Drawn *band = bandOf(drawn, text);
            QVERIFY2(band, qPrintable(text));
            QCOMPARE(band->from, at(x, y));
        };
        if (paperType < 0) {
            QCOMPARE(printer.docName(), QStringLiteral("Enveloppe Dupont SA"));
            checkText(QStringLiteral("Société 1"), 5, 5);
            checkText(QStringLiteral("Société 4"), 5, 20);
            checkText(QStringLiteral("Dupont SA"), 110, 50);
            checkText(QStringLiteral("75001 Paris"), 110, 65);
            QCOMPARE(ofKind(drawn, Drawn::Text).size(), 7);
            return;
        }
        QCOMPARE(printer.docName(), QStringLiteral("Commande N° ") + Number);
        checkText(QStringLiteral("Commande N° ") + Number, 20, 84);
        checkText(QStringLiteral("Dupont SA"), 116, 60);
        checkText(QStringLiteral("Vis"), 22, 105);
        checkText(QStringLiteral("Clous"), 22, 110);
        // Right-aligned texts end on their millimetre.
        const QList<Drawn> texts = ofKind(drawn, Drawn::Text);
        const auto amount = std::find_if(texts.begin(), texts.end(), [](const Drawn &d) {
            return d.text.endsWith(QLatin1String(" Francs"));
        });
        QVERIFY(amount != texts.end());
        QVERIFY(qAbs(bandOf(drawn, amount->text)->rect().right() - at(189, 0).x()) <= 1);

        const QList<Drawn> frames = ofKind(drawn, Drawn::Frame);
        QCOMPARE(frames.size(), paperType == 2 ? 0 : 1);
        QCOMPARE(ofKind(drawn, Drawn::Line).size(), paperType == 2 ? 0 : 12);
        if (paperType != 2) {
            QCOMPARE(drawn.first().kind, Drawn::Frame); // the frame goes under everything
            QCOMPARE(frames.first().rect(), QRectF(at(20, 90), at(190, 270)));
        }
        QCOMPARE(bool(bandOf(drawn, QStringLiteral("Société 1"))), paperType == 0);
        if (paperType == 0)
            checkText(QStringLiteral("Société 1"), 20, 0);
    }

    // "Arial" is the metric-compatible Liberation Sans, whose 12-point rows keep within their
    // 5 mm: a row's white band never covers the descenders of the row above.
    void rowBandsKeepToTheirRows()
    {
        QVERIFY2(QFontDatabase::hasFamily(QStringLiteral("Liberation Sans")),
                 "the fonts-liberation2 package is missing");
        QCOMPARE(QFontInfo(QFont(PagePainter::layoutFamily())).family(),
                 QStringLiteral("Liberation Sans"));

        RecordingPrinter printer;
        PrinterInUse use(*m_desktop, printer);
        TCommande w;
        w.activate();
        fillOrder(w);
        w.Imprime();
        const Drawn *first = bandOf(printer.engine.drawn, QStringLiteral("Vis"));
        const Drawn *second = bandOf(printer.engine.drawn, QStringLiteral("Clous"));
        QVERIFY(first && second);
        QCOMPARE(second->from.y() - first->from.y(), 5.0 * Factor);
        QVERIFY2(first->rect().bottom() <= second->rect().top(),
                 qPrintable(QString::number(first->rect().height())));
    }

    // Every failure of the printer reaches the general error report in French; the program goes
    // on and the book is untouched.
    void printerFailuresAreReported_data()
    {
        QTest::addColumn<int>("failure");
        QTest::addColumn<QString>("printerName");
        QTest::addColumn<QString>("message");
        using F = RecordingEngine::Failure;
        const QString start = QStringLiteral("L'impression a échoué : ");
        QTest::newRow("no printer")
            << int(F::None) << QString() << start + "aucune imprimante par défaut sélectionnée.";
        QTest::newRow("job not started")
            << int(F::Begin) << "Bureau"
            << start + "l'imprimante « Bureau » n'a pas pu commencer le travail.";
        QTest::newRow("job not finished")
            << int(F::End) << "Bureau"
            << start + "l'imprimante « Bureau » n'a pas pu terminer le travail.";
        QTest::newRow("job refused")
            << int(F::Refused) << "Bureau"
            << start + "l'imprimante « Bureau » n'a pas pu terminer le travail.";
    }
    void printerFailuresAreReported()
    {
        QFETCH(int, failure);
        QFETCH(QString, printerName);
        QFETCH(QString, message);
        RecordingPrinter printer;
        printer.engine.failure = RecordingEngine::Failure(failure);
        printer.setQueueName(printerName);
        PrinterInUse use(*m_desktop, printer);
        TMainForm &form = start();
        const QStringList before = form.commande().book().OrderLines;
        const bool modified = form.commande().book().FileModified;

        for (const char *button : {"SpeedButton8", "SpeedButton10"}) {
            m_desktop->asked.clear();
            m_desktop->answer(Prompts::Answer::Ok); // the envelope prompt comes first
            QTest::mouseClick(toolButton(button), Qt::LeftButton);
            QCOMPARE(m_desktop->asked.last().icon, Prompts::Icon::Critical);
            QCOMPARE(m_desktop->asked.last().text, message);
        }
        // Three copies asked: the first failure is reported once and ends the job.
        m_desktop->asked.clear();
        m_desktop->copies = 3;
        action("FilePrintItem")->trigger();
        QCOMPARE(m_desktop->texts(), QStringList{message});
        QCOMPARE(printer.engine.jobs, 0);
        QVERIFY(form.isVisible());
        QCOMPARE(form.commande().book().OrderLines, before);
        QCOMPARE(form.commande().book().FileModified, modified);
    }

    // A real PDF through Qt's PDF printer, read back: the paper asked for and the frame where
    // the layout puts it.
    void pdfReadBack()
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_dir->file(QStringLiteral("order.pdf")));
        printer.setPageSize(QPageSize(QPageSize::Letter));
        PrinterInUse use(*m_desktop, printer);
        TCommande w;
        w.activate();
        fillOrder(w);
        w.Imprime();
        const PdfPage page = readPdf(printer.outputFileName());
        QCOMPARE(page.pages, 1);
        QCOMPARE(page.mediaBox, QByteArray("0 0 612.000000 792.000000"));
        QVERIFY(page.content.contains("0.060000000 0 0 -0.060000000 0 792 cm")); // 1200 dpi
        QCOMPARE(firstRectangle(page.content),
                 (QList<int>{20 * Factor, 95 * Factor, 170 * Factor, 180 * Factor}));
    }

    // The preview and the PDF export draw exactly what the printer gets.
    void previewAndExportMatchPrint()
    {
        TMainForm &form = start();
        fillOrder(form.commande());
        form.commande().document().PaperType = 1;
        QList<Drawn> printed;
        {
            RecordingPrinter printer;
            PrinterInUse use(*m_desktop, printer);
            QTest::mouseClick(toolButton("SpeedButton8"), Qt::LeftButton);
            printed = printer.engine.drawn;
        }
        QVERIFY(!printed.isEmpty());

        RecordingPrinter previewer;
        previewer.engine.kind = QPaintEngine::Picture;
        m_desktop->previewPrinter = &previewer;
        QTest::mouseClick(toolButton("PreviewBtn"), Qt::LeftButton);
        m_desktop->previewPrinter = nullptr;
        QCOMPARE(m_desktop->previews, 1);
        QCOMPARE(previewer.engine.drawn.size(), printed.size());
        for (qsizetype i = 0; i < printed.size(); ++i) {
            QCOMPARE(previewer.engine.drawn.at(i).text, printed.at(i).text);
            QCOMPARE(previewer.engine.drawn.at(i).rect(), printed.at(i).rect());
        }

        // The export against a print to a PDF file on the same paper.
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(m_dir->file(QStringLiteral("printed.pdf")));
        pdf.setPageSize(QPageSize(QPageSize::A4));
        {
            PrinterInUse use(*m_desktop, pdf);
            form.commande().Imprime();
        }
        // Through the menu, from the keyboard.
        m_desktop->chooseFile(m_dir->file(QStringLiteral("exported")));
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(&form, Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_P);
        QTRY_VERIFY(QFile::exists(m_dir->file(QStringLiteral("exported.pdf"))));
        QCOMPARE(m_desktop->fileRequests.last().initialName,
                 QStringLiteral("Commande-") + Number + QStringLiteral(".pdf"));
        const PdfPage exported = readPdf(m_dir->file(QStringLiteral("exported.pdf")));
        QCOMPARE(exported.mediaBox, QByteArray("0 0 595.000000 842.000000")); // A4
        QVERIFY(!exported.content.isEmpty());
        QCOMPARE(exported.content, readPdf(pdf.outputFileName()).content);
        QVERIFY(m_desktop->asked.isEmpty());

        // An existing file is overwritten only when the user agrees.
        const QByteArray first = readFile(m_dir->file(QStringLiteral("exported.pdf")));
        form.commande().document().PaperType = 2;
        m_desktop->chooseFile(m_dir->file(QStringLiteral("exported.pdf")));
        action("FileExportPdfItem")->trigger();
        QCOMPARE(m_desktop->texts(), QStringList{QStringLiteral("Ce fichier existe déjà")});
        QCOMPARE(readFile(m_dir->file(QStringLiteral("exported.pdf"))), first);
    }

    void exportToUnwritablePlaceIsReported()
    {
        start();
        m_desktop->chooseFile(m_dir->file(QStringLiteral("missing/folder/order.pdf")));
        action("FileExportPdfItem")->trigger();
        QCOMPARE(m_desktop->asked.size(), 1);
        QVERIFY2(m_desktop->asked.first().text.startsWith(
                     QStringLiteral("L'exportation a échoué : impossible d'écrire le fichier")),
                 qPrintable(m_desktop->asked.first().text));
    }

    void mailAttachesThePdf()
    {
        TMainForm &form = start();
        fillOrder(form.commande());
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(&form, Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_L);
        QTRY_COMPARE(m_desktop->mails.size(), 1);
        QCOMPARE(m_desktop->mails.first().program, QStringLiteral("xdg-email"));
        const QStringList &arguments = m_desktop->mails.first().arguments;
        const auto value = [&arguments](const char *option) {
            const qsizetype i = arguments.indexOf(QLatin1String(option));
            return i >= 0 && i + 1 < arguments.size() ? arguments.at(i + 1) : QString();
        };
        QCOMPARE(value("--subject"), QStringLiteral("Commande N° ") + Number);
        QCOMPARE(value("--body"), QStringLiteral("Dupont SA\n12 rue des Lilas\n75001 Paris\n\n"
                                                 "Veuillez trouver ci-joint notre commande "
                                                 "N° 200003001."));
        const QString attachment = value("--attach");
        QVERIFY(attachment.endsWith(QStringLiteral("/Commande-200003001.pdf")));
        QCOMPARE(readPdf(attachment).pages, 1);
        QVERIFY(m_desktop->asked.isEmpty());

        m_desktop->mailProgram = false;
        action("FileMailItem")->trigger();
        QCOMPARE(m_desktop->asked.size(), 1);
        QVERIFY(m_desktop->asked.first().text.startsWith(
            QStringLiteral("Aucun programme de messagerie n'est disponible.")));
        QVERIFY(m_desktop->asked.first().text.contains(attachment));
    }

    void pdfFileNames()
    {
        QCOMPARE(OrderMail::pdfFileName(QStringLiteral(" 200003001")),
                 QStringLiteral("Commande-200003001.pdf"));
        QCOMPARE(OrderMail::pdfFileName(QStringLiteral("2000/03 é")),
                 QStringLiteral("Commande-2000_03_.pdf"));
        QCOMPARE(OrderMail::pdfFileName(QString()), QStringLiteral("Commande.pdf"));
    }

    void pageSetupChangesPaperTypeOnlyOnOk()
    {
        TCommande w;
        QCOMPARE(w.document().PaperType, 0);
        const auto ok = [](TMPage &d) { click(d, "Button2"); };
        const auto closeBox = [](TMPage &d) { d.close(); };
        runPageSetup(w, 1, closeBox); // never accepted since start-up
        QCOMPARE(w.document().PaperType, 0);
        runPageSetup(w, 2, ok);
        QCOMPARE(w.document().PaperType, 2);
        // Annuler and Escape leave the type, whatever was selected; the dialog opens on it.
        runPageSetup(w, -1, [](TMPage &d) {
            QVERIFY(d.findChild<QRadioButton *>(QStringLiteral("RadioGroup1Item2"))->isChecked());
            clickRadio(d, 0);
            click(d, "Button1");
        });
        QCOMPARE(w.document().PaperType, 2);
        runPageSetup(w, 1, ok);
        runPageSetup(w, 0, [](TMPage &d) { QTest::keyClick(&d, Qt::Key_Escape); });
        QCOMPARE(w.document().PaperType, 1);
        runPageSetup(w, 0, closeBox); // the last button was Annuler: not accepted
        QCOMPARE(w.document().PaperType, 1);
        runPageSetup(w, 2, ok);
        runPageSetup(w, 0, closeBox); // the last button was OK: the close box accepts
        QCOMPARE(w.document().PaperType, 0);
    }

    // The calibration is the printer's: set in the page set-up, kept under its name only.
    void calibrationPerPrinter()
    {
        RecordingPrinter printer;
        printer.setQueueName(QStringLiteral("Atelier/étiquettes"));
        PrinterInUse use(*m_desktop, printer);
        TCommande w;
        runPageSetup(w, -1, [](TMPage &d) {
            QVERIFY(d.findChild<QLabel *>(QStringLiteral("CalibrationPrinter"))
                        ->text()
                        .contains(QStringLiteral("Atelier/étiquettes")));
            setOffsets(d, 1.5, -0.7);
            click(d, "Button1"); // Annuler keeps nothing
        });
        QCOMPARE(PrinterCalibration::offsets(QStringLiteral("Atelier/étiquettes")), QPointF());
        runPageSetup(w, -1, [](TMPage &d) {
            setOffsets(d, 1.5, -0.7);
            click(d, "Button2");
        });
        QCOMPARE(PrinterCalibration::offsets(QStringLiteral("Atelier/étiquettes")),
                 QPointF(1.5, -0.7));
        QCOMPARE(PrinterCalibration::offsets(QStringLiteral("Atelier")), QPointF());
        runPageSetup(w, -1, [](TMPage &d) {
            auto *x = d.findChild<QDoubleSpinBox *>(QStringLiteral("CalibrationX"));
            QCOMPARE(x->value(), 1.5); // shown again
            QCOMPARE(x->minimum(), -20.0);
            QCOMPARE(x->maximum(), 20.0);
            click(d, "Button1");
        });

        // Out-of-range values written by hand come back within the limits.
        PrinterCalibration::setOffsets(QStringLiteral("Bureau"), QPointF(35, -0.04));
        QCOMPARE(PrinterCalibration::offsets(QStringLiteral("Bureau")), QPointF(20, 0));

        // Without a printer there is nothing to calibrate.
        printer.setQueueName(QString());
        runPageSetup(w, -1, [](TMPage &d) {
            QVERIFY(!d.findChild<QDoubleSpinBox *>(QStringLiteral("CalibrationX"))->isEnabled());
            click(d, "Button2");
        });
    }

private:
    TMainForm &start()
    {
        m_form = std::make_unique<TMainForm>();
        m_form->show();
        // A book in use enables the print commands.
        m_form->findChild<QAction *>(QStringLiteral("DocNewOrderItem"))->trigger();
        return *m_form;
    }
    QToolButton *toolButton(const char *name) const
    {
        auto *b = m_form->findChild<QToolButton *>(QString::fromLatin1(name));
        if (!b || !b->isEnabled())
            qWarning("tool button %s missing or disabled", name);
        return b;
    }
    QAction *action(const char *name) const
    {
        auto *a = m_form->findChild<QAction *>(QString::fromLatin1(name));
        if (!a || !a->isEnabled())
            qWarning("action %s missing or disabled", name);
        return a;
    }
    static QByteArray readFile(const QString &fileName)
    {
        QFile file(fileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_settings;
    std::unique_ptr<TemporaryWorkingDir> m_dir;
    std::unique_ptr<FakePlatform> m_desktop;
    std::unique_ptr<TMainForm> m_form;
};

QTEST_MAIN(TestPrinting)
#include "test_printing.moc"
