// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's menus and tool bar: every command, what it runs, and when it is enabled.
#include "app/mainwindow.h"

#include "app/bookfilecommands.h"
#include "app/printcommands.h"
#include "app/reportcommands.h"
#include "app/searchcommands.h"
#include "gui/application.h"
#include "gui/printdialogs.h"
#include "gui/toolicons.h"
#include "order/orderhistory.h"
#include "order/orderwindow.h"
#include "utilities/aboutbox.h"
#include "utilities/calendarwindow.h"
#include "utilities/clockwindow.h"
#include "utilities/euroconverterwindow.h"
#include "utilities/helpwindow.h"
#include "utilities/pocketcalculatorwindow.h"

#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

QAction *MainWindow::action(const char *name, const QString &text, const QString &hint,
                            void (MainWindow::*slot)())
{
    auto *a = new QAction(text, this);
    a->setObjectName(QString::fromLatin1(name));
    a->setStatusTip(hint);
    if (slot)
        connect(a, &QAction::triggered, this,
                [this, slot] { Application::run([&] { (this->*slot)(); }); });
    return a;
}

QAction *MainWindow::orderAction(const char *name, const QString &text, const QString &hint,
                                 void (OrderWindow::*command)())
{
    QAction *a = action(name, text, hint, nullptr);
    connect(a, &QAction::triggered, this,
            [this, command] { Application::run([&] { (m_commande->*command)(); }); });
    return a;
}

void MainWindow::createActions()
{
    FileNewItem = action("FileNewItem", QStringLiteral("&Nouveau"),
                         QStringLiteral("Créer un nouveau fichier"), nullptr);
    connect(FileNewItem, &QAction::triggered, this,
            [this] { Application::run([this] { m_files->newBook(); }); });
    FileOpenItem = action("FileOpenItem", QStringLiteral("&Ouvrir..."),
                          QStringLiteral("Ouvrir un fichier existant"), nullptr);
    connect(FileOpenItem, &QAction::triggered, this,
            [this] { Application::run([this] { m_files->openBook(); }); });
    FileOpenItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    FileCloseItem =
        action("FileCloseItem", QString(), QStringLiteral("Fermer fichier en cours"), nullptr);
    FileCloseItem->setSeparator(true);
    FileSaveItem = action("FileSaveItem", QStringLiteral("&Enregistrer"),
                          QStringLiteral("Enregistrer le fichier en cours"), nullptr);
    connect(FileSaveItem, &QAction::triggered, this,
            [this] { Application::run([this] { m_files->save(); }); });
    FileSaveItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    FileSaveAsItem = action("FileSaveAsItem", QStringLiteral("Enregistrer &sous..."),
                            QStringLiteral("Enregistrer le fichier en cours sous..."), nullptr);
    connect(FileSaveAsItem, &QAction::triggered, this,
            [this] { Application::run([this] { m_files->saveAs(); }); });
    FilePageSetupItem = orderAction("FilePageSetupItem", QStringLiteral("&Mise en page..."),
                                    QStringLiteral("Mettre en page"), &OrderWindow::choosePaper);
    FilePrintItem =
        action("FilePrintItem", QStringLiteral("&Imprimer..."),
               QStringLiteral("Imprimer le bon de commande"), &MainWindow::printWithDialog);
    FilePrintSetupItem = action("FilePrintSetupItem", QStringLiteral("&Configurer l'imprimante..."),
                                QStringLiteral("Configuration de l'imprimante"), nullptr);
    connect(FilePrintSetupItem, &QAction::triggered, this,
            [this] { PrintDialogs::setupPrinter(this); });
    createOutputActions();
    createReportActions();
    FileExitItem = action("FileExitItem", QStringLiteral("&Quitter"),
                          QStringLiteral("Quitter l'application"), nullptr);
    connect(FileExitItem, &QAction::triggered, this, &QWidget::close);

    createHistoryActions();
    EditCopyItem =
        orderAction("EditCopyItem", QStringLiteral("Co&pier"),
                    QStringLiteral("Copier dans le Presse-papiers"), &OrderWindow::copyOrder);
    EditCopyItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    EditPasteItem =
        orderAction("EditPasteItem", QStringLiteral("C&oller"),
                    QStringLiteral("Coller depuis le Presse-papiers"), &OrderWindow::pasteOrder);
    EditPasteItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    EditFindItem = orderAction("EditFindItem", QStringLiteral("C&hercher..."),
                               QStringLiteral("Chercher un document"), &OrderWindow::findOrder);

    DocPreviousItem =
        orderAction("DocPreviousItem", QStringLiteral("&Précédent     PgUp"),
                    QStringLiteral("Commande précédente"), &OrderWindow::previousOrder);
    DocNextItem = orderAction("DocNextItem", QStringLiteral("&Suivant           PgDn"),
                              QStringLiteral("Commande suivant"), &OrderWindow::nextOrder);
    DocFirstItem = orderAction("DocFirstItem", QStringLiteral("P&remier"),
                               QStringLiteral("Premier bon de commande"), &OrderWindow::firstOrder);
    DocLastItem = orderAction("DocLastItem", QStringLiteral("&Dernier"),
                              QStringLiteral("Dernier bon de commande"), &OrderWindow::lastOrder);
    DocNewOrderItem = action("DocNewOrderItem", QStringLiteral("&Nouvelle commande"),
                             QStringLiteral("Ajouter commande"), nullptr);
    connect(DocNewOrderItem, &QAction::triggered, this, [this] {
        Application::run([this] {
            m_commande->addOrder();
            enableBookCommands();
        });
    });
    DocDeleteOrderItem = action("DocDeleteOrderItem", QStringLiteral("S&upprimer commande"),
                                QStringLiteral("Supprimer commande"), &MainWindow::deleteOrder);
    DocDeleteLineItem =
        orderAction("DocDeleteLineItem", QStringLiteral("&Effacer ligne"),
                    QStringLiteral("Supprimer ligne de commande"), &OrderWindow::deleteLine);
    DocCalculateItem = orderAction("DocCalculateItem", QStringLiteral("&Calculer"),
                                   QStringLiteral("Calculer"), &OrderWindow::calculateOrder);
    DocCalculateItem->setShortcut(QKeySequence(Qt::Key_F9));
    DocListItem = orderAction("DocListItem", QStringLiteral("&Liste des commande"),
                              QStringLiteral("Liste des commandes"), &OrderWindow::showOrderList);
    DocListItem->setShortcut(QKeySequence(Qt::Key_F2));

    ParCompanyItem =
        orderAction("ParCompanyItem", QStringLiteral("&Société"),
                    QStringLiteral("Description de la société"), &OrderWindow::editCompany);
    ParOrderItem =
        orderAction("ParOrderItem", QStringLiteral("&Commande"),
                    QStringLiteral("Paramètres de commande"), &OrderWindow::editOrderParameters);
    ParSuppliersItem =
        orderAction("ParSuppliersItem", QStringLiteral("&Fournisseurs"),
                    QStringLiteral("Gestion des fournisseurs"), &OrderWindow::manageSuppliers);
    ParAutoOpenItem = action("ParAutoOpenItem", QStringLiteral("&Ouvrir automatiquement"),
                             QStringLiteral("Ouvrir le carnet au déarrage"), nullptr);
    ParAutoOpenItem->setCheckable(true);
    // The check mark has already been inverted by the trigger. The book's name stays as it is:
    // taking the remembered name here would let the next save overwrite that other file.
    connect(ParAutoOpenItem, &QAction::triggered, this, [this] {
        Application::run([this] { m_commande->setAutoOpen(ParAutoOpenItem->isChecked()); });
    });

    const auto modal = [this](const char *name, const QString &text, const QString &hint,
                              auto window) {
        QAction *a = action(name, text, hint, nullptr);
        connect(a, &QAction::triggered, this,
                [this, window] { Application::run([&] { (this->*window)->exec(); }); });
        return a;
    };
    UtilCalendarItem = modal("UtilCalendarItem", QStringLiteral("&Calendrier"),
                             QStringLiteral("Calendrier perpétuel"), &MainWindow::m_calendar);
    UtilCalculatorItem = modal("UtilCalculatorItem", QStringLiteral("C&alculatrice"),
                               QStringLiteral("Calculatrice"), &MainWindow::m_calculator);
    UtilClockItem = modal("UtilClockItem", QStringLiteral("&Horloge"), QStringLiteral("Horloge"),
                          &MainWindow::m_clock);
    UtilEuroItem = modal("UtilEuroItem", QStringLiteral("&Euro-conversion"),
                         QStringLiteral("Convetisseur Euro"), &MainWindow::m_converter);

    HelpContentsItem = action("HelpContentsItem", QStringLiteral("&Index"),
                              QStringLiteral("Sommaire de l'aide"), nullptr);
    connect(HelpContentsItem, &QAction::triggered, this, [this] { help().showContents(); });
    HelpSearchItem = action("HelpSearchItem", QStringLiteral("&Chercher"),
                            QStringLiteral("Rechercher par mots-clé"), nullptr);
    connect(HelpSearchItem, &QAction::triggered, this, [this] { help().showIndex(QString()); });
    HelpHowToUseItem = action("HelpHowToUseItem", QStringLiteral("&Utiliser l'aide"),
                              QStringLiteral("Comment utilser l'aide"), nullptr);
    connect(HelpHowToUseItem, &QAction::triggered, this, [this] { help().showHowToUse(); });
    HelpAboutItem = action("HelpAboutItem", QStringLiteral("&A propos"),
                           QStringLiteral("Informations sur la logiciel"), nullptr);
    connect(HelpAboutItem, &QAction::triggered, this, [this] { m_aboutBox->exec(); });

    // Commands of the tool bar alone.
    PrintOnceCommand = action("PrintOrderAction", QStringLiteral("Imprimer commande"), QString(),
                              &MainWindow::printOnce);
    EnvelopeCommand = orderAction("EnvelopeAction", QStringLiteral("Enveloppes"), QString(),
                                  &OrderWindow::printEnvelope);

    // Off until a book is in use (enableBookCommands).
    for (QAction *a :
         {FileSaveItem, FileSaveAsItem, FilePrintItem, EditCopyItem, EditPasteItem, EditFindItem,
          DocPreviousItem, DocNextItem, DocFirstItem, DocLastItem, DocDeleteOrderItem,
          DocDeleteLineItem, DocCalculateItem, DocListItem, PrintOnceCommand, EnvelopeCommand})
        a->setEnabled(false);
}

void MainWindow::createMenus()
{
    QMenuBar *bar = menuBar();
    const auto menu = [this, bar](const char *name, const QString &title, const QString &hint,
                                  const QList<QAction *> &items) {
        QMenu *m = bar->addMenu(title);
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setStatusTip(hint);
        m->setToolTipsVisible(false);
        m->addActions(items);
        Q_UNUSED(this);
        return m;
    };
    const auto separator = [this] {
        auto *a = new QAction(this);
        a->setSeparator(true);
        return a;
    };
    m_fileMenu =
        menu("FileMenu", QStringLiteral("&Fichier"), QStringLiteral("Commandes liées aux menus"),
             {FileNewItem, FileOpenItem, FileCloseItem, FileSaveItem, FileSaveAsItem,
              FilePageSetupItem, FilePreviewItem, FilePrintItem, FileExportPdfItem,
              FileExportCsvItem, FileMailItem, FilePrintSetupItem, FileExitItem});
    menu("EditMenu", QStringLiteral("&Edition"), QString(),
         {EditUndoItem, EditRedoItem, separator(), EditCopyItem, EditPasteItem, EditFindItem});
    m_documentMenu = menu("DocumentMenu", QStringLiteral("&Document"), QString(),
                          {DocPreviousItem, DocNextItem, DocFirstItem, DocLastItem, DocNewOrderItem,
                           DocDeleteOrderItem, DocDeleteLineItem, DocCalculateItem, DocListItem,
                           DocStatisticsItem});
    menu("ParametersMenu", QStringLiteral("&Paramètres"), QString(),
         {ParCompanyItem, ParOrderItem, ParSuppliersItem, ParAutoOpenItem});
    menu("UtilitiesMenu", QStringLiteral("&Utilitaires"), QString(),
         {UtilCalendarItem, UtilCalculatorItem, UtilClockItem, UtilEuroItem});
    menu("HelpMenu", QStringLiteral("&Aide"), QStringLiteral("Rubriques d'aide"),
         {HelpContentsItem, HelpSearchItem, HelpHowToUseItem, HelpAboutItem});
}

QToolButton *MainWindow::button(const char *name, QAction *command, const QIcon &icon,
                                const QString &hint, const QString &statusHint)
{
    command->setIcon(icon);
    command->setIconVisibleInMenu(false); // the icon is for its tool button
    command->setIconText(hint);
    command->setToolTip(hint);
    m_toolBar->addAction(command);
    auto *b = qobject_cast<QToolButton *>(m_toolBar->widgetForAction(command));
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoRaise(true);
    // The button's long hint is its own, not the menu item's: the button takes the command's
    // again whenever the command changes, and is given its own back.
    const auto ownHint = [b, statusHint] { b->setStatusTip(statusHint); };
    ownHint();
    connect(command, &QAction::changed, b, ownHint);
    return b;
}

void MainWindow::createToolBar()
{
    using ToolIcons::Kind;
    m_toolBar = addToolBar(QStringLiteral("Barre d'outils"));
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(QSize(20, 20));
    m_toolBar->toggleViewAction()->setEnabled(false);
    setContextMenuPolicy(Qt::NoContextMenu);

    const auto add = [this](const char *name, QAction *command, Kind kind, const QString &hint) {
        return button(name, command, ToolIcons::icon(kind), hint, hint);
    };
    NewBtn = add("NewBtn", FileNewItem, Kind::NewFile, QStringLiteral("Nouveau fichier"));
    OpenBtn = add("OpenBtn", FileOpenItem, Kind::Open, QStringLiteral("Ouvrir"));
    // Its hint has no long part: the status bar stays empty over it.
    SaveBtn = button("SaveBtn", FileSaveItem, ToolIcons::icon(Kind::Save),
                     QStringLiteral("Enregistrer"), QString());
    m_toolBar->addSeparator();
    UndoBtn = add("UndoBtn", EditUndoItem, Kind::Undo, QStringLiteral("Annuler"));
    RedoBtn = add("RedoBtn", EditRedoItem, Kind::Redo, QStringLiteral("Rétablir"));
    m_toolBar->addSeparator();
    CopyBtn = add("CopyBtn", EditCopyItem, Kind::Copy, QStringLiteral("Copier"));
    PasteBtn = add("PasteBtn", EditPasteItem, Kind::Paste, QStringLiteral("Coller"));
    FindBtn = add("FindBtn", EditFindItem, Kind::Find, QStringLiteral("Chercher"));
    m_toolBar->addSeparator();
    FirstBtn = add("FirstBtn", DocFirstItem, Kind::First, QStringLiteral("Premier"));
    PreviousBtn = add("PreviousBtn", DocPreviousItem, Kind::Previous, QStringLiteral("Précédent"));
    NextBtn = add("NextBtn", DocNextItem, Kind::Next, QStringLiteral("Suivant"));
    LastBtn = add("LastBtn", DocLastItem, Kind::Last, QStringLiteral("Dernier"));
    NewOrderBtn =
        add("NewOrderBtn", DocNewOrderItem, Kind::NewOrder, QStringLiteral("Nouvelle commande"));
    CalculateBtn =
        add("CalculateBtn", DocCalculateItem, Kind::Calculate, QStringLiteral("Calculer"));
    m_toolBar->addSeparator();
    PrintBtn = add("PrintBtn", PrintOnceCommand, Kind::Print, QStringLiteral("Imprimer commande"));
    EnvelopeBtn = add("EnvelopeBtn", EnvelopeCommand, Kind::Envelope, QStringLiteral("Enveloppes"));
    PreviewBtn = button("PreviewBtn", FilePreviewItem, ToolIcons::icon(Kind::PrintPreview),
                        QStringLiteral("Aperçu avant impression"), FilePreviewItem->statusTip());
}

void MainWindow::enableBookCommands()
{
    for (QAction *a :
         {FileCloseItem,    FileSaveItem,    FileSaveAsItem,     FilePrintItem,     EditCopyItem,
          EditPasteItem,    EditFindItem,    DocPreviousItem,    DocNextItem,       DocFirstItem,
          DocLastItem,      DocNewOrderItem, DocDeleteOrderItem, DocCalculateItem,  DocListItem,
          PrintOnceCommand, EnvelopeCommand, FilePreviewItem,    FileExportPdfItem, FileMailItem})
        a->setEnabled(true);
    m_documentMenu->setEnabled(true);
    for (QAction *a : {FileExportCsvItem, DocStatisticsItem})
        a->setEnabled(true);
    m_search->enable();
}

void MainWindow::createOutputActions()
{
    const auto command = [this](const char *name, const QString &text, const QString &hint,
                                auto run) {
        QAction *a = action(name, text, hint, nullptr);
        a->setEnabled(false); // like printing, once a book is in use (enableBookCommands)
        connect(a, &QAction::triggered, this, [run] { Application::run(run); });
        return a;
    };
    FilePreviewItem = command("FilePreviewItem", QStringLiteral("&Aperçu avant impression"),
                              QStringLiteral("Voir le bon de commande tel qu'il sera imprimé"),
                              [this] { PrintCommands::preview(this, *m_commande); });
    FileExportPdfItem = command("FileExportPdfItem", QStringLiteral("Exporter en &PDF..."),
                                QStringLiteral("Enregistrer le bon de commande en PDF"),
                                [this] { PrintCommands::exportPdf(this, *m_commande); });
    FileMailItem = command("FileMailItem", QStringLiteral("Envoyer par e-mai&l..."),
                           QStringLiteral("Envoyer le bon de commande par e-mail"),
                           [this] { PrintCommands::mail(*m_commande); });
}

void MainWindow::createReportActions()
{
    const auto command = [this](const char *name, const QString &text, const QString &hint,
                                auto run) {
        QAction *a = action(name, text, hint, nullptr);
        a->setEnabled(false); // once a book is in use (enableBookCommands)
        connect(a, &QAction::triggered, this, [run] { Application::run(run); });
        return a;
    };
    FileExportCsvItem =
        command("FileExportCsvItem", QStringLiteral("E&xporter les commandes en CSV..."),
                QStringLiteral("Enregistrer toutes les lignes de commande pour un tableur"),
                [this] { ReportCommands::exportOrders(this, *m_commande); });
    DocStatisticsItem = command("DocStatisticsItem", QStringLiteral("S&tatistiques des achats..."),
                                QStringLiteral("Achats par fournisseur et par mois, TVA par taux"),
                                [this] { ReportCommands::showStatistics(this, *m_commande); });
}

void MainWindow::createHistoryActions()
{
    EditUndoItem =
        orderAction("EditUndoItem", QStringLiteral("&Annuler"),
                    QStringLiteral("Annuler la dernière modification"), &OrderWindow::undo);
    EditUndoItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    EditRedoItem = orderAction("EditRedoItem", QStringLiteral("&Rétablir"),
                               QStringLiteral("Rétablir la dernière modification annulée"),
                               &OrderWindow::redo);
    EditRedoItem->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    // Off while the history has nothing to undo or redo.
    EditUndoItem->setEnabled(false);
    EditRedoItem->setEnabled(false);
}

void MainWindow::bindHistory()
{
    OrderHistory &history = m_commande->history();
    const auto show = [](QAction *command, const QString &verb, const QString &step) {
        QString text = verb;
        if (!step.isEmpty())
            text += QLatin1Char(' ') + step;
        command->setText(text);
        command->setToolTip(QString(text).remove(QLatin1Char('&')));
    };
    // The cell being typed is the first step to undo: "&Annuler" takes it back before it is
    // even in the order.
    const auto showUndo = [this, &history, show] {
        OrderDocument::Step typing;
        typing.row = m_commande->typedRow();
        EditUndoItem->setEnabled(typing.row > 0 || history.canUndo());
        show(EditUndoItem, QStringLiteral("&Annuler"),
             typing.row > 0 ? OrderHistory::stepText(typing) : history.undoText());
    };
    connect(&history, &QUndoStack::canUndoChanged, this, showUndo);
    connect(&history, &QUndoStack::undoTextChanged, this, showUndo);
    connect(m_commande, &OrderWindow::typingChanged, this, showUndo);
    const auto showRedo = [this, &history, show] {
        EditRedoItem->setEnabled(history.canRedo());
        show(EditRedoItem, QStringLiteral("&Rétablir"), history.redoText());
    };
    connect(&history, &QUndoStack::canRedoChanged, this, showRedo);
    connect(&history, &QUndoStack::redoTextChanged, this, showRedo);
}
