// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/bookjournal.h"

void BookJournal::reset()
{
    m_first = version();
    m_changes.clear();
}

void BookJournal::forgetBefore(qint64 version)
{
    const qint64 drop = qBound<qint64>(0, version - m_first, m_changes.size());
    m_changes.remove(0, drop);
    m_first += drop;
}

void BookJournal::apply(TextLines &lines, const Change &change)
{
    if (!change.positions.isEmpty()) {
        for (qsizetype k = 0; k < change.positions.size(); ++k)
            lines.replaceLine(change.positions.at(k), change.put, k);
        return;
    }
    lines.remove(change.at, change.taken.size());
    lines.insert(change.at, change.put);
}

void BookJournal::record(TextLines &lines, Change change)
{
    apply(lines, change);
    m_changes.append(std::move(change));
}

void BookJournal::splice(TextLines &lines, qsizetype at, qsizetype count, const TextLines &inserted)
{
    record(lines, {at, {}, lines.slice(at, count), inserted});
}

void BookJournal::relabel(TextLines &lines, const QList<Label> &labels)
{
    if (labels.isEmpty())
        return;
    QList<qsizetype> positions;
    positions.reserve(labels.size());
    TextLines taken;
    TextLines put;
    for (const Label &label : labels) {
        positions.append(label.position);
        taken.appendLine(lines, label.position);
        put.append(label.text);
    }
    record(lines, {0, positions, taken, put});
}

bool BookJournal::rewind(TextLines &lines, qint64 version)
{
    if (version < m_first || version > this->version())
        return false;
    // Undone newest first; the undoing is recorded in turn, so that the point left stays
    // reachable too.
    const qsizetype from = qsizetype(version - m_first);
    for (qsizetype k = m_changes.size() - 1; k >= from; --k)
        record(lines, m_changes.at(k).reversed());
    return true;
}
