// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>
#include <array>

class QLineEdit;

// "Coordonnées du fournisseur": the four address lines of a supplier (AddressLine1 to
// AddressLine4), as both supplier windows show them.
class SupplierAddressBox : public QGroupBox {
    Q_OBJECT
public:
    using Address = std::array<QString, 4>;

    explicit SupplierAddressBox(QWidget *parent = nullptr);

    const std::array<QLineEdit *, 4> &fields() const { return m_fields; }
    Address address() const;
    void setAddress(const Address &address);
    void setReadOnly(bool readOnly);

private:
    std::array<QLineEdit *, 4> m_fields{};
};
