// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/findorderdialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

FindOrderDialog::FindOrderDialog(QWidget *parent) : OutcomeDialog(parent)
{
    setObjectName(QStringLiteral("FindOrderDialog"));
    setWindowTitle(QStringLiteral("Rechercher"));
    setFixedSize(350, 120);

    m_prompt = new QLabel(QStringLiteral("Chercher"), this);
    m_prompt->setObjectName(QStringLiteral("Prompt"));
    m_prompt->setGeometry(16, 16, 80, 22);
    m_number = new QLineEdit(this);
    m_number->setObjectName(QStringLiteral("OrderNumber"));
    m_number->setGeometry(96, 14, 238, 24);
    m_number->installEventFilter(this);
    m_prompt->setBuddy(m_number);

    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("OkButton"));
    m_okButton->setGeometry(170, 76, 78, 28);
    m_okButton->setDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("Annuler"), this);
    m_cancelButton->setObjectName(QStringLiteral("CancelButton"));
    m_cancelButton->setGeometry(256, 76, 78, 28);

    connect(m_okButton, &QPushButton::clicked, this, &FindOrderDialog::okClicked);
    connect(m_cancelButton, &QPushButton::clicked, this, &FindOrderDialog::cancelClicked);
}

QString FindOrderDialog::number() const
{
    return confirmed() ? m_number->text() : QString();
}

QString FindOrderDialog::ask()
{
    exec();
    return number();
}

void FindOrderDialog::okClicked()
{
    recordOk();
}

void FindOrderDialog::cancelClicked()
{
    recordCancel();
}

bool FindOrderDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Enter in the field confirms; the key itself goes no further.
    if (watched == m_number && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            okClicked();
            return true;
        }
    }
    return OutcomeDialog::eventFilter(watched, event);
}

void FindOrderDialog::showEvent(QShowEvent *event)
{
    OutcomeDialog::showEvent(event);
    m_number->setFocus(Qt::OtherFocusReason);
}
