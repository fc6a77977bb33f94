// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/settings.h"

class EuroConverterWindow;
class OrderParametersDialog;

// The order parameters command, up to writing the settings file: the euro converter's rate and
// direction become the settings, the dialog edits the rest, the converter gets its values back
// and QorCmd.ini is written with `bookName` as the file to open next time. The order window then
// refreshes its currency captions and shows the order again with the new rates. False when the
// file could not be written (reported to the user here).
bool runOrderParameters(OrderParametersDialog &dialog, EuroConverterWindow &converter,
                        Settings &settings, const QString &bookName);

// At start-up, after the settings file was read: the converter takes the stored rate (a rate
// below 1,00000, as when there was no file, leaves its default) and keeps its direction.
void restoreConverterRate(EuroConverterWindow &converter, const Settings &settings);

// When the order window closes: the converter's rate and direction become the settings.
void takeConverterRate(const EuroConverterWindow &converter, Settings &settings);
