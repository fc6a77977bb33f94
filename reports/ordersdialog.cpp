// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/ordersdialog.h"

#include "reports/reportroles.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

OrdersDialog::OrdersDialog(const QString &title, QAbstractItemModel *orders, QWidget *parent)
    : BaseDialog(parent, Placement::OverParent)
{
    setObjectName(QStringLiteral("OrdersDialog"));
    setWindowTitle(title);
    orders->setParent(this);

    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("Orders"));
    m_view->setModel(orders);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->resizeColumnsToContents();
    if (orders->rowCount() > 0)
        m_view->setCurrentIndex(orders->index(0, 0));
    // Enter and a double click alike.
    connect(m_view, &QAbstractItemView::activated, this, [this](const QModelIndex &index) {
        m_chosen = index.siblingAtColumn(0).data(ReportRoles::BlockIndex).toInt();
        accept();
    });

    auto *close = new QPushButton(QStringLiteral("Fermer"), this);
    close->setObjectName(QStringLiteral("Close"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_view);
    layout->addLayout(buttons);
    resize(460, 320);
}
