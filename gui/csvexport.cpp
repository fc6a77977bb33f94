// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/csvexport.h"

#include "gui/application.h"
#include "gui/filedialogs.h"

namespace CsvExport {

bool save(QWidget *parent, const QString &caption, const QString &initialName,
          const std::function<void(CsvFile &csv)> &fill)
{
    QString chosenFilter;
    const QString fileName = FileDialogs::getNewFileName(
        parent, caption, initialName, CsvFile::filters(), QStringLiteral(".csv"), &chosenFilter);
    if (fileName.isEmpty())
        return false;
    CsvFile csv(CsvFile::formatOf(chosenFilter));
    fill(csv);
    return Application::succeeded(csv.save(fileName));
}

} // namespace CsvExport
