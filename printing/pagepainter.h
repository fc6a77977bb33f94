// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/result.h"
#include "printing/pageitem.h"

#include <QPageLayout>
#include <QPoint>
#include <QPointF>
#include <functional>

class QFontMetricsF;
class QPageSize;
class QPagedPaintDevice;
class QPaintDevice;
class QPainter;
class QPrinter;

// Draws page items on a device: positions through deviceX/deviceY of the device from the corner of
// its printable area, texts in Arial with their top-left corner at the position (or ending there),
// on an opaque white background.
namespace PagePainter {

// Where the layout's (0, 0) falls on a device, in device pixels, and the device's whole
// pixels per millimetre.
struct Placement {
    QPoint origin;
    PageScale scale;
    int right = 0; // the right edge of the printable area
};

// A device drawn in full-page mode: the origin is the corner of the printable area as the
// device reports it (its minimum margins), moved by `offsetMm` (a printer's calibration).
Placement placementFor(const QPagedPaintDevice &device, QPointF offsetMm = {});
// A device without margins, such as an image: the origin is its corner.
Placement placementFor(const QPaintDevice &device);

// Where a page lands on the printer: the printable area's corner plus the printer's
// calibration (none for output to a file).
Placement placementFor(const QPrinter &printer);

// Draws on a painter already begun on the device `placement` was taken from.
void paint(QPainter &painter, const Placement &placement, const PageItems &items);

// A text as it comes out within its room: narrowed by `stretch` (1: as it is), or cut.
struct Fitted {
    QString text;
    qreal stretch = 1;
    qreal width = 0; // as drawn, in the metrics' pixels
    bool narrowed() const { return stretch < 1; }
    bool cut = false;
};
Fitted fit(const QFontMetricsF &metrics, const PageItem &item, qreal roomPx);
// How a text item comes out on paper, measured as a PDF export draws it (its room must be a
// number of millimetres).
Fitted onPaper(const PageItem &item);

// The family the layout's "Arial" resolves to; Arial itself is rarely installed on a free
// desktop, and its metric twin keeps every width and line height the stationery expects.
QString layoutFamily();

// One print job of the pages on the printer, named `title` in the queue, drawn from the corner
// of the printer's printable area plus the printer's calibration. Any failure of the printer
// (none installed, job not started, not finished, refused by the queue) gives back the reason
// in French.
Status printPage(QPrinter &printer, const Pages &pages, const QString &title);

// Draws the pages on a printer that only shows them (a print preview): no job, nothing to
// check.
void previewPage(QPrinter &printer, const Pages &pages);

// Writes the pages to a PDF file of the given paper size, whole or not at all. The failure
// names the file when it cannot be written.
Status exportPdf(const QString &fileName, const Pages &pages, const QString &title,
                 const QPageSize &pageSize);

// The same jobs for any drawing: `draw` paints on a painter begun on the device (full page,
// its own page breaks through the device), false when a page could not be started. Printing
// turns the paper to `orientation` for this job only.
using Draw = std::function<bool(QPainter &painter, QPagedPaintDevice &device)>;
Status printDrawing(QPrinter &printer, const QString &title, QPageLayout::Orientation orientation,
                    const Draw &draw);
Status exportPdfDrawing(const QString &fileName, const QString &title, const QPageLayout &layout,
                        const Draw &draw);

} // namespace PagePainter
