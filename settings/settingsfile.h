// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/result.h"
#include "settings/settings.h"

#include <QByteArray>
#include <QString>

// The settings file QorCmd.ini: nine lines by position (five reals, the file to open at start,
// three integers), then one payment term per line to the end of the file. It is always named
// without a folder, so it lives in whatever directory is current when it is read or written.
namespace SettingsFile {

QString fileName(); // "QorCmd.ini"

// Reads the file's bytes into the settings. Numbers missing at the end read as 0, texts as
// empty, and a number that does not convert reads as 0: a damaged file never stops the start.
// converterDirection is not in the file and becomes 0.
void load(const QByteArray &bytes, Settings &settings);

// The bytes of the file, with fileNameLine6 as the file to open at start.
QByteArray save(const Settings &settings, const QString &fileNameLine6);

// Loads QorCmd.ini from the current directory. False, with the settings untouched, when it
// does not exist or cannot be read (neither is reported). A remembered name that the file
// could hold only with "?" is taken whole from the user's settings, where saveSettings kept it.
bool loadSettings(Settings &settings);

// Writes QorCmd.ini in the current directory; a name outside Windows-1252 is also kept whole
// in the user's settings (QSettings). A failure leaves the old file as it was.
Status saveSettings(const Settings &settings, const QString &fileName);

// Automatic opening: on exactly when autoOpen is 1.
void autoOpenSetting(const Settings &settings, bool &autoOpen, QString &fileName);
void setAutoOpen(Settings &settings, bool autoOpen);

} // namespace SettingsFile
