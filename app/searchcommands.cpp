// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/searchcommands.h"

#include "gui/application.h"
#include "gui/toolicons.h"
#include "order/orderwindow.h"
#include "search/articleassistant.h"
#include "search/searchindex.h"
#include "search/searchwindow.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

SearchCommands::SearchCommands(QWidget *window, OrderWindow &order, QMenu *editMenu,
                               QToolBar *toolBar, QAction *after)
    : QObject(window), m_window(window), m_order(order)
{
    m_index = new SearchIndex(BookView(m_order.document()), this);
    m_order.document().setBookListener(m_index);
    m_articles = new ArticleAssistant(m_order, *m_index, this);
    connect(m_articles, &ArticleAssistant::orderChosen, this, &SearchCommands::showFoundOrder);
    createActions(editMenu, toolBar, after);
}

void SearchCommands::createActions(QMenu *editMenu, QToolBar *toolBar, QAction *after)
{
    // The window's own children, as its other commands: their keys come before a field's.
    const auto command = [this](const char *name, const QString &text, const QString &hint,
                                const QKeySequence &keys, auto run) {
        auto *a = new QAction(text, m_window);
        a->setObjectName(QString::fromLatin1(name));
        a->setStatusTip(hint);
        a->setShortcut(keys);
        a->setEnabled(false); // until a book is in use (enable)
        connect(a, &QAction::triggered, this, [run] { Application::run(run); });
        return a;
    };
    m_searchAction =
        command("SearchOrdersAction", QStringLiteral("Rechercher dans les &commandes..."),
                QStringLiteral("Rechercher dans les commandes"), QKeySequence(Qt::CTRL | Qt::Key_F),
                [this] { showSearch(); });
    m_searchAction->setIcon(ToolIcons::icon(ToolIcons::Kind::FindInOrders));
    m_searchAction->setIconVisibleInMenu(false); // the icon is for its tool button
    const auto step = [this, command](const char *name, const QString &text, const QString &hint,
                                      const QKeySequence &keys, bool (SearchWindow::*go)()) {
        return command(name, text, hint, keys, [this, go] {
            if (m_searchWindow)
                (m_searchWindow->*go)();
        });
    };
    m_nextFoundAction = step("NextFoundAction", QStringLiteral("Commande trouvée &suivante"),
                             QStringLiteral("Afficher la commande trouvée suivante"),
                             QKeySequence(Qt::Key_F3), &SearchWindow::showNext);
    m_previousFoundAction =
        step("PreviousFoundAction", QStringLiteral("Commande trouvée précé&dente"),
             QStringLiteral("Afficher la commande trouvée précédente"),
             QKeySequence(Qt::SHIFT | Qt::Key_F3), &SearchWindow::showPrevious);

    editMenu->addActions({m_searchAction, m_nextFoundAction, m_previousFoundAction});
    // The tool button stands beside the search by number.
    const QList<QAction *> tools = toolBar->actions();
    toolBar->insertAction(tools.value(tools.indexOf(after) + 1), m_searchAction);
    auto *button = qobject_cast<QToolButton *>(toolBar->widgetForAction(m_searchAction));
    button->setObjectName(QStringLiteral("SearchOrdersButton"));
    button->setToolTip(QStringLiteral("Rechercher dans les commandes"));
    button->setAutoRaise(true);
}

void SearchCommands::enable()
{
    for (QAction *a : {m_searchAction, m_nextFoundAction, m_previousFoundAction})
        a->setEnabled(true);
}

void SearchCommands::showSearch()
{
    if (!m_searchWindow) {
        m_searchWindow = new SearchWindow(*m_index, m_window);
        connect(m_searchWindow, &SearchWindow::orderChosen, this, &SearchCommands::showFoundOrder);
    }
    m_searchWindow->showSearch();
}

void SearchCommands::showFoundOrder(int index, const OrderPlace &place)
{
    Application::run([&] {
        m_window->activateWindow();
        m_order.showOrder(index, place);
    });
}
