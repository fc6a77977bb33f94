// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainwindow.h"

#include "app/findorderdialog.h"
#include "app/menushortcuts.h"
#include "app/orderlistdialog.h"
#include "core/clock.h"
#include "core/prompts.h"
#include "gui/application.h"
#include "gui/fieldguard.h"
#include "gui/printdialogs.h"
#include "gui/programpicture.h"
#include "order/bookrecovery.h"
#include "order/orderlifewidgets.h"
#include "order/orderwindow.h"
#include "printing/pagesetupdialog.h"
#include "settings/orderparametersdialog.h"
#include "suppliers/companydialog.h"
#include "suppliers/supplierentrydialog.h"
#include "suppliers/supplierlistdialog.h"
#include "suppliers/supplierwindow.h"
#include "utilities/aboutbox.h"
#include "utilities/calendarwindow.h"
#include "utilities/clockwindow.h"
#include "utilities/euroconverterwindow.h"
#include "utilities/helpwindow.h"
#include "utilities/pocketcalculatorwindow.h"

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

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainWindow"));
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
    createAwaitedOrders();
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

MainWindow::~MainWindow() = default;

// ---- Construction ----

void MainWindow::createWindows()
{
    m_aboutBox = new AboutBox(this);

    // The one document window: filling the area, without a frame of its own, never closed
    // alone. It is kept out of Qt's maximised state on purpose: a maximised subwindow writes its
    // caption into the frame's title and, each time it is activated again, puts back the title
    // it first saw there, so the title would forget the book.
    m_commande = new OrderWindow;
    m_orderSubWindow = m_mdiArea->addSubWindow(m_commande, Qt::FramelessWindowHint);
    m_orderSubWindow->setObjectName(QStringLiteral("OrderSubWindow"));
    m_orderSubWindow->setSystemMenu(nullptr);
    m_orderSubWindow->installEventFilter(this);
    m_mdiArea->viewport()->installEventFilter(this);
    fillOrderArea();
    m_orderSubWindow->show();
    connect(m_commande, &QWidget::windowTitleChanged, this, &MainWindow::showCaption);
    connect(m_commande, &OrderWindow::deleteLineEnabledChanged, DocDeleteLineItem,
            &QAction::setEnabled);
    connect(m_commande, &OrderWindow::bookCommandsWanted, this, &MainWindow::enableBookCommands);
    bindHistory();
    OrderLifeCommands::addTo(m_documentMenu, *m_commande);

    m_orderList = new OrderListDialog(this);
    m_quickSupplier = new SupplierEntryDialog(this);
    m_supplierChooser = new SupplierListDialog(this);
    m_company = new CompanyDialog(this);
    m_pageSetup = new PageSetupDialog(this);
    m_parameters = new OrderParametersDialog(this);
    m_supplierManagement = new SupplierWindow(this);
    m_findDialog = new FindOrderDialog(this);
    m_calendar = new CalendarWindow(this);
    m_converter = new EuroConverterWindow(this);
    m_clock = new ClockWindow(this);
    m_calculator = new PocketCalculatorWindow(this);

    m_commande->setDialogs({m_supplierChooser, m_quickSupplier, m_supplierManagement, m_company,
                            m_parameters, m_converter, m_pageSetup});
    m_commande->setListDialogs([this](const OrderBook &book) { return m_orderList->Choose(book); },
                               [this] { return m_findDialog->Ask(); });
    // The order window shows its first order and reads the side files now, so that the
    // settings are known when the frame is first shown.
    Application::run([this] { m_commande->activate(); });
}

void MainWindow::createStatusBar()
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

    m_clockTimer = new QTimer(this);
    m_clockTimer->setObjectName(QStringLiteral("ClockTimer"));
    m_clockTimer->setInterval(1000);
    connect(m_clockTimer, &QTimer::timeout, this, &MainWindow::showTime);
    m_clockTimer->start();
    showTime();
    sizeHintPanel();
}

// ---- Frame events ----

void MainWindow::showCaption(const QString &caption)
{
    setWindowTitle(caption.isEmpty()
                       ? AppTitle
                       : AppTitle + QStringLiteral(" - [") + caption + QStringLiteral("]"));
}

bool MainWindow::event(QEvent *event)
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

void MainWindow::fillOrderArea()
{
    m_orderSubWindow->setGeometry(m_mdiArea->viewport()->rect());
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
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

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    Application::run([this] { firstShown(); });
}

void MainWindow::firstShown()
{
    restorePlace(); // maximised the first time
    bool autoOpen = false;
    QString autoOpenFileName;
    m_commande->autoOpenSetting(autoOpen, autoOpenFileName);
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
        enableBookCommands();
        // Without a word the user would take the empty book for the remembered one.
        if (!MainFileName.isEmpty() && !QFileInfo::exists(MainFileName))
            Prompts::information(QStringLiteral("Le fichier %1 n'existe pas").arg(MainFileName));
        // Not opened after all (another copy holds it): the new book must not take its name.
        if (bookOpened(m_commande->loadBook(MainFileName)))
            bookInUse();
        else
            MainFileName.clear();
        bookReplaced();
    }
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    sizeHintPanel();
}

void MainWindow::sizeHintPanel()
{
    const int late = m_latePanel && !m_latePanel->isHidden() ? m_latePanel->sizeHint().width() : 0;
    m_hintPanel->setFixedWidth(qMax(0, width() - 100 - late));
}

void MainWindow::showTime()
{
    m_clockPanel->setText(QStringLiteral("    ") +
                          Clock::now().time().toString(QStringLiteral("hh:mm:ss")));
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!mayClose()) {
        event->ignore();
        return;
    }
    finishClosing();
    m_closed = true;
    event->accept();
}

bool MainWindow::mayClose()
{
    bool goOn = false;
    Application::run([&] { goOn = saveQuestion(); });
    return goOn;
}

void MainWindow::finishClosing()
{
    // The save question was answered: what is not saved now was left on purpose.
    m_recovery->discard();
    keepPlace();
    if (!StartDir.isEmpty())
        QDir::setCurrent(StartDir);
    Application::run([this] {
        m_commande->keepConverterRate();
        bool autoOpen = false;
        QString remembered;
        m_commande->autoOpenSetting(autoOpen, remembered);
        // Without a named book the file remembered so far stays the one to open.
        m_commande->saveSettings(MainFileName.isEmpty() ? remembered : MainFileName);
    });
    Application::run([this] { m_commande->saveSuppliers(); });
}

void MainWindow::toggleAutoOpen()
{
    // The check mark has already been inverted by the trigger. The book's name stays as it is:
    // taking the remembered name here would let the next save overwrite that other file.
    m_commande->setAutoOpen(ParAutoOpenItem->isChecked());
}

void MainWindow::deleteOrder()
{
    if (Prompts::warning(QStringLiteral("Confirmer suppression de la Commande ?"),
                         Prompts::Buttons::OkCancel) == Prompts::Answer::Ok)
        m_commande->deleteOrder();
}

void MainWindow::printWithDialog()
{
    keepRecovery(); // printing is where a faulty driver may take the program down
    const int copies = PrintDialogs::askCopies(this);
    // A failed copy is reported once and ends the job.
    for (int i = 0; i < copies && m_commande->printOrder(); ++i) {
    }
}

void MainWindow::printOnce()
{
    keepRecovery();
    m_commande->printOrder();
}

HelpWindow &MainWindow::help()
{
    if (!m_help)
        m_help = new HelpWindow(this);
    return *m_help;
}
