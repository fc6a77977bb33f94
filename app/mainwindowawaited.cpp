// SPDX-License-Identifier: GPL-3.0-or-later
// The orders awaited from the suppliers: their window, its command and tool button, and the
// count of the late ones in the status bar.
#include "app/mainwindow.h"

#include "core/clock.h"
#include "gui/application.h"
#include "gui/toolicons.h"
#include "order/orderwindow.h"
#include "reports/awaitedorders.h"
#include "reports/awaitedorderswindow.h"
#include "search/searchindex.h"

#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

// Long enough for a run of keystrokes to cost one reading of the book.
constexpr int ReadDelayMs = 400;

} // namespace

void MainWindow::createAwaitedOrders()
{
    m_awaited = new AwaitedOrders(BookView(m_commande->document()), this);
    m_awaited->follow(ReadDelayMs);
    // The search index hears of every change to the book's blocks: so does the list, through it.
    connect(m_searchIndex, &SearchIndex::orderChanged, m_awaited, &AwaitedOrders::orderChanged);
    connect(m_searchIndex, &SearchIndex::ordersMoved, m_awaited, &AwaitedOrders::bookChanged);
    connect(m_searchIndex, &SearchIndex::bookReplaced, m_awaited, &AwaitedOrders::bookChanged);
    connect(m_awaited, &AwaitedOrders::changed, this, &MainWindow::showLateCount);

    DocAwaitedItem = action("DocAwaitedItem", QStringLiteral("Co&mmandes en attente..."),
                            QStringLiteral("Commandes envoyées et pas encore reçues"), nullptr);
    connect(DocAwaitedItem, &QAction::triggered, this, [this] {
        Application::run([this] {
            if (!m_awaitedWindow) {
                m_awaitedWindow = new AwaitedOrdersWindow(*m_awaited, this);
                connect(m_awaitedWindow, &AwaitedOrdersWindow::orderChosen, this,
                        [this](int index) { showFoundOrder(index, OrderPlace()); });
            }
            m_awaitedWindow->showOrders();
        });
    });
    // A command for a book in use, as the statistics.
    DocAwaitedItem->setEnabled(DocStatisticsItem->isEnabled());
    connect(DocStatisticsItem, &QAction::enabledChanged, DocAwaitedItem, &QAction::setEnabled);
    const QList<QAction *> items = m_documentMenu->actions();
    m_documentMenu->insertAction(items.value(items.indexOf(DocStatisticsItem) + 1), DocAwaitedItem);

    DocAwaitedItem->setIcon(ToolIcons::icon(ToolIcons::Kind::AwaitedOrders));
    DocAwaitedItem->setIconVisibleInMenu(false); // the icon is for its tool button
    const QList<QAction *> tools = m_toolBar->actions();
    m_toolBar->insertAction(tools.value(tools.indexOf(EditSearchItem) + 1), DocAwaitedItem);
    auto *button = qobject_cast<QToolButton *>(m_toolBar->widgetForAction(DocAwaitedItem));
    button->setObjectName(QStringLiteral("AwaitedBtn"));
    button->setToolTip(QStringLiteral("Commandes en attente"));
    button->setAutoRaise(true);

    m_latePanel = new QLabel(statusBar());
    m_latePanel->setObjectName(QStringLiteral("LatePanel"));
    m_latePanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_latePanel->hide();
    statusBar()->insertWidget(1, m_latePanel);
    // The delays grow at midnight without any change to the book.
    connect(m_clockTimer, &QTimer::timeout, this, [this] {
        if (Clock::today() != m_lateDay)
            showLateCount();
    });
}

void MainWindow::showLateCount()
{
    m_lateDay = Clock::today();
    const int late = m_awaited->lateCount(m_lateDay);
    m_latePanel->setText(late == 1 ? QStringLiteral("1 commande en retard")
                                   : QStringLiteral("%1 commandes en retard").arg(late));
    m_latePanel->setVisible(late > 0);
    sizeHintPanel();
    if (m_awaitedWindow)
        m_awaitedWindow->dayChanged();
}
