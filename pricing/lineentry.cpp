// SPDX-License-Identifier: GPL-3.0-or-later
#include "pricing/lineentry.h"

#include <algorithm>

namespace LineEntry {

namespace {
const QString DefaultVatCode = QStringLiteral("1");
}

QChar filterGridKey(int column, QChar key)
{
    if (column > OrderLine::DesignationCell && key == QLatin1Char('.'))
        return QLatin1Char(',');
    return key;
}

EnterOutcome completeLine(int column, int row, QList<OrderLine> &rows, int lastRow)
{
    EnterOutcome out{false, lastRow, row, column};
    if (column < OrderLine::UnitPriceCell || row < 1 || row > rows.size())
        return out;
    OrderLine &line = rows[row - 1];
    if (line.VatCode.isEmpty())
        line.VatCode = DefaultVatCode;
    out.completed = true;
    out.column = 0;
    if (row > out.lastRow)
        out.lastRow = row;
    if (out.lastRow < AutoAdvanceRows && row < rows.size())
        out.row = row + 1;
    return out;
}

bool SupLigne(QList<OrderLine> &rows, int row, int &lastRow)
{
    if (row < 1 || row > lastRow || row > rows.size())
        return false;
    // Rows past the end of the grid count as empty.
    const int last = std::min<int>(lastRow, rows.size());
    for (int k = row; k < last; ++k)
        rows[k - 1] = rows[k];
    rows[last - 1] = OrderLine();
    --lastRow;
    return true;
}

bool memoAcceptsEnter(int lineCount)
{
    return lineCount <= 4;
}

} // namespace LineEntry
