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
namespace OrderPage {

enum PaperKind { PlainPaper = 0, Letterhead = 1, PreprintedForm = 2 };

PageItems Dessin(bool includesVat); // frame and fixed headings
PageItems EnTete(const CompanyDetails &companyLines);
PageItems ImpCmd(const OrderPageInput &input);

// Plain paper gets all three layers, letterhead the frame and the data, a pre-printed form
// (or any other value) the data only.
PageItems build(const OrderPageInput &input, int paperType);

// The name of the print job, as the queue and the desktop's print manager show it.
QString jobTitle(const QString &number);

} // namespace OrderPage
