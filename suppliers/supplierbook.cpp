// SPDX-License-Identifier: GPL-3.0-or-later
#include "suppliers/supplierbook.h"

#include "core/textfile.h"

#include <QFile>

namespace {

const QString HeaderTag = QStringLiteral("<FOU>");

} // namespace

bool SupplierBook::isSupplierHeader(const QString &line)
{
    if (!line.startsWith(HeaderTag))
        return false;
    const qsizetype rest = line.size() - HeaderTag.size();
    if (rest > 5)
        return false;
    for (qsizetype i = HeaderTag.size(); i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

QString SupplierBook::headerOf(const QString &code)
{
    return HeaderTag + code;
}

bool SupplierBook::isStorableCode(const QString &code)
{
    return code.size() == 5 && isSupplierHeader(headerOf(code));
}

QString SupplierBook::refusedCodeMessage(const QString &code)
{
    return QStringLiteral("Le code fournisseur « %1 » n'est pas valable : un code fournisseur "
                          "a cinq chiffres.")
        .arg(code);
}

Status SupplierBook::loadSuppliers()
{
    modified = false;
    if (!QFile::exists(FileName))
        return {};
    QStringList lines;
    // Keep what is in memory, but say so: a later save would replace the unread file.
    if (Status read = TextFile::read(FileName, lines); !read)
        return read;
    fileLines = lines;
    return {};
}

Status SupplierBook::saveSuppliers()
{
    if (!modified)
        return {};
    if (Status written = TextFile::write(FileName, TextLines(fileLines)); !written)
        return written;
    modified = false;
    return {};
}

qsizetype SupplierBook::find(const QString &code) const
{
    const QString header = headerOf(code);
    for (qsizetype i = 0; i < fileLines.size(); ++i) {
        if (fileLines.at(i).compare(header, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

SupplierRecord SupplierBook::record(qsizetype headerPos) const
{
    SupplierRecord r;
    if (headerPos < 0 || headerPos >= fileLines.size())
        return r;
    r.code = fileLines.at(headerPos).mid(HeaderTag.size());
    for (qsizetype k = 0; k < 4; ++k)
        r.addressLines[k] = fileLines.value(headerPos + 1 + k);
    return r;
}

void SupplierBook::append(const SupplierRecord &record)
{
    fileLines += linesOf({record});
    modified = true;
}

QStringList SupplierBook::linesOf(const QList<SupplierRecord> &records)
{
    QStringList lines;
    lines.reserve(records.size() * 5);
    for (const SupplierRecord &r : records) {
        // A line end in a field would shift every line of the file after it.
        lines.append(headerOf(TextFile::oneLine(r.code)));
        for (const QString &line : r.addressLines)
            lines.append(TextFile::oneLine(line));
    }
    return lines;
}

int SupplierBook::compareNames(const QString &a, const QString &b)
{
    const QByteArray x = TextFile::encode(a);
    const QByteArray y = TextFile::encode(b);
    const qsizetype n = qMin(x.size(), y.size());
    for (qsizetype i = 0; i < n; ++i) {
        const auto cx = static_cast<unsigned char>(x.at(i));
        const auto cy = static_cast<unsigned char>(y.at(i));
        if (cx != cy)
            return cx < cy ? -1 : 1;
    }
    if (x.size() == y.size())
        return 0;
    return x.size() < y.size() ? -1 : 1;
}

bool SupplierBook::sortRecords(QList<SupplierRecord> &records)
{
    bool exchanged = false;
    const qsizetype n = records.size();
    for (qsizetype i = 0; i + 1 < n; ++i) {
        for (qsizetype j = i + 1; j < n; ++j) {
            if (compareNames(records.at(i).addressLines[0], records.at(j).addressLines[0]) > 0) {
                records.swapItemsAt(i, j);
                exchanged = true;
            }
        }
    }
    return exchanged;
}
