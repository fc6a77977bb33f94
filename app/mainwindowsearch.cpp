// SPDX-License-Identifier: GPL-3.0-or-later
// The search over the orders and the memory of articles: their commands, windows, and the
// index the book keeps right.
#include "app/mainwindow.h"

#include "gui/application.h"
#include "gui/toolicons.h"
#include "order/orderwindow.h"
#include "search/articleassistant.h"
#include "search/searchindex.h"
#include "search/searchwindow.h"

#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

void MainWindow::createSearch()
{
    m_searchIndex = new SearchIndex(BookView(m_commande->document()), this);
    m_commande->document().setBookListener(m_searchIndex);
    m_articles = new ArticleAssistant(*m_commande, *m_searchIndex, this);
    connect(m_articles, &ArticleAssistant::orderChosen, this, &MainWindow::showFoundOrder);

    EditSearchItem =
        action("EditSearchItem", QStringLiteral("Rechercher dans les &commandes..."),
               QStringLiteral("Rechercher dans les commandes"), &MainWindow::showSearch);
    EditSearchItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    EditSearchItem->setIcon(ToolIcons::icon(ToolIcons::Kind::FindInOrders));
    EditSearchItem->setIconVisibleInMenu(false); // the icon is for its tool button
    const auto step = [this](const char *name, const QString &text, const QString &hint,
                             const QKeySequence &keys, bool (SearchWindow::*go)()) {
        QAction *a = action(name, text, hint, nullptr);
        a->setShortcut(keys);
        connect(a, &QAction::triggered, this, [this, go] {
            Application::run([&] {
                if (m_searchWindow)
                    (m_searchWindow->*go)();
            });
        });
        return a;
    };
    EditNextFoundItem = step("EditNextFoundItem", QStringLiteral("Commande trouvée &suivante"),
                             QStringLiteral("Afficher la commande trouvée suivante"),
                             QKeySequence(Qt::Key_F3), &SearchWindow::showNext);
    EditPreviousFoundItem =
        step("EditPreviousFoundItem", QStringLiteral("Commande trouvée précé&dente"),
             QStringLiteral("Afficher la commande trouvée précédente"),
             QKeySequence(Qt::SHIFT | Qt::Key_F3), &SearchWindow::showPrevious);
    // Off until a book is in use (enableBookCommands).
    for (QAction *a : {EditSearchItem, EditNextFoundItem, EditPreviousFoundItem})
        a->setEnabled(false);

    menuBar()
        ->findChild<QMenu *>(QStringLiteral("EditMenu"))
        ->addActions({EditSearchItem, EditNextFoundItem, EditPreviousFoundItem});
    // The tool button stands beside the search by number.
    const QList<QAction *> tools = m_toolBar->actions();
    const qsizetype find = tools.indexOf(FindBtn->defaultAction());
    m_toolBar->insertAction(tools.value(find + 1), EditSearchItem);
    SearchBtn = qobject_cast<QToolButton *>(m_toolBar->widgetForAction(EditSearchItem));
    SearchBtn->setObjectName(QStringLiteral("SearchBtn"));
    SearchBtn->setToolTip(QStringLiteral("Rechercher dans les commandes"));
    SearchBtn->setAutoRaise(true);
}

void MainWindow::showSearch()
{
    if (!m_searchWindow) {
        m_searchWindow = new SearchWindow(*m_searchIndex, this);
        connect(m_searchWindow, &SearchWindow::orderChosen, this, &MainWindow::showFoundOrder);
    }
    m_searchWindow->showSearch();
}

// As the order list shows an order; the window that found it stays open behind.
void MainWindow::showFoundOrder(int index, const OrderPlace &place)
{
    Application::run([&] {
        activateWindow();
        m_commande->showOrder(index, place);
    });
}
