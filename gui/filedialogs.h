// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform.h"

#include <QString>

class QWidget;

// The open and save dialogs of the program, shown by the platform in use (core/platform.h).
// An empty name stands for a cancelled dialog.
namespace FileDialogs {

using Request = Platform::FileRequest;

QString getOpenFileName(QWidget *parent, const QString &caption, const QString &initialName,
                        const QString &filter);
// The dialog never asks about overwriting: the caller asks once the final name is known.
QString getSaveFileName(QWidget *parent, const QString &caption, const QString &initialName,
                        const QString &filter);
// The same with several types in `filters`: `chosenFilter` tells which one the user chose.
QString getSaveFileName(QWidget *parent, const QString &caption, const QString &initialName,
                        const QString &filters, QString *chosenFilter);

// The save dialog for a file the program creates: the name gets `extension` when it lacks it,
// and an existing file is replaced only when the user says so ("Ce fichier existe déjà").
// Empty when the user cancelled or declined.
QString getNewFileName(QWidget *parent, const QString &caption, const QString &initialName,
                       const QString &filters, const QString &extension,
                       QString *chosenFilter = nullptr);

} // namespace FileDialogs
