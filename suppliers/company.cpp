// SPDX-License-Identifier: GPL-3.0-or-later
#include "suppliers/company.h"

#include "core/textfile.h"

#include <QFile>
#include <QStringList>

int Company::parse(const QByteArray &bytes, CompanyDetails &details)
{
    // Ctrl-Z ends the text; a last line without line end still counts.
    const qsizetype stop = bytes.indexOf('\x1a');
    const QByteArrayView text =
        stop < 0 ? QByteArrayView(bytes) : QByteArrayView(bytes).first(stop);
    int count = 0;
    TextFile::forEachLine(text, [&](qsizetype from, qsizetype size) {
        if (count < int(details.size()))
            details[count++] = TextFile::decode(text.sliced(from, size));
    });
    return count;
}

void Company::loadCompany()
{
    if (!QFile::exists(FileName))
        return;
    QByteArray bytes;
    if (!TextFile::readBytes(FileName, bytes).ok())
        return;
    parse(bytes, details);
}

Status Company::saveCompany() const
{
    // The lines are read by position: a line end inside one would move the others down.
    TextLines lines;
    for (const QString &line : details)
        lines.append(TextFile::oneLine(line));
    return TextFile::write(FileName, lines);
}
