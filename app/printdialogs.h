#pragma once

#include <functional>

class QPrinter;
class QWidget;

// The print dialog and the printer set-up dialog, replaceable by tests so that nothing reaches
// a real printer.
namespace PrintDialogs {

// The program's printer, shared by every print command; created on first use.
QPrinter &printer();

// Shows the print dialog; the number of copies asked, 0 when the dialog is cancelled. The
// printer is left set to one copy: the caller prints the order once per copy.
int askCopies(QWidget *parent);

// Shows the printer set-up dialog; true when it was confirmed.
bool setupPrinter(QWidget *parent);

using CopiesHandler = std::function<int()>;
using SetupHandler = std::function<bool()>;
// Empty handler = the real dialog. Each gives back the previous handler.
CopiesHandler setCopiesHandler(CopiesHandler handler);
SetupHandler setSetupHandler(SetupHandler handler);

} // namespace PrintDialogs
