// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/orderrecord.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class SearchIndex;
class SearchResultsModel;

// "Rechercher dans les commandes": a field whose words are looked for in every text of every
// order, filters by date, supplier and state, and the orders found, newest first, following each
// keystroke. Enter or a double-click on an order asks for it to be shown (orderChosen) and
// leaves the window open; F3 and Shift+F3 go to the next and previous order found. A window
// of its own beside the main window, closed with Escape or "Fermer".
class SearchWindow : public QDialog {
    Q_OBJECT
public:
    SearchWindow(SearchIndex &index, QWidget *parent = nullptr);

    // Shows the window, or brings it in front, with the focus in the field, its text selected.
    void showSearch();
    // Shows the next or the previous order found; false when there is none.
    bool showNext();
    bool showPrevious();

    SearchResultsModel &results() { return *m_results; }

Q_SIGNALS:
    // The order of block `index` is to be shown, the focus on `place`.
    void orderChosen(int index, const OrderPlace &place);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void buildControls();
    void choose(int row);
    bool step(int by);
    void applyFilter();
    void showCount();
    void exportCsv();

    SearchResultsModel *m_results;
    QLineEdit *m_field = nullptr;
    QCheckBox *m_fromCheck = nullptr;
    QDateEdit *m_from = nullptr;
    QCheckBox *m_toCheck = nullptr;
    QDateEdit *m_to = nullptr;
    QLineEdit *m_supplier = nullptr;
    QComboBox *m_state = nullptr;
    QTableView *m_list = nullptr;
    QLabel *m_count = nullptr;
    QPushButton *m_export = nullptr;
    QPushButton *m_close = nullptr;
    bool m_placed = false;
};
