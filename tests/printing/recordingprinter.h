// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A printer for tests: a real QPrinter whose engines are replaced by one that records what is
// drawn, in device pixels, and can be told to fail the way real printers do. Nothing reaches
// the machine's printers, whether it has any or not.

#include <QHash>
#include <QPageLayout>
#include <QPaintEngine>
#include <QPrintEngine>
#include <QPrinter>
#include <QTextItem>

struct Drawn {
    enum Kind { Text, Line, Frame, Fill };
    Kind kind = Text;
    QPointF from; // text: left end of the baseline, `to` its right end
    QPointF to;   // line: other end; frame or fill: opposite corner
    QString text;
    QFont font;

    QRectF rect() const { return QRectF(from, to).normalized(); }
};

class RecordingEngine : public QPaintEngine, public QPrintEngine {
public:
    enum class Failure { None, Begin, End, Refused };

    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures)
    {
        layout = QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
        values[PPK_PrinterName] = QStringLiteral("Bureau");
        values[PPK_Resolution] = 1200;
    }

    // The printable area starts `points` in from every edge.
    void setUnprintable(qreal points)
    {
        layout.setMinimumMargins(QMarginsF(points, points, points, points));
        layout.setMargins(QMarginsF(points, points, points, points));
    }

    QList<Drawn> drawn;
    QHash<int, QVariant> values;
    QPageLayout layout;
    Failure failure = Failure::None;
    int jobs = 0; // jobs finished and taken

    // QPaintEngine
    bool begin(QPaintDevice *) override
    {
        if (failure == Failure::Begin)
            return false;
        drawn.clear();
        m_state = QPrinter::Active;
        return true;
    }
    bool end() override
    {
        if (failure == Failure::End) {
            m_state = QPrinter::Error;
            return false;
        }
        m_state = failure == Failure::Refused ? QPrinter::Error : QPrinter::Idle;
        if (m_state == QPrinter::Idle)
            ++jobs;
        return true;
    }
    void updateState(const QPaintEngineState &s) override
    {
        if (s.state() & DirtyTransform)
            m_transform = s.transform();
        if (s.state() & DirtyPen)
            m_pen = s.pen();
        if (s.state() & DirtyFont)
            m_font = s.font();
    }
    void drawRects(const QRectF *rects, int count) override
    {
        for (int i = 0; i < count; ++i) {
            const QRectF r = m_transform.mapRect(rects[i]);
            record(m_pen.style() == Qt::NoPen ? Drawn::Fill : Drawn::Frame, r.topLeft(),
                   r.bottomRight());
        }
    }
    void drawLines(const QLineF *lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            record(Drawn::Line, m_transform.map(lines[i].p1()), m_transform.map(lines[i].p2()));
    }
    void drawLines(const QLine *lines, int count) override
    {
        for (int i = 0; i < count; ++i) {
            const QLineF line(lines[i]);
            drawLines(&line, 1);
        }
    }
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        Drawn d;
        d.kind = Drawn::Text;
        d.from = m_transform.map(p);
        d.to = m_transform.map(p + QPointF(item.width(), 0)); // narrowed by a scale
        d.text = item.text();
        d.font = item.font();
        drawn << d;
    }
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    Type type() const override { return kind; }
    Type kind = User; // Picture: stands for a print preview

    // QPrintEngine
    void setProperty(PrintEnginePropertyKey key, const QVariant &value) override
    {
        switch (key) {
        case PPK_QPageLayout: {
            const QPageLayout wanted = value.value<QPageLayout>();
            layout.setPageSize(wanted.pageSize(), layout.minimumMargins());
            layout.setOrientation(wanted.orientation());
            layout.setMode(wanted.mode());
            break;
        }
        case PPK_QPageSize:
            layout.setPageSize(value.value<QPageSize>(), layout.minimumMargins());
            break;
        case PPK_FullPage:
            layout.setMode(value.toBool() ? QPageLayout::FullPageMode : QPageLayout::StandardMode);
            break;
        case PPK_Orientation:
            layout.setOrientation(QPageLayout::Orientation(value.toInt()));
            break;
        default:
            values[key] = value;
        }
    }
    QVariant property(PrintEnginePropertyKey key) const override
    {
        switch (key) {
        case PPK_QPageLayout:
            return QVariant::fromValue(layout);
        case PPK_QPageSize:
            return QVariant::fromValue(layout.pageSize());
        case PPK_FullPage:
            return layout.mode() == QPageLayout::FullPageMode;
        case PPK_Orientation:
            return int(layout.orientation());
        case PPK_PageRect:
            return drawableRect();
        case PPK_PaperRect:
            return layout.fullRectPixels(resolution());
        default:
            return values.value(key);
        }
    }
    bool newPage() override { return true; } // the pages printed here are single pages
    bool abort() override { return true; }
    int metric(QPaintDevice::PaintDeviceMetric metric) const override
    {
        const QRect r = drawableRect();
        switch (metric) {
        case QPaintDevice::PdmWidth:
            return r.width();
        case QPaintDevice::PdmHeight:
            return r.height();
        case QPaintDevice::PdmWidthMM:
            return qRound(r.width() * 25.4 / resolution());
        case QPaintDevice::PdmHeightMM:
            return qRound(r.height() * 25.4 / resolution());
        case QPaintDevice::PdmDpiX:
        case QPaintDevice::PdmDpiY:
        case QPaintDevice::PdmPhysicalDpiX:
        case QPaintDevice::PdmPhysicalDpiY:
            return resolution();
        case QPaintDevice::PdmNumColors:
            return INT_MAX;
        case QPaintDevice::PdmDepth:
            return 32;
        case QPaintDevice::PdmDevicePixelRatio:
            return 1;
        case QPaintDevice::PdmDevicePixelRatioScaled:
            return int(QPaintDevice::devicePixelRatioFScale());
        }
        return 0;
    }
    QPrinter::PrinterState printerState() const override { return m_state; }

private:
    int resolution() const { return values.value(PPK_Resolution).toInt(); }
    QRect drawableRect() const
    {
        return layout.mode() == QPageLayout::FullPageMode ? layout.fullRectPixels(resolution())
                                                          : layout.paintRectPixels(resolution());
    }
    void record(Drawn::Kind kind, QPointF from, QPointF to)
    {
        Drawn d;
        d.kind = kind;
        d.from = from;
        d.to = to;
        drawn << d;
    }

    QPrinter::PrinterState m_state = QPrinter::Idle;
    QTransform m_transform;
    QPen m_pen;
    QFont m_font;
};

class RecordingPrinter : public QPrinter {
public:
    RecordingPrinter() { setEngines(&engine, &engine); }
    // The base class must not reach the engines once they are gone.
    ~RecordingPrinter() override { setEngines(nullptr, nullptr); }

    // QPrinter itself only takes the names of installed printers.
    void setQueueName(const QString &name) { engine.values[QPrintEngine::PPK_PrinterName] = name; }

    RecordingEngine engine;
};
