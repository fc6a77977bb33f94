// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/reportcommands.h"

#include "gui/application.h"
#include "gui/csvexport.h"
#include "order/bookview.h"
#include "order/orderwindow.h"
#include "reports/purchasecsv.h"
#include "reports/purchasereportwindow.h"

#include <QFileInfo>

namespace ReportCommands {

void showStatistics(QWidget *parent, OrderWindow &order)
{
    order.writeBackOrder();
    // One window for the whole run: its chart is made once.
    auto *window = parent->findChild<PurchaseReportWindow *>();
    if (!window)
        window = new PurchaseReportWindow(parent);
    window->setBook(BookView::asSaved(order.document()));
    window->exec();
    if (window->chosenOrder() >= 0)
        Application::succeeded(order.document().showOrder(window->chosenOrder()));
}

void exportOrders(QWidget *parent, OrderWindow &order)
{
    order.writeBackOrder();
    const QString book = order.book().fileName();
    const QString name =
        book.isEmpty() ? QStringLiteral("Commandes") : QFileInfo(book).completeBaseName();
    const BookView source = BookView::asSaved(order.document());
    CsvExport::save(parent, QStringLiteral("Exporter les commandes en CSV"),
                    name + QStringLiteral(".csv"),
                    [&](CsvFile &csv) { PurchaseCsv::orderLines(source, 0, csv); });
}

} // namespace ReportCommands
