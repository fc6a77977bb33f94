#include "app/printcommands.h"

#include "core/prompts.h"
#include "gui/application.h"
#include "gui/filedialogs.h"
#include "gui/printdialogs.h"
#include "order/tcommande.h"
#include "printing/ordermail.h"
#include "printing/orderpage.h"
#include "printing/pagepainter.h"

#include <QDir>
#include <QFile>
#include <QPageSize>
#include <QPaintEngine>
#include <QPrinter>
#include <QTemporaryDir>

namespace PrintCommands {

namespace {

struct Page {
    OrderPageInput input;
    Pages pages;
    QString title;
};

Page currentPage(TCommande &order)
{
    Page page;
    page.input = order.printedOrder();
    page.pages = OrderPage::build(page.input, order.document().PaperType);
    page.title = OrderPage::jobTitle(page.input.record.Number);
    return page;
}

} // namespace

void preview(QWidget *parent, TCommande &order)
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

void exportPdf(QWidget *parent, TCommande &order)
{
    const Page page = currentPage(order);
    QString fileName = FileDialogs::getSaveFileName(
        parent, QStringLiteral("Exporter en PDF"), OrderMail::pdfFileName(page.input.record.Number),
        QStringLiteral("Documents PDF (*.pdf)"));
    if (fileName.isEmpty())
        return;
    if (!fileName.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        fileName += QStringLiteral(".pdf");
    if (QFile::exists(fileName) &&
        Prompts::warning(QStringLiteral("Ce fichier existe déjà"), Prompts::Buttons::OkCancel) !=
            Prompts::Answer::Ok)
        return;
    const Status exported =
        PagePainter::exportPdf(fileName, page.pages, page.title, PrintDialogs::exportPageSize());
    if (!exported)
        Application::report(exported.failure());
}

void mail(TCommande &order)
{
    const Page page = currentPage(order);
    // The mail program reads the attachment after this command ends: the folder lasts as long
    // as the program.
    // No blank in its path: some mail programs take the attachment as a URL.
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/qorcommande-XXXXXX"));
    if (!folder.isValid()) {
        Application::report(Failure(QStringLiteral("L'envoi a échoué : impossible de créer un "
                                                   "dossier temporaire pour le bon de commande.")));
        return;
    }
    const QString &number = page.input.record.Number;
    const QString fileName = folder.filePath(OrderMail::pdfFileName(number));
    const Status exported =
        PagePainter::exportPdf(fileName, page.pages, page.title, PrintDialogs::exportPageSize());
    if (!exported) {
        Application::report(exported.failure());
        return;
    }
    if (!OrderMail::send(OrderMail::forOrder(number, page.input.record.AddressLines, fileName)))
        Prompts::information(
            QStringLiteral("Aucun programme de messagerie n'est disponible. Le bon de "
                           "commande a été enregistré dans « ") +
            fileName +
            QStringLiteral(" » : joignez-le à votre message ou utilisez "
                           "« Exporter en PDF... »."));
}

} // namespace PrintCommands
