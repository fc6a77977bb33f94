// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/pricehistorywindow.h"

#include "search/articlemodels.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

PriceHistoryWindow::PriceHistoryWindow(SearchIndex &index, QWidget *parent)
    : QDialog(parent), m_history(new PriceHistoryModel(index, this))
{
    setObjectName(QStringLiteral("PriceHistoryWindow"));
    setWindowTitle(QStringLiteral("Historique des prix"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(false);

    m_article = new QLabel(this);
    m_article->setObjectName(QStringLiteral("Article"));
    m_article->setTextFormat(Qt::PlainText);
    QFont bold = m_article->font();
    bold.setBold(true);
    m_article->setFont(bold);

    m_list = new QTableView(this);
    m_list->setObjectName(QStringLiteral("History"));
    m_list->setModel(m_history);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setTabKeyNavigation(false);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_list->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_list->horizontalHeader()->setStretchLastSection(true);
    const int widths[] = {82, 90, 170, 70, 90};
    for (int c = 0; c < 5; ++c)
        m_list->setColumnWidth(c, widths[c]);
    m_list->installEventFilter(this);
    connect(m_list, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &index) { choose(index.row()); });

    auto *close = new QPushButton(QStringLiteral("Fermer"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_article);
    layout->addWidget(m_list, 1);
    layout->addLayout(bottom);
    resize(640, 320);
}

void PriceHistoryWindow::showArticle(const QString &designation)
{
    m_history->setArticle(designation);
    m_article->setText(designation);
    show();
    raise();
    activateWindow();
    m_list->setFocus(Qt::OtherFocusReason);
    if (m_history->rowCount() > 0)
        m_list->setCurrentIndex(m_history->index(0, 0));
}

bool PriceHistoryWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            choose(m_list->currentIndex().row());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void PriceHistoryWindow::choose(int row)
{
    const int order = m_history->orderAt(row);
    if (order >= 0)
        Q_EMIT orderChosen(order, m_history->placeAt(row));
}
