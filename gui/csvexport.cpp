// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/csvexport.h"

#include "gui/application.h"
#include "gui/filedialogs.h"

namespace CsvExport {

bool save(QWidget *parent, const QString &caption, const QString &initialName,
          const std::function<void(CsvFile &csv)> &fill)
{
    // A failed write offers another name, until one is written or the dialog is cancelled.
    for (QString name = initialName;;) {
        QString chosenFilter;
        const QString fileName = FileDialogs::getNewFileName(
            parent, caption, name, CsvFile::filters(), QStringLiteral(".csv"), &chosenFilter);
        if (fileName.isEmpty())
            return false;
        CsvFile csv(CsvFile::formatOf(chosenFilter));
        fill(csv);
        const Status saved = csv.save(fileName);
        if (saved)
            return true;
        if (!Application::reportOfferingSaveAs(saved.failure()))
            return false;
        name = fileName;
    }
}

} // namespace CsvExport
