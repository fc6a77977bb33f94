// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/basedialog.h"
#include "order/orderlist.h"

#include <QList>
#include <QStringList>

class OrderBook;
class OrderListModel;
class QListView;
class QPushButton;
class QToolButton;

// "Liste des commandes": one entry per order of the book, a view over the book that reads only
// the entries it shows. The user picks an order and may move entries up and down; the book
// renumbers its orders as they were moved once the list is closed.
class OrderListDialog : public BaseDialog {
    Q_OBJECT
public:
    explicit OrderListDialog(QWidget *parent = nullptr);

    // Lists the book's orders, one entry per block index from 0 on; the book stays as it is
    // while the list is shown.
    void load(const OrderBook &book);
    // The block indexes the entries had when the list was filled, in list order.
    QList<int> entryOrder() const;
    // The chosen entry's place, which is its order's index once the book took the moves; -1
    // when none.
    int chosenOrder() const;

    // The whole use of the list by the order window: fills it, shows it, tells how the
    // entries were moved and which one was chosen.
    OrderList::Choice choose(const OrderBook &book);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void moveUp();
    void moveDown();
    void moveSelected(int step);
    void closeKeepingSelection();
    void closeClearingSelection();

    QToolButton *m_upButton = nullptr;
    QToolButton *m_downButton = nullptr;
    QPushButton *m_closeButton = nullptr;
    QListView *m_list = nullptr;
    OrderListModel *m_entries = nullptr;
};
