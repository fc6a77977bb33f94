// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/basedialog.h"

class QHBoxLayout;
class QPushButton;

// A modal dialog that remembers how it was last closed: "OK" records it confirmed, "Annuler"
// and Escape record it not confirmed, and the window's close box leaves the remembered
// outcome as it was. Its callers read the outcome through their apply() operations. It opens
// centred on the screen.
class OutcomeDialog : public BaseDialog {
    Q_OBJECT
public:
    explicit OutcomeDialog(QWidget *parent = nullptr);

    bool confirmed() const { return m_confirmed; }

protected:
    void recordOk();     // remembers OK and closes
    void recordCancel(); // remembers "not confirmed" and closes

    // Makes the "Annuler" (CancelButton) and "OK" (OkButton) buttons, neither of them a default
    // button, and gives back the right-aligned row that holds them.
    QHBoxLayout *makeButtonRow(QPushButton *&cancel, QPushButton *&ok);

    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_confirmed = false;
};
