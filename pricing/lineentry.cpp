// SPDX-License-Identifier: GPL-3.0-or-later
#include "pricing/lineentry.h"

#include "core/numbertext.h"
#include "core/real48.h"

#include <algorithm>

namespace LineEntry {

namespace {
const QString defaultVatCode = QStringLiteral("1");
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
    if (line.vatCode.isEmpty())
        line.vatCode = defaultVatCode;
    out.completed = true;
    out.column = 0;
    if (row > out.lastRow)
        out.lastRow = row;
    if (row < rows.size())
        out.row = row + 1;
    return out;
}

QString fullOrderNotice(int rowCount)
{
    return QStringLiteral("La commande est complète : %1 lignes au plus.").arg(rowCount);
}

QString editText(int column, const QString &text)
{
    switch (column) {
    case OrderLine::QuantityCell:
    case OrderLine::UnitPriceCell:
    case OrderLine::DiscountCell:
    case OrderLine::AmountCell:
        return NumberText::trimmed(text);
    default:
        return text;
    }
}

QString numberNotice(int column, const QString &text)
{
    QString name;
    switch (column) {
    case OrderLine::QuantityCell:
        name = QStringLiteral("Quantité");
        break;
    case OrderLine::UnitPriceCell:
        name = QStringLiteral("Prix unitaire");
        break;
    case OrderLine::DiscountCell:
        name = QStringLiteral("Remise");
        break;
    default:
        return QString();
    }
    const QString typed = NumberText::trimmed(text);
    if (typed.isEmpty())
        return QString();
    Real value = 0;
    if (!NumberText::tryToReal(typed, value))
        return name + QStringLiteral(" : « ") + typed + QStringLiteral(" » n'est pas un nombre");
    // The calculation cannot hold it either, and counts it as no number.
    if (!Real48::tryStore(value, value))
        return name + QStringLiteral(" : « ") + typed +
               QStringLiteral(" » est un nombre trop grand");
    return QString();
}

bool deleteLine(QList<OrderLine> &rows, int row, int &lastRow)
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
