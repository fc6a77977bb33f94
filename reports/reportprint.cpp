// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/reportprint.h"

#include "printing/pagepainter.h"
#include "reports/barchart.h"
#include "reports/reportroles.h"

#include <QAbstractItemModel>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

namespace ReportPrint {

namespace {

constexpr double MarginMm = 12;
constexpr double ChartMinHeightMm = 80;
constexpr int TableFontPt = 8;
constexpr int SmallestFontPt = 5;

QFont font(double points, bool bold = false)
{
    QFont f(PagePainter::layoutFamily());
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

class Sheet {
public:
    Sheet(QPainter &painter, QPagedPaintDevice &device) : m_painter(painter), m_device(device)
    {
        m_mm = device.logicalDpiY() / 25.4;
        QPageLayout layout = device.pageLayout();
        const QMarginsF unprintable = layout.minimumMargins();
        const double left = qMax(MarginMm, unprintable.left()) * m_mm;
        const double top = qMax(MarginMm, unprintable.top()) * m_mm;
        const double right = qMax(MarginMm, unprintable.right()) * m_mm;
        const double bottom = qMax(MarginMm, unprintable.bottom()) * m_mm;
        m_area = QRectF(left, top, device.width() - left - right, device.height() - top - bottom);
        m_y = m_area.top();
    }

    double mm() const { return m_mm; }
    const QRectF &area() const { return m_area; }
    double y() const { return m_y; }
    void advance(double dy) { m_y += dy; }
    double room() const { return m_area.bottom() - m_y; }
    bool newPage()
    {
        if (!m_device.newPage())
            return false;
        m_y = m_area.top();
        return true;
    }
    void line(double x1, double x2, double y)
    {
        m_painter.drawLine(QPointF(x1, y), QPointF(x2, y));
    }
    void text(const QRectF &box, const QString &text, int flags)
    {
        m_painter.drawText(box, flags | Qt::TextSingleLine, text);
    }

private:
    QPainter &m_painter;
    QPagedPaintDevice &m_device;
    double m_mm = 1;
    QRectF m_area;
    double m_y = 0;
};

// Column widths in device pixels at `points`; their sum may exceed the page.
QList<double> naturalWidths(const QAbstractItemModel &model, double points, QPaintDevice *device)
{
    const QFontMetricsF regular(font(points), device);
    const QFontMetricsF bold(font(points, true), device);
    QList<double> widths;
    for (int c = 0; c < model.columnCount(); ++c) {
        double w = bold.horizontalAdvance(model.headerData(c, Qt::Horizontal).toString());
        for (int r = 0; r < model.rowCount(); ++r) {
            const QModelIndex index = model.index(r, c);
            const QFontMetricsF &m = index.data(ReportRoles::Emphasis).toBool() ? bold : regular;
            w = qMax(w, m.horizontalAdvance(index.data().toString()));
        }
        widths.append(w + regular.averageCharWidth() * 1.5);
    }
    return widths;
}

bool drawTable(QPainter &painter, Sheet &sheet, const QAbstractItemModel &model)
{
    const double available = sheet.area().width();
    // The font gets smaller until the columns fit; past the smallest, the widest column (the
    // suppliers' names) is cut.
    double points = TableFontPt;
    QList<double> widths = naturalWidths(model, points, painter.device());
    const auto sum = [](const QList<double> &list) {
        double total = 0;
        for (double w : list)
            total += w;
        return total;
    };
    while (sum(widths) > available && points > SmallestFontPt) {
        points = qMax<double>(SmallestFontPt, points * available / sum(widths) - 0.1);
        widths = naturalWidths(model, points, painter.device());
    }
    if (sum(widths) > available && !widths.isEmpty()) {
        const qsizetype widest = std::max_element(widths.begin(), widths.end()) - widths.begin();
        widths[widest] = qMax(0.0, widths[widest] - (sum(widths) - available));
    }
    const QFontMetricsF metrics(font(points), painter.device());
    const double rowHeight = metrics.height() * 1.35;
    const double pad = metrics.averageCharWidth() * 0.6;
    const double left = sheet.area().left();
    const double right = left + qMin(sum(widths), available);

    const auto drawRow = [&](const std::function<QString(int)> &textOf,
                             const std::function<int(int)> &alignOf, bool bold) {
        painter.setFont(font(points, bold));
        double x = left;
        for (int c = 0; c < widths.size(); ++c) {
            const QRectF box(x + pad, sheet.y(), widths.at(c) - 2 * pad, rowHeight);
            const QString text =
                painter.fontMetrics().elidedText(textOf(c), Qt::ElideRight, int(box.width()));
            sheet.text(box, text, alignOf(c) | Qt::AlignVCenter);
            x += widths.at(c);
        }
        sheet.advance(rowHeight);
    };
    const auto heading = [&] {
        drawRow([&](int c) { return model.headerData(c, Qt::Horizontal).toString(); },
                [&](int c) {
                    return model.index(0, c).data(Qt::TextAlignmentRole).toInt() &
                           Qt::AlignHorizontal_Mask;
                },
                true);
        sheet.line(left, right, sheet.y());
    };
    painter.setPen(QPen(Qt::black, 0));
    heading();
    for (int r = 0; r < model.rowCount(); ++r) {
        if (sheet.room() < rowHeight) {
            if (!sheet.newPage())
                return false;
            heading();
        }
        const bool emphasis = model.index(r, 0).data(ReportRoles::Emphasis).toBool();
        if (emphasis && r == model.rowCount() - 1)
            sheet.line(left, right, sheet.y());
        drawRow([&](int c) { return model.index(r, c).data().toString(); },
                [&](int c) {
                    return model.index(r, c).data(Qt::TextAlignmentRole).toInt() &
                           Qt::AlignHorizontal_Mask;
                },
                emphasis);
    }
    return true;
}

} // namespace

bool draw(QPainter &painter, QPagedPaintDevice &device, const Content &content)
{
    Sheet sheet(painter, device);
    painter.setPen(Qt::black);
    painter.setFont(font(14, true));
    const double titleHeight = QFontMetricsF(painter.font(), &device).height();
    sheet.text(QRectF(sheet.area().left(), sheet.y(), sheet.area().width(), titleHeight),
               content.title, Qt::AlignLeft);
    sheet.advance(titleHeight);
    painter.setFont(font(10));
    const double subtitleHeight = QFontMetricsF(painter.font(), &device).height();
    sheet.text(QRectF(sheet.area().left(), sheet.y(), sheet.area().width(), subtitleHeight),
               content.subtitle, Qt::AlignLeft);
    if (!content.note.isEmpty()) {
        sheet.advance(subtitleHeight);
        sheet.text(QRectF(sheet.area().left(), sheet.y(), sheet.area().width(), subtitleHeight),
                   content.note, Qt::AlignLeft);
    }
    sheet.advance(subtitleHeight + 4 * sheet.mm());

    if (content.table && !drawTable(painter, sheet, *content.table))
        return false;
    if (!content.chart)
        return true;
    sheet.advance(6 * sheet.mm());
    if (sheet.room() < ChartMinHeightMm * sheet.mm() && !sheet.newPage())
        return false;
    const QRectF target(sheet.area().left(), sheet.y(), sheet.area().width(), sheet.room());
    content.chart->render(painter, target, font(TableFontPt));
    return true;
}

} // namespace ReportPrint
