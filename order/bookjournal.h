// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/textlines.h"

#include <QList>

// The changes made to an order book's lines since it was opened, oldest first, so that the
// book can be put back byte for byte as it stood at any point of them: undo and redo. Each
// change keeps only the lines it took out and put in, never the whole book, so that an edit of
// the largest book costs what the edit costs.
//
// Every change of the lines goes through the journal. Going back to an earlier point is
// itself recorded as changes, so that every point stays reachable: the points form one line,
// whatever was undone and done again.
class BookJournal {
public:
    // Changes recorded since the lines were last replaced as a whole: the point they stand at.
    qint64 version() const { return m_first + m_changes.size(); }
    // The lines were replaced as a whole (opened, new, repaired): no earlier point is kept.
    void reset();
    // Forgets the changes before `version`: nothing will go back past it.
    void forgetBefore(qint64 version);

    // `count` lines from `at` on are replaced by `inserted`.
    void splice(TextLines &lines, qsizetype at, qsizetype count, const TextLines &inserted);
    // A line rewritten in place: a block's label given another index.
    struct Label {
        qsizetype position;
        QString text;
    };
    void relabel(TextLines &lines, const QList<Label> &labels);
    // Puts `lines` back as they stood at `version`; false when that point was forgotten.
    bool rewind(TextLines &lines, qint64 version);

private:
    struct Change {
        // A splice: lines `at` to `at + taken.size() - 1` became `put`. A relabel (`positions`
        // not empty): line positions[k] was `taken` line k and became `put` line k.
        qsizetype at = 0;
        QList<qsizetype> positions;
        TextLines taken;
        TextLines put;

        Change reversed() const { return {at, positions, put, taken}; }
    };
    static void apply(TextLines &lines, const Change &change);
    void record(TextLines &lines, Change change);

    QList<Change> m_changes;
    qint64 m_first = 0; // the version before m_changes.first()
};
