#include "printing/pagepainter.h"

#include "pricing/commanderror.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace PagePainter {

namespace {

constexpr int FramePenWidth = 2; // device pixels

QFont fontFor(const PageItem &item)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(item.fontSize);
    font.setBold(item.bold);
    return font;
}

void drawText(QPainter &painter, const PageScale &scale, const PageItem &item)
{
    painter.setFont(fontFor(item));
    const QFontMetrics metrics = painter.fontMetrics();
    const int width = metrics.horizontalAdvance(item.text);
    const int left = item.rightAligned ? scale.Mh(item.x) - width : scale.Mh(item.x);
    const int top = scale.Mv(item.y);
    // Texts blank out what lies under them, as on the stationery the layout was made for.
    painter.fillRect(QRect(left, top, width, metrics.height()), Qt::white);
    painter.drawText(QPoint(left, top + metrics.ascent()), item.text);
}

QString failure(const QString &reason)
{
    return QStringLiteral("L'impression a échoué : ") + reason;
}

} // namespace

PageScale scaleFor(const QPaintDevice &device)
{
    return PageScale::forDevice(device.width(), device.widthMM(), device.height(),
                                device.heightMM());
}

void paint(QPainter &painter, const QPaintDevice &device, const PageItems &items)
{
    const PageScale scale = scaleFor(device);
    QPen pen(Qt::black);
    pen.setWidth(FramePenWidth);
    painter.setPen(pen);
    painter.setBrush(Qt::white);
    for (const PageItem &item : items) {
        const QPoint from(scale.Mh(item.x), scale.Mv(item.y));
        const QPoint to(scale.Mh(item.x2), scale.Mv(item.y2));
        switch (item.kind) {
        case PageItem::Rect:
            painter.drawRect(QRect(from, to).normalized());
            break;
        case PageItem::Line:
            painter.drawLine(from, to);
            break;
        case PageItem::Text:
            drawText(painter, scale, item);
            break;
        }
    }
}

void printPage(QPrinter &printer, const PageItems &items)
{
    // Without any printer installed Qt falls back to PDF output with no file to write.
    const bool pdf = printer.outputFormat() == QPrinter::PdfFormat;
    if (pdf ? printer.outputFileName().isEmpty() : printer.printerName().isEmpty())
        throw CommandError(failure(QStringLiteral("aucune imprimante par défaut sélectionnée.")));
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (pdf)
            throw CommandError(failure(QStringLiteral("impossible d'écrire le fichier « ") +
                                       printer.outputFileName() + QStringLiteral(" ».")));
        throw CommandError(failure(QStringLiteral("l'imprimante « ") + printer.printerName() +
                                   QStringLiteral(" » n'a pas pu commencer le travail.")));
    }
    paint(painter, printer, items);
    const bool ended = painter.end();
    if (!ended || printer.printerState() == QPrinter::Error)
        throw CommandError(failure(QStringLiteral("l'imprimante a signalé une erreur.")));
}

} // namespace PagePainter
