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
            m_entries.append({qint32(i), 0, Kind::Number});
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

void BookIndex::appended(const TextLines &lines, qsizetype from)
{
    if (m_built)
        scan(lines, from);
}

qsizetype BookIndex::find(const TextLines &lines, Kind kind, int index, const QString &text)
{
    update(lines);
    for (const Entry &entry : std::as_const(m_entries)) {
        if (entry.kind != kind)
            continue;
        if (kind == Kind::Number ? lines.equalsIgnoringCase(entry.position, text)
                                 : entry.index == index)
            return entry.position;
    }
    return -1;
}

qsizetype BookIndex::findBlock(const TextLines &lines, int index)
{
    if (index < 0)
        return findLine(lines, BlockOpenLabel(index)); // a label without four digits
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
