#include "order/bookindex.h"

#include "order/orderformat.h"

#include <algorithm>

using namespace OrderFormat;

namespace {

bool sameLine(const QString &line, const QString &text)
{
    return line.size() == text.size() && line.compare(text, Qt::CaseInsensitive) == 0;
}

} // namespace

void BookIndex::invalidate()
{
    m_entries.clear();
    m_lines = QStringList();
    m_size = 0;
    m_built = false;
}

void BookIndex::scan(const QStringList &lines, qsizetype from)
{
    for (qsizetype i = from; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (line.isEmpty())
            continue;
        const QChar first = line.at(0);
        if (first == QLatin1Char('<')) {
            const int index = blockStartIndex(line);
            if (index >= 0)
                m_entries.append({qint32(i), qint16(index), Kind::Open});
        } else if ((first == QLatin1Char('N') || first == QLatin1Char('n')) &&
                   line.startsWith(QLatin1StringView("NUM"), Qt::CaseInsensitive)) {
            m_entries.append({qint32(i), 0, Kind::Number});
        }
    }
}

void BookIndex::update(const QStringList &lines)
{
    // Sharing the list means that a list whose data is still the one indexed was not changed.
    if (m_built && m_size == lines.size() && m_lines.constData() == lines.constData())
        return;
    m_entries.clear();
    scan(lines, 0);
    m_lines = lines;
    m_size = lines.size();
    m_built = true;
}

BookIndex::Change::Change(BookIndex &index, QStringList &lines) : m_index(index), m_lines(lines)
{
    m_index.update(lines);
    m_index.m_lines = QStringList();
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

qsizetype BookIndex::find(const QStringList &lines, Kind kind, int index, const QString &text)
{
    update(lines);
    for (const Entry &entry : std::as_const(m_entries)) {
        if (entry.kind != kind)
            continue;
        if (kind == Kind::Number ? sameLine(lines.at(entry.position), text) : entry.index == index)
            return entry.position;
    }
    return -1;
}

qsizetype BookIndex::findBlock(const QStringList &lines, int index)
{
    if (index < 0)
        return findLine(lines, BlockOpenLabel(index)); // a label without four digits
    return find(lines, Kind::Open, index % MaxOrders, QString());
}

qsizetype BookIndex::findNumberLine(const QStringList &lines, const QString &numberLine)
{
    return find(lines, Kind::Number, 0, numberLine);
}

QList<qsizetype> BookIndex::numberLines(const QStringList &lines)
{
    update(lines);
    QList<qsizetype> positions;
    for (const Entry &entry : std::as_const(m_entries))
        if (entry.kind == Kind::Number)
            positions.append(entry.position);
    return positions;
}
