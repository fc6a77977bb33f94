// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/orderrepair.h"

#include "order/orderformat.h"

#include <QHash>
#include <QMultiHash>
#include <algorithm>

namespace OrderRepair {

namespace {

using OrderFormat::MaxOrders;

// A line that counts as a label (it begins like one), or that a reader would take for a
// closing label whatever its letter case. Anywhere but as a block's own label it is stray.
bool isLabelLike(QByteArrayView line)
{
    if (OrderFormat::isOpenLabel(line) || OrderFormat::isCloseLabel(line))
        return true;
    if (line.size() != 11 || line.at(0) != '<' || line.at(1) != '/')
        return false;
    // "</bloc0007>" read as an opening label without its slash
    char open[10];
    open[0] = '<';
    std::copy(line.begin() + 2, line.end(), open + 1);
    return OrderFormat::blockStartIndex(QByteArrayView(open, 10)) >= 0;
}

// True for a line of spaces and controls only (NumberText::trimmed() gives nothing).
bool isBlank(QByteArrayView line)
{
    return std::all_of(line.begin(), line.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

// The lines between a block's labels. The blank lines that trail a block cut short stood
// between it and the next block: they are not its own.
struct Content {
    qsizetype first;
    qsizetype last; // one past
    qsizetype size() const { return last - first; }
};

Content contentOf(const TextLines &lines, const Block &block)
{
    Content c{block.open + 1, block.closed ? block.end - 1 : block.end};
    if (!block.closed)
        while (c.last > c.first && isBlank(lines.bytes(c.last - 1)))
            --c.last;
    return c;
}

size_t hashOf(const TextLines &lines, const Content &c)
{
    size_t h = qHash(c.size());
    for (qsizetype i = c.first; i < c.last; ++i)
        h = qHash(lines.bytes(i), h);
    return h;
}

// True when the lines of `head` are the first lines of `whole` (all of them when `exact`).
bool beginsWith(const TextLines &lines, const Content &whole, const Content &head, bool exact)
{
    if (head.size() > whole.size() || (exact && head.size() != whole.size()))
        return false;
    for (qsizetype k = 0; k < head.size(); ++k)
        if (!lines.sameLine(whole.first + k, head.first + k))
            return false;
    return true;
}

struct Fate {
    int index;    // the index the block ends with
    bool dropped; // a copy of a block that stays
};

// Decides, for every block, whether it stays under its own index, goes as a copy, or takes a
// free index; `changed` tells whether any block does not simply stay.
QList<Fate> plan(const TextLines &lines, const QList<Block> &found, bool &changed)
{
    changed = false;
    QList<Fate> fates;
    fates.reserve(found.size());
    QHash<int, QList<int>> groups;
    bool shared = false;
    for (int n = 0; n < found.size(); ++n) {
        fates.append({found.at(n).index, false});
        QList<int> &group = groups[found.at(n).index];
        group.append(n);
        shared = shared || group.size() > 1;
    }
    if (!shared)
        return fates;

    QList<bool> used(MaxOrders, false);
    QList<int> sharedIndexes;
    for (auto it = groups.cbegin(); it != groups.cend(); ++it) {
        used[it.key()] = true;
        if (it->size() > 1)
            sharedIndexes.append(it.key());
    }
    std::sort(sharedIndexes.begin(), sharedIndexes.end());
    int nextFree = 0;
    for (const int k : sharedIndexes) {
        const auto group = groups.constFind(k);
        // The last whole copy is the latest state of the order: it keeps the index.
        int keeper = group->last();
        for (auto n = group->crbegin(); n != group->crend(); ++n)
            if (found.at(*n).closed) {
                keeper = *n;
                break;
            }
        const Content keeperContent = contentOf(lines, found.at(keeper));
        QMultiHash<size_t, int> kept;
        kept.insert(hashOf(lines, keeperContent), keeper);
        // Whole copies first: of a whole copy and one cut short with the same lines, the whole
        // one stays.
        QList<int> copies = *group;
        std::stable_partition(copies.begin(), copies.end(),
                              [&found](int n) { return found.at(n).closed; });
        for (const int n : std::as_const(copies)) {
            if (n == keeper)
                continue;
            const Content content = contentOf(lines, found.at(n));
            const size_t hash = hashOf(lines, content);
            // A block cut short that only repeats the start of the kept copy adds nothing.
            bool copy = !found.at(n).closed && beginsWith(lines, keeperContent, content, false);
            for (auto same = kept.constFind(hash);
                 !copy && same != kept.cend() && same.key() == hash; ++same)
                copy = beginsWith(lines, contentOf(lines, found.at(*same)), content, true);
            if (copy) {
                fates[n].dropped = true;
                changed = true;
                continue;
            }
            kept.insert(hash, n);
            while (nextFree < MaxOrders && used.at(nextFree))
                ++nextFree;
            if (nextFree == MaxOrders)
                continue; // every index is taken: the block stays as it is, not lost
            used[nextFree] = true;
            fates[n].index = nextFree;
            changed = true;
        }
    }
    return fates;
}

} // namespace

QList<Block> blocks(const TextLines &lines)
{
    QList<Block> found;
    qsizetype i = 0;
    while (i < lines.size()) {
        const int index = OrderFormat::blockStartIndex(lines.bytes(i));
        if (index < 0) {
            ++i;
            continue;
        }
        Block block;
        block.open = i;
        block.index = index;
        block.end = OrderFormat::blockEnd(lines, i, &block.closed);
        found.append(block);
        i = block.end;
    }
    return found;
}

bool isDamaged(const TextLines &lines)
{
    // Sound: every line that looks like a label is, as written, a label of a closed block.
    qsizetype labels = 0;
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (isLabelLike(lines.bytes(i)))
            ++labels;
    const QList<Block> found = blocks(lines);
    for (const Block &block : found)
        if (!block.closed ||
            lines.bytes(block.open) != OrderFormat::blockOpenLabel(block.index).toLatin1() ||
            lines.bytes(block.end - 1) != OrderFormat::blockCloseLabel(block.index).toLatin1())
            return true;
    return labels != 2 * found.size();
}

TextLines repaired(const TextLines &lines)
{
    const QList<Block> found = blocks(lines);
    bool changed = false;
    const QList<Fate> fates = plan(lines, found, changed);

    // Blocks by their final index, in file order within one index: a counting sort over the
    // indexes in use.
    int lowest = MaxOrders;
    int highest = -1;
    for (const Fate &fate : fates) {
        lowest = qMin(lowest, fate.index);
        highest = qMax(highest, fate.index);
    }
    QList<int> starts(qMax(0, highest - lowest + 2), 0);
    for (const Fate &fate : fates)
        if (!fate.dropped)
            ++starts[fate.index - lowest + 1];
    for (qsizetype k = 1; k < starts.size(); ++k)
        starts[k] += starts[k - 1];
    QList<int> sorted(starts.isEmpty() ? 0 : starts.last());
    for (int n = 0; n < found.size(); ++n)
        if (!fates.at(n).dropped)
            sorted[starts[fates.at(n).index - lowest]++] = n;

    TextLines result;
    result.reserve(lines.size() + sorted.size(), lines.textSize());
    for (const int n : sorted) {
        const Content content = contentOf(lines, found.at(n));
        result.append(OrderFormat::blockOpenLabel(fates.at(n).index));
        for (qsizetype i = content.first; i < content.last; ++i)
            if (!isLabelLike(lines.bytes(i)))
                result.appendLine(lines, i);
        result.append(OrderFormat::blockCloseLabel(fates.at(n).index));
    }
    return result;
}

bool mergeDuplicates(TextLines &lines)
{
    const QList<Block> found = blocks(lines);
    bool changed = false;
    const QList<Fate> fates = plan(lines, found, changed);
    if (!changed)
        return false;

    TextLines result;
    result.reserve(lines.size(), lines.textSize());
    qsizetype i = 0;
    for (int n = 0; n < found.size(); ++n) {
        const Block &block = found.at(n);
        for (; i < block.open; ++i)
            result.appendLine(lines, i);
        i = block.end;
        const Fate &fate = fates.at(n);
        if (fate.dropped)
            continue;
        if (fate.index == block.index) {
            for (qsizetype k = block.open; k < block.end; ++k)
                result.appendLine(lines, k);
            continue;
        }
        result.append(OrderFormat::blockOpenLabel(fate.index));
        for (qsizetype k = block.open + 1; k < (block.closed ? block.end - 1 : block.end); ++k)
            result.appendLine(lines, k);
        if (block.closed)
            result.append(OrderFormat::blockCloseLabel(fate.index));
    }
    for (; i < lines.size(); ++i)
        result.appendLine(lines, i);
    lines = std::move(result);
    return true;
}

int closeGaps(TextLines &lines)
{
    // Most books have no gap: one pass over the first bytes of the lines tells.
    QList<bool> used(MaxOrders, false);
    int count = 0;
    int highest = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int index = OrderFormat::blockStartIndex(lines.bytes(i));
        if (index < 0 || used.at(index))
            continue;
        used[index] = true;
        ++count;
        highest = qMax(highest, index);
    }
    if (count == highest + 1)
        return count;

    QList<int> newIndex(MaxOrders, -1);
    for (int k = 0, next = 0; k <= highest; ++k)
        if (used.at(k))
            newIndex[k] = next++;
    for (const Block &block : blocks(lines)) {
        const int index = newIndex.at(block.index);
        if (index == block.index)
            continue;
        lines.replace(block.open, OrderFormat::blockOpenLabel(index));
        if (block.closed)
            lines.replace(block.end - 1, OrderFormat::blockCloseLabel(index));
    }
    return count;
}

} // namespace OrderRepair
