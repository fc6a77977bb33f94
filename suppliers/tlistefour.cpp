// SPDX-License-Identifier: GPL-3.0-or-later
#include "suppliers/tlistefour.h"

#include "suppliers/supplierlookup.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TListeFour::TListeFour(QWidget *parent) : OutcomeDialog(parent)
{
    setObjectName(QStringLiteral("TListeFour"));
    setWindowTitle(QStringLiteral("Liste des fournisseurs"));

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setAccessibleName(windowTitle());
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setMinimumSize(320, 240);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TListeFour::Button2Click);

    QHBoxLayout *buttons = makeButtonRow(Button1, Button2);
    connect(Button1, &QPushButton::clicked, this, &TListeFour::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TListeFour::Button2Click);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(ListBox1);
    layout->addLayout(buttons);
}

void TListeFour::Init(const QStringList &supplierLines)
{
    ListBox1->clear();
    ListBox1->addItems(SupplierLookup::chooserItems(supplierLines));
}

void TListeFour::Result(QString &code) const
{
    code.clear();
    if (!confirmed())
        return;
    // The current item alone may be unselected (set by the focus); only a highlighted one counts.
    const QListWidgetItem *item = ListBox1->currentItem();
    if (!item || !item->isSelected())
        return;
    code = SupplierLookup::chooserCode(item->text());
}

void TListeFour::Button1Click()
{
    recordCancel();
}

void TListeFour::Button2Click()
{
    recordOk();
}
