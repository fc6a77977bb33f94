#pragma once

#include "gui/basedialog.h"
#include "order/orderlist.h"

#include <QList>
#include <QStringList>

class QListWidget;
class QPushButton;
class QToolButton;

// "Liste des commandes": one entry per order of the book. The user picks an order and may move
// entries up and down; moving them renumbers the orders.
class TCmdListe : public BaseDialog {
    Q_OBJECT
public:
    explicit TCmdListe(QWidget *parent = nullptr);

    // Fills the list from the book's lines, one entry per block index from 0 on.
    void Init(const TextLines &orderLines);
    // The block indexes the entries had when the list was filled, in list order.
    QList<int> entryOrder() const;
    // The chosen entry's place, which is its order's index after Result; -1 when none.
    int chosenOrder() const;

    // The whole use of the list by the order window: fills it, shows it, tells how the
    // entries were moved and which one was chosen.
    OrderList::Choice Choose(const TextLines &orderLines);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void SpeedButton1Click();
    void SpeedButton2Click();
    void moveSelected(int step);
    void closeKeepingSelection();
    void closeClearingSelection();

    QToolButton *SpeedButton1 = nullptr;
    QToolButton *SpeedButton2 = nullptr;
    QPushButton *Button1 = nullptr;
    QListWidget *ListBox1 = nullptr;
};
