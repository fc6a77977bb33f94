// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform.h"

class QPageSize;
class QPrinter;
class QWidget;

// The print dialog, the printer set-up dialog and the print preview, shown by the platform in
// use (core/platform.h), so that nothing in a test reaches a real printer.
namespace PrintDialogs {

// The program's printer, shared by every print command; the desktop creates it on first use
// with the paper the printer itself is set to, drawing in full-page mode. Without a desktop
// there is none: the failure is the one of a print with no printer installed.
Result<QPrinter *> printer();
// The name of the program's printer; empty when there is none.
QString printerName();

// Shows the print dialog; the number of copies asked, 0 when the dialog is cancelled. The
// printer is left set to one copy: the caller prints the order once per copy.
int askCopies(QWidget *parent);

// Shows the printer set-up dialog; true when it was confirmed.
bool setupPrinter(QWidget *parent);

// The paper of an exported PDF: the one chosen in the print or set-up dialog during this run,
// A4 until then.
QPageSize exportPageSize();

// Shows the print preview of the program's printer; `paint` draws the page on the printer it
// is given, for the preview and for printing from the preview alike.
using Paint = Platform::Paint;
void preview(QWidget *parent, const Paint &paint);

} // namespace PrintDialogs
