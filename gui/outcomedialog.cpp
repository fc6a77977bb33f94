// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/outcomedialog.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>

OutcomeDialog::OutcomeDialog(QWidget *parent) : BaseDialog(parent) {}

void OutcomeDialog::recordOk()
{
    m_confirmed = true;
    accept();
}

void OutcomeDialog::recordCancel()
{
    m_confirmed = false;
    reject();
}

QHBoxLayout *OutcomeDialog::makeButtonRow(QPushButton *&cancel, QPushButton *&ok)
{
    cancel = new QPushButton(QStringLiteral("Annuler"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    for (QPushButton *b : {cancel, ok}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(cancel);
    row->addWidget(ok);
    return row;
}

void OutcomeDialog::keyPressEvent(QKeyEvent *event)
{
    // QDialog's own Escape would close without recording "Annuler".
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        recordCancel();
        return;
    }
    QDialog::keyPressEvent(event);
}
