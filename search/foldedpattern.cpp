// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/foldedpattern.h"

#include "search/textfold.h"

FoldedPattern::FoldedPattern(QByteArray folded) : m_folded(std::move(folded))
{
    if (m_folded.isEmpty())
        return;
    const char first = m_folded.at(0);
    for (int b = 0; b < 256; ++b) {
        const TextFold::Folded &f = TextFold::byte(uchar(b));
        if (f.c[0] == first)
            m_start[b] |= 1;
        if (f.size == 2 && f.c[1] == first)
            m_start[b] |= 2;
    }
}

qsizetype FoldedPattern::matchAt(const uchar *text, qsizetype size, qsizetype at, int part) const
{
    const char *pattern = m_folded.constData();
    const qsizetype length = m_folded.size();
    qsizetype i = at;
    qsizetype j = 0;
    while (j < length) {
        if (i >= size)
            return 0;
        const TextFold::Folded &f = TextFold::byte(text[i]);
        if (f.c[part] == ' ') {
            if (pattern[j] != ' ')
                return 0;
            while (i < size && TextFold::byte(text[i]).c[0] == ' ')
                ++i;
            ++j;
            part = 0;
            continue;
        }
        if (pattern[j] != f.c[part])
            return 0;
        ++j;
        if (++part == f.size) {
            ++i;
            part = 0;
        }
    }
    return (part ? i + 1 : i) - at;
}

qsizetype FoldedPattern::indexIn(QByteArrayView text, qsizetype from, qsizetype *length) const
{
    if (m_folded.isEmpty())
        return -1;
    const auto *bytes = reinterpret_cast<const uchar *>(text.data());
    const qsizetype size = text.size();
    for (qsizetype i = from; i < size; ++i) {
        const quint8 start = m_start[bytes[i]];
        if (!start)
            continue;
        for (int part = 0; part < 2; ++part) {
            if (!(start & (1 << part)))
                continue;
            if (const qsizetype covered = matchAt(bytes, size, i, part)) {
                if (length)
                    *length = covered;
                return i;
            }
        }
    }
    return -1;
}

bool FoldedPattern::startsIn(QByteArrayView text) const
{
    if (m_folded.isEmpty() || text.isEmpty())
        return false;
    const auto *bytes = reinterpret_cast<const uchar *>(text.data());
    return (m_start[bytes[0]] & 1) && matchAt(bytes, text.size(), 0, 0) > 0;
}
