#include "suppliers/company.h"

#include "core/textfile.h"

#include <QFile>
#include <QStringList>

int Company::parse(const QByteArray &bytes, CompanyDetails &details)
{
    const int wanted = int(details.size());
    int count = 0;
    qsizetype start = 0;
    qsizetype i = 0;
    const qsizetype n = bytes.size();
    auto store = [&](qsizetype end) {
        if (count < wanted)
            details[count] = TextFile::decode(bytes.mid(start, end - start));
        ++count;
    };
    while (i < n && count < wanted) {
        const char c = bytes.at(i);
        if (c == '\x1a')
            break;
        if (c == '\r' || c == '\n') {
            store(i);
            i += (c == '\r' && i + 1 < n && bytes.at(i + 1) == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    // A last line without line end still counts, up to Ctrl-Z or the end of the file.
    if (count < wanted && i > start)
        store(i);
    return qMin(count, wanted);
}

void Company::ChargeSoc()
{
    if (!QFile::exists(FileName))
        return;
    QByteArray bytes;
    if (!TextFile::readBytes(FileName, bytes))
        return;
    parse(bytes, CompanyLines);
}

bool Company::SauveSoc(QString &error) const
{
    const QStringList lines(CompanyLines.begin(), CompanyLines.end());
    return TextFile::write(FileName, lines, &error);
}
