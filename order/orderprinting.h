// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/orderpage.h"

class OrderDocument;
class PageSetupDialog;

// The order window's print commands: the order and the envelope on the printer, and the page
// set-up with the paper type and the printer's calibration. A printer that fails is reported.
class OrderPrinting {
public:
    explicit OrderPrinting(OrderDocument &document) : m_document(document) {}

    // Whether the order was printed.
    bool printOrder(const OrderPageInput &input) const;
    void printEnvelope() const;
    void choosePaper(PageSetupDialog &pageSetup);

private:
    OrderDocument &m_document;
};
