// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainwindow.h"
#include "core/numbertext.h"
#include "order/orderlines.h"
#include "order/orderwindow.h"
#include "printing/ordermail.h"
#include "printing/orderpage.h"
#include "printing/pagepainter.h"
#include "printing/pagesetupdialog.h"
#include "printing/printercalibration.h"
#include "recordingprinter.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
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
void fillOrder(OrderWindow &w)
{
    OrderDocument &d = w.document();
    d.setNumber(Number);
    d.setAddress({QStringLiteral("Dupont SA"), QStringLiteral("12 rue des Lilas"), QString(),
                  QStringLiteral("75001 Paris")});
    typeRows(d, {{"Vis", "2", "10"}, {"Clous", "3", "1"}});
    for (int i = 0; i < 7; ++i)
        w.company().details[i] = QStringLiteral("Société %1").arg(i + 1);
    w.calculateOrder();
}

// Too long for their place on paper: a designation that prints narrowed, one that prints cut,
// and a supplier line that passes the printable area of most printers.
const QString Narrowed =
    QStringLiteral("Perceuse à percussion sans fil 18 V, coffret, 2 batteries, réf XL");
const QString Cut =
    QStringLiteral("PERCEUSE À PERCUSSION SANS FIL 18 V, COFFRET, 2 BATTERIES, RÉF XR");
const QString LongAddress =
    QStringLiteral("Établissements Dupont et Fils, Zone industrielle du Moulin");

// Fills the order window with `rows` lines: the two long designations, then "Article 03" and
// on, each for its number of pieces at 1.
void fillLongOrder(OrderWindow &w, int rows)
{
    fillOrder(w);
    w.document().setAddressLine(0, LongAddress);
    for (int k = 1; k <= rows; ++k) {
        const QString designation =
            k == 1   ? Narrowed
            : k == 2 ? Cut
                     : QStringLiteral("Article %1").arg(k, 2, 10, QLatin1Char('0'));
        typeRows(w.document(), {{designation, QString::number(k), QStringLiteral("1")}}, k);
    }
    w.calculateOrder();
}

// The text of each page of a PDF file, as pdftotext (poppler-utils) reads it.
QStringList pdfPages(const QString &fileName)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), fileName, QStringLiteral("-")});
    if (!pdftotext.waitForFinished() || pdftotext.exitCode() != 0)
        return {};
    QStringList pages =
        QString::fromUtf8(pdftotext.readAllStandardOutput()).split(QLatin1Char('\f'));
    pages.removeLast(); // after the last page's form feed
    return pages;
}

// Clicks an item of the paper type on its round button, where a user clicks.
void clickRadio(PageSetupDialog &dialog, int item)
{
    auto *radio = dialog.findChild<QRadioButton *>(QStringLiteral("Paper%1").arg(item));
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
}

// Runs the page set-up, `act` driving the dialog while it is shown.
void runPageSetup(OrderWindow &w, int select, const std::function<void(PageSetupDialog &)> &act)
{
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<PageSetupDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        if (select >= 0)
            clickRadio(*dialog, select);
        act(*dialog);
    });
    w.choosePaper();
}

void click(PageSetupDialog &dialog, const char *name)
{
    QTest::mouseClick(dialog.findChild<QPushButton *>(QLatin1String(name)), Qt::LeftButton);
}

void setOffsets(PageSetupDialog &dialog, double x, double y)
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
        in.record.lines = {row({QStringLiteral("WWWW"), {}, {}, {}, QStringLiteral(" 88,88")})};
        in.lastRow = 1;
        in.companyLines[0] = QStringLiteral("MMMM");
        const QImage plain = render(OrderPage::build(in, 0).first());
        QVERIFY(darkPixels(plain, QRect(199, 1500, 3, 1)) > 0);    // frame's left edge
        QVERIFY(darkPixels(plain, QRect(1149, 1500, 3, 1)) > 0);   // designation | quantity
        QCOMPARE(darkPixels(plain, QRect(300, 1500, 800, 1)), 0);  // white inside
        QVERIFY(darkPixels(plain, QRect(200, 50, 300, 50)) > 0);   // letterhead at (20, 0)
        QVERIFY(darkPixels(plain, QRect(220, 1100, 300, 40)) > 0); // row 1 at (22, 105)
        // The amount ends at 184 mm, short of the column line at 185.
        QVERIFY(darkPixels(plain, QRect(1700, 1100, 140, 40)) > 0);
        QCOMPARE(darkPixels(plain, QRect(1842, 1100, 5, 40)), 0);
        QVERIFY(darkPixels(plain, QRect(1899, 2749, 3, 1)) > 0); // right edge on 190 mm

        const QImage preprinted = render(OrderPage::build(in, 2).first());
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
        if (paperType < 0) // an envelope goes in lengthwise
            printer.setPageOrientation(QPageLayout::Landscape);
        PrinterCalibration::setOffsets(printer.printerName(), calibration);
        PrinterInUse use(*m_desktop, printer);
        OrderWindow w;
        w.activate();
        fillOrder(w);
        w.document().setPaperType(qMax(0, paperType));
        m_desktop->answer(Prompts::Answer::Ok);
        if (paperType < 0)
            w.printEnvelope();
        else
            w.printOrder();

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
        OrderWindow w;
        w.activate();
        fillOrder(w);
        w.printOrder();
        const Drawn *first = bandOf(printer.engine.drawn, QStringLiteral("Vis"));
        const Drawn *second = bandOf(printer.engine.drawn, QStringLiteral("Clous"));
        QVERIFY(first && second);
        QCOMPARE(second->from.y() - first->from.y(), 5.0 * Factor);
        QVERIFY2(first->rect().bottom() <= second->rect().top(),
                 qPrintable(QString::number(first->rect().height())));
    }

    // A text too wide for its place is drawn narrower, then cut with "…", never past its
    // column or the printable area; the order window's tool tip says how a designation prints.
    void longTextsKeepToTheirPlace_data()
    {
        QTest::addColumn<int>("place"); // 0 a designation, 1 the supplier's line, 2 on an envelope
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("fate"); // 1 narrowed, 2 cut
        QTest::newRow("65-character designation") << 0 << Narrowed << 1;
        QTest::newRow("65 capitals") << 0 << Cut << 2;
        QTest::newRow("58-character supplier line") << 1 << LongAddress << 1;
        QTest::newRow("the same on a C6 envelope") << 2 << LongAddress << 2;
    }
    void longTextsKeepToTheirPlace()
    {
        QFETCH(int, place);
        QFETCH(QString, text);
        QFETCH(int, fate);
        RecordingPrinter printer;
        printer.engine.setUnprintable(Unprintable);
        if (place == 2) {
            printer.setPageSize(QPageSize(QPageSize::EnvelopeC6));
            printer.setPageOrientation(QPageLayout::Landscape);
        }
        PrinterInUse use(*m_desktop, printer);
        OrderWindow w;
        w.resize(1000, 700);
        w.show();
        w.activate();
        fillOrder(w);
        if (place == 0)
            w.document().setCell(1, 0, text);
        else
            w.document().setAddressLine(0, text);
        m_desktop->answer(Prompts::Answer::Ok);
        if (place == 2)
            w.printEnvelope();
        else
            w.printOrder();

        const QList<Drawn> texts = ofKind(printer.engine.drawn, Drawn::Text);
        const auto drawn = std::find_if(texts.begin(), texts.end(), [&text](const Drawn &d) {
            return d.text.startsWith(text.left(8));
        });
        QVERIFY(drawn != texts.end());
        // Whole when narrowed; else its beginning and "…".
        QCOMPARE(drawn->text == text, fate == 1);
        QVERIFY(fate == 1 || (drawn->text.endsWith(QStringLiteral("…")) &&
                              text.startsWith(drawn->text.chopped(1))));
        // A millimetre short of the quantity's column line, or the printable area's edge; the
        // glyphs as this engine lays them out may pass the measured width by a hair.
        const qreal paperWidth = printer.pageLayout().fullRect(QPageLayout::Millimeter).width();
        const qreal limit =
            place == 0 ? UnprintablePx + 114 * Factor : paperWidth * 1200 / 25.4 - UnprintablePx;
        QVERIFY(bandOf(printer.engine.drawn, drawn->text)->rect().right() <= limit + 1);
        QVERIFY(drawn->to.x() <= limit + Factor / 4);

        if (place == 0) {
            auto *grid = w.findChild<QTableView *>(QStringLiteral("Lines"));
            const QPoint cell = grid->visualRect(grid->model()->index(0, 0)).center();
            QHelpEvent hover(QEvent::ToolTip, cell, grid->viewport()->mapToGlobal(cell));
            QApplication::sendEvent(grid->viewport(), &hover);
            const QString tip = QToolTip::isVisible() ? QToolTip::text() : QString();
            QCOMPARE(tip.contains(QStringLiteral("imprimée en caractères resserrés")), fate == 1);
            QCOMPARE(tip.contains(QStringLiteral("coupée à l'impression :\n« ") + drawn->text),
                     fate == 2);
            QToolTip::hideText();
        }
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
        // -1: no printer object at all, as without a desktop.
        QTest::newRow("no desktop")
            << -1 << QString() << start + "aucune imprimante par défaut sélectionnée.";
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
        printer.engine.failure = RecordingEngine::Failure(qMax(failure, 0));
        printer.setQueueName(printerName);
        PrinterInUse use(*m_desktop, printer);
        m_desktop->noPrinter = failure < 0;
        MainWindow &form = start();
        const QStringList before = form.orderWindow().book().lines().toStringList();
        const bool modified = form.orderWindow().document().fileModified();

        for (const char *button : {"PrintOrderButton", "EnvelopeButton"}) {
            m_desktop->asked.clear();
            m_desktop->answer(Prompts::Answer::Ok); // the envelope prompt comes first
            QTest::mouseClick(toolButton(button), Qt::LeftButton);
            QCOMPARE(m_desktop->asked.last().icon, Prompts::Icon::Critical);
            QCOMPARE(m_desktop->asked.last().text, message);
        }
        // Three copies asked: the first failure is reported once and ends the job.
        m_desktop->asked.clear();
        m_desktop->copies = 3;
        action("PrintAction")->trigger();
        QCOMPARE(m_desktop->texts(), QStringList{message});
        QCOMPARE(printer.engine.jobs, 0);
        QVERIFY(form.isVisible());
        QCOMPARE(form.orderWindow().book().lines(), before);
        QCOMPARE(form.orderWindow().document().fileModified(), modified);
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
        OrderWindow w;
        w.activate();
        fillOrder(w);
        w.printOrder();
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
        MainWindow &form = start();
        fillOrder(form.orderWindow());
        form.orderWindow().document().setPaperType(1);
        QList<Drawn> printed;
        {
            RecordingPrinter printer;
            PrinterInUse use(*m_desktop, printer);
            QTest::mouseClick(toolButton("PrintOrderButton"), Qt::LeftButton);
            printed = printer.engine.drawn;
        }
        QVERIFY(!printed.isEmpty());

        RecordingPrinter previewer;
        previewer.engine.kind = QPaintEngine::Picture;
        m_desktop->previewPrinter = &previewer;
        QTest::mouseClick(toolButton("PreviewButton"), Qt::LeftButton);
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
            form.orderWindow().printOrder();
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
        form.orderWindow().document().setPaperType(2);
        m_desktop->chooseFile(m_dir->file(QStringLiteral("exported.pdf")));
        action("ExportPdfAction")->trigger();
        QCOMPARE(m_desktop->texts(), QStringList{QStringLiteral("Ce fichier existe déjà")});
        QCOMPARE(readFile(m_dir->file(QStringLiteral("exported.pdf"))), first);
    }

    // What the supplier reads, page by page, on each paper: every row once, on its page, the
    // totals after the last one; the same from the printer as in the PDF export.
    void pagesAsPrinted_data()
    {
        QTest::addColumn<int>("paperType");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("pages");
        for (int paper = 0; paper < 3; ++paper) {
            QTest::addRow("paper %d, 28 lines", paper) << paper << 28 << 1;
            QTest::addRow("paper %d, 29 lines", paper) << paper << 29 << 2;
            QTest::addRow("paper %d, 63 lines", paper) << paper << 63 << 3;
        }
    }
    void pagesAsPrinted()
    {
        QFETCH(int, paperType);
        QFETCH(int, rows);
        QFETCH(int, pages);
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(),
                 "the poppler-utils package is missing");
        MainWindow &form = start();
        fillLongOrder(form.orderWindow(), rows);
        form.orderWindow().document().setPaperType(paperType);
        m_desktop->chooseFile(m_dir->file(QStringLiteral("exported.pdf")));
        action("ExportPdfAction")->trigger();
        const QStringList text = pdfPages(m_dir->file(QStringLiteral("exported.pdf")));
        QCOMPARE(text.size(), pages);
        for (int p = 0; p < pages; ++p) {
            const QString &page = text.at(p);
            const bool last = p == pages - 1;
            QVERIFY(page.contains(QStringLiteral("Commande N° ") + Number));
            QVERIFY(page.contains(LongAddress));
            QCOMPARE(page.contains(QStringLiteral("Société 1")), paperType == 0);
            QCOMPARE(page.contains(QStringLiteral("Total TTC")), paperType != 2);
            QCOMPARE(page.contains(QStringLiteral("Suite page suivante")), !last);
            QCOMPARE(page.contains(QStringLiteral(" Francs")), last);
            QCOMPARE(page.contains(QStringLiteral("Page %1/%2").arg(p + 1).arg(pages)), pages > 1);
        }
        for (int k = 3; k <= rows; ++k) {
            const QString designation =
                QStringLiteral("Article %1").arg(k, 2, 10, QLatin1Char('0'));
            for (int p = 0; p < pages; ++p)
                QCOMPARE(text.at(p).count(designation), p == (k - 1) / 28 ? 1 : 0);
        }
        QVERIFY(text.last().indexOf(QStringLiteral("Article %1").arg(rows)) <
                text.last().indexOf(QStringLiteral(" Francs")));
        // Narrowed whole, or cut where the reader sees it; the quantities beside them whole.
        static const QRegularExpression narrowed(QRegularExpression::escape(Narrowed) +
                                                 " +1 +1,00 ");
        static const QRegularExpression cut("PERCEUSE À PERCUSSION[^\n]*… +2 +1,00 ");
        QVERIFY2(text.first().contains(narrowed), qPrintable(text.first()));
        QVERIFY(text.first().contains(cut));
        QVERIFY(!text.first().contains(QStringLiteral("RÉF XR")));

        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_dir->file(QStringLiteral("printed.pdf")));
        printer.setPageSize(QPageSize(QPageSize::A4));
        {
            PrinterInUse use(*m_desktop, printer);
            QTest::mouseClick(toolButton("PrintOrderButton"), Qt::LeftButton);
        }
        QCOMPARE(pdfPages(printer.outputFileName()), text);
    }

    void exportToUnwritablePlaceIsReported()
    {
        start();
        m_desktop->chooseFile(m_dir->file(QStringLiteral("missing/folder/order.pdf")));
        action("ExportPdfAction")->trigger();
        QCOMPARE(m_desktop->asked.size(), 1);
        QVERIFY2(m_desktop->asked.first().text.startsWith(
                     QStringLiteral("L'exportation a échoué : impossible d'écrire le fichier")),
                 qPrintable(m_desktop->asked.first().text));
        // Why, and another name offered.
        QVERIFY(
            m_desktop->asked.first().text.endsWith(QStringLiteral(" : le dossier n'existe plus.")));
        QCOMPARE(m_desktop->asked.first().actions,
                 QStringList{QStringLiteral("Enregistrer sous...")});
    }

    // The order goes to the mail program as a PDF kept where it lasts: beside the book, or in
    // the documents folder (made when missing) for a book without a folder. A missing or failing
    // mail program is said, with where the PDF is.
    void mailAttachesThePdf_data()
    {
        QTest::addColumn<QString>("book"); // empty: a new book
        QTest::addColumn<bool>("bookFolderGone");
        QTest::addColumn<int>("mailProgram"); // 0 none, 1 takes the message, 2 fails
        QTest::addColumn<QString>("message");
        const QString kept = QStringLiteral("Le bon de commande a été enregistré dans « %1 » : "
                                            "joignez-le à votre message");
        QTest::newRow("beside the book") << "commandes/carnet.cmd" << false << 1 << QString();
        QTest::newRow("new book") << QString() << false << 1 << QString();
        QTest::newRow("book's folder gone") << "commandes/carnet.cmd" << true << 1 << QString();
        QTest::newRow("no mail program") << "commandes/carnet.cmd" << false << 0
                                         << "Aucun programme de messagerie n'est disponible. " +
                                                kept + " ou utilisez « Exporter en PDF... ».";
        QTest::newRow("mail program fails")
            << QString() << false << 2
            << "L'envoi par e-mail a échoué : aucun programme de messagerie ne sait ouvrir le "
               "message. " +
                   kept + ".";
    }
    void mailAttachesThePdf()
    {
        QFETCH(QString, book);
        QFETCH(bool, bookFolderGone);
        QFETCH(int, mailProgram);
        QFETCH(QString, message);
        m_desktop->documents = m_dir->file(QStringLiteral("Documents"));
        MainWindow &form = start();
        fillOrder(form.orderWindow());
        if (!book.isEmpty()) {
            QDir().mkpath(QFileInfo(m_dir->file(book)).path());
            m_desktop->chooseFile(m_dir->file(book));
            action("SaveAsAction")->trigger();
            QVERIFY(QFile::exists(m_dir->file(book)));
            if (bookFolderGone)
                QDir(QFileInfo(m_dir->file(book)).path()).removeRecursively();
        }
        m_desktop->mailProgram = mailProgram != 0;
        if (mailProgram == 2)
            m_desktop->mailFailure =
                QStringLiteral("aucun programme de messagerie ne sait ouvrir le message");
        m_desktop->asked.clear();

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
        const QString folder = book.isEmpty() || bookFolderGone
                                   ? m_desktop->documents
                                   : QFileInfo(m_dir->file(book)).path();
        QCOMPARE(attachment, folder + QStringLiteral("/Commande-200003001.pdf"));
        QCOMPARE(m_desktop->texts(),
                 message.isEmpty() ? QStringList() : QStringList{message.arg(attachment)});
        if (mailProgram == 2)
            QCOMPARE(m_desktop->asked.first().icon, Prompts::Icon::Critical);
        // The PDF outlives the program, for a mail program that reads it when the message goes.
        m_form.reset();
        m_desktop.reset();
        QCOMPARE(readPdf(attachment).pages, 1);
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
        OrderWindow w;
        QCOMPARE(w.document().paperType(), 0);
        const auto ok = [](PageSetupDialog &d) { click(d, "OkButton"); };
        const auto closeBox = [](PageSetupDialog &d) { d.close(); };
        runPageSetup(w, 1, closeBox); // never accepted since start-up
        QCOMPARE(w.document().paperType(), 0);
        runPageSetup(w, 2, ok);
        QCOMPARE(w.document().paperType(), 2);
        // Annuler and Escape leave the type, whatever was selected; the dialog opens on it.
        runPageSetup(w, -1, [](PageSetupDialog &d) {
            QVERIFY(d.findChild<QRadioButton *>(QStringLiteral("Paper2"))->isChecked());
            clickRadio(d, 0);
            click(d, "CancelButton");
        });
        QCOMPARE(w.document().paperType(), 2);
        runPageSetup(w, 1, ok);
        runPageSetup(w, 0, [](PageSetupDialog &d) { QTest::keyClick(&d, Qt::Key_Escape); });
        QCOMPARE(w.document().paperType(), 1);
        runPageSetup(w, 0, closeBox); // the last button was Annuler: not accepted
        QCOMPARE(w.document().paperType(), 1);
        runPageSetup(w, 2, ok);
        runPageSetup(w, 0, closeBox); // the last button was OK: the close box accepts
        QCOMPARE(w.document().paperType(), 0);
    }

    // The calibration is the printer's: set in the page set-up, kept under its name only.
    void calibrationPerPrinter()
    {
        RecordingPrinter printer;
        printer.setQueueName(QStringLiteral("Atelier/étiquettes"));
        PrinterInUse use(*m_desktop, printer);
        OrderWindow w;
        runPageSetup(w, -1, [](PageSetupDialog &d) {
            QVERIFY(d.findChild<QLabel *>(QStringLiteral("CalibrationPrinter"))
                        ->text()
                        .contains(QStringLiteral("Atelier/étiquettes")));
            setOffsets(d, 1.5, -0.7);
            click(d, "CancelButton"); // Annuler keeps nothing
        });
        QCOMPARE(PrinterCalibration::offsets(QStringLiteral("Atelier/étiquettes")), QPointF());
        runPageSetup(w, -1, [](PageSetupDialog &d) {
            setOffsets(d, 1.5, -0.7);
            click(d, "OkButton");
        });
        QCOMPARE(PrinterCalibration::offsets(QStringLiteral("Atelier/étiquettes")),
                 QPointF(1.5, -0.7));
        QCOMPARE(PrinterCalibration::offsets(QStringLiteral("Atelier")), QPointF());
        runPageSetup(w, -1, [](PageSetupDialog &d) {
            auto *x = d.findChild<QDoubleSpinBox *>(QStringLiteral("CalibrationX"));
            QCOMPARE(x->value(), 1.5); // shown again
            QCOMPARE(x->minimum(), -20.0);
            QCOMPARE(x->maximum(), 20.0);
            click(d, "CancelButton");
        });

        // Out-of-range values written by hand come back within the limits.
        PrinterCalibration::setOffsets(QStringLiteral("Bureau"), QPointF(35, -0.04));
        QCOMPARE(PrinterCalibration::offsets(QStringLiteral("Bureau")), QPointF(20, 0));

        // Without a printer there is nothing to calibrate.
        printer.setQueueName(QString());
        runPageSetup(w, -1, [](PageSetupDialog &d) {
            QVERIFY(!d.findChild<QDoubleSpinBox *>(QStringLiteral("CalibrationX"))->isEnabled());
            click(d, "OkButton");
        });
    }

private:
    MainWindow &start()
    {
        m_form = std::make_unique<MainWindow>();
        m_form->show();
        // A book in use enables the print commands.
        m_form->findChild<QAction *>(QStringLiteral("NewOrderAction"))->trigger();
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
    std::unique_ptr<MainWindow> m_form;
};

QTEST_MAIN(TestPrinting)
#include "test_printing.moc"
