// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/textlines.h"

#include <QHash>
#include <QList>
#include <functional>

// The changes made to an order book's lines since it was opened, so that the book can be put
// back byte for byte as it stood at any point of them: undo and redo. Each change keeps only
// the lines it took out and put in, never the whole book, so that an edit of the largest book
// costs what the edit costs.
//
// The points the lines stood at form a tree: going back to an earlier point and changing the
// lines from there starts a branch, and the points of the other branch stay reachable (a redo
// the history still offers). Going from one point to another applies the changes between the
// two, and only those: nothing is recorded, so undoing and redoing back and forth neither
// grows the journal nor costs more each time.
class BookJournal {
public:
    // The point the lines stand at. Each point has its own number, never given to another.
    qint64 version() const { return m_current; }
    // The changes held, in all branches.
    qsizetype size() const { return m_points.size() - 1; }
    // The lines were replaced as a whole (opened, new, repaired): no earlier point is kept.
    void reset();
    // Keeps only the points `versions` and the current one, with what going between them takes:
    // every other point is forgotten. Unknown versions are passed over.
    void keepOnly(const QList<qint64> &versions);

    // `count` lines from `at` on are replaced by `inserted`.
    void splice(TextLines &lines, qsizetype at, qsizetype count, const TextLines &inserted);
    // A line rewritten in place: a block's label given another index.
    struct Label {
        qsizetype position;
        QString text;
    };
    void relabel(TextLines &lines, const QList<Label> &labels);
    // Puts `lines` back as they stood at `version`, or forward to it; false when that point was
    // forgotten. All or nothing: when a change cannot be made (memory), the changes made are
    // taken back and the exception goes on, the lines and the journal as they were.
    // `step`, when given, is shown each change made on the way, in turn: the lines it took out
    // and those it put in, line for line when `inPlace`.
    using Step = std::function<void(const TextLines &out, const TextLines &in, bool inPlace)>;
    bool rewind(TextLines &lines, qint64 version, const Step &step = {});

private:
    struct Change {
        // A splice: lines `at` to `at + taken.size() - 1` became `put`. A relabel (`positions`
        // not empty): line positions[k] was `taken` line k and became `put` line k.
        qsizetype at = 0;
        QList<qsizetype> positions;
        TextLines taken;
        TextLines put;
    };
    // A point other than the first is where its change led from its parent.
    struct Point {
        qint64 parent = -1;
        qsizetype depth = 0;
        Change change;
    };
    const Point &point(qint64 version) const { return *m_points.constFind(version); }
    // Makes `change`, or takes it back; either whole or not at all.
    static void apply(TextLines &lines, const Change &change, bool forward);
    void record(TextLines &lines, Change change);

    QHash<qint64, Point> m_points{{0, Point()}};
    qint64 m_current = 0;
    qint64 m_next = 1; // the number of the next point made
};
