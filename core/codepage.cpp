// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/codepage.h"

#include <QHash>
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace TextFile {

namespace {

// Windows-1252 0x80..0x9F. The five bytes the code page leaves undefined map to the C1
// control of the same value, so that they survive a read and a write. Qt's QStringDecoder
// ("windows-1252") gives the same mapping only where Qt was built with ICU, an optional part
// of it; the files must read the same everywhere, and the book decodes its lines one at a time
// from its buffer, where this table and the ASCII fast path below cost less than a converter
// made for each line. A test holds the table against Qt's converter where there is one.
constexpr char16_t HighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t toUnicode(unsigned char b)
{
    return (b >= 0x80 && b < 0xA0) ? HighControls[b - 0x80] : char16_t(b);
}

const QHash<char16_t, char> &reverseTable()
{
    static const QHash<char16_t, char> table = [] {
        QHash<char16_t, char> t;
        for (int i = 0; i < 32; ++i)
            t.insert(HighControls[i], char(0x80 + i));
        return t;
    }();
    return table;
}

// A character written as the byte of the same value.
bool isPlain(char16_t c)
{
    return c < 0x80 || (c >= 0xA0 && c <= 0xFF);
}

char fromUnicode(char16_t c, bool &coded)
{
    if (isPlain(c))
        return char(c);
    const auto found = reverseTable().constFind(c);
    if (found != reverseTable().constEnd())
        return found.value();
    coded = false;
    return '?';
}

// Most text is ASCII and Latin-1 letters, where a byte and a character have the same value.
// These loops copy that way and say whether a byte or character of another kind came by;
// only then is the table used.
bool widenPlain(const char *in, qsizetype n, char16_t *out)
{
    unsigned other = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char b = static_cast<unsigned char>(in[i]);
        out[i] = b;
        other |= unsigned(b - 0x80u < 0x20u);
    }
    return other == 0;
}

#if defined(__SSE2__)
// Eight characters to eight bytes; false when one of them is not plain.
bool narrowPlain8(const char16_t *in, char *out)
{
    const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in));
    const __m128i aboveFF = _mm_andnot_si128(
        _mm_cmpeq_epi16(_mm_and_si128(chars, _mm_set1_epi16(short(0xFF00))), _mm_setzero_si128()),
        _mm_set1_epi16(-1));
    const __m128i c1Range =
        _mm_cmpeq_epi16(_mm_and_si128(chars, _mm_set1_epi16(short(0xFFE0))), _mm_set1_epi16(0x80));
    _mm_storel_epi64(reinterpret_cast<__m128i *>(out), _mm_packus_epi16(chars, chars));
    return _mm_movemask_epi8(_mm_or_si128(aboveFF, c1Range)) == 0;
}
#endif

// Text is written line by line, and most lines are short: eight characters at a time, the
// last eight of a line taken again rather than one by one.
bool narrowPlain(const char16_t *in, qsizetype n, char *out)
{
#if defined(__SSE2__)
    if (n >= 8) {
        bool plain = true;
        qsizetype i = 0;
        for (; i + 8 <= n; i += 8)
            plain &= narrowPlain8(in + i, out + i);
        if (i < n)
            plain &= narrowPlain8(in + n - 8, out + n - 8);
        return plain;
    }
#endif
    for (qsizetype i = 0; i < n; ++i) {
        if (!isPlain(in[i]))
            return false;
        out[i] = char(in[i]);
    }
    return true;
}

void decodeInto(const char *in, qsizetype n, char16_t *out)
{
    if (widenPlain(in, n, out))
        return;
    for (qsizetype i = 0; i < n; ++i)
        out[i] = toUnicode(static_cast<unsigned char>(in[i]));
}

QString decodeLine(const char *in, qsizetype n)
{
    QString text(n, Qt::Uninitialized);
    decodeInto(in, n, reinterpret_cast<char16_t *>(text.data()));
    return text;
}

} // namespace

QString decode(QByteArrayView bytes)
{
    return decodeLine(bytes.data(), bytes.size());
}

bool encodeInto(QStringView text, char *out)
{
    const char16_t *in = text.utf16();
    const qsizetype n = text.size();
    if (narrowPlain(in, n, out))
        return true;
    bool coded = true;
    for (qsizetype i = 0; i < n; ++i)
        out[i] = fromUnicode(in[i], coded);
    return coded;
}

bool canEncode(QChar c)
{
    return isPlain(c.unicode()) || reverseTable().contains(c.unicode());
}

QByteArray encode(const QString &text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    encodeInto(text, bytes.data());
    return bytes;
}

const char *findLineEnd(const char *from, const char *end)
{
    const char *p = from;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; end - p >= 16; p += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const unsigned found = unsigned(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf))));
        if (found)
            return p + std::countr_zero(found);
    }
#endif
    for (; p < end; ++p)
        if (*p == '\r' || *p == '\n')
            return p;
    return end;
}

} // namespace TextFile
