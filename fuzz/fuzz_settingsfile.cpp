// SPDX-License-Identifier: GPL-3.0-or-later
// Any settings file loads without stopping the start, and what is saved from it reads back to
// the same settings: saving again gives the same bytes.

#include "core/textfile.h"
#include "fuzzsupport.h"
#include "settings/settingsfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::setUp();
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    Fuzz::require(TextFile::writeBytes(SettingsFile::fileName(), bytes).ok(),
                  "cannot write the input");

    Settings settings;
    Fuzz::require(SettingsFile::loadSettings(settings), "file not read");
    Fuzz::require(SettingsFile::saveSettings(settings, settings.autoOpenFileName).ok(),
                  "save failed");
    QByteArray saved;
    Fuzz::require(TextFile::readBytes(SettingsFile::fileName(), saved).ok(),
                  "saved file unreadable");

    Settings again;
    SettingsFile::load(saved, again);
    Fuzz::require(SettingsFile::save(again, again.autoOpenFileName) == saved,
                  "saved settings read back otherwise");
    return 0;
}
