// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What loading or editing a book must never do, checked from the lines before and after, with
// a reading of blocks of its own: a block is whole when its opening label is followed by lines
// none of which looks like a label, then by its own closing label.

#include <QHash>
#include <QStringList>

namespace BookRule {

// The index of "<BLOC" + four digits + ">" in any letter case, or -1.
inline int openingIndex(const QString &line)
{
    if (line.size() != 10 || !line.startsWith(QLatin1String("<BLOC"), Qt::CaseInsensitive) ||
        line.at(9) != QLatin1Char('>'))
        return -1;
    int index = 0;
    for (const QChar c : line.mid(5, 4)) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        index = index * 10 + c.digitValue();
    }
    return index;
}

struct WholeBlock {
    int index;
    QString content; // the lines between the labels, joined by LF (no line holds one)
};

inline QList<WholeBlock> wholeBlocks(const QStringList &lines)
{
    QList<WholeBlock> found;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int index = openingIndex(lines.at(i));
        if (index < 0)
            continue;
        const QString close = QStringLiteral("</BLOC") + lines.at(i).mid(5, 4) + QLatin1Char('>');
        for (qsizetype j = i + 1; j < lines.size(); ++j) {
            const QString &line = lines.at(j);
            if (line.compare(close, Qt::CaseInsensitive) == 0) {
                found.append({index, lines.mid(i + 1, j - i - 1).join('\n')});
                i = j;
                break;
            }
            if (line.startsWith(QLatin1String("<BLOC"), Qt::CaseInsensitive) ||
                line.startsWith(QLatin1String("</BLOC"), Qt::CaseInsensitive))
                break;
        }
    }
    return found;
}

// Empty when every whole block of `before` (but those of index `skipped`) is whole in `after`
// with the same lines, and no index opens two blocks in `after`; otherwise what went wrong.
inline QString check(const QStringList &before, const QStringList &after, int skipped = -1)
{
    QHash<QString, int> present;
    for (const WholeBlock &block : wholeBlocks(after))
        ++present[block.content];
    for (const WholeBlock &block : wholeBlocks(before))
        if (block.index != skipped && !present.contains(block.content))
            return QStringLiteral("order %1 was lost").arg(block.index);

    QHash<int, int> opened;
    for (const QString &line : after) {
        const int index = openingIndex(line);
        if (index >= 0 && ++opened[index] > 1)
            return QStringLiteral("index %1 opens two blocks").arg(index);
    }
    return QString();
}

} // namespace BookRule
