#include "gui/toolicons.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

namespace ToolIcons {

namespace {

const QColor Ink(50, 50, 70);
const QColor Paper(255, 255, 255);
const QColor Accent(150, 0, 170);

// A glyph drawn on a 16 x 16 grid, rendered at a few sizes.
template <typename Draw> QIcon painted(Draw draw)
{
    QIcon result;
    for (int side : {16, 24, 32}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(side / 16.0, side / 16.0);
        p.setPen(QPen(Ink, 1));
        draw(p);
        result.addPixmap(pixmap);
    }
    return result;
}

void sheet(QPainter &p, const QRectF &r)
{
    p.setBrush(Paper);
    p.drawRect(r);
}

QIcon drawn(Kind kind)
{
    switch (kind) {
    case Kind::Copy:
        return painted([](QPainter &p) {
            sheet(p, QRectF(1.5, 1.5, 8, 10));
            sheet(p, QRectF(6.5, 4.5, 8, 10));
        });
    case Kind::Paste:
        return painted([](QPainter &p) {
            p.setBrush(QColor(190, 150, 90));
            p.drawRect(QRectF(2.5, 2.5, 10, 12));
            p.setBrush(Ink);
            p.drawRect(QRectF(5.5, 1.5, 4, 2));
            sheet(p, QRectF(7.5, 6.5, 7, 8));
        });
    case Kind::Find:
        return painted([](QPainter &p) {
            p.setBrush(Paper);
            p.setPen(QPen(Ink, 1.6));
            p.drawEllipse(QPointF(6.5, 6.5), 4.2, 4.2);
            p.setPen(QPen(Ink, 2.4, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(9.8, 9.8), QPointF(14, 14));
        });
    case Kind::NewOrder:
        return painted([](QPainter &p) {
            sheet(p, QRectF(2.5, 1.5, 9, 13));
            p.setPen(QPen(Accent, 2));
            p.drawLine(QPointF(12, 8), QPointF(12, 15));
            p.drawLine(QPointF(8.5, 11.5), QPointF(15.5, 11.5));
        });
    case Kind::Calculate:
        return painted([](QPainter &p) {
            p.setBrush(QColor(220, 220, 230));
            p.drawRoundedRect(QRectF(2.5, 1.5, 11, 13), 1.5, 1.5);
            p.setBrush(QColor(170, 220, 170));
            p.drawRect(QRectF(4.5, 3.5, 7, 3));
            p.setPen(Qt::NoPen);
            p.setBrush(Ink);
            for (int row = 0; row < 2; ++row)
                for (int col = 0; col < 3; ++col)
                    p.drawRect(QRectF(4.5 + col * 2.5, 8.5 + row * 2.5, 1.6, 1.6));
        });
    case Kind::Print:
        return painted([](QPainter &p) {
            sheet(p, QRectF(4.5, 1.5, 7, 5));
            p.setBrush(QColor(170, 170, 185));
            p.drawRect(QRectF(1.5, 6.5, 13, 6));
            sheet(p, QRectF(4.5, 10.5, 7, 4));
        });
    case Kind::Envelope:
        return painted([](QPainter &p) {
            sheet(p, QRectF(1.5, 3.5, 13, 9));
            p.drawLine(QPointF(1.5, 3.5), QPointF(8, 9));
            p.drawLine(QPointF(14.5, 3.5), QPointF(8, 9));
            p.setBrush(Accent);
            p.setPen(Qt::NoPen);
            p.drawRect(QRectF(11, 5, 2.5, 2.5));
        });
    case Kind::PrintPreview:
        return painted([](QPainter &p) {
            sheet(p, QRectF(1.5, 1.5, 10, 13));
            p.setPen(QPen(Ink, 1.6));
            p.drawEllipse(QPointF(9, 9), 3.2, 3.2);
            p.setPen(QPen(Ink, 2.2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(11.5, 11.5), QPointF(14.5, 14.5));
        });
    default:
        return QIcon();
    }
}

} // namespace

QIcon icon(Kind kind)
{
    struct Entry {
        const char *theme;
        QStyle::StandardPixmap standard; // SP_CustomBase: none fits, paint one
    };
    static const Entry entries[] = {
        {"document-new", QStyle::SP_FileIcon},
        {"document-open", QStyle::SP_DialogOpenButton},
        {"document-save", QStyle::SP_DialogSaveButton},
        {"edit-copy", QStyle::SP_CustomBase},
        {"edit-paste", QStyle::SP_CustomBase},
        {"edit-find", QStyle::SP_CustomBase},
        {"go-first", QStyle::SP_MediaSkipBackward},
        {"go-previous", QStyle::SP_ArrowLeft},
        {"go-next", QStyle::SP_ArrowRight},
        {"go-last", QStyle::SP_MediaSkipForward},
        {"document-new", QStyle::SP_CustomBase},
        {"accessories-calculator", QStyle::SP_CustomBase},
        {"document-print", QStyle::SP_CustomBase},
        {"mail-send", QStyle::SP_CustomBase},
        {"document-print-preview", QStyle::SP_CustomBase},
    };
    const Entry &entry = entries[static_cast<int>(kind)];
    // The new order keeps its own glyph: the theme's "document-new" is the new file's.
    if (kind != Kind::NewOrder) {
        const QIcon themed = QIcon::fromTheme(QString::fromLatin1(entry.theme));
        if (!themed.isNull())
            return themed;
    }
    if (entry.standard != QStyle::SP_CustomBase)
        return QApplication::style()->standardIcon(entry.standard);
    return drawn(kind);
}

} // namespace ToolIcons
