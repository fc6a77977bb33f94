// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/orderfilename.h"

namespace OrderFileName {

namespace {

// Position just after the last folder separator; both separators count, since names typed by
// the user may come from either system.
qsizetype fileNameStart(const QString &fileName)
{
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    const qsizetype backslash = fileName.lastIndexOf(QLatin1Char('\\'));
    return qMax(slash, backslash) + 1;
}

} // namespace

bool hasOrderExtension(const QString &fileName)
{
    return fileName.right(4).toUpper() == QLatin1String(".CMD");
}

QString withOrderExtension(const QString &fileName)
{
    // "Commandes 2026.v2.cmd" or "STOCK.CMD" already name an order file: cutting them would
    // write another file.
    if (hasOrderExtension(fileName))
        return fileName;
    const qsizetype start = fileNameStart(fileName);
    const qsizetype dot = fileName.indexOf(QLatin1Char('.'), start);
    const QString stem = dot < 0 ? fileName : fileName.left(dot);
    return stem + QLatin1String(".cmd");
}

QString withoutFolder(const QString &fileName)
{
    return fileName.mid(fileNameStart(fileName));
}

} // namespace OrderFileName
