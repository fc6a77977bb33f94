// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/orderrecord.h"
#include "pricing/ordercalc.h"
#include "printing/pageitem.h"
#include "suppliers/company.h"

// Everything the printed order shows, taken from the order window as it stands.
struct OrderPageInput {
    OrderRecord record; // as shown, edits not yet written back included
    int lastRow = 0;    // grid rows 1..lastRow are printed
    OrderTotals totals; // the display texts, printed as they are
    QString mainCurrency;
    QString secondCurrency; // empty when only one currency is shown
    CompanyDetails companyLines;
};

// The printed order as drawing steps, in three layers: the frame with its headings, the
// company letterhead and the order's data. Which layers are drawn depends on the paper.
//
// An order longer than a page goes on over further pages, each a whole sheet with the frame,
// the letterhead and what identifies the order: 28 rows a page (105 to 240, above the totals
// band), the note after the last row (ending at 215 when there is room above it), the totals
// and the terms of payment once, on the last page; the pages before it say "Suite page
// suivante" in the totals band, and every page of a longer order carries its number.
namespace OrderPage {

enum PaperKind { PlainPaper = 0, Letterhead = 1, PreprintedForm = 2 };

constexpr int RowsPerPage = 28;

PageItems formItems(bool includesVat); // frame and fixed headings
PageItems letterheadItems(const CompanyDetails &companyLines);

// A designation as a row at `y` prints it: within its column.
PageItem designation(int y, const QString &text);

// Plain paper gets all three layers, letterhead the frame and the data, a pre-printed form
// (or any other value) the data only; on every page.
Pages build(const OrderPageInput &input, int paperType);

// The name of the print job, as the queue and the desktop's print manager show it.
QString jobTitle(const QString &number);

} // namespace OrderPage
