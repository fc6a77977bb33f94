// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/textlines.h"

#include <QList>

// Where the lines an order book is searched by stand: the opening labels of its blocks and the
// "NUM" lines, in file order. Its answers are those of a search from the top of the lines (the
// first line equal to the text, letter case ignored), without reading the whole book for each one.
//
// The book that owns the lines tells it of every change: the frequent ones (an order written
// back, an order added) as they go, so that they never read the whole book again; any other by
// invalidate(), and the index is built again in one pass on the next search.
class BookIndex {
public:
    // First line equal to the opening label of `index`; -1 if none.
    qsizetype findBlock(const TextLines &lines, int index);
    // First line equal to `numberLine` ("NUM" and an order number); -1 if none.
    qsizetype findNumberLine(const TextLines &lines, const QString &numberLine);
    // Positions of the lines beginning with "NUM", whatever its case, in file order.
    QList<qsizetype> numberLines(const TextLines &lines);
    // Position of the first opening label of each index from 0 on, up to the first index
    // without one.
    QList<qsizetype> blocksFromZero(const TextLines &lines);

    // The lines changed in a way not reported below.
    void invalidate();
    // `count` lines were removed from `from` on.
    void removed(qsizetype from, qsizetype count);
    // The opening labels at `positions` (in file order) were given the indexes `indexes`.
    void relabelled(const QList<qsizetype> &positions, const QList<int> &indexes);
    // Lines were appended to `lines` from `from` on.
    void appended(const TextLines &lines, qsizetype from);

private:
    enum class Kind : quint8 { Open, Number };
    // Eight bytes: a book has tens of thousands of them (and never 2^31 lines: each one
    // takes more than 24 bytes of memory).
    struct Entry {
        qint32 position;
        qint16 index; // label index; the number line's key for a number line
        Kind kind;
    };
    // A number line's key: the same for two ASCII texts equal but for letter case, so that a
    // search compares only the lines with its text's key, without reading the others.
    // AnyKey for a line that is not plain ASCII, compared with every search.
    static constexpr qint16 AnyKey = -1;
    static qint16 numberKey(QByteArrayView line);
    static qint16 numberKey(QStringView text);

    void update(const TextLines &lines);
    void scan(const TextLines &lines, qsizetype from);
    qsizetype find(const TextLines &lines, Kind kind, int index, const QString &text);

    QList<Entry> m_entries;
    qsizetype m_size = 0; // the number of lines indexed
    bool m_built = false;
};
