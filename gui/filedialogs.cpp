// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/filedialogs.h"

#include "core/prompts.h"

#include <QFile>

namespace FileDialogs {

QString getOpenFileName(QWidget *parent, const QString &caption, const QString &initialName,
                        const QString &filter)
{
    return Platform::current().fileName(parent, {false, caption, initialName, filter});
}

QString getSaveFileName(QWidget *parent, const QString &caption, const QString &initialName,
                        const QString &filter)
{
    return Platform::current().fileName(parent, {true, caption, initialName, filter});
}

QString getSaveFileName(QWidget *parent, const QString &caption, const QString &initialName,
                        const QString &filters, QString *chosenFilter)
{
    return Platform::current().fileName(parent,
                                        {true, caption, initialName, filters, chosenFilter});
}

QString getNewFileName(QWidget *parent, const QString &caption, const QString &initialName,
                       const QString &filters, const QString &extension, QString *chosenFilter)
{
    QString fileName = getSaveFileName(parent, caption, initialName, filters, chosenFilter);
    if (fileName.isEmpty())
        return QString();
    if (!fileName.endsWith(extension, Qt::CaseInsensitive))
        fileName += extension;
    if (QFile::exists(fileName) &&
        Prompts::warning(QStringLiteral("Ce fichier existe déjà"), Prompts::Buttons::OkCancel) !=
            Prompts::Answer::Ok)
        return QString();
    return fileName;
}

} // namespace FileDialogs
