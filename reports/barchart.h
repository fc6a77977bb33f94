// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <functional>

class QAbstractItemModel;

// Stacked bars drawn from a model: one bar per column (the period in the horizontal heading),
// one segment per row (its name in the vertical heading, its colour given by the owner),
// a scale of round amounts on the left and a legend below; a cell's tool tip under the mouse.
// The screen and the paper share one drawing, and nothing is laid out ahead of it: a change of
// figures costs one paint.
class BarChart : public QWidget {
    Q_OBJECT
public:
    explicit BarChart(QWidget *parent = nullptr);

    void setModel(const QAbstractItemModel *model);
    void setColours(std::function<QColor(int row)> colourOf) { m_colourOf = std::move(colourOf); }
    void setScaleTitle(const QString &title);
    const QString &scaleTitle() const { return m_scaleTitle; }

    // The chart as on screen, fitted into `target` with the screen's proportions, its texts in
    // `font`.
    void render(QPainter &painter, const QRectF &target, const QFont &font) const;

    // Where the segment of `row` in the bar of `column` stands on screen; empty when it shows
    // nothing (no amount, or below zero).
    QRectF segment(int row, int column) const;

    QSize sizeHint() const override { return {600, 300}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    struct Geometry;
    Geometry geometry(const QRectF &area, const QFont &font, const QPaintDevice *device) const;
    void draw(QPainter &painter, const QRectF &area, const QFont &font) const;

    const QAbstractItemModel *m_model = nullptr;
    QString m_scaleTitle;
    std::function<QColor(int row)> m_colourOf;
};
