// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/csvfile.h"
#include "settings/settings.h"

class BookView;
class QAbstractItemModel;

// What the reports hand the accountant as CSV.
namespace PurchaseCsv {

// One row per order line of the orders of `year` (0: every order), cancelled ones included, the
// order's fields repeated on each, with the amounts of the line before tax, of VAT and
// including tax, worked out as the order window works out its totals, and the order's state
// last; an order without lines gives one row of its fields. A heading row first, with the
// units.
void orderLines(const BookView &source, int year, CsvFile &csv);

// The table a report's model shows: its export headings, then its rows, amounts as numbers.
void table(const QAbstractItemModel &model, CsvFile &csv);

} // namespace PurchaseCsv
