#pragma once

#include "core/orderrecord.h"
#include "core/result.h"
#include "settings/settings.h"

#include <QList>
#include <QString>
#include <functional>

// The four total texts of an order, shown in the order window and printed as they stand.
// An empty text is a total that cannot be worked out from the settings (see Calcule).
struct OrderTotals {
    QString BeforeTax;      // "Total H.T."
    QString Vat;            // "Total TVA"
    QString IncludingTax;   // "TOTAL TTC", main currency
    QString SecondCurrency; // "TOTAL TTC", the other currency; empty with SingleCurrency
    bool operator==(const OrderTotals &other) const = default;
};

namespace OrderCalc {

// Width in pixels of a text in the font of the grid (or of whatever the caller shows it in).
using TextWidth = std::function<int(const QString &)>;

// Puts spaces in front of the text until it is wider than width - 10 pixels: a grid cell has
// no alignment of its own, so these spaces right-align the numbers. A text already wider
// comes back as it is.
QString Rset(const QString &text, int width, const TextWidth &measure);

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
Result<OrderTotals> Calcule(QList<OrderLine> &rows, bool includesVat, const Settings &settings,
                            const TextWidth &measure);
// The two modes: unit prices before tax, the VAT added on each group's total; or prices
// including tax, the VAT taken out of each group's total.
Result<OrderTotals> CalculHT(QList<OrderLine> &rows, const Settings &settings,
                             const TextWidth &measure);
Result<OrderTotals> CalculTTC(QList<OrderLine> &rows, const Settings &settings,
                              const TextWidth &measure);

} // namespace OrderCalc
