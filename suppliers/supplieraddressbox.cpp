// SPDX-License-Identifier: GPL-3.0-or-later
#include "suppliers/supplieraddressbox.h"

#include <QLineEdit>
#include <QVBoxLayout>

SupplierAddressBox::SupplierAddressBox(QWidget *parent)
    : QGroupBox(QStringLiteral("Coordonnées du fournisseur"), parent)
{
    setObjectName(QStringLiteral("Address"));
    auto *layout = new QVBoxLayout(this);
    for (std::size_t k = 0; k < m_fields.size(); ++k) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("AddressLine%1").arg(k + 1));
        layout->addWidget(edit);
        m_fields[k] = edit;
    }
}

SupplierAddressBox::Address SupplierAddressBox::address() const
{
    Address lines;
    for (std::size_t k = 0; k < m_fields.size(); ++k)
        lines[k] = m_fields[k]->text();
    return lines;
}

void SupplierAddressBox::setAddress(const Address &address)
{
    for (std::size_t k = 0; k < m_fields.size(); ++k)
        m_fields[k]->setText(address[k]);
}

void SupplierAddressBox::setReadOnly(bool readOnly)
{
    for (QLineEdit *edit : m_fields)
        edit->setReadOnly(readOnly);
}
