// SPDX-License-Identifier: GPL-3.0-or-later
#include "suppliers/tffour.h"

#include "gui/fieldguard.h"
#include "suppliers/supplieraddressbox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFFour::TFFour(QWidget *parent) : OutcomeDialog(parent)
{
    setObjectName(QStringLiteral("TFFour"));
    setWindowTitle(QStringLiteral("Fournisseurs"));

    auto *codeLabel = new QLabel(QStringLiteral("Code fournisseur"), this);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setReadOnly(true);
    Edit1->setFocusPolicy(Qt::ClickFocus); // shown only: Tab goes past it
    Edit1->setMaximumWidth(80);

    Address = new SupplierAddressBox(this);
    for (QLineEdit *edit : Address->fields()) {
        edit->setMinimumWidth(260);
        connect(edit, &QLineEdit::returnPressed, this, &TFFour::Button2Click);
    }

    QHBoxLayout *buttons = makeButtonRow(Button1, Button2);
    connect(Button1, &QPushButton::clicked, this, &TFFour::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFFour::Button2Click);

    auto *codeRow = new QHBoxLayout;
    codeRow->addWidget(codeLabel);
    codeRow->addWidget(Edit1);
    codeRow->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(codeRow);
    layout->addWidget(Address);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    FieldGuard::guardAll(this); // the record goes into the supplier file as typed
}

void TFFour::Init(const QString &code)
{
    Edit1->setText(code);
    Address->setAddress({});
}

void TFFour::Result(std::array<QString, 4> &address) const
{
    for (QString &line : address)
        line.clear();
    if (!confirmed())
        return;
    address = Address->address();
}

void TFFour::showEvent(QShowEvent *event)
{
    OutcomeDialog::showEvent(event);
    Address->fields().front()->setFocus(Qt::OtherFocusReason);
}

void TFFour::Button1Click()
{
    recordCancel();
}

void TFFour::Button2Click()
{
    recordOk();
}
