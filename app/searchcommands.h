// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class ArticleAssistant;
class OrderWindow;
class QAction;
class QMenu;
class QToolBar;
class QWidget;
class SearchIndex;
class SearchWindow;
struct OrderPlace;

// The search over the orders and the memory of articles: their commands in the "&Edition" menu
// and on the tool bar, the index the book keeps right, and the window of results. An order
// found is shown in the order window, the window that found it staying open behind.
class SearchCommands : public QObject {
    Q_OBJECT
public:
    // The commands go at the end of editMenu, their tool button after `after`.
    SearchCommands(QWidget *window, OrderWindow &order, QMenu *editMenu, QToolBar *toolBar,
                   QAction *after);

    SearchIndex &index() const { return *m_index; }
    SearchWindow *searchWindow() const { return m_searchWindow; } // once it was opened
    void enable(); // once a book is in use; nothing disables the commands again

private:
    void createActions(QMenu *editMenu, QToolBar *toolBar, QAction *after);
    void showSearch();
    void showFoundOrder(int index, const OrderPlace &place);

    QWidget *m_window;
    OrderWindow &m_order;
    SearchIndex *m_index = nullptr;
    SearchWindow *m_searchWindow = nullptr;
    ArticleAssistant *m_articles = nullptr;
    QAction *m_searchAction = nullptr;
    QAction *m_nextFoundAction = nullptr;
    QAction *m_previousFoundAction = nullptr;
};
