// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <array>

// A text looked for in the book's bytes as the search compares texts (search/textfold.h):
// letter case and accents ignored, a ligature equal to its two letters, a space in the pattern
// equal to any run of spaces. A match never takes in a TAB.
class FoldedPattern {
public:
    FoldedPattern() = default;
    // `folded` as TextFold::text() gives it.
    explicit FoldedPattern(QByteArray folded);

    const QByteArray &folded() const { return m_folded; }
    bool isEmpty() const { return m_folded.isEmpty(); }

    // The first match in `text` from byte `from` on, and the count of bytes it covers; -1
    // when there is none.
    qsizetype indexIn(QByteArrayView text, qsizetype from = 0, qsizetype *length = nullptr) const;
    bool isIn(QByteArrayView text) const { return indexIn(text) >= 0; }
    // Whether `text` begins with the pattern.
    bool startsIn(QByteArrayView text) const;

private:
    // The bytes covered by a match at `at`, starting in its `part`th folded character; 0 when
    // the pattern does not match there.
    qsizetype matchAt(const uchar *text, qsizetype size, qsizetype at, int part) const;

    QByteArray m_folded;
    // Bit 0: a match may begin with the byte; bit 1: with the byte's second folded character.
    std::array<quint8, 256> m_start{};
};
