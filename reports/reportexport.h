#pragma once

#include "core/csvfile.h"
#include "printing/pagepainter.h"

#include <QString>
#include <functional>

class QWidget;

// The reports beyond the screen, through the same dialogs, printer and failure reports as the
// printed order: CSV files, PDF files and printed pages.
namespace ReportExport {

// Asks where to write a CSV file, in the format chosen in the dialog's type list, then fills and
// writes it whole. A failure is shown. False when nothing was written.
bool saveCsv(QWidget *parent, const QString &caption, const QString &initialName,
             const std::function<void(CsvFile &csv)> &fill);

// Asks for a PDF file's name, then draws the pages there, A4 (or the paper chosen for the
// printer) turned landscape. A failure is shown.
bool exportPdf(QWidget *parent, const QString &initialName, const QString &title,
               const PagePainter::Draw &draw);

// The print dialog, then one job per copy asked, landscape. A failure is shown and ends it.
void print(QWidget *parent, const QString &title, const PagePainter::Draw &draw);

} // namespace ReportExport
