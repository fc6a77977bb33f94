// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>

// The user's own settings of the program: what follows the user rather than the books (the
// recent books, the window's place). The settings file beside the books keeps the rest.
inline QSettings userSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Qor"),
                     QStringLiteral("Qor Commande"));
}
