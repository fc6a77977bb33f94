#include "reports/reportexport.h"

#include "core/prompts.h"
#include "gui/application.h"
#include "gui/filedialogs.h"
#include "gui/printdialogs.h"

#include <QFile>
#include <QPageSize>

namespace ReportExport {

namespace {

// The name with its type's extension; empty when the user cancelled, or declined to replace
// the file that has that name.
QString finalName(QString fileName, const QString &extension)
{
    if (fileName.isEmpty())
        return QString();
    if (!fileName.endsWith(extension, Qt::CaseInsensitive))
        fileName += extension;
    if (QFile::exists(fileName) &&
        Prompts::warning(QStringLiteral("Ce fichier existe déjà"), Prompts::Buttons::OkCancel) !=
            Prompts::Answer::Ok)
        return QString();
    return fileName;
}

} // namespace

bool saveCsv(QWidget *parent, const QString &caption, const QString &initialName,
             const std::function<void(CsvFile &csv)> &fill)
{
    QString chosenFilter;
    const QString fileName =
        finalName(FileDialogs::getSaveFileName(parent, caption, initialName, CsvFile::filters(),
                                               &chosenFilter),
                  QStringLiteral(".csv"));
    if (fileName.isEmpty())
        return false;
    CsvFile csv(CsvFile::formatOf(chosenFilter));
    fill(csv);
    return Application::succeeded(csv.save(fileName));
}

bool exportPdf(QWidget *parent, const QString &initialName, const QString &title,
               const PagePainter::Draw &draw)
{
    const QString fileName = finalName(
        FileDialogs::getSaveFileName(parent, QStringLiteral("Exporter en PDF"), initialName,
                                     QStringLiteral("Documents PDF (*.pdf)")),
        QStringLiteral(".pdf"));
    if (fileName.isEmpty())
        return false;
    const QPageLayout layout(PrintDialogs::exportPageSize(), QPageLayout::Landscape, QMarginsF());
    return Application::succeeded(PagePainter::exportPdfDrawing(fileName, title, layout, draw));
}

void print(QWidget *parent, const QString &title, const PagePainter::Draw &draw)
{
    const int copies = PrintDialogs::askCopies(parent);
    for (int i = 0; i < copies; ++i)
        if (!Application::succeeded(PagePainter::printDrawing(PrintDialogs::printer(), title,
                                                              QPageLayout::Landscape, draw)))
            return;
}

} // namespace ReportExport
