// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/pagepainter.h"

#include <QString>
#include <functional>

class QWidget;

// The reports beyond the screen, through the same dialogs, printer and failure reports as the
// printed order: PDF files and printed pages (the CSV files go through gui/csvexport.h).
namespace ReportExport {

// Asks for a PDF file's name, then draws the pages there, A4 (or the paper chosen for the
// printer) turned landscape. A failure is shown.
bool exportPdf(QWidget *parent, const QString &initialName, const QString &title,
               const PagePainter::Draw &draw);

// The print dialog, then one job per copy asked, landscape. A failure is shown and ends it.
void print(QWidget *parent, const QString &title, const PagePainter::Draw &draw);

} // namespace ReportExport
