#include "gui/printdialogs.h"

#include <QCoreApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace PrintDialogs {

namespace {

struct State {
    QPrinter *own = nullptr;
    QPrinter *substitute = nullptr;
    bool paperChosen = false;
    CopiesHandler copies;
    SetupHandler setup;
    PreviewHandler preview;
};

State &state()
{
    static State s;
    return s;
}

// The printer must go before the application does: its back end needs the application.
void deletePrinter()
{
    delete state().own;
    state().own = nullptr;
}

// Qt starts every printer on A4 whatever paper the queue is set to; take the queue's own.
void usePrinterPaper(QPrinter &p)
{
    const QPageSize paper = QPrinterInfo(p).defaultPageSize();
    if (p.outputFormat() == QPrinter::NativeFormat && paper.isValid())
        p.setPageSize(paper);
}

} // namespace

QPrinter &printer()
{
    State &s = state();
    if (s.substitute)
        return *s.substitute;
    if (!s.own) {
        s.own = new QPrinter(QPrinter::HighResolution);
        usePrinterPaper(*s.own);
        s.own->setFullPage(true);
        qAddPostRoutine(deletePrinter);
    }
    return *s.own;
}

void setPrinter(QPrinter *p)
{
    state().substitute = p;
}

int askCopies(QWidget *parent)
{
    if (state().copies)
        return qMax(0, state().copies());
    QPrinter &p = printer();
    p.setCopyCount(1);
    const QString printerBefore = p.printerName();
    const QPageSize paperBefore = p.pageLayout().pageSize();
    QPrintDialog dialog(&p, parent);
    dialog.setWindowTitle(QStringLiteral("Imprimer"));
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    // Another printer chosen without touching the paper prints on that printer's own paper.
    if (p.printerName() != printerBefore && p.pageLayout().pageSize().isEquivalentTo(paperBefore))
        usePrinterPaper(p);
    state().paperChosen = true;
    const int copies = p.copyCount();
    // Each copy is a print run of its own; the printer must not multiply them again.
    p.setCopyCount(1);
    return copies;
}

bool setupPrinter(QWidget *parent)
{
    if (state().setup)
        return state().setup();
    QPageSetupDialog dialog(&printer(), parent);
    dialog.setWindowTitle(QStringLiteral("Configuration de l'imprimante"));
    const bool accepted = dialog.exec() == QDialog::Accepted;
    state().paperChosen = state().paperChosen || accepted;
    return accepted;
}

QPageSize exportPageSize()
{
    return state().paperChosen ? printer().pageLayout().pageSize() : QPageSize(QPageSize::A4);
}

void preview(QWidget *parent, const Paint &paint)
{
    if (state().preview) {
        state().preview(paint);
        return;
    }
    QPrinter &p = printer();
    p.setFullPage(true);
    QPrintPreviewDialog dialog(&p, parent);
    dialog.setWindowTitle(QStringLiteral("Aperçu avant impression"));
    if (parent) // large enough to read the page
        dialog.resize(parent->window()->size() * 0.85);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, paint);
    dialog.exec();
}

CopiesHandler setCopiesHandler(CopiesHandler handler)
{
    CopiesHandler previous = std::move(state().copies);
    state().copies = std::move(handler);
    return previous;
}

SetupHandler setSetupHandler(SetupHandler handler)
{
    SetupHandler previous = std::move(state().setup);
    state().setup = std::move(handler);
    return previous;
}

PreviewHandler setPreviewHandler(PreviewHandler handler)
{
    PreviewHandler previous = std::move(state().preview);
    state().preview = std::move(handler);
    return previous;
}

} // namespace PrintDialogs
