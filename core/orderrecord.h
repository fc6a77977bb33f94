// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/real48.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// One row of an order's line grid: six texts, exactly as they stand in the grid's cells.
struct OrderLine {
    static constexpr int CellCount = 6;
    enum Cell { DesignationCell, QuantityCell, UnitPriceCell, DiscountCell, AmountCell, VatCell };

    QString designation;
    QString quantity;
    QString unitPrice;
    QString discountPercent;
    QString amount;
    QString vatCode;

    QString cell(int n) const;
    void setCell(int n, const QString &text);
    bool isEmpty() const;
    bool operator==(const OrderLine &other) const = default;
};

// What became of an order once typed: its sendings, the delivery expected, the goods
// received, whether it was settled or cancelled. Empty for an order never sent nor received.
struct OrderLife {
    enum class Channel { Printed, Pdf, Email, Other };
    struct Sending {
        QDate date;
        Channel channel = Channel::Other;
        bool operator==(const Sending &other) const = default;
    };
    struct Received {
        int row = 0;      // order line, from 1
        QString quantity; // as typed, decimal comma
        bool operator==(const Received &other) const = default;
    };
    struct Reception {
        QDate date;
        QList<Received> quantities;
        bool operator==(const Reception &other) const = default;
    };
    enum class Closing { Open, Settled, Cancelled };
    // What the order was worked out with when first sent: the supplier got these figures, so
    // a later change of the settings does not reach them.
    struct Rates {
        Real euroRate = 0;
        std::array<Real, 3> vatRates{0, 0, 0};
        bool euros = false;          // the amounts are in euros
        bool singleCurrency = false; // no total in the other currency
        bool operator==(const Rates &other) const = default;
    };

    QList<Sending> sendings; // oldest first
    QDate expected;          // "Livraison prévue"; null when none
    QList<Reception> receptions;
    Closing closing = Closing::Open;
    QDate closedOn;
    QDate changedAfterSending; // set by the first change after the last sending
    std::optional<Rates> rates;

    bool isEmpty() const { return *this == OrderLife(); }
    bool wasSent() const { return !sendings.isEmpty(); }
    // Order line `row` was deleted: what was received for the lines below it follows them up.
    void lineRemoved(int row);
    bool operator==(const OrderLife &other) const = default;
};

// One order decoded from its block.
struct OrderRecord {
    static constexpr int AddressLineCount = 4;

    int blockIndex = 0;
    QString number; // the order-number field's text: nine characters, unfilled ones spaces
    QDate date;
    QString supplierCode;
    QString paymentTerms;
    std::array<QString, AddressLineCount> addressLines;
    bool includesVat = false;
    QList<OrderLine> lines;
    QStringList note;
    OrderLife life;

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
