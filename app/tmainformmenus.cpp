// The main window's menus and tool bar: every command, what it runs, and when it is enabled.
#include "app/tmainform.h"

#include "app/printcommands.h"
#include "gui/application.h"
#include "gui/printdialogs.h"
#include "gui/toolicons.h"
#include "order/tcommande.h"
#include "utilities/helpwindow.h"
#include "utilities/taboutbox.h"
#include "utilities/tcalendrier.h"
#include "utilities/teurof.h"
#include "utilities/thorloge.h"
#include "utilities/tpocket.h"

#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

QAction *TMainForm::action(const char *name, const QString &text, const QString &hint,
                           void (TMainForm::*slot)())
{
    auto *a = new QAction(text, this);
    a->setObjectName(QString::fromLatin1(name));
    a->setStatusTip(hint);
    if (slot)
        connect(a, &QAction::triggered, this,
                [this, slot] { Application::run([&] { (this->*slot)(); }); });
    return a;
}

QAction *TMainForm::orderAction(const char *name, const QString &text, const QString &hint,
                                void (TCommande::*command)())
{
    QAction *a = action(name, text, hint, nullptr);
    connect(a, &QAction::triggered, this,
            [this, command] { Application::run([&] { (m_commande->*command)(); }); });
    return a;
}

void TMainForm::createActions()
{
    FileNewItem = action("FileNewItem", QStringLiteral("&Nouveau"),
                         QStringLiteral("Créer un nouveau fichier"), &TMainForm::newBook);
    FileOpenItem = action("FileOpenItem", QStringLiteral("&Ouvrir..."),
                          QStringLiteral("Ouvrir un fichier existant"), &TMainForm::openBook);
    FileOpenItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    FileCloseItem =
        action("FileCloseItem", QString(), QStringLiteral("Fermer fichier en cours"), nullptr);
    FileCloseItem->setSeparator(true);
    FileSaveItem = action("FileSaveItem", QStringLiteral("&Enregistrer"),
                          QStringLiteral("Enregistrer le fichier en cours"), nullptr);
    connect(FileSaveItem, &QAction::triggered, this,
            [this] { Application::run([this] { save(); }); });
    FileSaveItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    FileSaveAsItem = action("FileSaveAsItem", QStringLiteral("Enregistrer &sous..."),
                            QStringLiteral("Enregistrer le fichier en cours sous..."), nullptr);
    connect(FileSaveAsItem, &QAction::triggered, this,
            [this] { Application::run([this] { SaveAs(); }); });
    FilePageSetupItem = orderAction("FilePageSetupItem", QStringLiteral("&Mise en page..."),
                                    QStringLiteral("Mettre en page"), &TCommande::ParM);
    FilePrintItem =
        action("FilePrintItem", QStringLiteral("&Imprimer..."),
               QStringLiteral("Imprimer le bon de commande"), &TMainForm::printWithDialog);
    FilePrintSetupItem = action("FilePrintSetupItem", QStringLiteral("&Configurer l'imprimante..."),
                                QStringLiteral("Configuration de l'imprimante"), nullptr);
    connect(FilePrintSetupItem, &QAction::triggered, this,
            [this] { PrintDialogs::setupPrinter(this); });
    createOutputActions();
    FileExitItem = action("FileExitItem", QStringLiteral("&Quitter"),
                          QStringLiteral("Quitter l'application"), nullptr);
    connect(FileExitItem, &QAction::triggered, this, &QWidget::close);

    EditCopyItem = orderAction("EditCopyItem", QStringLiteral("Co&pier"),
                               QStringLiteral("Copier dans le Presse-papiers"), &TCommande::Copier);
    EditCopyItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    EditPasteItem =
        orderAction("EditPasteItem", QStringLiteral("C&oller"),
                    QStringLiteral("Coller depuis le Presse-papiers"), &TCommande::Coller);
    EditPasteItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    EditFindItem = orderAction("EditFindItem", QStringLiteral("C&hercher..."),
                               QStringLiteral("Chercher un document"), &TCommande::Chercher);

    DocPreviousItem = orderAction("DocPreviousItem", QStringLiteral("&Précédent     PgUp"),
                                  QStringLiteral("Commande précédente"), &TCommande::Precedent);
    DocNextItem = orderAction("DocNextItem", QStringLiteral("&Suivant           PgDn"),
                              QStringLiteral("Commande suivant"), &TCommande::Suivant);
    DocFirstItem = orderAction("DocFirstItem", QStringLiteral("P&remier"),
                               QStringLiteral("Premier bon de commande"), &TCommande::Premier);
    DocLastItem = orderAction("DocLastItem", QStringLiteral("&Dernier"),
                              QStringLiteral("Dernier bon de commande"), &TCommande::Dernier);
    DocNewOrderItem = action("DocNewOrderItem", QStringLiteral("&Nouvelle commande"),
                             QStringLiteral("Ajouter commande"), nullptr);
    connect(DocNewOrderItem, &QAction::triggered, this, [this] {
        Application::run([this] {
            m_commande->Ajout();
            Valide();
        });
    });
    DocDeleteOrderItem = action("DocDeleteOrderItem", QStringLiteral("S&upprimer commande"),
                                QStringLiteral("Supprimer commande"), &TMainForm::deleteOrder);
    DocDeleteLineItem =
        orderAction("DocDeleteLineItem", QStringLiteral("&Effacer ligne"),
                    QStringLiteral("Supprimer ligne de commande"), &TCommande::SupLigne);
    DocCalculateItem = orderAction("DocCalculateItem", QStringLiteral("&Calculer"),
                                   QStringLiteral("Calculer"), &TCommande::Calcule);
    DocCalculateItem->setShortcut(QKeySequence(Qt::Key_F9));
    DocListItem = orderAction("DocListItem", QStringLiteral("&Liste des commande"),
                              QStringLiteral("Liste des commandes"), &TCommande::Liste);
    DocListItem->setShortcut(QKeySequence(Qt::Key_F2));

    ParCompanyItem = orderAction("ParCompanyItem", QStringLiteral("&Société"),
                                 QStringLiteral("Description de la société"), &TCommande::Psoc);
    ParOrderItem = orderAction("ParOrderItem", QStringLiteral("&Commande"),
                               QStringLiteral("Paramètres de commande"), &TCommande::ParF);
    ParSuppliersItem =
        orderAction("ParSuppliersItem", QStringLiteral("&Fournisseurs"),
                    QStringLiteral("Gestion des fournisseurs"), &TCommande::GestFour);
    ParAutoOpenItem =
        action("ParAutoOpenItem", QStringLiteral("&Ouvrir automatiquement"),
               QStringLiteral("Ouvrir le carnet au déarrage"), &TMainForm::toggleAutoOpen);
    ParAutoOpenItem->setCheckable(true);

    const auto modal = [this](const char *name, const QString &text, const QString &hint,
                              auto window) {
        QAction *a = action(name, text, hint, nullptr);
        connect(a, &QAction::triggered, this,
                [this, window] { Application::run([&] { (this->*window)->exec(); }); });
        return a;
    };
    UtilCalendarItem = modal("UtilCalendarItem", QStringLiteral("&Calendrier"),
                             QStringLiteral("Calendrier perpétuel"), &TMainForm::m_calendar);
    UtilCalculatorItem = modal("UtilCalculatorItem", QStringLiteral("C&alculatrice"),
                               QStringLiteral("Calculatrice"), &TMainForm::m_calculator);
    UtilClockItem = modal("UtilClockItem", QStringLiteral("&Horloge"), QStringLiteral("Horloge"),
                          &TMainForm::m_clock);
    UtilEuroItem = modal("UtilEuroItem", QStringLiteral("&Euro-conversion"),
                         QStringLiteral("Convetisseur Euro"), &TMainForm::m_converter);

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

    // Off until a book is in use (Valide).
    for (QAction *a : {FileSaveItem, FileSaveAsItem, FilePrintItem, EditCopyItem, EditPasteItem,
                       EditFindItem, DocPreviousItem, DocNextItem, DocFirstItem, DocLastItem,
                       DocDeleteOrderItem, DocDeleteLineItem, DocCalculateItem, DocListItem})
        a->setEnabled(false);
}

void TMainForm::createMenus()
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
    menu("FileMenu", QStringLiteral("&Fichier"), QStringLiteral("Commandes liées aux menus"),
         {FileNewItem, FileOpenItem, FileCloseItem, FileSaveItem, FileSaveAsItem, FilePageSetupItem,
          FilePreviewItem, FilePrintItem, FileExportPdfItem, FileMailItem, FilePrintSetupItem,
          FileExitItem});
    menu("EditMenu", QStringLiteral("&Edition"), QString(),
         {EditCopyItem, EditPasteItem, EditFindItem});
    m_documentMenu = menu("DocumentMenu", QStringLiteral("&Document"), QString(),
                          {DocPreviousItem, DocNextItem, DocFirstItem, DocLastItem, DocNewOrderItem,
                           DocDeleteOrderItem, DocDeleteLineItem, DocCalculateItem, DocListItem});
    menu("ParametersMenu", QStringLiteral("&Paramètres"), QString(),
         {ParCompanyItem, ParOrderItem, ParSuppliersItem, ParAutoOpenItem});
    menu("UtilitiesMenu", QStringLiteral("&Utilitaires"), QString(),
         {UtilCalendarItem, UtilCalculatorItem, UtilClockItem, UtilEuroItem});
    menu("HelpMenu", QStringLiteral("&Aide"), QStringLiteral("Rubriques d'aide"),
         {HelpContentsItem, HelpSearchItem, HelpHowToUseItem, HelpAboutItem});
}

QToolButton *TMainForm::button(const char *name, const QString &hint, const QIcon &icon,
                               void (TMainForm::*slot)())
{
    QAction *a = m_toolBar->addAction(icon, hint);
    a->setObjectName(QString::fromLatin1(name) + QStringLiteral("Action"));
    a->setToolTip(hint);
    a->setStatusTip(hint);
    if (slot)
        connect(a, &QAction::triggered, this,
                [this, slot] { Application::run([&] { (this->*slot)(); }); });
    auto *b = qobject_cast<QToolButton *>(m_toolBar->widgetForAction(a));
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoRaise(true);
    return b;
}

QToolButton *TMainForm::orderButton(const char *name, const QString &hint, const QIcon &icon,
                                    void (TCommande::*command)())
{
    QToolButton *b = button(name, hint, icon, nullptr);
    connect(b->defaultAction(), &QAction::triggered, this,
            [this, command] { Application::run([&] { (m_commande->*command)(); }); });
    return b;
}

void TMainForm::createToolBar()
{
    using ToolIcons::Kind;
    m_toolBar = addToolBar(QStringLiteral("Barre d'outils"));
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(QSize(20, 20));
    m_toolBar->toggleViewAction()->setEnabled(false);
    setContextMenuPolicy(Qt::NoContextMenu);

    SpeedButton11 = button("SpeedButton11", QStringLiteral("Nouveau fichier"),
                           ToolIcons::icon(Kind::NewFile), &TMainForm::newBook);
    OpenBtn = button("OpenBtn", QStringLiteral("Ouvrir"), ToolIcons::icon(Kind::Open),
                     &TMainForm::openBook);
    SaveBtn =
        button("SaveBtn", QStringLiteral("Enregistrer"), ToolIcons::icon(Kind::Save), nullptr);
    connect(SaveBtn->defaultAction(), &QAction::triggered, this,
            [this] { Application::run([this] { save(); }); });
    // Its hint has no long part: the status bar stays empty over it.
    SaveBtn->defaultAction()->setStatusTip(QString());
    SaveBtn->setStatusTip(QString());
    m_toolBar->addSeparator();
    CopyBtn = orderButton("CopyBtn", QStringLiteral("Copier"), ToolIcons::icon(Kind::Copy),
                          &TCommande::Copier);
    PasteBtn = orderButton("PasteBtn", QStringLiteral("Coller"), ToolIcons::icon(Kind::Paste),
                           &TCommande::Coller);
    SpeedButton9 = orderButton("SpeedButton9", QStringLiteral("Chercher"),
                               ToolIcons::icon(Kind::Find), &TCommande::Chercher);
    m_toolBar->addSeparator();
    SpeedButton1 = orderButton("SpeedButton1", QStringLiteral("Premier"),
                               ToolIcons::icon(Kind::First), &TCommande::Premier);
    SpeedButton2 = orderButton("SpeedButton2", QStringLiteral("Précédent"),
                               ToolIcons::icon(Kind::Previous), &TCommande::Precedent);
    SpeedButton3 = orderButton("SpeedButton3", QStringLiteral("Suivant"),
                               ToolIcons::icon(Kind::Next), &TCommande::Suivant);
    SpeedButton4 = orderButton("SpeedButton4", QStringLiteral("Dernier"),
                               ToolIcons::icon(Kind::Last), &TCommande::Dernier);
    SpeedButton5 = button("SpeedButton5", QStringLiteral("Nouvelle commande"),
                          ToolIcons::icon(Kind::NewOrder), nullptr);
    connect(SpeedButton5->defaultAction(), &QAction::triggered, DocNewOrderItem, &QAction::trigger);
    SpeedButton7 = orderButton("SpeedButton7", QStringLiteral("Calculer"),
                               ToolIcons::icon(Kind::Calculate), &TCommande::Calcule);
    m_toolBar->addSeparator();
    SpeedButton8 = button("SpeedButton8", QStringLiteral("Imprimer commande"),
                          ToolIcons::icon(Kind::Print), &TMainForm::printOnce);
    SpeedButton10 = orderButton("SpeedButton10", QStringLiteral("Enveloppes"),
                                ToolIcons::icon(Kind::Envelope), &TCommande::ImpEnv);
    m_toolBar->addAction(FilePreviewItem);
    PreviewBtn = qobject_cast<QToolButton *>(m_toolBar->widgetForAction(FilePreviewItem));
    PreviewBtn->setObjectName(QStringLiteral("PreviewBtn"));
    PreviewBtn->setToolTip(QStringLiteral("Aperçu avant impression"));
    PreviewBtn->setAutoRaise(true);

    for (QToolButton *b : {SaveBtn, CopyBtn, PasteBtn, SpeedButton9, SpeedButton1, SpeedButton2,
                           SpeedButton3, SpeedButton4, SpeedButton7, SpeedButton8, SpeedButton10})
        b->defaultAction()->setEnabled(false);
}

void TMainForm::Valide()
{
    for (QAction *a :
         {FileCloseItem, FileSaveItem, FileSaveAsItem, FilePrintItem, EditCopyItem, EditPasteItem,
          EditFindItem, DocPreviousItem, DocNextItem, DocFirstItem, DocLastItem, DocNewOrderItem,
          DocDeleteOrderItem, DocCalculateItem, DocListItem})
        a->setEnabled(true);
    m_documentMenu->setEnabled(true);
    for (QToolButton *b : {SaveBtn, CopyBtn, PasteBtn, SpeedButton1, SpeedButton2, SpeedButton3,
                           SpeedButton4, SpeedButton7, SpeedButton8, SpeedButton9, SpeedButton10})
        b->defaultAction()->setEnabled(true);
    for (QAction *a : {FilePreviewItem, FileExportPdfItem, FileMailItem})
        a->setEnabled(true);
}

void TMainForm::createOutputActions()
{
    const auto command = [this](const char *name, const QString &text, const QString &hint,
                                auto run) {
        QAction *a = action(name, text, hint, nullptr);
        a->setEnabled(false); // like printing, once a book is in use (Valide)
        connect(a, &QAction::triggered, this, [run] { Application::run(run); });
        return a;
    };
    FilePreviewItem = command("FilePreviewItem", QStringLiteral("&Aperçu avant impression"),
                              QStringLiteral("Voir le bon de commande tel qu'il sera imprimé"),
                              [this] { PrintCommands::preview(this, *m_commande); });
    FilePreviewItem->setIcon(ToolIcons::icon(ToolIcons::Kind::PrintPreview));
    FilePreviewItem->setIconVisibleInMenu(false); // the icon is for its tool button
    FileExportPdfItem = command("FileExportPdfItem", QStringLiteral("Exporter en &PDF..."),
                                QStringLiteral("Enregistrer le bon de commande en PDF"),
                                [this] { PrintCommands::exportPdf(this, *m_commande); });
    FileMailItem = command("FileMailItem", QStringLiteral("Envoyer par e-mai&l..."),
                           QStringLiteral("Envoyer le bon de commande par e-mail"),
                           [this] { PrintCommands::mail(*m_commande); });
}
