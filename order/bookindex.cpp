#include "order/bookindex.h"

#include "order/orderformat.h"

#include <algorithm>

using namespace OrderFormat;

void BookIndex::invalidate()
{
    m_entries.clear();
    m_lines = TextLines();
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
}

void BookIndex::update(const TextLines &lines)
{
    // Sharing the list means that a list whose data is still the one indexed was not changed.
    if (m_built && m_size == lines.size() && m_lines.isSharedWith(lines))
        return;
    m_entries.clear();
    scan(lines, 0);
    m_lines = lines;
    m_size = lines.size();
    m_built = true;
}

BookIndex::Change::Change(BookIndex &index, TextLines &lines) : m_index(index), m_lines(lines)
{
    m_index.update(lines);
    m_index.m_lines = TextLines();
}

BookIndex::Change::~Change()
{
    if (m_index.m_size == m_lines.size())
        m_index.m_lines = m_lines;
    else
        m_index.invalidate(); // a change left unreported
}

void BookIndex::Change::removed(qsizetype from, qsizetype count)
{
    QList<Entry> &entries = m_index.m_entries;
    const auto before = [](const Entry &entry, qsizetype position) {
        return entry.position < position;
    };
    const auto first = std::lower_bound(entries.begin(), entries.end(), from, before);
    const auto last = std::lower_bound(first, entries.end(), from + count, before);
    for (auto it = last; it != entries.end(); ++it)
        it->position -= qint32(count);
    entries.erase(first, last);
    m_index.m_size -= count;
}

void BookIndex::Change::appended(qsizetype from)
{
    m_index.scan(m_lines, from);
    m_index.m_size = m_lines.size();
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
