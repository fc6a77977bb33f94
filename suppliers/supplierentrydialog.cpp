// SPDX-License-Identifier: GPL-3.0-or-later
#include "suppliers/supplierentrydialog.h"

#include "gui/fieldguard.h"
#include "suppliers/supplieraddressbox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

SupplierEntryDialog::SupplierEntryDialog(QWidget *parent) : OutcomeDialog(parent)
{
    setObjectName(QStringLiteral("SupplierEntryDialog"));
    setWindowTitle(QStringLiteral("Fournisseurs"));

    auto *codeLabel = new QLabel(QStringLiteral("Code fournisseur"), this);
    m_code = new QLineEdit(this);
    m_code->setObjectName(QStringLiteral("SupplierCode"));
    m_code->setReadOnly(true);
    m_code->setFocusPolicy(Qt::ClickFocus); // shown only: Tab goes past it
    m_code->setMaximumWidth(80);

    m_address = new SupplierAddressBox(this);
    for (QLineEdit *edit : m_address->fields()) {
        edit->setMinimumWidth(260);
        connect(edit, &QLineEdit::returnPressed, this, &SupplierEntryDialog::okClicked);
    }

    QHBoxLayout *buttons = makeButtonRow(m_cancelButton, m_okButton);
    connect(m_cancelButton, &QPushButton::clicked, this, &SupplierEntryDialog::cancelClicked);
    connect(m_okButton, &QPushButton::clicked, this, &SupplierEntryDialog::okClicked);

    auto *codeRow = new QHBoxLayout;
    codeRow->addWidget(codeLabel);
    codeRow->addWidget(m_code);
    codeRow->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(codeRow);
    layout->addWidget(m_address);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    FieldGuard::guardAll(this); // the record goes into the supplier file as typed
}

void SupplierEntryDialog::load(const QString &code)
{
    m_code->setText(code);
    m_address->setAddress({});
}

void SupplierEntryDialog::apply(std::array<QString, 4> &address) const
{
    for (QString &line : address)
        line.clear();
    if (!confirmed())
        return;
    address = m_address->address();
}

void SupplierEntryDialog::showEvent(QShowEvent *event)
{
    OutcomeDialog::showEvent(event);
    m_address->fields().front()->setFocus(Qt::OtherFocusReason);
}

void SupplierEntryDialog::cancelClicked()
{
    recordCancel();
}

void SupplierEntryDialog::okClicked()
{
    recordOk();
}
