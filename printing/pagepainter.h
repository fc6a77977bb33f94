#pragma once

#include "printing/pageitem.h"

class QPaintDevice;
class QPainter;
class QPrinter;

// Draws page items on a device: positions through Mh/Mv of the device, texts in Arial with
// their top-left corner at the position (or ending there), on an opaque white background.
namespace PagePainter {

PageScale scaleFor(const QPaintDevice &device);

// Draws on a painter already begun on `device`.
void paint(QPainter &painter, const QPaintDevice &device, const PageItems &items);

// One print job of one page on the printer. A printer that cannot start the job or that
// reports an error at its end throws a CommandError with the reason in French.
void printPage(QPrinter &printer, const PageItems &items);

} // namespace PagePainter
