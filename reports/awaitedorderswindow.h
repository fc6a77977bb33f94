// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class AwaitedOrders;
class AwaitedOrdersModel;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

// "Commandes en attente": every order sent and not yet received in full, settled or cancelled,
// late ones first and marked, with a supplier filter. Enter or a double-click on an order asks
// for it to be shown (orderChosen) and leaves the window open; the list follows the book. A
// window of its own beside the main window, printed, exported in PDF and in CSV.
class AwaitedOrdersWindow : public QDialog {
    Q_OBJECT
public:
    AwaitedOrdersWindow(AwaitedOrders &orders, QWidget *parent = nullptr);

    // Shows the window, or brings it in front, with the focus in the list.
    void showOrders();
    // The day changed: the delays are counted again.
    void dayChanged();

    AwaitedOrdersModel &model() { return *m_model; }

Q_SIGNALS:
    // The order of block `index` is to be shown.
    void orderChosen(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void fillSuppliers();
    void choose(int row);
    void showCount();
    QString subtitle() const;
    void print();
    void exportPdf();
    void exportCsv();

    AwaitedOrders &m_orders;
    AwaitedOrdersModel *m_model;
    QComboBox *m_supplier = nullptr;
    QTableView *m_list = nullptr;
    QLabel *m_count = nullptr;
    QList<QPushButton *> m_outputs;
    bool m_placed = false;
    int m_chosen = -1; // the order last chosen, kept current through a refill
};
