// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/awaitedorderscommands.h"

#include "app/mainactions.h"
#include "app/searchcommands.h"
#include "core/clock.h"
#include "gui/application.h"
#include "gui/toolicons.h"
#include "order/orderwindow.h"
#include "reports/awaitedorders.h"
#include "reports/awaitedorderswindow.h"
#include "search/searchindex.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

// Long enough for a run of keystrokes to cost one reading of the book.
constexpr int ReadDelayMs = 400;

} // namespace

AwaitedOrdersCommands::AwaitedOrdersCommands(QMainWindow *window, OrderWindow &order,
                                             MainActions &actions, SearchCommands &search,
                                             QTimer *dayTick)
    : QObject(window), m_window(window), m_order(order)
{
    m_awaited = new AwaitedOrders(BookView(order.document()), this);
    m_awaited->follow(ReadDelayMs);
    const SearchIndex *index = &search.index();
    connect(index, &SearchIndex::orderChanged, m_awaited, &AwaitedOrders::orderChanged);
    connect(index, &SearchIndex::ordersMoved, m_awaited, &AwaitedOrders::bookChanged);
    connect(index, &SearchIndex::bookReplaced, m_awaited, &AwaitedOrders::bookChanged);
    connect(m_awaited, &AwaitedOrders::changed, this, &AwaitedOrdersCommands::showLateCount);

    createAction(actions, search.searchAction());

    m_latePanel = new QLabel(window->statusBar());
    m_latePanel->setObjectName(QStringLiteral("LatePanel"));
    m_latePanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_latePanel->hide();
    window->statusBar()->insertWidget(1, m_latePanel);
    connect(dayTick, &QTimer::timeout, this, [this] {
        if (Clock::today() != m_lateDay)
            showLateCount();
    });
}

void AwaitedOrdersCommands::createAction(MainActions &actions, QAction *after)
{
    // The window's own child, as its other commands: its keys come before a field's.
    m_showAction = new QAction(QStringLiteral("Co&mmandes en attente..."), m_window);
    m_showAction->setObjectName(QStringLiteral("AwaitedOrdersAction"));
    m_showAction->setStatusTip(QStringLiteral("Commandes envoyées et pas encore reçues"));
    connect(m_showAction, &QAction::triggered, this,
            [this] { Application::run([this] { showOrders(); }); });
    // A command for a book in use, as the statistics.
    m_showAction->setEnabled(actions.statisticsAction->isEnabled());
    connect(actions.statisticsAction, &QAction::enabledChanged, m_showAction, &QAction::setEnabled);
    const QList<QAction *> items = actions.documentMenu->actions();
    actions.documentMenu->insertAction(items.value(items.indexOf(actions.statisticsAction) + 1),
                                       m_showAction);

    m_showAction->setIcon(ToolIcons::icon(ToolIcons::Kind::AwaitedOrders));
    m_showAction->setIconVisibleInMenu(false); // the icon is for its tool button
    const QList<QAction *> tools = actions.toolBar->actions();
    actions.toolBar->insertAction(tools.value(tools.indexOf(after) + 1), m_showAction);
    auto *button = qobject_cast<QToolButton *>(actions.toolBar->widgetForAction(m_showAction));
    button->setObjectName(QStringLiteral("AwaitedOrdersButton"));
    button->setToolTip(QStringLiteral("Commandes en attente"));
    button->setAutoRaise(true);
}

void AwaitedOrdersCommands::showOrders()
{
    if (!m_awaitedWindow) {
        m_awaitedWindow = new AwaitedOrdersWindow(*m_awaited, m_window);
        connect(m_awaitedWindow, &AwaitedOrdersWindow::orderChosen, this, [this](int index) {
            Application::run([&] {
                m_window->activateWindow();
                m_order.showOrder(index, OrderPlace());
            });
        });
    }
    m_awaitedWindow->showOrders();
}

void AwaitedOrdersCommands::showLateCount()
{
    m_lateDay = Clock::today();
    const int late = m_awaited->lateCount(m_lateDay);
    m_latePanel->setText(late == 1 ? QStringLiteral("1 commande en retard")
                                   : QStringLiteral("%1 commandes en retard").arg(late));
    m_latePanel->setVisible(late > 0);
    emit lateCountShown();
    if (m_awaitedWindow)
        m_awaitedWindow->dayChanged();
}

int AwaitedOrdersCommands::lateCountWidth() const
{
    return m_latePanel->isHidden() ? 0 : m_latePanel->sizeHint().width();
}
