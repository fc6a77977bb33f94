// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/orderprinting.h"

#include "order/orderdocument.h"

#include "core/prompts.h"
#include "gui/application.h"
#include "gui/printdialogs.h"
#include "printing/envelopepage.h"
#include "printing/orderpage.h"
#include "printing/pagepainter.h"
#include "printing/pagesetupdialog.h"
#include "printing/printercalibration.h"

#include <QPrinter>

bool OrderPrinting::printOrder(const OrderPageInput &input) const
{
    const Result<QPrinter *> printer = PrintDialogs::printer();
    const bool printed = Application::succeeded(printer) &&
                         Application::succeeded(PagePainter::printPage(
                             **printer, OrderPage::build(input, m_document.paperType()),
                             OrderPage::jobTitle(input.record.number)));
    if (printed)
        m_document.recordSending(OrderLife::Channel::Printed);
    return printed;
}

void OrderPrinting::printEnvelope() const
{
    Prompts::information(QStringLiteral("Insérez une enveloppe dans l'imprimante"));
    const OrderRecord &shown = m_document.record();
    const Result<QPrinter *> printer = PrintDialogs::printer();
    if (Application::succeeded(printer))
        Application::succeeded(PagePainter::printPage(
            **printer, {EnvelopePage::build(m_document.company().details, shown.addressLines)},
            EnvelopePage::jobTitle(shown.addressLines)));
}

void OrderPrinting::choosePaper(PageSetupDialog &pageSetup)
{
    pageSetup.load(m_document.paperType());
    const QString printerName = PrintDialogs::printerName();
    pageSetup.loadCalibration(printerName, PrinterCalibration::offsets(printerName));
    pageSetup.exec();
    int value = -1;
    pageSetup.apply(value);
    if (value != -1)
        m_document.setPaperType(value);
    QPointF offsets;
    if (pageSetup.applyCalibration(offsets) && offsets != PrinterCalibration::offsets(printerName))
        PrinterCalibration::setOffsets(printerName, offsets);
}
