// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <QStringView>

// The code page of every file (Windows-1252, lossless for every byte) and the one line
// splitter. They stand apart from the file functions (core/textfile.h) because the lines of a
// file (core/textlines.h) are made with them, and the file functions with those lines.
namespace TextFile {

QString decode(QByteArrayView bytes);
// Characters outside Windows-1252 are written as '?'.
QByteArray encode(const QString &text);
// Writes the text.size() bytes of `text` at `out`; false when a character had no byte and
// was written as '?'.
bool encodeInto(QStringView text, char *out);
// Whether the code page has a byte for `c`.
bool canEncode(QChar c);

// The first CR or LF from `from` on, or `end`.
const char *findLineEnd(const char *from, const char *end);

// The one way every file of the program is cut into lines: calls line(position, size) for
// each line of `bytes`, without its line end. CR LF, a bare CR or a bare LF ends a line; a
// last line without line end counts; an empty file has no line. Readers that stop at Ctrl-Z
// pass the bytes before it.
template <typename Line> void forEachLine(QByteArrayView bytes, Line &&line)
{
    const char *const begin = bytes.data();
    const char *const end = begin + bytes.size();
    const char *start = begin;
    while (start < end) {
        const char *const stop = findLineEnd(start, end);
        line(qsizetype(start - begin), qsizetype(stop - start));
        if (stop == end)
            break;
        start = stop + (*stop == '\r' && stop + 1 < end && stop[1] == '\n' ? 2 : 1);
    }
}

} // namespace TextFile
