// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QObject>

class AwaitedOrders;
class AwaitedOrdersWindow;
class MainActions;
class OrderWindow;
class QAction;
class QLabel;
class QMainWindow;
class QTimer;
class SearchCommands;

// The orders awaited from the suppliers: their command in the "&Document" menu and on the tool
// bar, their window, and the count of the late ones in the status bar. The list follows the
// book through the search index, which hears of every change to its blocks.
class AwaitedOrdersCommands : public QObject {
    Q_OBJECT
public:
    // `dayTick` fires at least once a minute: the delays grow at midnight without any change.
    AwaitedOrdersCommands(QMainWindow *window, OrderWindow &order, MainActions &actions,
                          SearchCommands &search, QTimer *dayTick);

    // The width the late count takes in the status bar; 0 while it is hidden.
    int lateCountWidth() const;

signals:
    void lateCountShown(); // the count changed, or appeared or went

private:
    void createAction(MainActions &actions, QAction *after);
    void showOrders();
    void showLateCount();

    QMainWindow *m_window;
    OrderWindow &m_order;
    AwaitedOrders *m_awaited = nullptr;
    AwaitedOrdersWindow *m_awaitedWindow = nullptr;
    QAction *m_showAction = nullptr;
    QLabel *m_latePanel = nullptr;
    QDate m_lateDay; // the day the late orders were counted on
};
