#pragma once

#include "core/result.h"
#include "printing/pageitem.h"

#include <QPoint>
#include <QPointF>

class QPageSize;
class QPagedPaintDevice;
class QPaintDevice;
class QPainter;
class QPrinter;

// Draws page items on a device: positions through Mh/Mv of the device from the corner of its
// printable area, texts in Arial with their top-left corner at the position (or ending there),
// on an opaque white background.
namespace PagePainter {

// Where the layout's (0, 0) falls on a device, in device pixels, and the device's whole
// pixels per millimetre.
struct Placement {
    QPoint origin;
    PageScale scale;
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

// The family the layout's "Arial" resolves to; Arial itself is rarely installed on a free
// desktop, and its metric twin keeps every width and line height the stationery expects.
QString layoutFamily();

// One print job of one page on the printer, named `title` in the queue, drawn from the corner
// of the printer's printable area plus the printer's calibration. Any failure of the printer
// (none installed, job not started, not finished, refused by the queue) gives back the reason
// in French.
Status printPage(QPrinter &printer, const PageItems &items, const QString &title);

// Draws the page on a printer that only shows it (a print preview): no job, nothing to check.
void previewPage(QPrinter &printer, const PageItems &items);

// Writes the page to a PDF file of the given paper size, whole or not at all. The failure
// names the file when it cannot be written.
Status exportPdf(const QString &fileName, const PageItems &items, const QString &title,
                 const QPageSize &pageSize);

} // namespace PagePainter
