// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainactions.h"

#include "gui/toolicons.h"
#include "order/orderhistory.h"
#include "order/orderwindow.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

MainActions::MainActions(QMainWindow *window) : QObject(window), m_window(window)
{
    createActions();
    createMenus();
    createToolBar();
}

QAction *MainActions::action(const char *name, const QString &text, const QString &hint)
{
    auto *a = new QAction(text, m_window);
    a->setObjectName(QString::fromLatin1(name));
    a->setStatusTip(hint);
    return a;
}

void MainActions::createActions()
{
    newAction =
        action("NewAction", QStringLiteral("&Nouveau"), QStringLiteral("Créer un nouveau fichier"));
    openAction = action("OpenAction", QStringLiteral("&Ouvrir..."),
                        QStringLiteral("Ouvrir un fichier existant"));
    openAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    closeAction = action("CloseAction", QString(), QStringLiteral("Fermer fichier en cours"));
    closeAction->setSeparator(true);
    saveAction = action("SaveAction", QStringLiteral("&Enregistrer"),
                        QStringLiteral("Enregistrer le fichier en cours"));
    saveAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    saveAsAction = action("SaveAsAction", QStringLiteral("Enregistrer &sous..."),
                          QStringLiteral("Enregistrer le fichier en cours sous..."));
    pageSetupAction = action("PageSetupAction", QStringLiteral("&Mise en page..."),
                             QStringLiteral("Mettre en page"));
    printAction = action("PrintAction", QStringLiteral("&Imprimer..."),
                         QStringLiteral("Imprimer le bon de commande"));
    printSetupAction = action("PrintSetupAction", QStringLiteral("&Configurer l'imprimante..."),
                              QStringLiteral("Configuration de l'imprimante"));
    previewAction = action("PreviewAction", QStringLiteral("&Aperçu avant impression"),
                           QStringLiteral("Voir le bon de commande tel qu'il sera imprimé"));
    exportPdfAction = action("ExportPdfAction", QStringLiteral("Exporter en &PDF..."),
                             QStringLiteral("Enregistrer le bon de commande en PDF"));
    mailAction = action("MailAction", QStringLiteral("Envoyer par e-mai&l..."),
                        QStringLiteral("Envoyer le bon de commande par e-mail"));
    exportCsvAction =
        action("ExportCsvAction", QStringLiteral("E&xporter les commandes en CSV..."),
               QStringLiteral("Enregistrer toutes les lignes de commande pour un tableur"));
    statisticsAction = action("StatisticsAction", QStringLiteral("S&tatistiques des achats..."),
                              QStringLiteral("Achats par fournisseur et par mois, TVA par taux"));
    exitAction =
        action("ExitAction", QStringLiteral("&Quitter"), QStringLiteral("Quitter l'application"));

    undoAction = action("UndoAction", QStringLiteral("&Annuler"),
                        QStringLiteral("Annuler la dernière modification"));
    undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction = action("RedoAction", QStringLiteral("&Rétablir"),
                        QStringLiteral("Rétablir la dernière modification annulée"));
    redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    copyAction = action("CopyAction", QStringLiteral("Co&pier"),
                        QStringLiteral("Copier dans le Presse-papiers"));
    copyAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    pasteAction = action("PasteAction", QStringLiteral("C&oller"),
                         QStringLiteral("Coller depuis le Presse-papiers"));
    pasteAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    findAction = action("FindAction", QStringLiteral("C&hercher..."),
                        QStringLiteral("Chercher un document"));

    previousAction = action("PreviousAction", QStringLiteral("&Précédent     PgUp"),
                            QStringLiteral("Commande précédente"));
    nextAction = action("NextAction", QStringLiteral("&Suivant           PgDn"),
                        QStringLiteral("Commande suivant"));
    firstAction = action("FirstAction", QStringLiteral("P&remier"),
                         QStringLiteral("Premier bon de commande"));
    lastAction =
        action("LastAction", QStringLiteral("&Dernier"), QStringLiteral("Dernier bon de commande"));
    newOrderAction = action("NewOrderAction", QStringLiteral("&Nouvelle commande"),
                            QStringLiteral("Ajouter commande"));
    deleteOrderAction = action("DeleteOrderAction", QStringLiteral("S&upprimer commande"),
                               QStringLiteral("Supprimer commande"));
    deleteLineAction = action("DeleteLineAction", QStringLiteral("&Effacer ligne"),
                              QStringLiteral("Supprimer ligne de commande"));
    calculateAction =
        action("CalculateAction", QStringLiteral("&Calculer"), QStringLiteral("Calculer"));
    calculateAction->setShortcut(QKeySequence(Qt::Key_F9));
    orderListAction = action("OrderListAction", QStringLiteral("&Liste des commande"),
                             QStringLiteral("Liste des commandes"));
    orderListAction->setShortcut(QKeySequence(Qt::Key_F2));

    companyAction = action("CompanyAction", QStringLiteral("&Société"),
                           QStringLiteral("Description de la société"));
    orderParametersAction = action("OrderParametersAction", QStringLiteral("&Commande"),
                                   QStringLiteral("Paramètres de commande"));
    suppliersAction = action("SuppliersAction", QStringLiteral("&Fournisseurs"),
                             QStringLiteral("Gestion des fournisseurs"));
    autoOpenAction = action("AutoOpenAction", QStringLiteral("&Ouvrir automatiquement"),
                            QStringLiteral("Ouvrir le carnet au déarrage"));
    autoOpenAction->setCheckable(true);

    calendarAction = action("CalendarAction", QStringLiteral("&Calendrier"),
                            QStringLiteral("Calendrier perpétuel"));
    calculatorAction =
        action("CalculatorAction", QStringLiteral("C&alculatrice"), QStringLiteral("Calculatrice"));
    clockAction = action("ClockAction", QStringLiteral("&Horloge"), QStringLiteral("Horloge"));
    converterAction = action("ConverterAction", QStringLiteral("&Euro-conversion"),
                             QStringLiteral("Convetisseur Euro"));

    helpContentsAction = action("HelpContentsAction", QStringLiteral("&Index"),
                                QStringLiteral("Sommaire de l'aide"));
    helpSearchAction = action("HelpSearchAction", QStringLiteral("&Chercher"),
                              QStringLiteral("Rechercher par mots-clé"));
    helpHowToUseAction = action("HelpHowToUseAction", QStringLiteral("&Utiliser l'aide"),
                                QStringLiteral("Comment utilser l'aide"));
    aboutAction = action("AboutAction", QStringLiteral("&A propos"),
                         QStringLiteral("Informations sur la logiciel"));

    // Commands of the tool bar alone.
    printOrderAction = action("PrintOrderAction", QStringLiteral("Imprimer commande"), QString());
    envelopeAction = action("EnvelopeAction", QStringLiteral("Enveloppes"), QString());

    // Off until a book is in use (enableBookCommands).
    for (QAction *a :
         {saveAction,        saveAsAction,     printAction,      previewAction,   exportPdfAction,
          mailAction,        exportCsvAction,  statisticsAction, copyAction,      pasteAction,
          findAction,        previousAction,   nextAction,       firstAction,     lastAction,
          deleteOrderAction, deleteLineAction, calculateAction,  orderListAction, printOrderAction,
          envelopeAction})
        a->setEnabled(false);
    // Off while the history has nothing to undo or redo.
    undoAction->setEnabled(false);
    redoAction->setEnabled(false);
}

void MainActions::createMenus()
{
    QMenuBar *bar = m_window->menuBar();
    const auto menu = [bar](const char *name, const QString &title, const QString &hint,
                            const QList<QAction *> &items) {
        QMenu *m = bar->addMenu(title);
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setStatusTip(hint);
        m->setToolTipsVisible(false);
        m->addActions(items);
        return m;
    };
    auto *separator = new QAction(m_window);
    separator->setSeparator(true);
    fileMenu =
        menu("FileMenu", QStringLiteral("&Fichier"), QStringLiteral("Commandes liées aux menus"),
             {newAction, openAction, closeAction, saveAction, saveAsAction, pageSetupAction,
              previewAction, printAction, exportPdfAction, exportCsvAction, mailAction,
              printSetupAction, exitAction});
    editMenu = menu("EditMenu", QStringLiteral("&Edition"), QString(),
                    {undoAction, redoAction, separator, copyAction, pasteAction, findAction});
    documentMenu = menu("DocumentMenu", QStringLiteral("&Document"), QString(),
                        {previousAction, nextAction, firstAction, lastAction, newOrderAction,
                         deleteOrderAction, deleteLineAction, calculateAction, orderListAction,
                         statisticsAction});
    menu("ParametersMenu", QStringLiteral("&Paramètres"), QString(),
         {companyAction, orderParametersAction, suppliersAction, autoOpenAction});
    menu("UtilitiesMenu", QStringLiteral("&Utilitaires"), QString(),
         {calendarAction, calculatorAction, clockAction, converterAction});
    menu("HelpMenu", QStringLiteral("&Aide"), QStringLiteral("Rubriques d'aide"),
         {helpContentsAction, helpSearchAction, helpHowToUseAction, aboutAction});
}

QToolButton *MainActions::button(const char *name, QAction *command, const QIcon &icon,
                                 const QString &hint, const QString &statusHint)
{
    command->setIcon(icon);
    command->setIconVisibleInMenu(false); // the icon is for its tool button
    command->setIconText(hint);
    command->setToolTip(hint);
    toolBar->addAction(command);
    auto *b = qobject_cast<QToolButton *>(toolBar->widgetForAction(command));
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoRaise(true);
    // The button's long hint is its own, not the menu item's: the button takes the command's
    // again whenever the command changes, and is given its own back.
    const auto ownHint = [b, statusHint] { b->setStatusTip(statusHint); };
    ownHint();
    QObject::connect(command, &QAction::changed, b, ownHint);
    return b;
}

void MainActions::createToolBar()
{
    using ToolIcons::Kind;
    toolBar = m_window->addToolBar(QStringLiteral("Barre d'outils"));
    toolBar->setObjectName(QStringLiteral("ToolBar"));
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setIconSize(QSize(20, 20));
    toolBar->toggleViewAction()->setEnabled(false);
    m_window->setContextMenuPolicy(Qt::NoContextMenu);

    const auto add = [this](const char *name, QAction *command, Kind kind, const QString &hint) {
        button(name, command, ToolIcons::icon(kind), hint, hint);
    };
    add("NewButton", newAction, Kind::NewFile, QStringLiteral("Nouveau fichier"));
    add("OpenButton", openAction, Kind::Open, QStringLiteral("Ouvrir"));
    // Its hint has no long part: the status bar stays empty over it.
    button("SaveButton", saveAction, ToolIcons::icon(Kind::Save), QStringLiteral("Enregistrer"),
           QString());
    toolBar->addSeparator();
    add("UndoButton", undoAction, Kind::Undo, QStringLiteral("Annuler"));
    add("RedoButton", redoAction, Kind::Redo, QStringLiteral("Rétablir"));
    toolBar->addSeparator();
    add("CopyButton", copyAction, Kind::Copy, QStringLiteral("Copier"));
    add("PasteButton", pasteAction, Kind::Paste, QStringLiteral("Coller"));
    add("FindButton", findAction, Kind::Find, QStringLiteral("Chercher"));
    toolBar->addSeparator();
    add("FirstOrderButton", firstAction, Kind::First, QStringLiteral("Premier"));
    add("PreviousOrderButton", previousAction, Kind::Previous, QStringLiteral("Précédent"));
    add("NextOrderButton", nextAction, Kind::Next, QStringLiteral("Suivant"));
    add("LastOrderButton", lastAction, Kind::Last, QStringLiteral("Dernier"));
    add("NewOrderButton", newOrderAction, Kind::NewOrder, QStringLiteral("Nouvelle commande"));
    add("CalculateButton", calculateAction, Kind::Calculate, QStringLiteral("Calculer"));
    toolBar->addSeparator();
    add("PrintOrderButton", printOrderAction, Kind::Print, QStringLiteral("Imprimer commande"));
    add("EnvelopeButton", envelopeAction, Kind::Envelope, QStringLiteral("Enveloppes"));
    button("PreviewButton", previewAction, ToolIcons::icon(Kind::PrintPreview),
           QStringLiteral("Aperçu avant impression"), previewAction->statusTip());
}

void MainActions::enableBookCommands()
{
    for (QAction *a :
         {closeAction,      saveAction,      saveAsAction,      printAction,     copyAction,
          pasteAction,      findAction,      previousAction,    nextAction,      firstAction,
          lastAction,       newOrderAction,  deleteOrderAction, calculateAction, orderListAction,
          printOrderAction, envelopeAction,  previewAction,     exportPdfAction, mailAction,
          exportCsvAction,  statisticsAction})
        a->setEnabled(true);
    documentMenu->setEnabled(true);
}

void MainActions::followHistory(OrderWindow &order)
{
    OrderHistory &history = order.history();
    const auto show = [](QAction *command, const QString &verb, const QString &step) {
        QString text = verb;
        if (!step.isEmpty())
            text += QLatin1Char(' ') + step;
        command->setText(text);
        command->setToolTip(QString(text).remove(QLatin1Char('&')));
    };
    // The cell being typed is the first step to undo: "&Annuler" takes it back before it is
    // even in the order.
    const auto showUndo = [this, &order, &history, show] {
        OrderDocument::Step typing;
        typing.row = order.typedRow();
        undoAction->setEnabled(typing.row > 0 || history.canUndo());
        show(undoAction, QStringLiteral("&Annuler"),
             typing.row > 0 ? OrderHistory::stepText(typing) : history.undoText());
    };
    QObject::connect(&history, &QUndoStack::canUndoChanged, undoAction, showUndo);
    QObject::connect(&history, &QUndoStack::undoTextChanged, undoAction, showUndo);
    QObject::connect(&order, &OrderWindow::typingChanged, undoAction, showUndo);
    const auto showRedo = [this, &history, show] {
        redoAction->setEnabled(history.canRedo());
        show(redoAction, QStringLiteral("&Rétablir"), history.redoText());
    };
    QObject::connect(&history, &QUndoStack::canRedoChanged, redoAction, showRedo);
    QObject::connect(&history, &QUndoStack::redoTextChanged, redoAction, showRedo);
}
