// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QString>

// How far a printer's feed puts the page off: a horizontal and a vertical offset in
// millimetres added to the origin of every printed page, so that the data lands in the boxes
// of pre-printed forms. Kept per printer name in the user's settings (not in the settings file
// beside the orders, whose lines are fixed), 0 for a printer never calibrated.
namespace PrinterCalibration {

constexpr double Limit = 20.0; // millimetres either way
constexpr double Step = 0.1;

QPointF offsets(const QString &printerName);
// Offsets beyond the limits are brought back to them; a printer without a name keeps none.
void setOffsets(const QString &printerName, QPointF offsetsMm);

// Keeps the offsets in the given INI file instead of the user's settings (tests); an empty
// name goes back to the user's settings.
void setStoreFile(const QString &fileName);

} // namespace PrinterCalibration
