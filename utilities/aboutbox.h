// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/basedialog.h"

class QLabel;
class QPushButton;

// "A propos": the program's picture, name, version, purpose and licence. OK, Enter and Escape
// close it.
class AboutBox : public BaseDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *m_programIcon;
    QLabel *m_productName;
    QLabel *m_version;
    QLabel *m_comments;
    QLabel *m_licence;
    QPushButton *m_okButton;
};
