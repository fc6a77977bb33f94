// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

// One row of an order's line grid: six texts, exactly as they stand in the grid's cells.
struct OrderLine {
    static constexpr int CellCount = 6;
    enum Cell { DesignationCell, QuantityCell, UnitPriceCell, DiscountCell, AmountCell, VatCell };

    QString Designation;
    QString Quantity;
    QString UnitPrice;
    QString DiscountPercent;
    QString Amount;
    QString VatCode;

    QString cell(int n) const;
    void setCell(int n, const QString &text);
    bool isEmpty() const;
    bool operator==(const OrderLine &other) const = default;
};

// One order decoded from its block.
struct OrderRecord {
    static constexpr int AddressLineCount = 4;

    int BlockIndex = 0;
    QString Number; // the order-number field's text: nine characters, unfilled ones spaces
    QDate Date;
    QString SupplierCode;
    QString PaymentTerms;
    std::array<QString, AddressLineCount> AddressLines;
    bool IncludesVat = false;
    QList<OrderLine> Lines;
    QStringList Memo;

    bool operator==(const OrderRecord &other) const = default;
};

// A place in an order as the order window shows it: a header field, an address line (1 to 4),
// a cell of an order line (row from 1, column 0 to 5) or a line of the note (from 1).
struct OrderPlace {
    enum Field { None, Number, Date, SupplierCode, PaymentTerms, Address, Cell, Note };
    Field field = None;
    int row = 0;
    int column = 0;
    bool operator==(const OrderPlace &other) const = default;
};
