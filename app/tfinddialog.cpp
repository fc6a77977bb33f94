// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tfinddialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFindDialog::TFindDialog(QWidget *parent) : OutcomeDialog(parent)
{
    setObjectName(QStringLiteral("TFindDialog"));
    setWindowTitle(QStringLiteral("Rechercher"));
    setFixedSize(350, 120);

    Label1 = new QLabel(QStringLiteral("Chercher"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(16, 16, 80, 22);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(96, 14, 238, 24);
    Edit1->installEventFilter(this);
    Label1->setBuddy(Edit1);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(170, 76, 78, 28);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Annuler"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(256, 76, 78, 28);

    connect(Button1, &QPushButton::clicked, this, &TFindDialog::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFindDialog::Button2Click);
}

QString TFindDialog::Result() const
{
    return confirmed() ? Edit1->text() : QString();
}

QString TFindDialog::Ask()
{
    exec();
    return Result();
}

void TFindDialog::Button1Click()
{
    recordOk();
}

void TFindDialog::Button2Click()
{
    recordCancel();
}

bool TFindDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Enter in the field confirms; the key itself goes no further.
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Button1Click();
            return true;
        }
    }
    return OutcomeDialog::eventFilter(watched, event);
}

void TFindDialog::showEvent(QShowEvent *event)
{
    OutcomeDialog::showEvent(event);
    Edit1->setFocus(Qt::OtherFocusReason);
}
