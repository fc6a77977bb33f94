// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/recentbooks.h"

#include "app/usersettings.h"

#include <QFileInfo>

namespace RecentBooks {

namespace {

const QString Key = QStringLiteral("CarnetsRecents");

// One book, whatever name led to it: "./a.cmd" and "/home/jean/a.cmd" are one entry.
QString key(const QString &fileName)
{
    return QFileInfo(fileName).absoluteFilePath();
}

void store(const QStringList &books)
{
    userSettings().setValue(Key, books);
}

} // namespace

QStringList list()
{
    QStringList books = userSettings().value(Key).toStringList();
    books.removeAll(QString());
    return books.mid(0, Count);
}

void add(const QString &fileName)
{
    if (fileName.isEmpty())
        return;
    QStringList books = list();
    books.removeAll(key(fileName));
    books.prepend(key(fileName));
    store(books.mid(0, Count));
}

void remove(const QString &fileName)
{
    QStringList books = list();
    if (books.removeAll(key(fileName)) > 0)
        store(books);
}

} // namespace RecentBooks
