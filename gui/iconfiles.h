// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The program's picture and the tool bar's own icons are SVG files built into the program
// (gui/icons.qrc).
namespace IconFiles {

// The resource path of the icon `name`, e.g. ":/icons/copy.svg" for "copy".
QString path(const QString &name);

} // namespace IconFiles
