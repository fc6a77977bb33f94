// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// The books opened last, most recent first, for the "Fichier" menu. They live in the user's
// settings of the program (QSettings), not in the settings file beside the books, so that they
// follow the user whatever folder the program starts in.
namespace RecentBooks {

constexpr int Count = 4;

QStringList list();
// Puts the book first, once; the oldest beyond Count goes.
void add(const QString &fileName);
void remove(const QString &fileName);

} // namespace RecentBooks
