// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/bookindex.h"

#include "order/orderformat.h"

#include <algorithm>

using namespace OrderFormat;

void BookIndex::invalidate()
{
    m_entries.clear();
    m_size = 0;
    m_built = false;
}

namespace {

uint unitOf(char c)
{
    return uchar(c);
}

uint unitOf(QChar c)
{
    return c.unicode();
}

// Folds ASCII letters to lower case as TextLines::equalsIgnoringCase compares them; AnyKey for
// a text with a character outside ASCII. A line given with a character Windows-1252 lacks has
// '?' in its bytes: it is left to the full comparison too.
template <typename Text> qint16 foldedKey(const Text &text, qint16 anyKey)
{
    quint32 key = quint32(text.size());
    for (const auto c : text) {
        const uint unit = unitOf(c);
        if (unit >= 0x80 || unit == '?')
            return anyKey;
        key = key * 31 + (unit >= 'A' && unit <= 'Z' ? unit | 0x20 : unit);
    }
    return qint16(key & 0x7fff);
}

} // namespace

qint16 BookIndex::numberKey(QByteArrayView line)
{
    return foldedKey(line, AnyKey);
}

qint16 BookIndex::numberKey(QStringView text)
{
    return foldedKey(text, AnyKey);
}

void BookIndex::scan(const TextLines &lines, qsizetype from)
{
    for (qsizetype i = from; i < lines.size(); ++i) {
        const QByteArrayView line = lines.bytes(i);
        if (line.isEmpty())
            continue;
        const char first = line.at(0);
        if (first == '<') {
            const int index = blockStartIndex(line);
            if (index >= 0)
                m_entries.append({qint32(i), qint16(index), Kind::Open});
        } else if ((first == 'N' || first == 'n') && line.size() >= 3 &&
                   line.first(3).compare("NUM", Qt::CaseInsensitive) == 0) {
            m_entries.append({qint32(i), numberKey(line), Kind::Number});
        }
    }
    m_size = lines.size();
}

void BookIndex::update(const TextLines &lines)
{
    if (m_built) {
        Q_ASSERT(m_size == lines.size()); // a change the book did not report
        return;
    }
    m_entries.clear();
    scan(lines, 0);
    m_built = true;
}

void BookIndex::removed(qsizetype from, qsizetype count)
{
    if (!m_built)
        return;
    const auto before = [](const Entry &entry, qsizetype position) {
        return entry.position < position;
    };
    const auto first = std::lower_bound(m_entries.begin(), m_entries.end(), from, before);
    const auto last = std::lower_bound(first, m_entries.end(), from + count, before);
    for (auto it = last; it != m_entries.end(); ++it)
        it->position -= qint32(count);
    m_entries.erase(first, last);
    m_size -= count;
}

void BookIndex::relabelled(const QList<qsizetype> &positions, const QList<int> &indexes)
{
    if (!m_built)
        return;
    auto it = m_entries.begin();
    for (qsizetype k = 0; k < positions.size(); ++k) {
        it = std::lower_bound(
            it, m_entries.end(), positions.at(k),
            [](const Entry &entry, qsizetype position) { return entry.position < position; });
        if (it != m_entries.end() && it->position == positions.at(k) && it->kind == Kind::Open)
            it->index = qint16(indexes.at(k));
    }
}

void BookIndex::appended(const TextLines &lines, qsizetype from)
{
    if (m_built)
        scan(lines, from);
}

qsizetype BookIndex::find(const TextLines &lines, Kind kind, int index, const QString &text)
{
    update(lines);
    // A text outside ASCII may equal any line left without a key; an ASCII one only the lines
    // of its key and those.
    const qint16 key = kind == Kind::Number ? numberKey(QStringView(text)) : 0;
    for (const Entry &entry : std::as_const(m_entries)) {
        if (entry.kind != kind)
            continue;
        if (kind == Kind::Number) {
            if (key != AnyKey && entry.index != key && entry.index != AnyKey)
                continue;
            if (lines.equalsIgnoringCase(entry.position, text))
                return entry.position;
        } else if (entry.index == index) {
            return entry.position;
        }
    }
    return -1;
}

qsizetype BookIndex::findBlock(const TextLines &lines, int index)
{
    if (index < 0)
        return findLine(lines, blockOpenLabel(index)); // a label without four digits
    return find(lines, Kind::Open, index % MaxOrders, QString());
}

qsizetype BookIndex::findNumberLine(const TextLines &lines, const QString &numberLine)
{
    return find(lines, Kind::Number, 0, numberLine);
}

QList<qsizetype> BookIndex::numberLines(const TextLines &lines)
{
    update(lines);
    QList<qsizetype> positions;
    for (const Entry &entry : std::as_const(m_entries))
        if (entry.kind == Kind::Number)
            positions.append(entry.position);
    return positions;
}

QList<qsizetype> BookIndex::blocksFromZero(const TextLines &lines)
{
    update(lines);
    QList<qsizetype> first(MaxOrders, -1);
    for (const Entry &entry : std::as_const(m_entries))
        if (entry.kind == Kind::Open && first.at(entry.index) < 0)
            first[entry.index] = entry.position;
    const qsizetype count = std::find(first.cbegin(), first.cend(), -1) - first.cbegin();
    first.resize(count);
    return first;
}
