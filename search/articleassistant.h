// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/orderrecord.h"
#include "order/linedelegate.h"

#include <QObject>
#include <QPointer>

class ArticleCompletionModel;
class PriceHistoryWindow;
class QAction;
class QCompleter;
class QLineEdit;
class SearchIndex;
class OrderWindow;

// What the book's memory of articles adds to the order window's grid: the completion list of
// a designation being typed, the last prices of a known article in the unit price cell's tool
// tip and the status bar, and "Historique des prix..." in the grid's context menu. Choosing an
// article types into the cells what the user could have typed.
class ArticleAssistant : public QObject, public CellAssistant {
    Q_OBJECT
public:
    ArticleAssistant(OrderWindow &window, SearchIndex &index, QObject *parent = nullptr);

    // CellAssistant
    void editorCreated(QLineEdit *editor, const QModelIndex &index) override;
    QString toolTip(const QModelIndex &index) override;

    QCompleter &completer() { return *m_completer; }
    PriceHistoryWindow *historyWindow() const { return m_history; }
    // "Dernier prix : ..." of the article of grid row `row`; empty when the book has none.
    QString priceNote(int row);

    // Entries at most in the completion list.
    static constexpr int ListSize = 50;

Q_SIGNALS:
    // An order of the history window is to be shown.
    void orderChosen(int index, const OrderPlace &place);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void typed(const QString &text);
    void choose(int row);
    void closeList();
    void showHistory();
    int shownOrder() const;

    OrderWindow &m_window;
    SearchIndex &m_index;
    QCompleter *m_completer;
    ArticleCompletionModel *m_entries;
    QAction *m_historyAction;
    PriceHistoryWindow *m_history = nullptr;
    QPointer<QLineEdit> m_editor; // the designation being typed
    int m_row = 0;
    QString m_supplier;
};
