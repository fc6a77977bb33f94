#include "app/tmainform.h"

#include "app/helpwindow.h"
#include "app/menushortcuts.h"
#include "app/orderfilename.h"
#include "app/printcommands.h"
#include "app/tcmdliste.h"
#include "app/tfinddialog.h"
#include "core/clock.h"
#include "core/prompts.h"
#include "gui/application.h"
#include "gui/filedialogs.h"
#include "gui/printdialogs.h"
#include "gui/programpicture.h"
#include "gui/toolicons.h"
#include "order/bookrecovery.h"
#include "order/tcommande.h"
#include "printing/tmpage.h"
#include "settings/tparamc.h"
#include "suppliers/tffour.h"
#include "suppliers/tfichfour.h"
#include "suppliers/tlistefour.h"
#include "suppliers/tsociete.h"
#include "utilities/taboutbox.h"
#include "utilities/tcalendrier.h"
#include "utilities/teurof.h"
#include "utilities/thorloge.h"
#include "utilities/tpocket.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

const QString AppTitle = QStringLiteral("Qor Commande");

} // namespace

TMainForm::TMainForm(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(AppTitle);
    setWindowIcon(ProgramPicture::icon());
    resize(800, 600);

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("MdiArea"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setCentralWidget(m_mdiArea);

    createActions();
    createMenus();
    createToolBar();
    createStatusBar();
    createWindows();
    new MenuShortcuts(this);

    m_recovery = std::make_unique<BookRecovery>();
    RecoveryTimer = new QTimer(this);
    RecoveryTimer->setObjectName(QStringLiteral("RecoveryTimer"));
    RecoveryTimer->setInterval(3 * 60 * 1000);
    connect(RecoveryTimer, &QTimer::timeout, this,
            [this] { Application::run([this] { keepRecovery(); }); });
    RecoveryTimer->start();
}

TMainForm::~TMainForm() = default;

// ---- Construction ----

void TMainForm::createWindows()
{
    m_aboutBox = new TAboutBox(this);

    // The one document window: maximised, without a frame of its own, never closed alone.
    m_commande = new TCommande;
    m_orderSubWindow = m_mdiArea->addSubWindow(m_commande, Qt::FramelessWindowHint);
    m_orderSubWindow->setObjectName(QStringLiteral("OrderSubWindow"));
    m_orderSubWindow->setSystemMenu(nullptr);
    m_orderSubWindow->installEventFilter(this);
    m_orderSubWindow->showMaximized();
    connect(m_commande, &QWidget::windowTitleChanged, this, [this](const QString &caption) {
        setWindowTitle(caption.isEmpty()
                           ? AppTitle
                           : AppTitle + QStringLiteral(" - [") + caption + QStringLiteral("]"));
    });
    connect(m_commande, &TCommande::deleteLineEnabledChanged, DocDeleteLineItem,
            &QAction::setEnabled);
    connect(m_commande, &TCommande::bookCommandsWanted, this, &TMainForm::Valide);

    m_orderList = new TCmdListe(this);
    m_quickSupplier = new TFFour(this);
    m_supplierChooser = new TListeFour(this);
    m_company = new TSociete(this);
    m_pageSetup = new TMPage(this);
    m_parameters = new TParamc(this);
    m_supplierManagement = new TFichFour(this);
    m_findDialog = new TFindDialog(this);
    m_calendar = new TCalendrier(this);
    m_converter = new TEurof(this);
    m_clock = new THorloge(this);
    m_calculator = new TPocket(this);

    m_commande->setDialogs(m_supplierChooser, m_quickSupplier, m_supplierManagement, m_company,
                           m_parameters, m_converter);
    m_commande->setListDialogs(
        [this](TextLines &orderLines, bool &fileModified) {
            return m_orderList->Choose(orderLines, fileModified);
        },
        [this] { return m_findDialog->Ask(); });
    m_commande->setPageSetup(m_pageSetup);
    // The order window shows its first order and reads the side files now, so that the
    // settings are known when the frame is first shown.
    Application::run([this] { m_commande->activate(); });
}

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
                [this, window] { Application::run([&] { (this->*window)().exec(); }); });
        return a;
    };
    UtilCalendarItem = modal("UtilCalendarItem", QStringLiteral("&Calendrier"),
                             QStringLiteral("Calendrier perpétuel"), &TMainForm::calendar);
    UtilCalculatorItem = modal("UtilCalculatorItem", QStringLiteral("C&alculatrice"),
                               QStringLiteral("Calculatrice"), &TMainForm::calculator);
    UtilClockItem = modal("UtilClockItem", QStringLiteral("&Horloge"), QStringLiteral("Horloge"),
                          &TMainForm::clock);
    UtilEuroItem = modal("UtilEuroItem", QStringLiteral("&Euro-conversion"),
                         QStringLiteral("Convetisseur Euro"), &TMainForm::converter);

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

void TMainForm::createStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setSizeGripEnabled(false);
    m_hintPanel = new QLabel(bar);
    m_hintPanel->setObjectName(QStringLiteral("StatusPanel0"));
    m_hintPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_clockPanel = new QLabel(bar);
    m_clockPanel->setObjectName(QStringLiteral("StatusPanel1"));
    m_clockPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->addWidget(m_hintPanel);
    bar->addWidget(m_clockPanel, 1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
    Timer1->start();
    Timer1Timer();
    FormResize();
}

// ---- Frame events ----

bool TMainForm::event(QEvent *event)
{
    // The long hint of whatever is under the mouse goes to panel 0 and nowhere else, so the
    // clock panel is never covered by a temporary message.
    if (event->type() == QEvent::StatusTip) {
        m_hintPanel->setText(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_orderSubWindow) {
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        if (event->type() == QEvent::WindowStateChange && !m_orderSubWindow->isMaximized())
            QTimer::singleShot(0, m_orderSubWindow, &QMdiSubWindow::showMaximized);
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    Application::run([this] { FormShow(); });
}

void TMainForm::FormShow()
{
    setWindowState(windowState() | Qt::WindowMaximized);
    bool autoOpen = false;
    QString autoOpenFileName;
    m_commande->GetIni(autoOpen, autoOpenFileName);
    StartDir = QDir::currentPath();
    ParAutoOpenItem->setChecked(autoOpen);
    // A book recovered after a crash takes the place of the automatic opening.
    if (offerRecovery())
        return;
    // A book named at start-up is the one the user asked for: the remembered one stays shut.
    if (!m_startFile.isEmpty()) {
        if (saveQuestion())
            openChosen(m_startFile);
        return;
    }
    // The remembered name becomes the book's only when it is opened: an empty book saved under
    // it would overwrite the remembered file.
    if (autoOpen) {
        MainFileName = autoOpenFileName;
        // Enabled even when the file is gone, so that the new book can be saved.
        Valide();
        // Not opened after all (another copy holds it): the new book must not take its name.
        if (!m_commande->Charge(MainFileName))
            MainFileName.clear();
        bookReplaced();
    }
}

bool TMainForm::offerRecovery()
{
    QString name;
    QStringList lines;
    if (!m_recovery->start(StartDir) || !m_recovery->pending() || !m_recovery->read(name, lines))
        return false;
    if (Prompts::warning(QStringLiteral("Récupérer les modifications non enregistrées ?"),
                         Prompts::Buttons::YesNo) != Prompts::Answer::Yes) {
        m_recovery->discard();
        return false;
    }
    // The order file stays as it is until the user saves.
    MainFileName = m_commande->book().Recupere(name, lines) ? name : QString();
    Valide();
    return true;
}

void TMainForm::keepRecovery()
{
    m_recovery->keep(MainFileName, m_commande->book().snapshot());
}

void TMainForm::bookReplaced()
{
    m_recovery->setSaved(MainFileName, m_commande->book().OrderLines);
    m_recovery->discard();
}

void TMainForm::saveBook(const QString &fileName)
{
    m_commande->Sauve(fileName);
    bookReplaced();
}

void TMainForm::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TMainForm::FormResize()
{
    m_hintPanel->setFixedWidth(qMax(0, width() - 100));
}

void TMainForm::Timer1Timer()
{
    m_clockPanel->setText(QStringLiteral("    ") +
                          Clock::now().time().toString(QStringLiteral("hh:mm:ss")));
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    m_closed = true;
    event->accept();
}

bool TMainForm::FormCloseQuery()
{
    bool goOn = false;
    Application::run([&] { goOn = saveQuestion(); });
    return goOn;
}

void TMainForm::FormClose()
{
    // The save question was answered: what is not saved now was left on purpose.
    m_recovery->discard();
    if (!StartDir.isEmpty())
        QDir::setCurrent(StartDir);
    Application::run([this] {
        m_commande->FormClose();
        bool autoOpen = false;
        QString remembered;
        m_commande->GetIni(autoOpen, remembered);
        // Without a named book the file remembered so far stays the one to open.
        m_commande->SauveIni(MainFileName.isEmpty() ? remembered : MainFileName);
    });
    Application::run([this] { m_commande->SauveFour(); });
}

// ---- File commands ----

bool TMainForm::saveQuestion()
{
    bool modified = false;
    m_commande->TestModif(modified);
    if (!modified)
        return true;
    const Prompts::Answer answer =
        Prompts::warning(QStringLiteral("Enregistrer changements dans ") +
                             OrderFileName::withoutFolder(MainFileName) + QStringLiteral(" ?"),
                         Prompts::Buttons::YesNoCancel);
    if (answer == Prompts::Answer::No)
        return true;
    if (answer != Prompts::Answer::Yes)
        return false;
    // A book without a name gets one first; a cancelled name cancels the command.
    if (MainFileName.isEmpty())
        return SaveAs();
    try {
        saveBook(MainFileName);
    } catch (...) {
        Application::report(std::current_exception());
        return false;
    }
    return true;
}

void TMainForm::newBook()
{
    if (!saveQuestion())
        return;
    MainFileName.clear();
    m_commande->Nouveau();
    bookReplaced();
}

void TMainForm::openBook()
{
    if (!saveQuestion())
        return;
    const QString name = FileDialogs::getOpenFileName(this, QStringLiteral("Ouvrir"), QString(),
                                                      QStringLiteral("Commandes (*.cmd)"));
    if (name.isEmpty())
        return;
    openChosen(name);
}

void TMainForm::openAtStart(const QString &fileName)
{
    // Named from the working directory of the start, whatever happens to it later.
    m_startFile = fileName.isEmpty() ? QString() : QFileInfo(fileName).absoluteFilePath();
}

void TMainForm::openChosen(const QString &name)
{
    const QString previous = MainFileName;
    MainFileName = name;
    if (!OrderFileName::hasOrderExtension(MainFileName)) {
        MainFileName.clear();
        Prompts::information(QStringLiteral("Type de fichier non valide"));
        return;
    }
    if (!QFile::exists(MainFileName)) {
        Prompts::information(QStringLiteral("Le fichier n'existe pas"));
        return;
    }
    if (!m_commande->Charge(MainFileName)) {
        MainFileName = previous; // the book in use stays, under its name
        return;
    }
    bookReplaced();
    Valide();
}

bool TMainForm::SaveAs()
{
    MainFileName.clear();
    const QString chosen =
        FileDialogs::getSaveFileName(this, QStringLiteral("Enregistrer sous"),
                                     QStringLiteral("*.cmd"), QStringLiteral("Commandes (*.cmd)"));
    if (chosen.isEmpty())
        return false;
    const QString name = OrderFileName::withOrderExtension(chosen);
    if (QFile::exists(name) && Prompts::warning(QStringLiteral("Ce fichier existe déjà"),
                                                Prompts::Buttons::OkCancel) != Prompts::Answer::Ok)
        return false;
    MainFileName = name;
    // A failed write throws: the book stays modified and the old file as it was.
    saveBook(MainFileName);
    setWindowTitle(AppTitle);
    const QString caption = m_commande->windowTitle();
    if (!caption.isEmpty())
        setWindowTitle(AppTitle + QStringLiteral(" - [") + caption + QStringLiteral("]"));
    return true;
}

bool TMainForm::save()
{
    if (MainFileName.isEmpty())
        return SaveAs();
    MainFileName = OrderFileName::withOrderExtension(MainFileName);
    saveBook(MainFileName);
    return true;
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

void TMainForm::toggleAutoOpen()
{
    // The check mark has already been inverted by the trigger. The book's name stays as it is:
    // taking the remembered name here would let the next save overwrite that other file.
    m_commande->SetIni(ParAutoOpenItem->isChecked());
}

void TMainForm::deleteOrder()
{
    if (Prompts::warning(QStringLiteral("Confirmer suppression de la Commande ?"),
                         Prompts::Buttons::OkCancel) == Prompts::Answer::Ok)
        m_commande->Supprime();
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

void TMainForm::printWithDialog()
{
    keepRecovery(); // printing is where a faulty driver may take the program down
    const int copies = PrintDialogs::askCopies(this);
    for (int i = 0; i < copies; ++i)
        m_commande->Imprime();
}

void TMainForm::printOnce()
{
    keepRecovery();
    m_commande->Imprime();
}

HelpWindow &TMainForm::help()
{
    if (!m_help)
        m_help = new HelpWindow(this);
    return *m_help;
}
