#include "gui/programpicture.h"

#include <QPainter>
#include <QPainterPath>

namespace ProgramPicture {

namespace {

// Drawn on a 100 x 100 grid, then scaled to the requested size.
void paint(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);

    // The sheet, with its folded corner.
    QPainterPath sheet;
    sheet.moveTo(14, 4);
    sheet.lineTo(70, 4);
    sheet.lineTo(86, 20);
    sheet.lineTo(86, 96);
    sheet.lineTo(14, 96);
    sheet.closeSubpath();
    p.setPen(QPen(QColor(60, 60, 80), 2));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    QPainterPath fold;
    fold.moveTo(70, 4);
    fold.lineTo(70, 20);
    fold.lineTo(86, 20);
    p.setBrush(QColor(220, 220, 232));
    p.drawPath(fold);

    // Heading and order lines.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 0, 140));
    p.drawRect(QRectF(22, 12, 38, 6));
    p.setBrush(QColor(150, 150, 165));
    for (int i = 0; i < 6; ++i) {
        const qreal y = 28 + i * 8;
        p.drawRect(QRectF(22, y, 40, 3));
        p.drawRect(QRectF(66, y, 12, 3));
    }
    // The total.
    p.setBrush(QColor(60, 60, 80));
    p.drawRect(QRectF(56, 78, 22, 4));

    // The stamp, edged in white so that it stands out on the violet splash too.
    p.setBrush(Qt::NoBrush);
    for (const QPen &pen : {QPen(Qt::white, 9, Qt::SolidLine, Qt::RoundCap),
                            QPen(QColor(208, 0, 224), 5, Qt::SolidLine, Qt::RoundCap)}) {
        p.setPen(pen);
        p.drawEllipse(QPointF(34, 78), 12, 12);
        p.drawLine(QPointF(40, 84), QPointF(48, 93));
    }
}

} // namespace

QPixmap pixmap(const QSize &size)
{
    QPixmap result(size);
    result.fill(Qt::transparent);
    QPainter p(&result);
    p.scale(size.width() / 100.0, size.height() / 100.0);
    paint(p);
    return result;
}

QIcon icon()
{
    QIcon result;
    for (int side : {16, 24, 32, 48, 64, 128})
        result.addPixmap(pixmap(QSize(side, side)));
    return result;
}

} // namespace ProgramPicture
