// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/bookjournal.h"

#include <QSet>
#include <utility>

void BookJournal::reset()
{
    m_points.clear();
    m_points.insert(m_current, Point());
}

void BookJournal::keepOnly(const QList<qint64> &versions)
{
    // The ways from every point kept up to the first point, each walked until it meets one
    // walked before: what lies on none of them goes.
    QSet<qint64> wanted{m_current};
    for (const qint64 version : versions)
        if (m_points.contains(version))
            wanted.insert(version);
    // A point on a way -> its child on a way: None at the end of one, Several where they part.
    constexpr qint64 None = -1;
    constexpr qint64 Several = -2;
    QHash<qint64, qint64> onlyChild;
    qint64 top = -1;
    for (const qint64 version : std::as_const(wanted)) {
        qint64 child = None;
        qint64 p = version;
        for (; p >= 0; p = point(p).parent) {
            const auto seen = onlyChild.find(p);
            if (seen != onlyChild.end()) {
                if (child != None && *seen != child)
                    *seen = *seen == None ? child : Several;
                break;
            }
            onlyChild.insert(p, child);
            child = p;
        }
        if (p < 0)
            top = child; // the first point of all
    }
    // Above the point where the ways part or a wanted point stands, nothing is needed.
    while (!wanted.contains(top) && onlyChild.value(top) >= 0) {
        const qint64 below = onlyChild.value(top);
        onlyChild.remove(top);
        top = below;
    }
    if (onlyChild.size() == m_points.size())
        return;
    QHash<qint64, Point> kept;
    kept.reserve(onlyChild.size());
    for (auto it = onlyChild.cbegin(); it != onlyChild.cend(); ++it)
        kept.insert(it.key(), m_points.value(it.key()));
    Point &first = kept[top];
    first.parent = -1;
    first.change = Change();
    m_points = std::move(kept);
}

void BookJournal::apply(TextLines &lines, const Change &change, bool forward)
{
    const TextLines &from = forward ? change.taken : change.put;
    const TextLines &to = forward ? change.put : change.taken;
    if (change.positions.isEmpty()) {
        // The new lines go in first: once in, taking the old ones out needs no memory.
        lines.insert(change.at + from.size(), to);
        lines.remove(change.at, from.size());
        return;
    }
    qsizetype k = 0;
    try {
        for (; k < change.positions.size(); ++k)
            lines.replaceLine(change.positions.at(k), to, k);
    } catch (...) {
        while (--k >= 0)
            lines.replaceLine(change.positions.at(k), from, k);
        throw;
    }
}

void BookJournal::record(TextLines &lines, Change change)
{
    apply(lines, change, true);
    const qsizetype depth = point(m_current).depth + 1;
    m_points.insert(m_next, {m_current, depth, std::move(change)});
    m_current = m_next++;
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

bool BookJournal::rewind(TextLines &lines, qint64 version, const Step &step)
{
    if (!m_points.contains(version))
        return false;
    // The way between the two points: up from here to where they meet, then down to the
    // point wanted. Each step is one change, taken back on the way up, made on the way down.
    QList<std::pair<qint64, bool>> way;
    QList<qint64> down;
    qint64 here = m_current;
    qint64 there = version;
    while (here != there) {
        const Point &a = point(here);
        const Point &b = point(there);
        if (a.depth >= b.depth) {
            way.append({here, false});
            here = a.parent;
        } else {
            down.append(there);
            there = b.parent;
        }
    }
    for (auto it = down.crbegin(); it != down.crend(); ++it)
        way.append({*it, true});
    qsizetype done = 0;
    try {
        for (; done < way.size(); ++done)
            apply(lines, point(way.at(done).first).change, way.at(done).second);
        if (step)
            for (const auto &[at, forward] : std::as_const(way)) {
                const Change &change = point(at).change;
                step(forward ? change.taken : change.put, forward ? change.put : change.taken,
                     !change.positions.isEmpty());
            }
    } catch (...) {
        while (--done >= 0)
            apply(lines, point(way.at(done).first).change, !way.at(done).second);
        throw;
    }
    m_current = version;
    return true;
}
