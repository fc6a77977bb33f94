#include "reports/booksource.h"

#include "order/orderbook.h"
#include "order/orderformat.h"

#include <algorithm>

BookSource BookSource::of(const OrderBook &book)
{
    return BookSource(book.snapshot());
}

void BookSource::forEachOrder(const std::function<void(const Order &order)> &visit) const
{
    const QHash<int, qsizetype> positions = OrderFormat::firstBlockPositions(m_lines);
    QList<int> indexes = positions.keys();
    std::sort(indexes.begin(), indexes.end());
    Order order;
    for (const int index : indexes) {
        order.record = OrderRecord();
        order.unreadDate.clear();
        // Every field is decoded from the block: none is left to a new order's defaults.
        (void)OrderFormat::decodeAt(m_lines, positions.value(index), index, order.record, nullptr,
                                    0, &order.unreadDate);
        visit(order);
    }
}
