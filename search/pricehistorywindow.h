// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/orderrecord.h"

#include <QDialog>

class PriceHistoryModel;
class QLabel;
class QTableView;
class SearchIndex;

// "Historique des prix": every order line of an article, newest first. Enter or a
// double-click asks for the line's order to be shown (orderChosen), the window staying open.
class PriceHistoryWindow : public QDialog {
    Q_OBJECT
public:
    PriceHistoryWindow(SearchIndex &index, QWidget *parent = nullptr);

    void showArticle(const QString &designation);
    PriceHistoryModel &history() { return *m_history; }

Q_SIGNALS:
    void orderChosen(int index, const OrderPlace &place);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void choose(int row);

    PriceHistoryModel *m_history;
    QLabel *m_article = nullptr;
    QTableView *m_list = nullptr;
};
