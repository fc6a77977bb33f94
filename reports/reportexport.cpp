// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/reportexport.h"

#include "gui/application.h"
#include "gui/filedialogs.h"
#include "gui/printdialogs.h"

#include <QPageSize>

namespace ReportExport {

bool exportPdf(QWidget *parent, const QString &initialName, const QString &title,
               const PagePainter::Draw &draw)
{
    // A failed write offers another name, until one is written or the dialog is cancelled.
    for (QString name = initialName;;) {
        const QString fileName = FileDialogs::getNewFileName(
            parent, QStringLiteral("Exporter en PDF"), name,
            QStringLiteral("Documents PDF (*.pdf)"), QStringLiteral(".pdf"));
        if (fileName.isEmpty())
            return false;
        const QPageLayout layout(PrintDialogs::exportPageSize(), QPageLayout::Landscape,
                                 QMarginsF());
        const Status exported = PagePainter::exportPdfDrawing(fileName, title, layout, draw);
        if (exported)
            return true;
        if (!Application::reportOfferingSaveAs(exported.failure()))
            return false;
        name = fileName;
    }
}

void print(QWidget *parent, const QString &title, const PagePainter::Draw &draw)
{
    const int copies = PrintDialogs::askCopies(parent);
    if (copies <= 0)
        return;
    const Result<QPrinter *> printer = PrintDialogs::printer();
    if (!Application::succeeded(printer))
        return;
    for (int i = 0; i < copies; ++i)
        if (!Application::succeeded(
                PagePainter::printDrawing(**printer, title, QPageLayout::Landscape, draw)))
            return;
}

} // namespace ReportExport
