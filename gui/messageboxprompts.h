#pragma once

class QWidget;

// The program's message boxes: installs the Prompts handler that shows a QMessageBox with
// French buttons ("&Oui", "&Non", "Annuler", "OK"). The first button is the default one and
// Escape gives the last (Non, Annuler or OK), as the program's questions expect.
namespace MessageBoxPrompts {

void install();

} // namespace MessageBoxPrompts
