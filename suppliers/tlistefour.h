// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/outcomedialog.h"
#include <QStringList>

class QListWidget;
class QPushButton;

// The supplier chooser ("Liste des fournisseurs"): one item per record, "code name". A double
// click confirms like OK; Escape is "Annuler"; the close box leaves the last outcome as it was.
class TListeFour : public OutcomeDialog {
    Q_OBJECT
public:
    explicit TListeFour(QWidget *parent = nullptr);

    void Init(const QStringList &supplierLines);
    // The chosen code, or empty when not confirmed or nothing is selected.
    void Result(QString &code) const;

private:
    void Button1Click();
    void Button2Click();

    QListWidget *ListBox1;
    QPushButton *Button1;
    QPushButton *Button2;
};
