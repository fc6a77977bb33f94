// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/barchart.h"

#include <QAbstractItemModel>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <cmath>

namespace {

constexpr int ScaleSteps = 5;    // between the ticks of the scale
constexpr double BarShare = 0.5; // of a period's width

// A scale of round figures, always as many steps, a little above the highest bar.
double scaleStep(double highest)
{
    const double top = highest > 0 ? highest * 1.05 : 1;
    const double rough = top / ScaleSteps;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double nice : {1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0, 8.0})
        if (nice * magnitude >= rough)
            return nice * magnitude;
    return 10 * magnitude;
}

} // namespace

struct BarChart::Geometry {
    QRectF plot; // the bars' area, the scale's zero at its bottom
    double step = 1;
    double em = 10;
    double pad = 5;
    double scaleWidth = 0;
    bool upright = false; // the periods' names stand up
    double periodHeight = 0;
    QList<QList<int>> legendSets; // the sets named on each row of the legend
    double legendWidth(int row, const QFontMetricsF &metrics, const QAbstractItemModel &model) const
    {
        double width = 0;
        for (const int set : legendSets.at(row))
            width += em * 1.2 +
                     metrics.horizontalAdvance(model.headerData(set, Qt::Vertical).toString()) + em;
        return width - em;
    }
    bool empty() const { return plot.width() < 1 || plot.height() < 1; }
    QRectF bar(const QAbstractItemModel &model, int set, int period) const
    {
        const double width = plot.width() / model.columnCount();
        const double scale = plot.height() / (ScaleSteps * step);
        double below = 0;
        for (int s = 0; s < set; ++s)
            below += qMax(0.0, model.index(s, period).data().toDouble());
        const double value = qMax(0.0, model.index(set, period).data().toDouble());
        const double x = plot.left() + width * (period + (1 - BarShare) / 2);
        return {x, plot.bottom() - (below + value) * scale, width * BarShare, value * scale};
    }
};

BarChart::BarChart(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BarChart::setModel(const QAbstractItemModel *model)
{
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    if (m_model) {
        const auto repaint = [this] { update(); };
        connect(m_model, &QAbstractItemModel::modelReset, this, repaint);
        connect(m_model, &QAbstractItemModel::dataChanged, this, repaint);
        connect(m_model, &QAbstractItemModel::headerDataChanged, this, repaint);
    }
    update();
}

void BarChart::setScaleTitle(const QString &title)
{
    if (title == m_scaleTitle)
        return;
    m_scaleTitle = title;
    update();
}

BarChart::Geometry BarChart::geometry(const QRectF &area, const QFont &font,
                                      const QPaintDevice *device) const
{
    Geometry g;
    const QFontMetricsF metrics(font, device);
    g.em = metrics.height();
    g.pad = g.em / 2;
    const int sets = m_model ? m_model->rowCount() : 0;
    const int periods = m_model ? m_model->columnCount() : 0;

    double highest = 0;
    for (int p = 0; p < periods; ++p) {
        double stacked = 0;
        for (int s = 0; s < sets; ++s)
            stacked += qMax(0.0, m_model->index(s, p).data().toDouble());
        highest = qMax(highest, stacked);
    }
    g.step = scaleStep(highest);
    for (int i = 0; i <= ScaleSteps; ++i)
        g.scaleWidth =
            qMax(g.scaleWidth, metrics.horizontalAdvance(QString::number(i * g.step, 'f', 0)));

    // The legend's rows, as many names as fit each.
    const double room = area.width() - 2 * g.pad;
    double x = 0;
    for (int s = 0; s < sets; ++s) {
        const double width =
            g.em * 1.2 + metrics.horizontalAdvance(m_model->headerData(s, Qt::Vertical).toString());
        if (g.legendSets.isEmpty() || (x > 0 && x + width > room)) {
            g.legendSets.append(QList<int>());
            x = 0;
        }
        g.legendSets.last().append(s);
        x += width + g.em;
    }

    // More periods than months: the years stand upright.
    g.upright = periods > 12;
    if (g.upright)
        for (int p = 0; p < periods; ++p)
            g.periodHeight =
                qMax(g.periodHeight,
                     metrics.horizontalAdvance(m_model->headerData(p, Qt::Horizontal).toString()));
    else
        g.periodHeight = g.em;

    const double left =
        area.left() + g.pad + (m_scaleTitle.isEmpty() ? 0 : g.em + g.pad) + g.scaleWidth + g.pad;
    const double top = area.top() + g.pad + g.em / 2;
    const double bottom = area.bottom() - g.pad - g.legendSets.size() * g.em * 1.3 - g.pad -
                          g.periodHeight - g.pad / 2;
    g.plot = QRectF(QPointF(left, top), QPointF(area.right() - g.pad, bottom));
    if (periods == 0)
        g.plot = QRectF();
    return g;
}

void BarChart::draw(QPainter &painter, const QRectF &area, const QFont &font) const
{
    painter.save();
    painter.fillRect(area, Qt::white);
    const Geometry g = geometry(area, font, painter.device());
    if (g.empty()) {
        painter.restore();
        return;
    }
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const QAbstractItemModel &model = *m_model;
    const QColor ink(0x40, 0x40, 0x40);
    const auto colour = [this](int set) { return m_colourOf ? m_colourOf(set) : QColor(Qt::gray); };

    // The scale: its figures, their lines, its title.
    for (int i = 0; i <= ScaleSteps; ++i) {
        const double y = g.plot.bottom() - g.plot.height() * i / ScaleSteps;
        painter.setPen(QPen(i ? QColor(0xe0, 0xe0, 0xe0) : ink, 0));
        painter.drawLine(QPointF(g.plot.left(), y), QPointF(g.plot.right(), y));
        painter.setPen(ink);
        painter.drawText(
            QRectF(g.plot.left() - g.pad - g.scaleWidth, y - g.em / 2, g.scaleWidth, g.em),
            Qt::AlignRight | Qt::AlignVCenter, QString::number(i * g.step, 'f', 0));
    }
    painter.setPen(QPen(ink, 0));
    painter.drawLine(g.plot.bottomLeft(), g.plot.topLeft());
    if (!m_scaleTitle.isEmpty()) {
        painter.save();
        painter.translate(area.left() + g.pad, g.plot.center().y());
        painter.rotate(-90);
        painter.drawText(QRectF(-g.plot.height() / 2, 0, g.plot.height(), g.em), Qt::AlignCenter,
                         m_scaleTitle);
        painter.restore();
    }

    // The bars, and each period's name under its own.
    const int sets = model.rowCount();
    const int periods = model.columnCount();
    const double width = g.plot.width() / periods;
    painter.save();
    painter.setClipRect(g.plot.adjusted(0, -g.pad, 0, 0));
    for (int s = 0; s < sets; ++s) {
        const QBrush brush(colour(s));
        for (int p = 0; p < periods; ++p) {
            const QRectF bar = g.bar(model, s, p);
            if (bar.height() > 0)
                painter.fillRect(bar, brush);
        }
    }
    painter.restore();
    for (int p = 0; p < periods; ++p) {
        const QString name = model.headerData(p, Qt::Horizontal).toString();
        const double centre = g.plot.left() + width * (p + 0.5);
        if (g.upright) {
            painter.save();
            painter.translate(centre, g.plot.bottom() + g.pad / 2);
            painter.rotate(-90);
            painter.drawText(QRectF(-g.periodHeight, -g.em / 2, g.periodHeight, g.em),
                             Qt::AlignRight | Qt::AlignVCenter, name);
            painter.restore();
        } else {
            painter.drawText(QRectF(centre - width / 2, g.plot.bottom() + g.pad / 2, width, g.em),
                             Qt::AlignCenter, metrics.elidedText(name, Qt::ElideRight, width));
        }
    }

    // The legend, each row centred.
    double y = g.plot.bottom() + g.pad / 2 + g.periodHeight + g.pad;
    for (int row = 0; row < g.legendSets.size(); ++row) {
        double x = area.center().x() - g.legendWidth(row, metrics, model) / 2;
        for (const int s : g.legendSets.at(row)) {
            const QString name = model.headerData(s, Qt::Vertical).toString();
            painter.fillRect(QRectF(x, y + g.em * 0.15, g.em * 0.7, g.em * 0.7), colour(s));
            x += g.em * 1.2;
            const double advance = metrics.horizontalAdvance(name);
            painter.drawText(QRectF(x, y, advance + 1, g.em), Qt::AlignLeft | Qt::AlignVCenter,
                             name);
            x += advance + g.em;
        }
        y += g.em * 1.3;
    }
    painter.restore();
}

void BarChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    draw(painter, rect(), font());
}

void BarChart::render(QPainter &painter, const QRectF &target, const QFont &font) const
{
    QSizeF size = QSizeF(this->size()).scaled(target.size(), Qt::KeepAspectRatio);
    if (size.isEmpty())
        size = target.size();
    const QRectF area(target.left() + (target.width() - size.width()) / 2,
                      target.top() + (target.height() - size.height()) / 2, size.width(),
                      size.height());
    draw(painter, area, font);
}

QRectF BarChart::segment(int row, int column) const
{
    const Geometry g = geometry(rect(), font(), this);
    return g.empty() ? QRectF() : g.bar(*m_model, row, column);
}

bool BarChart::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    // The amount of the segment under the mouse.
    auto *help = static_cast<QHelpEvent *>(event);
    const Geometry g = geometry(rect(), font(), this);
    if (!g.empty()) {
        for (int s = 0; s < m_model->rowCount(); ++s)
            for (int p = 0; p < m_model->columnCount(); ++p)
                if (const QRectF bar = g.bar(*m_model, s, p); bar.contains(help->pos())) {
                    // Gone as soon as the mouse leaves the segment.
                    QToolTip::showText(help->globalPos(),
                                       m_model->index(s, p).data(Qt::ToolTipRole).toString(), this,
                                       bar.toAlignedRect());
                    return true;
                }
    }
    QToolTip::hideText();
    event->ignore();
    return true;
}
