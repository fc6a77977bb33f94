// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/orderrecord.h"

QString OrderLine::cell(int n) const
{
    switch (n) {
    case DesignationCell:
        return Designation;
    case QuantityCell:
        return Quantity;
    case UnitPriceCell:
        return UnitPrice;
    case DiscountCell:
        return DiscountPercent;
    case AmountCell:
        return Amount;
    case VatCell:
        return VatCode;
    }
    return QString();
}

void OrderLine::setCell(int n, const QString &text)
{
    switch (n) {
    case DesignationCell:
        Designation = text;
        break;
    case QuantityCell:
        Quantity = text;
        break;
    case UnitPriceCell:
        UnitPrice = text;
        break;
    case DiscountCell:
        DiscountPercent = text;
        break;
    case AmountCell:
        Amount = text;
        break;
    case VatCell:
        VatCode = text;
        break;
    }
}

bool OrderLine::isEmpty() const
{
    return Designation.isEmpty() && Quantity.isEmpty() && UnitPrice.isEmpty() &&
           DiscountPercent.isEmpty() && Amount.isEmpty() && VatCode.isEmpty();
}

void OrderLife::lineRemoved(int row)
{
    for (Reception &reception : receptions) {
        QList<Received> kept;
        for (Received received : reception.quantities) {
            if (received.row == row)
                continue;
            if (received.row > row)
                --received.row;
            kept.append(received);
        }
        reception.quantities = kept;
    }
}
