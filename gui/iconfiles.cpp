// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/iconfiles.h"

#include <QtGlobal>

// A resource file in a static library is registered only when asked for by name.
static void registerIconFiles()
{
    Q_INIT_RESOURCE(icons);
}

namespace IconFiles {

QString path(const QString &name)
{
    static const bool registered = (registerIconFiles(), true);
    Q_UNUSED(registered);
    return QStringLiteral(":/icons/") + name + QStringLiteral(".svg");
}

} // namespace IconFiles
