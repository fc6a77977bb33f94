// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/orderrecord.h"
#include "core/result.h"
#include "settings/settings.h"

#include <QList>
#include <QString>
#include <array>
#include <functional>
#include <optional>

// The four total texts of an order, shown in the order window and printed as they stand.
// An empty text is a total that cannot be worked out from the settings (see calculateOrder).
struct OrderTotals {
    QString beforeTax;      // "Total H.T."
    QString vat;            // "Total TVA"
    QString includingTax;   // "TOTAL TTC", main currency
    QString secondCurrency; // "TOTAL TTC", the other currency; empty with singleCurrency
    bool operator==(const OrderTotals &other) const = default;
};

// The figures behind an order's total texts, as the 6-byte form holds them, for what adds up
// orders (the purchase reports): the same figures the order window shows, before rounding.
struct OrderAmounts {
    // Per VAT group (codes 1, 2 and 3): the rows' amounts as typed (before tax, or including
    // it for a TTC order), the VAT in them, and the amounts before and including tax.
    std::array<Real, 3> lines{0, 0, 0};
    std::array<Real, 3> vat{0, 0, 0};
    std::array<Real, 3> beforeTax{0, 0, 0};
    std::array<Real, 3> includingTax{0, 0, 0};
    Real totalBeforeTax = 0;
    Real totalVat = 0;
    Real totalIncludingTax = 0;
    // False when the VAT and before-tax totals cannot be worked out (a TTC group at -100 %).
    bool vatKnown = true;
    // The total including tax in the other currency; none when it is not shown.
    std::optional<Real> secondCurrency;
    // For each row: its amount and VAT group (0 to 2), -1 when it counts in no group.
    struct Row {
        Real amount = 0;
        int group = -1;
    };
    QList<Row> rows;
};

namespace OrderCalc {

// The settings an order is worked out with: the rates and currencies it was first sent with,
// when it keeps them (the supplier holds those figures); `settings` otherwise. Every figure of
// an order, shown, printed or reported, comes from these.
Settings settingsFor(const OrderRecord &record, const Settings &settings);
// The rates and currencies of `settings` an order keeps from its first sending.
OrderLife::Rates ratesOf(const Settings &settings);

// Width in pixels of a text in the font of the grid (or of whatever the caller shows it in).
using TextWidth = std::function<int(const QString &)>;

// Puts spaces in front of the text until it is wider than width - 10 pixels: a grid cell has
// no alignment of its own, so these spaces right-align the numbers. A text already wider
// comes back as it is.
QString leftPadded(const QString &text, int width, const TextWidth &measure);

// Heading of the amount column (column 4) for the price mode.
QString amountHeading(bool includesVat);

// The line pass and the totals. `rows` are the grid rows 1 to 63 in order (index 0 is row 1);
// the quantity, unit price, amount and VAT code cells of every row that has a quantity are
// rewritten in place. Prices include tax when `includesVat` is set.
//
// A text that is not a number is no error here: the row keeps what the failed conversion
// left it. A result too large for the 6-byte form is the overflow failure; the rows before it
// keep their rewritten cells and no totals are produced.
//
// A euro rate of 0 leaves the second total empty. In TTC mode, a group with a rate of -100
// and a non-zero total leaves the VAT and before-tax totals empty.
Result<OrderTotals> calculateOrder(QList<OrderLine> &rows, bool includesVat,
                                   const Settings &settings, const TextWidth &measure);
// The two modes: unit prices before tax, the VAT added on each group's total; or prices
// including tax, the VAT taken out of each group's total.
Result<OrderTotals> calculateBeforeTax(QList<OrderLine> &rows, const Settings &settings,
                                       const TextWidth &measure);
Result<OrderTotals> calculateIncludingTax(QList<OrderLine> &rows, const Settings &settings,
                                          const TextWidth &measure);

// The figures calculateOrder shows as texts, by the same line pass and totals, over the first
// `count` rows (all of them when negative); no cell is rewritten.
Result<OrderAmounts> amounts(const QList<OrderLine> &rows, bool includesVat,
                             const Settings &settings, qsizetype count = -1);

// The cells of an order line the line pass reads, as views: what reads a whole book hands
// them without a string per cell.
struct LineCells {
    QStringView quantity;
    QStringView unitPrice;
    QStringView discountPercent;
    QStringView vatCode;
    static LineCells of(const OrderLine &line)
    {
        return {line.quantity, line.unitPrice, line.discountPercent, line.vatCode};
    }
};
// The same figures, over `count` rows whose cells `row` gives.
Result<OrderAmounts> amounts(qsizetype count, const std::function<LineCells(qsizetype)> &row,
                             bool includesVat, const Settings &settings);

// One row's amount of VAT group `group` (0 to 2) split as the group's total is: before tax,
// VAT and including tax. None when the VAT cannot be worked out or a figure overflows.
struct Split {
    Real beforeTax = 0;
    Real vat = 0;
    Real includingTax = 0;
};
std::optional<Split> splitRow(Real amount, int group, bool includesVat, const Settings &settings);

// An amount in the other currency, as the second total is worked out; none when the settings
// do not show it (singleCurrency, a euro rate of 0) or it overflows.
std::optional<Real> inSecondCurrency(Real amount, const Settings &settings);

} // namespace OrderCalc
