// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/outcomedialog.h"
#include <QStringList>

class QListWidget;
class QPushButton;

// The supplier chooser ("Liste des fournisseurs"): one item per record, "code name". A double
// click confirms like OK; Escape is "Annuler"; the close box leaves the last outcome as it was.
class SupplierListDialog : public OutcomeDialog {
    Q_OBJECT
public:
    explicit SupplierListDialog(QWidget *parent = nullptr);

    void load(const QStringList &supplierLines);
    // The chosen code, or empty when not confirmed or nothing is selected.
    void apply(QString &code) const;

private:
    void cancelClicked();
    void okClicked();

    QListWidget *m_list;
    QPushButton *m_cancelButton;
    QPushButton *m_okButton;
};
