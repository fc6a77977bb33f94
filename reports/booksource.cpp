// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/booksource.h"

#include "order/orderdocument.h"
#include "order/orderformat.h"

#include <algorithm>

BookSource BookSource::of(const OrderDocument &document)
{
    return BookSource(document.snapshot());
}

void BookSource::forEachBlock(
    const std::function<void(int index, Digest digest, const Decode &decode)> &visit) const
{
    const QHash<int, qsizetype> positions = OrderFormat::firstBlockPositions(m_lines);
    QList<int> indexes = positions.keys();
    std::sort(indexes.begin(), indexes.end());
    for (const int index : indexes) {
        const qsizetype open = positions.value(index);
        const qsizetype end = OrderFormat::blockEnd(m_lines, open);
        // Two digests of different seeds: blocks taken for one another would show wrong
        // figures without a word.
        Digest digest{0, 0};
        for (qsizetype i = open + 1; i < end; ++i) {
            const QByteArrayView line = m_lines.bytes(i);
            if (OrderFormat::blockEndIndex(line) >= 0)
                continue;
            digest.first = qHashMulti(digest.first, qHash(line, 0x51ed270b));
            digest.second = qHashMulti(digest.second, qHash(line, 0x2545f491), i - open);
        }
        visit(index, digest, [this, open, index] {
            Order order;
            // Every field is decoded from the block: none is left to a new order's defaults.
            (void)OrderFormat::decodeAt(m_lines, open, index, order.record, nullptr, 0,
                                        &order.unreadDate);
            return order;
        });
    }
}

void BookSource::forEachOrder(const std::function<void(const Order &order)> &visit) const
{
    forEachBlock([&visit](int, Digest, const Decode &decode) { visit(decode()); });
}
