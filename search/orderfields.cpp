// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/orderfields.h"

namespace OrderFields {

void cells(QByteArrayView text, QByteArrayView (&cells)[OrderLine::CellCount])
{
    constexpr int Last = OrderLine::CellCount - 1;
    qsizetype from = 0;
    int count = 0;
    for (; count < Last; ++count) {
        const qsizetype tab = text.indexOf('\t', from);
        if (tab < 0)
            break;
        cells[count] = text.sliced(from, tab - from);
        from = tab + 1;
    }
    for (int c = count; c < Last; ++c)
        cells[c] = QByteArrayView();
    cells[Last] = text.sliced(from);
}

QByteArrayView cell(QByteArrayView text, int cell)
{
    QByteArrayView parts[OrderLine::CellCount];
    cells(text, parts);
    return parts[cell];
}

} // namespace OrderFields
