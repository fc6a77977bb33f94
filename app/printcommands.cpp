// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/printcommands.h"

#include "core/prompts.h"
#include "gui/application.h"
#include "gui/filedialogs.h"
#include "gui/printdialogs.h"
#include "order/orderwindow.h"
#include "printing/ordermail.h"
#include "printing/orderpage.h"
#include "printing/pagepainter.h"

#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QPaintEngine>
#include <QPointer>
#include <QPrinter>

namespace PrintCommands {

namespace {

struct Page {
    OrderPageInput input;
    Pages pages;
    QString title;
};

Page currentPage(OrderWindow &order)
{
    Page page;
    page.input = order.printedOrder();
    page.pages = OrderPage::build(page.input, order.document().paperType());
    page.title = OrderPage::jobTitle(page.input.record.number);
    return page;
}

} // namespace

void preview(QWidget *parent, OrderWindow &order)
{
    const Page page = currentPage(order);
    PrintDialogs::preview(parent, [&page](QPrinter *printer) {
        // The preview draws into pictures of its own; its print button hands over the printer
        // itself, with every check of a real print.
        if (printer->paintEngine()->type() == QPaintEngine::Picture) {
            PagePainter::previewPage(*printer, page.pages);
            return;
        }
        Application::run([&] {
            const Status printed = PagePainter::printPage(*printer, page.pages, page.title);
            if (!printed)
                Application::report(printed.failure());
        });
    });
}

void exportPdf(QWidget *parent, OrderWindow &order)
{
    const Page page = currentPage(order);
    // A failed write offers another name, until one is written or the dialog is cancelled.
    for (QString name = OrderMail::pdfFileName(page.input.record.number);;) {
        const QString fileName = FileDialogs::getNewFileName(
            parent, QStringLiteral("Exporter en PDF"), name,
            QStringLiteral("Documents PDF (*.pdf)"), QStringLiteral(".pdf"));
        if (fileName.isEmpty())
            return;
        const Status exported = PagePainter::exportPdf(fileName, page.pages, page.title,
                                                       PrintDialogs::exportPageSize());
        if (exported) {
            order.document().recordSending(OrderLife::Channel::Pdf);
            return;
        }
        if (!Application::reportOfferingSaveAs(exported.failure()))
            return;
        name = fileName;
    }
}

void mail(OrderWindow &order)
{
    const Page page = currentPage(order);
    const QString &number = page.input.record.number;
    QString fileName;
    Status exported = Failure(QStringLiteral("L'envoi a échoué : aucun dossier où enregistrer "
                                             "le bon de commande."));
    const QString &book = order.book().fileName();
    for (const QString &folder : OrderMail::pdfFolders(book)) {
        // A documents folder may not be made yet; a book's folder that is gone stays gone.
        if (book.isEmpty() || folder != QFileInfo(book).absolutePath())
            QDir().mkpath(folder);
        fileName = QDir(folder).filePath(OrderMail::pdfFileName(number));
        exported = PagePainter::exportPdf(fileName, page.pages, page.title,
                                          PrintDialogs::exportPageSize());
        if (exported)
            break;
    }
    if (!exported) {
        Application::report(exported.failure());
        return;
    }
    const QString kept = QStringLiteral("Le bon de commande a été enregistré dans « ") +
                         QDir::toNativeSeparators(fileName) +
                         QStringLiteral(" » : joignez-le à votre message");
    // The mail program may answer later: the order is marked sent only if still on screen.
    const QPointer<OrderWindow> window(&order);
    const int block = page.input.record.blockIndex;
    OrderMail::send(OrderMail::forOrder(number, page.input.record.addressLines, fileName),
                    [kept, window, block](Platform::MailOutcome outcome, const QString &reason) {
                        switch (outcome) {
                        case Platform::MailOutcome::Taken:
                            if (window && window->document().record().blockIndex == block)
                                window->document().recordSending(OrderLife::Channel::Email);
                            break;
                        case Platform::MailOutcome::NoMailProgram:
                            Prompts::information(
                                QStringLiteral("Aucun programme de messagerie n'est disponible. ") +
                                kept + QStringLiteral(" ou utilisez « Exporter en PDF... »."));
                            break;
                        case Platform::MailOutcome::Failed:
                            Application::report(
                                Failure(QStringLiteral("L'envoi par e-mail a échoué : ") + reason +
                                        QStringLiteral(". ") + kept + QLatin1Char('.')));
                            break;
                        }
                    });
}

} // namespace PrintCommands
