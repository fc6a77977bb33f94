// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/orderrecord.h"

QString OrderLine::cell(int n) const
{
    switch (n) {
    case DesignationCell:
        return designation;
    case QuantityCell:
        return quantity;
    case UnitPriceCell:
        return unitPrice;
    case DiscountCell:
        return discountPercent;
    case AmountCell:
        return amount;
    case VatCell:
        return vatCode;
    }
    return QString();
}

void OrderLine::setCell(int n, const QString &text)
{
    switch (n) {
    case DesignationCell:
        designation = text;
        break;
    case QuantityCell:
        quantity = text;
        break;
    case UnitPriceCell:
        unitPrice = text;
        break;
    case DiscountCell:
        discountPercent = text;
        break;
    case AmountCell:
        amount = text;
        break;
    case VatCell:
        vatCode = text;
        break;
    }
}

bool OrderLine::isEmpty() const
{
    return designation.isEmpty() && quantity.isEmpty() && unitPrice.isEmpty() &&
           discountPercent.isEmpty() && amount.isEmpty() && vatCode.isEmpty();
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
