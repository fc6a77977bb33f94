// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/orderlist.h"

#include "order/orderformat.h"

#include <QHash>
#include <algorithm>

namespace OrderList {

namespace {

const QString Gap = QStringLiteral("  ");

QString lineAt(const TextLines &lines, qsizetype i)
{
    // A block cut short at the end of the file shows empty fields.
    return i >= 0 && i < lines.size() ? lines.at(i) : QString();
}

} // namespace

QString entryText(const TextLines &lines, qsizetype open)
{
    return lineAt(lines, open + 1).mid(3) + Gap + lineAt(lines, open + 2) + Gap +
           lineAt(lines, open + 3) + Gap + lineAt(lines, open + 5) + Gap + lineAt(lines, open + 6);
}

QList<BookJournal::Label> relabels(const TextLines &lines, const QList<int> &order)
{
    const int count = int(order.size());
    // Anything but a permutation would give two blocks the same index: one would be lost.
    QList<bool> seen(count, false);
    bool identity = true;
    for (int p = 0; p < count; ++p) {
        const int old = order.at(p);
        if (old < 0 || old >= count || seen.at(old))
            return {};
        seen[old] = true;
        identity = identity && old == p;
    }
    if (identity)
        return {};

    // One pass over the file: where each listed block opens, and where the closing labels of
    // the listed indexes stand, so that 10000 orders are renumbered without 10000 searches.
    const QHash<int, qsizetype> opens = OrderFormat::firstBlockPositions(lines);
    QList<QList<qsizetype>> closes(count);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int index = OrderFormat::blockEndIndex(lines.bytes(i));
        if (index >= 0 && index < count)
            closes[index].append(i);
    }

    struct Relabel {
        qsizetype open;
        qsizetype close; // -1: the block has no closing label
        int index;
    };
    QList<Relabel> changes;
    for (int p = 0; p < count; ++p) {
        const int old = order.at(p);
        if (old == p)
            continue;
        const auto open = opens.constFind(old);
        if (open == opens.constEnd())
            continue;
        // The block's closing label is the first one of its index after its opening label.
        const QList<qsizetype> &candidates = closes.at(old);
        const auto close = std::upper_bound(candidates.begin(), candidates.end(), open.value());
        changes.append({open.value(), close == candidates.end() ? -1 : *close, p});
    }
    // All positions are found before any label is rewritten: a rewritten label must not be
    // taken for the block of its new index.
    QList<BookJournal::Label> labels;
    labels.reserve(2 * changes.size());
    for (const Relabel &change : changes) {
        labels.append({change.open, OrderFormat::blockOpenLabel(change.index)});
        if (change.close >= 0)
            labels.append({change.close, OrderFormat::blockCloseLabel(change.index)});
    }
    return labels;
}

int newIndexOf(const QList<int> &order, int blockIndex)
{
    const qsizetype p = order.indexOf(blockIndex);
    return p < 0 ? blockIndex : int(p);
}

} // namespace OrderList
