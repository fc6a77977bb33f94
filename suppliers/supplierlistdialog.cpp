// SPDX-License-Identifier: GPL-3.0-or-later
#include "suppliers/supplierlistdialog.h"

#include "suppliers/supplierlookup.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

SupplierListDialog::SupplierListDialog(QWidget *parent) : OutcomeDialog(parent)
{
    setObjectName(QStringLiteral("SupplierListDialog"));
    setWindowTitle(QStringLiteral("Liste des fournisseurs"));

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("Suppliers"));
    m_list->setAccessibleName(windowTitle());
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMinimumSize(320, 240);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &SupplierListDialog::okClicked);

    QHBoxLayout *buttons = makeButtonRow(m_cancelButton, m_okButton);
    connect(m_cancelButton, &QPushButton::clicked, this, &SupplierListDialog::cancelClicked);
    connect(m_okButton, &QPushButton::clicked, this, &SupplierListDialog::okClicked);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
}

void SupplierListDialog::load(const QStringList &supplierLines)
{
    m_list->clear();
    m_list->addItems(SupplierLookup::chooserItems(supplierLines));
}

void SupplierListDialog::apply(QString &code) const
{
    code.clear();
    if (!confirmed())
        return;
    // The current item alone may be unselected (set by the focus); only a highlighted one counts.
    const QListWidgetItem *item = m_list->currentItem();
    if (!item || !item->isSelected())
        return;
    code = SupplierLookup::chooserCode(item->text());
}

void SupplierListDialog::cancelClicked()
{
    recordCancel();
}

void SupplierListDialog::okClicked()
{
    recordOk();
}
