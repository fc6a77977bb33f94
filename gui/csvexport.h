// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/csvfile.h"

#include <QString>
#include <functional>

class QWidget;

// Tables written for a spreadsheet, from any window.
namespace CsvExport {

// Asks where to write a CSV file, in the format chosen in the dialog's type list, then fills and
// writes it whole. A failure is shown. False when nothing was written.
bool save(QWidget *parent, const QString &caption, const QString &initialName,
          const std::function<void(CsvFile &csv)> &fill);

} // namespace CsvExport
