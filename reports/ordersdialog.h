// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/basedialog.h"

class QAbstractItemModel;
class QTableView;

// The orders behind a cell of the report. Enter or a double click on one chooses it, to be
// shown in the order window; Escape and "Fermer" close the list.
class OrdersDialog : public BaseDialog {
    Q_OBJECT
public:
    OrdersDialog(const QString &title, QAbstractItemModel *orders, QWidget *parent = nullptr);

    // The block index of the order chosen; -1 when none was.
    int chosenOrder() const { return m_chosen; }

private:
    QTableView *m_view = nullptr;
    int m_chosen = -1;
};
