// SPDX-License-Identifier: GPL-3.0-or-later
// The order window's printing commands: the order and the envelope on the printer, and the
// page set-up with the paper type and the printer's calibration.

#include "order/orderwindow.h"

#include "core/prompts.h"
#include "gui/application.h"
#include "gui/printdialogs.h"
#include "printing/envelopepage.h"
#include "printing/orderpage.h"
#include "printing/pagepainter.h"
#include "printing/pagesetupdialog.h"
#include "printing/printercalibration.h"

#include <QPrinter>

OrderPageInput OrderWindow::printedOrder()
{
    commitGridEditor();
    return m_document.printedOrder();
}

bool OrderWindow::printOrder()
{
    const OrderPageInput input = printedOrder();
    const Result<QPrinter *> printer = PrintDialogs::printer();
    const bool printed = Application::succeeded(printer) &&
                         Application::succeeded(PagePainter::printPage(
                             **printer, OrderPage::build(input, m_document.paperType()),
                             OrderPage::jobTitle(input.record.Number)));
    if (printed)
        m_document.recordSending(OrderLife::Channel::Printed);
    return printed;
}

void OrderWindow::printEnvelope()
{
    Prompts::information(QStringLiteral("Insérez une enveloppe dans l'imprimante"));
    const OrderRecord &shown = m_document.record();
    const Result<QPrinter *> printer = PrintDialogs::printer();
    if (Application::succeeded(printer))
        Application::succeeded(PagePainter::printPage(
            **printer, {EnvelopePage::build(company().CompanyLines, shown.AddressLines)},
            EnvelopePage::jobTitle(shown.AddressLines)));
}

void OrderWindow::choosePaper()
{
    PageSetupDialog &pageSetup = dialog(m_dialogs.pageSetup);
    pageSetup.Init(m_document.paperType());
    const QString printerName = PrintDialogs::printerName();
    pageSetup.InitCalibration(printerName, PrinterCalibration::offsets(printerName));
    pageSetup.exec();
    int value = -1;
    pageSetup.Result(value);
    if (value != -1)
        m_document.setPaperType(value);
    QPointF offsets;
    if (pageSetup.CalibrationResult(offsets) && offsets != PrinterCalibration::offsets(printerName))
        PrinterCalibration::setOffsets(printerName, offsets);
}
