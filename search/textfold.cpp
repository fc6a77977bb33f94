// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/textfold.h"

#include "core/textfile.h"

#include <array>

namespace TextFold {

namespace {

std::array<Folded, 256> makeTable()
{
    std::array<Folded, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[b] = {{char(b), 0}, 1};
    const auto set = [&table](int b, const char *folded) {
        table[b] = {{folded[0], folded[1]}, quint8(folded[1] ? 2 : 1)};
    };
    for (int b = 'A'; b <= 'Z'; ++b)
        table[b].c[0] = char(b + ('a' - 'A'));
    for (int b = 0; b < 0x20; ++b)
        set(b, " ");
    set('\t', "\t");
    set(0x7F, " ");
    set(0xA0, " ");
    // The letters of the code page with an accent or a ligature, upper and lower case.
    struct Letters {
        const char *bytes;
        const char *folded;
    };
    const Letters letters[] = {
        {"\xC0\xC1\xC2\xC3\xC4\xC5\xE0\xE1\xE2\xE3\xE4\xE5\xAA", "a"},
        {"\xC7\xE7", "c"},
        {"\xC8\xC9\xCA\xCB\xE8\xE9\xEA\xEB", "e"},
        {"\xCC\xCD\xCE\xCF\xEC\xED\xEE\xEF", "i"},
        {"\xD2\xD3\xD4\xD5\xD6\xD8\xF2\xF3\xF4\xF5\xF6\xF8\xBA", "o"},
        {"\xD9\xDA\xDB\xDC\xF9\xFA\xFB\xFC", "u"},
        {"\xDD\xFD\xFF\x9F", "y"},
        {"\xD1\xF1", "n"},
        {"\xD0\xF0", "d"},
        {"\x8A\x9A", "s"},
        {"\x8E\x9E", "z"},
        {"\x83", "f"},
        {"\x8C\x9C", "oe"},
        {"\xC6\xE6", "ae"},
        {"\xDF", "ss"},
        {"\x91\x92", "'"},
        {"\x96\x97", "-"},
        {"\xDE", "\xFE"},
    };
    for (const Letters &group : letters)
        for (const char *b = group.bytes; *b; ++b)
            set(static_cast<uchar>(*b), group.folded);
    return table;
}

const std::array<Folded, 256> &table()
{
    static const std::array<Folded, 256> folded = makeTable();
    return folded;
}

// The byte a character has in the files; a letter the files lack is taken without its accent
// when that gives one ("ō" as "o"), anything else matches nothing.
char codeOf(QChar c)
{
    char byte = 0;
    if (TextFile::canEncode(c)) {
        TextFile::encodeInto(QStringView(&c, 1), &byte);
        return byte;
    }
    const QString bare = QString(c).normalized(QString::NormalizationForm_D);
    if (!bare.isEmpty() && bare.at(0).unicode() < 0x80)
        return char(bare.at(0).unicode());
    return Unmatchable;
}

// Adds a folded character, a TAB as a space and no space after another or at the start.
void append(const Folded &f, QByteArray &out)
{
    for (int k = 0; k < f.size; ++k) {
        const char folded = f.c[k] == '\t' ? ' ' : f.c[k];
        if (folded == ' ' && (out.isEmpty() || out.endsWith(' ')))
            continue;
        out += folded;
    }
}

} // namespace

const Folded &byte(uchar b)
{
    return table()[b];
}

QByteArray text(QStringView text)
{
    const QString composed = text.toString().normalized(QString::NormalizationForm_C);
    QByteArray out;
    out.reserve(composed.size());
    for (const QChar c : composed) {
        const char code = codeOf(c);
        const Folded &f =
            code == Unmatchable ? Folded{{Unmatchable, 0}, 1} : byte(static_cast<uchar>(code));
        append(f, out);
    }
    if (out.endsWith(' '))
        out.chop(1);
    return out;
}

void bytes(QByteArrayView bytes, QByteArray &out)
{
    out.resize(0);
    for (const char b : bytes) {
        const Folded &f = byte(static_cast<uchar>(b));
        append(f, out);
    }
    if (out.endsWith(' '))
        out.chop(1);
}

} // namespace TextFold
