#include "app/printdialogs.h"

#include <QCoreApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace PrintDialogs {

namespace {

QPrinter *&printerInstance()
{
    static QPrinter *p = nullptr;
    return p;
}

// The printer must go before the application does: its back end needs the application.
void deletePrinter()
{
    delete printerInstance();
    printerInstance() = nullptr;
}

CopiesHandler &copiesHandler()
{
    static CopiesHandler h;
    return h;
}

SetupHandler &setupHandler()
{
    static SetupHandler h;
    return h;
}

} // namespace

QPrinter &printer()
{
    if (!printerInstance()) {
        printerInstance() = new QPrinter(QPrinter::HighResolution);
        qAddPostRoutine(deletePrinter);
    }
    return *printerInstance();
}

int askCopies(QWidget *parent)
{
    if (copiesHandler())
        return qMax(0, copiesHandler()());
    QPrinter &p = printer();
    p.setCopyCount(1);
    QPrintDialog dialog(&p, parent);
    dialog.setWindowTitle(QStringLiteral("Imprimer"));
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    const int copies = p.copyCount();
    // Each copy is a print run of its own; the printer must not multiply them again.
    p.setCopyCount(1);
    return copies;
}

bool setupPrinter(QWidget *parent)
{
    if (setupHandler())
        return setupHandler()();
    QPageSetupDialog dialog(&printer(), parent);
    dialog.setWindowTitle(QStringLiteral("Configuration de l'imprimante"));
    return dialog.exec() == QDialog::Accepted;
}

CopiesHandler setCopiesHandler(CopiesHandler handler)
{
    CopiesHandler previous = std::move(copiesHandler());
    copiesHandler() = std::move(handler);
    return previous;
}

SetupHandler setSetupHandler(SetupHandler handler)
{
    SetupHandler previous = std::move(setupHandler());
    setupHandler() = std::move(handler);
    return previous;
}

} // namespace PrintDialogs
