// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainwindow.h"

#include "app/awaitedorderscommands.h"
#include "app/bookdrops.h"
#include "app/bookfilecommands.h"
#include "app/bookfollowing.h"
#include "app/findorderdialog.h"
#include "app/mainactions.h"
#include "app/menushortcuts.h"
#include "app/orderlistdialog.h"
#include "app/printcommands.h"
#include "app/recentbooksmenu.h"
#include "app/reportcommands.h"
#include "app/searchcommands.h"
#include "app/windowplace.h"
#include "core/clock.h"
#include "core/prompts.h"
#include "gui/application.h"
#include "gui/fieldguard.h"
#include "gui/printdialogs.h"
#include "gui/programpicture.h"
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

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QWindow>

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

    m_actions = new MainActions(this);
    m_recentBooks = new RecentBooksMenu(this, m_actions->fileMenu, m_actions->exitAction);
    createStatusBar();
    createWindows();
    m_following = new BookFollowing(this, *m_orderWindow, m_actions->fileMenu,
                                    m_actions->saveAsAction, m_hintPanel);
    connect(m_following, &BookFollowing::captionChanged, this, &MainWindow::showCaption);
    createFileCommands();
    m_search = new SearchCommands(this, *m_orderWindow, m_actions->editMenu, m_actions->toolBar,
                                  m_actions->findAction);
    m_awaitedOrders =
        new AwaitedOrdersCommands(this, *m_orderWindow, *m_actions, *m_search, m_clockTimer);
    connect(m_awaitedOrders, &AwaitedOrdersCommands::lateCountShown, this,
            &MainWindow::sizeHintPanel);
    connectCommands();
    new MenuShortcuts(this);
    connect(new BookDrops(this), &BookDrops::dropped, this, [this](const QStringList &fileNames) {
        Application::run([&] { m_files->openDropped(fileNames); });
    });
}

MainWindow::~MainWindow() = default;

const QString &MainWindow::fileName() const
{
    return m_files->fileName();
}

SearchIndex &MainWindow::searchIndex() const
{
    return m_search->index();
}

SearchWindow *MainWindow::searchWindow() const
{
    return m_search->searchWindow();
}

// ---- Construction ----

void MainWindow::createWindows()
{
    m_aboutBox = new AboutBox(this);

    // The one document window: filling the area, without a frame of its own, never closed
    // alone. It is kept out of Qt's maximised state on purpose: a maximised subwindow writes its
    // caption into the frame's title and, each time it is activated again, puts back the title
    // it first saw there, so the title would forget the book.
    m_orderWindow = new OrderWindow;
    m_orderSubWindow = m_mdiArea->addSubWindow(m_orderWindow, Qt::FramelessWindowHint);
    m_orderSubWindow->setObjectName(QStringLiteral("OrderSubWindow"));
    m_orderSubWindow->setSystemMenu(nullptr);
    m_orderSubWindow->installEventFilter(this);
    m_mdiArea->viewport()->installEventFilter(this);
    fillOrderArea();
    m_orderSubWindow->show();
    connect(m_orderWindow, &QWidget::windowTitleChanged, this, &MainWindow::showCaption);
    connect(m_orderWindow, &OrderWindow::bookCommandsWanted, this, &MainWindow::enableBookCommands);
    m_actions->followHistory(*m_orderWindow);
    OrderLifeCommands::addTo(m_actions->documentMenu, *m_orderWindow);

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

    m_orderWindow->setDialogs({m_supplierChooser, m_quickSupplier, m_supplierManagement, m_company,
                               m_parameters, m_converter, m_pageSetup});
    m_orderWindow->setListDialogs(
        [this](const OrderBook &book) { return m_orderList->choose(book); },
        [this] { return m_findDialog->ask(); });
    // The order window shows its first order and reads the side files now, so that the
    // settings are known when the frame is first shown.
    Application::run([this] { m_orderWindow->activate(); });
}

void MainWindow::createFileCommands()
{
    m_files = new BookFileCommands(this, *m_orderWindow);
    connect(m_files, &BookFileCommands::replaced, m_following, &BookFollowing::followBook);
    connect(m_following, &BookFollowing::bookReplaced, m_files, &BookFileCommands::bookReplaced);
    connect(m_files, &BookFileCommands::opened, m_recentBooks, &RecentBooksMenu::add);
    connect(m_recentBooks, &RecentBooksMenu::chosen, m_files, &BookFileCommands::openAsked);
    connect(m_files, &BookFileCommands::commandsWanted, this, &MainWindow::enableBookCommands);
    connect(m_files, &BookFileCommands::captionChanged, this, &MainWindow::showCaption);
}

void MainWindow::connectCommands()
{
    const MainActions &a = *m_actions;
    // Nothing a command throws reaches Qt's event dispatch.
    const auto run = [this](QAction *action, auto command) {
        connect(action, &QAction::triggered, this, [command] { Application::run(command); });
    };
    const auto order = [this, run](QAction *action, void (OrderWindow::*command)()) {
        run(action, [this, command] { (m_orderWindow->*command)(); });
    };
    run(a.newAction, [this] { m_files->newBook(); });
    run(a.openAction, [this] { m_files->openBook(); });
    run(a.saveAction, [this] { m_files->save(); });
    run(a.saveAsAction, [this] { m_files->saveAs(); });
    order(a.pageSetupAction, &OrderWindow::choosePaper);
    run(a.printAction, [this] { printWithDialog(); });
    connect(a.printSetupAction, &QAction::triggered, this,
            [this] { PrintDialogs::setupPrinter(this); });
    run(a.previewAction, [this] { PrintCommands::preview(this, *m_orderWindow); });
    run(a.exportPdfAction, [this] { PrintCommands::exportPdf(this, *m_orderWindow); });
    run(a.mailAction, [this] { PrintCommands::mail(*m_orderWindow); });
    run(a.exportCsvAction, [this] { ReportCommands::exportOrders(this, *m_orderWindow); });
    run(a.statisticsAction, [this] { ReportCommands::showStatistics(this, *m_orderWindow); });
    connect(a.exitAction, &QAction::triggered, this, &QWidget::close);

    order(a.undoAction, &OrderWindow::undo);
    order(a.redoAction, &OrderWindow::redo);
    order(a.copyAction, &OrderWindow::copyOrder);
    order(a.pasteAction, &OrderWindow::pasteOrder);
    order(a.findAction, &OrderWindow::findOrder);

    order(a.previousAction, &OrderWindow::previousOrder);
    order(a.nextAction, &OrderWindow::nextOrder);
    order(a.firstAction, &OrderWindow::firstOrder);
    order(a.lastAction, &OrderWindow::lastOrder);
    run(a.newOrderAction, [this] {
        m_orderWindow->addOrder();
        enableBookCommands();
    });
    run(a.deleteOrderAction, [this] { deleteOrder(); });
    order(a.deleteLineAction, &OrderWindow::deleteLine);
    connect(m_orderWindow, &OrderWindow::deleteLineEnabledChanged, a.deleteLineAction,
            &QAction::setEnabled);
    order(a.calculateAction, &OrderWindow::calculateOrder);
    order(a.orderListAction, &OrderWindow::showOrderList);

    order(a.companyAction, &OrderWindow::editCompany);
    order(a.orderParametersAction, &OrderWindow::editOrderParameters);
    order(a.suppliersAction, &OrderWindow::manageSuppliers);
    // The check mark has already been inverted by the trigger. The book's name stays as it is:
    // taking the remembered name here would let the next save overwrite that other file.
    run(a.autoOpenAction,
        [this] { m_orderWindow->setAutoOpen(m_actions->autoOpenAction->isChecked()); });

    run(a.calendarAction, [this] { m_calendar->exec(); });
    run(a.calculatorAction, [this] { m_calculator->exec(); });
    run(a.clockAction, [this] { m_clock->exec(); });
    run(a.converterAction, [this] { m_converter->exec(); });

    connect(a.helpContentsAction, &QAction::triggered, this, [this] { help().showContents(); });
    connect(a.helpSearchAction, &QAction::triggered, this, [this] { help().showIndex(QString()); });
    connect(a.helpHowToUseAction, &QAction::triggered, this, [this] { help().showHowToUse(); });
    connect(a.aboutAction, &QAction::triggered, this, [this] { m_aboutBox->exec(); });

    run(a.printOrderAction, [this] { printOnce(); });
    order(a.envelopeAction, &OrderWindow::printEnvelope);
}

void MainWindow::enableBookCommands()
{
    m_actions->enableBookCommands();
    m_search->enable();
}

void MainWindow::createStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setSizeGripEnabled(false);
    m_hintPanel = new QLabel(bar);
    m_hintPanel->setObjectName(QStringLiteral("HintPanel"));
    m_hintPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_clockPanel = new QLabel(bar);
    m_clockPanel->setObjectName(QStringLiteral("ClockPanel"));
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
            this, [this] { Application::run([this] { m_files->checkBookOnDisk(); }); },
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

void MainWindow::openAtStart(const QString &fileName)
{
    // Named from the working directory of the start, whatever happens to it later.
    m_startFile = fileName.isEmpty() ? QString() : QFileInfo(fileName).absoluteFilePath();
}

void MainWindow::firstShown()
{
    restorePlace(); // maximised the first time
    bool autoOpen = false;
    QString autoOpenFileName;
    m_orderWindow->autoOpenSetting(autoOpen, autoOpenFileName);
    m_startDir = QDir::currentPath();
    m_actions->autoOpenAction->setChecked(autoOpen);
    // A book recovered after a crash takes the place of the automatic opening.
    if (m_files->offerRecovery(m_startDir))
        return;
    // A book named at start-up is the one the user asked for: the remembered one stays shut.
    if (!m_startFile.isEmpty()) {
        m_files->openAsked(m_startFile);
        return;
    }
    if (autoOpen)
        m_files->openRemembered(autoOpenFileName);
}

void MainWindow::restorePlace()
{
    const std::optional<WindowPlace> kept = WindowPlace::load();
    if (!kept) {
        setWindowState(windowState() | Qt::WindowMaximized);
        return;
    }
    QList<WindowPlace::Screen> screens; // the primary first
    for (const QScreen *screen : QGuiApplication::screens()) {
        const WindowPlace::Screen known{screen->name(), screen->availableGeometry()};
        if (screen == QGuiApplication::primaryScreen())
            screens.prepend(known);
        else
            screens.append(known);
    }
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    setGeometry(kept->placed(screens));
    if (kept->maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void MainWindow::keepPlace() const
{
    WindowPlace place;
    const QWindow *window = windowHandle();
    place.screen = window && window->screen() ? window->screen()->name() : QString();
    place.normal = isMaximized() || isFullScreen() ? normalGeometry() : geometry();
    place.maximized = isMaximized();
    place.save();
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    sizeHintPanel();
}

void MainWindow::sizeHintPanel()
{
    const int late = m_awaitedOrders ? m_awaitedOrders->lateCountWidth() : 0;
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
    event->accept();
}

bool MainWindow::mayClose()
{
    bool goOn = false;
    Application::run([&] { goOn = m_files->saveQuestion(); });
    return goOn;
}

void MainWindow::finishClosing()
{
    // The save question was answered: what is not saved now was left on purpose.
    m_files->discardRecovery();
    keepPlace();
    if (!m_startDir.isEmpty())
        QDir::setCurrent(m_startDir);
    Application::run([this] {
        m_orderWindow->keepConverterRate();
        bool autoOpen = false;
        QString remembered;
        m_orderWindow->autoOpenSetting(autoOpen, remembered);
        // Without a named book the file remembered so far stays the one to open.
        const QString &fileName = m_files->fileName();
        m_orderWindow->saveSettings(fileName.isEmpty() ? remembered : fileName);
    });
    Application::run([this] { m_orderWindow->saveSuppliers(); });
}

void MainWindow::deleteOrder()
{
    if (Prompts::warning(QStringLiteral("Confirmer suppression de la Commande ?"),
                         Prompts::Buttons::OkCancel) == Prompts::Answer::Ok)
        m_orderWindow->deleteOrder();
}

void MainWindow::printWithDialog()
{
    m_files->keepRecovery(); // printing is where a faulty driver may take the program down
    const int copies = PrintDialogs::askCopies(this);
    // A failed copy is reported once and ends the job.
    for (int i = 0; i < copies && m_orderWindow->printOrder(); ++i) {
    }
}

void MainWindow::printOnce()
{
    m_files->keepRecovery();
    m_orderWindow->printOrder();
}

void MainWindow::followBook()
{
    m_following->followBook();
}

HelpWindow &MainWindow::help()
{
    if (!m_help)
        m_help = new HelpWindow(this);
    return *m_help;
}
