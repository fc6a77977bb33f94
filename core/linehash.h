// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QtGlobal>

#include <bit>
#include <cstring>
#include <utility>

// What a run of lines hashes to, two lanes of different mixing, reading eight bytes at a time:
// whole books go through it (the reports' digests of every block, the saved book's digest), so
// it must cost little more than reading the bytes. Each line is mixed with its length and its
// place in the run, so that lines swapped or split differently hash apart.
class LineHash {
public:
    void add(QByteArrayView line, qsizetype position)
    {
        const char *p = line.data();
        const qsizetype n = line.size();
        qsizetype i = 0;
        for (; i + 8 <= n; i += 8)
            word(load(p + i, 8));
        word(load(p + i, n - i) ^ (quint64(n) << 56) ^ quint64(position) << 40);
    }
    std::pair<size_t, size_t> digest() const
    {
        return {size_t(m_a ^ (m_a >> 31)), size_t(m_b ^ (m_b >> 29))};
    }

private:
    static quint64 load(const char *p, qsizetype size)
    {
        quint64 w = 0;
        std::memcpy(&w, p, size_t(size));
        return w;
    }
    void word(quint64 w)
    {
        m_a = (m_a ^ w) * 0x9E3779B97F4A7C15ull;
        m_a ^= m_a >> 32;
        m_b = std::rotl(m_b + w, 27) * 0xC2B2AE3D27D4EB4Full;
    }
    quint64 m_a = 0x51ed270b;
    quint64 m_b = 0x2545f491;
};
