// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Naming rules of order files (".cmd"), kept apart from the main window so they can be tested
// without one.
namespace OrderFileName {

// The open command accepts a name whose last four characters are ".cmd", in any case.
bool hasOrderExtension(const QString &fileName);

// The name a save gives: a name ending in ".cmd", in any case, is kept as it is; any other file
// name is cut at its first "." and ".cmd" is appended. Only the last path component is cut,
// so a folder such as /home/jean.dupont is kept whole.
QString withOrderExtension(const QString &fileName);

// The name without its folder, as the save question shows it.
QString withoutFolder(const QString &fileName);

} // namespace OrderFileName
