#include "gui/filedialogs.h"

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

} // namespace FileDialogs
