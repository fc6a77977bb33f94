// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tmainform.h"

#include "app/menushortcuts.h"
#include "app/tcmdliste.h"
#include "app/tfinddialog.h"
#include "core/clock.h"
#include "core/prompts.h"
#include "gui/application.h"
#include "gui/fieldguard.h"
#include "gui/printdialogs.h"
#include "gui/programpicture.h"
#include "order/bookrecovery.h"
#include "order/tcommande.h"
#include "printing/tmpage.h"
#include "settings/tparamc.h"
#include "suppliers/tffour.h"
#include "suppliers/tfichfour.h"
#include "suppliers/tlistefour.h"
#include "suppliers/tsociete.h"
#include "utilities/helpwindow.h"
#include "utilities/taboutbox.h"
#include "utilities/tcalendrier.h"
#include "utilities/teurof.h"
#include "utilities/thorloge.h"
#include "utilities/tpocket.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>

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
    createRecentBooks(m_fileMenu);
    createToolBar();
    createStatusBar();
    createWindows();
    createBookFollowing(m_fileMenu);
    createSearch();
    new MenuShortcuts(this);
    acceptBookDrops();

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

    // The one document window: filling the area, without a frame of its own, never closed
    // alone. It is kept out of Qt's maximised state on purpose: a maximised subwindow writes its
    // caption into the frame's title and, each time it is activated again, puts back the title
    // it first saw there, so the title would forget the book.
    m_commande = new TCommande;
    m_orderSubWindow = m_mdiArea->addSubWindow(m_commande, Qt::FramelessWindowHint);
    m_orderSubWindow->setObjectName(QStringLiteral("OrderSubWindow"));
    m_orderSubWindow->setSystemMenu(nullptr);
    m_orderSubWindow->installEventFilter(this);
    m_mdiArea->viewport()->installEventFilter(this);
    fillOrderArea();
    m_orderSubWindow->show();
    connect(m_commande, &QWidget::windowTitleChanged, this, &TMainForm::showCaption);
    connect(m_commande, &TCommande::deleteLineEnabledChanged, DocDeleteLineItem,
            &QAction::setEnabled);
    connect(m_commande, &TCommande::bookCommandsWanted, this, &TMainForm::Valide);
    bindHistory();

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

    m_commande->setDialogs({m_supplierChooser, m_quickSupplier, m_supplierManagement, m_company,
                            m_parameters, m_converter, m_pageSetup});
    m_commande->setListDialogs([this](const OrderBook &book) { return m_orderList->Choose(book); },
                               [this] { return m_findDialog->Ask(); });
    // The order window shows its first order and reads the side files now, so that the
    // settings are known when the frame is first shown.
    Application::run([this] { m_commande->activate(); });
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
    // A character a field refused is told where the hints stand.
    connect(&FieldNotices::instance(), &FieldNotices::refused, m_hintPanel, &QLabel::setText);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
    Timer1->start();
    Timer1Timer();
    FormResize();
}

// ---- Frame events ----

void TMainForm::showCaption(const QString &caption)
{
    setWindowTitle(caption.isEmpty()
                       ? AppTitle
                       : AppTitle + QStringLiteral(" - [") + caption + QStringLiteral("]"));
}

bool TMainForm::event(QEvent *event)
{
    // The long hint of whatever is under the mouse goes to panel 0 and nowhere else, so the
    // clock panel is never covered by a temporary message.
    if (event->type() == QEvent::StatusTip) {
        m_hintPanel->setText(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    // Back from another program, which may have changed the book's file. Asked once the
    // activation is over: the question's own box activates the window again when it closes.
    if (event->type() == QEvent::WindowActivate && m_shown)
        QMetaObject::invokeMethod(
            this, [this] { Application::run([this] { checkBookOnDisk(); }); },
            Qt::QueuedConnection);
    return QMainWindow::event(event);
}

void TMainForm::fillOrderArea()
{
    m_orderSubWindow->setGeometry(m_mdiArea->viewport()->rect());
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_orderSubWindow) {
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        if (event->type() == QEvent::WindowStateChange &&
            (m_orderSubWindow->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)))
            QTimer::singleShot(0, m_orderSubWindow, [this] {
                m_orderSubWindow->showNormal();
                fillOrderArea();
            });
    }
    if (watched == m_mdiArea->viewport() && event->type() == QEvent::Resize)
        fillOrderArea();
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
    restorePlace(); // maximised the first time
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
        // Without a word the user would take the empty book for the remembered one.
        if (!MainFileName.isEmpty() && !QFileInfo::exists(MainFileName))
            Prompts::information(QStringLiteral("Le fichier %1 n'existe pas").arg(MainFileName));
        // Not opened after all (another copy holds it): the new book must not take its name.
        if (bookOpened(m_commande->Charge(MainFileName)))
            bookInUse();
        else
            MainFileName.clear();
        bookReplaced();
    }
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
    keepPlace();
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

void TMainForm::printWithDialog()
{
    keepRecovery(); // printing is where a faulty driver may take the program down
    const int copies = PrintDialogs::askCopies(this);
    // A failed copy is reported once and ends the job.
    for (int i = 0; i < copies && m_commande->Imprime(); ++i) {
    }
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
