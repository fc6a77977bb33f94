// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/outcomedialog.h"
#include <array>

class QLineEdit;
class QPushButton;
class SupplierAddressBox;

// Quick entry of a new supplier from the order window ("Fournisseurs"). Enter in an address
// field confirms; Escape is "Annuler"; the close box leaves the last outcome as it was.
class SupplierEntryDialog : public OutcomeDialog {
    Q_OBJECT
public:
    explicit SupplierEntryDialog(QWidget *parent = nullptr);

    void load(const QString &code);
    // Four texts: emptied, then the address fields when the dialog was last closed with OK.
    void apply(std::array<QString, 4> &address) const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void cancelClicked();
    void okClicked();

    QLineEdit *m_code;
    SupplierAddressBox *m_address;
    QPushButton *m_cancelButton;
    QPushButton *m_okButton;
};
