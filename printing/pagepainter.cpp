// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/pagepainter.h"

#include "core/textfile.h"
#include "printing/printercalibration.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QLibrary>
#include <QPageLayout>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QScopeGuard>
#include <QtMath>

namespace PagePainter {

namespace {

constexpr int FramePenWidth = 2; // device pixels
// The resolution of an exported PDF: the same as the program's printer gives a PDF file.
constexpr int PdfResolution = 1200;

QFont fontFor(const PageItem &item)
{
    QFont font(layoutFamily());
    font.setPointSize(item.fontSize);
    font.setBold(item.bold);
    return font;
}

void drawText(QPainter &painter, const Placement &placement, const PageItem &item)
{
    painter.setFont(fontFor(item));
    const QFontMetrics metrics = painter.fontMetrics();
    const int x = placement.origin.x() + placement.scale.deviceX(item.x);
    qreal room = 0;
    if (item.room == PageItem::ToEdge)
        room = placement.right - x;
    else if (item.room > 0)
        room = placement.scale.deviceX(item.room);
    Fitted fitted{item.text, 1, qreal(metrics.horizontalAdvance(item.text))};
    if (item.room)
        fitted = fit(QFontMetricsF(painter.font(), painter.device()), item, room);
    const bool asItIs = fitted.text == item.text && !fitted.narrowed();
    const int width = asItIs ? metrics.horizontalAdvance(item.text) : qCeil(fitted.width);
    const int left = item.rightAligned ? x - width : x;
    const int top = placement.origin.y() + placement.scale.deviceY(item.y);
    // Texts blank out what lies under them, as on the stationery the layout was made for.
    painter.fillRect(QRect(left, top, width, metrics.height()), Qt::white);
    if (!fitted.narrowed()) {
        painter.drawText(QPoint(left, top + metrics.ascent()), fitted.text);
        return;
    }
    painter.save();
    painter.translate(left, top + metrics.ascent());
    painter.scale(fitted.stretch, 1);
    painter.drawText(QPoint(), fitted.text);
    painter.restore();
}

Failure printFailure(const QString &reason)
{
    return Failure(QStringLiteral("L'impression a échoué : ") + reason);
}

QString quoted(const QString &name)
{
    return QStringLiteral("« ") + name + QStringLiteral(" »");
}

// Qt hands a finished job to CUPS and drops CUPS's answer, so a queue that refuses jobs would
// lose the order without a word. CUPS keeps the answer to the last request of this thread:
// read it from the library Qt has loaded. Empty when the job was taken (or CUPS is not used).
QString queueRefusal(const QPrinter &printer)
{
    using LastError = int (*)();
    using LastErrorString = const char *(*)();
    static QLibrary cups(QStringLiteral("cups"), 2);
    static const auto lastError = reinterpret_cast<LastError>(cups.resolve("cupsLastError"));
    static const auto lastErrorString =
        reinterpret_cast<LastErrorString>(cups.resolve("cupsLastErrorString"));
    if (!lastError)
        return QString();
    const int status = lastError();
    constexpr int FirstError = 0x0400; // below: successful or informational
    constexpr int NotFound = 0x0406;
    constexpr int NotAcceptingJobs = 0x0506;
    if (status < FirstError)
        return QString();
    const QString name = quoted(printer.printerName());
    if (status == NotAcceptingJobs)
        return QStringLiteral("l'imprimante ") + name +
               QStringLiteral(" n'accepte pas de travaux pour le moment.");
    if (status == NotFound)
        return QStringLiteral("l'imprimante ") + name + QStringLiteral(" est introuvable.");
    const QString detail = lastErrorString ? QString::fromUtf8(lastErrorString()) : QString();
    return QStringLiteral("l'imprimante ") + name + QStringLiteral(" a refusé le travail") +
           (detail.isEmpty() ? QString() : QStringLiteral(" (") + detail + QLatin1Char(')')) +
           QLatin1Char('.');
}

// Each page after the first on a sheet of its own.
bool paintPages(QPainter &painter, QPagedPaintDevice &device, const Placement &placement,
                const Pages &pages)
{
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage())
            return false;
        paint(painter, placement, pages.at(i));
    }
    return true;
}

} // namespace

QString layoutFamily()
{
    static const QString family = [] {
        const QString arial = QStringLiteral("Arial");
        QFont::insertSubstitution(arial, QStringLiteral("Liberation Sans"));
        return arial;
    }();
    return family;
}

Fitted fit(const QFontMetricsF &metrics, const PageItem &item, qreal roomPx)
{
    Fitted fitted{item.text, 1, metrics.horizontalAdvance(item.text)};
    if (fitted.width <= roomPx)
        return fitted;
    // Blanks at the end show nothing: they need no room.
    while (fitted.text.endsWith(QLatin1Char(' ')))
        fitted.text.chop(1);
    fitted.width = metrics.horizontalAdvance(fitted.text);
    if (fitted.width <= roomPx)
        return fitted;
    fitted.stretch = qMax(PageItem::MinStretch, roomPx / fitted.width);
    if (fitted.width * fitted.stretch > roomPx && !item.keepWhole) {
        fitted.text = metrics.elidedText(fitted.text, Qt::ElideRight,
                                         qMax<qreal>(0, roomPx / fitted.stretch));
        fitted.cut = true;
        fitted.width = metrics.horizontalAdvance(fitted.text);
    }
    fitted.width *= fitted.stretch;
    return fitted;
}

Fitted onPaper(const PageItem &item)
{
    // The resolution and the whole pixels per millimetre of an exported PDF.
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_Mono);
        const int dotsPerMetre = qRound(PdfResolution / 0.0254);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    const int factor = int(PdfResolution / 25.4);
    return fit(QFontMetricsF(fontFor(item), &device), item, item.room * factor);
}

Placement placementFor(const QPagedPaintDevice &device, QPointF offsetMm)
{
    QPageLayout layout = device.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF unprintable = layout.minimumMargins();
    const QRectF printable = layout.fullRect().marginsRemoved(unprintable);
    const double pixelsPerMm = device.logicalDpiX() / 25.4;
    const double pixelsPerMmV = device.logicalDpiY() / 25.4;
    Placement placement;
    placement.origin = QPoint(qRound((unprintable.left() + offsetMm.x()) * pixelsPerMm),
                              qRound((unprintable.top() + offsetMm.y()) * pixelsPerMmV));
    // Like the device capabilities the layout was made with: printable size in pixels and in
    // whole millimetres.
    placement.scale =
        PageScale::forDevice(qRound(printable.width() * pixelsPerMm), int(printable.width()),
                             qRound(printable.height() * pixelsPerMmV), int(printable.height()));
    placement.right = qRound((unprintable.left() + printable.width()) * pixelsPerMm);
    return placement;
}

Placement placementFor(const QPaintDevice &device)
{
    return {
        QPoint(),
        PageScale::forDevice(device.width(), device.widthMM(), device.height(), device.heightMM()),
        device.width()};
}

Placement placementFor(const QPrinter &printer)
{
    // A calibration corrects how a printer feeds the paper; a file has no feed.
    const bool file = !printer.outputFileName().isEmpty();
    return placementFor(printer,
                        file ? QPointF() : PrinterCalibration::offsets(printer.printerName()));
}

void paint(QPainter &painter, const Placement &placement, const PageItems &items)
{
    QPen pen(Qt::black);
    pen.setWidth(FramePenWidth);
    painter.setPen(pen);
    painter.setBrush(Qt::white);
    const auto at = [&placement](int x, int y) {
        return placement.origin + QPoint(placement.scale.deviceX(x), placement.scale.deviceY(y));
    };
    for (const PageItem &item : items) {
        switch (item.kind) {
        case PageItem::Rect:
            // Corner to corner: the far edges fall on their own millimetres, not a pixel past.
            painter.drawRect(QRectF(at(item.x, item.y), at(item.x2, item.y2)).normalized());
            break;
        case PageItem::Line:
            painter.drawLine(at(item.x, item.y), at(item.x2, item.y2));
            break;
        case PageItem::Text:
            drawText(painter, placement, item);
            break;
        }
    }
}

Status printDrawing(QPrinter &printer, const QString &title, QPageLayout::Orientation orientation,
                    const Draw &draw)
{
    // Output to a file has a file name, a printer a name; without any printer installed Qt
    // falls back to output to a file it has no name for.
    const QString fileName = printer.outputFileName();
    const bool file = !fileName.isEmpty();
    if (!file && printer.printerName().isEmpty())
        return Failure::noPrinter();
    const QString printerName = quoted(printer.printerName());
    // The layout is measured from the printable area's corner, not from Qt's default margins.
    printer.setFullPage(true);
    printer.setDocName(title);
    // The printer is the program's: the next job finds the paper turned as it was.
    const QPageLayout::Orientation before = printer.pageLayout().orientation();
    printer.setPageOrientation(orientation);
    const auto turnBack = qScopeGuard([&] { printer.setPageOrientation(before); });

    QPainter painter;
    if (!painter.begin(&printer))
        return printFailure(file ? QString(QStringLiteral("impossible d'écrire le fichier ") +
                                           quoted(fileName) + QLatin1Char('.'))
                                 : QString(QStringLiteral("l'imprimante ") + printerName +
                                           QStringLiteral(" n'a pas pu commencer le travail.")));
    const bool drawn = draw(painter, printer);
    const bool ended = painter.end();
    if (!drawn || !ended || printer.printerState() == QPrinter::Error ||
        printer.printerState() == QPrinter::Aborted)
        return printFailure(file ? QString(QStringLiteral("le fichier ") + quoted(fileName) +
                                           QStringLiteral(" n'a pas pu être terminé."))
                                 : QString(QStringLiteral("l'imprimante ") + printerName +
                                           QStringLiteral(" n'a pas pu terminer le travail.")));
    // Qt's own print engine for a queue is its PDF engine.
    if (!file && printer.paintEngine()->type() == QPaintEngine::Pdf) {
        const QString refusal = queueRefusal(printer);
        if (!refusal.isEmpty())
            return printFailure(refusal);
    }
    return {};
}

Status printPage(QPrinter &printer, const Pages &pages, const QString &title)
{
    return printDrawing(printer, title, printer.pageLayout().orientation(),
                        [&](QPainter &painter, QPagedPaintDevice &device) {
                            return paintPages(painter, device, placementFor(printer), pages);
                        });
}

void previewPage(QPrinter &printer, const Pages &pages)
{
    printer.setFullPage(true);
    QPainter painter(&printer);
    paintPages(painter, printer, placementFor(printer), pages);
}

Status exportPdfDrawing(const QString &fileName, const QString &title, const QPageLayout &layout,
                        const Draw &draw)
{
    QSaveFile file(fileName);
    // A folder that takes no temporary file must not get a half-written PDF in place.
    file.setDirectWriteFallback(false);
    // Said with the cause the system gave, once the file that failed is closed.
    const auto cannotWrite = [&] {
        const QString cause = TextFile::writeFailureCause(fileName, file.errorString());
        file.cancelWriting();
        QString message =
            QStringLiteral("L'exportation a échoué : impossible d'écrire le fichier ") +
            quoted(fileName);
        if (!cause.isEmpty())
            message += QStringLiteral(" : ") + cause;
        return Failure(message + QLatin1Char('.'), cause);
    };
    if (!file.open(QIODevice::WriteOnly))
        return cannotWrite();
    {
        QPdfWriter writer(&file);
        writer.setResolution(PdfResolution);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Qor Commande"));
        writer.setPageLayout(layout);
        QPainter painter;
        if (!painter.begin(&writer))
            return cannotWrite();
        const bool drawn = draw(painter, writer);
        if (!painter.end() || !drawn)
            return cannotWrite();
    }
    // A full disk shows when the buffered bytes go out, which commit() would not report.
    if (!file.flush() || !file.commit())
        return cannotWrite();
    return {};
}

Status exportPdf(const QString &fileName, const Pages &pages, const QString &title,
                 const QPageSize &pageSize)
{
    return exportPdfDrawing(fileName, title,
                            QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF()),
                            [&pages](QPainter &painter, QPagedPaintDevice &device) {
                                return paintPages(painter, device, placementFor(device), pages);
                            });
}

} // namespace PagePainter
