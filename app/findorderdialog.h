// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/outcomedialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

// "Rechercher": asks for an order number. The field keeps its text from one search to the
// next; the dialog remembers whether it was last confirmed.
class FindOrderDialog : public OutcomeDialog {
    Q_OBJECT
public:
    explicit FindOrderDialog(QWidget *parent = nullptr);

    // The field's text after "OK" or Enter; empty after "Annuler" or Escape. The close box
    // leaves the outcome of the previous search.
    QString number() const;
    // Shows the dialog and gives its number().
    QString ask();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void okClicked();
    void cancelClicked();

    QLabel *m_prompt = nullptr;
    QLineEdit *m_number = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};
