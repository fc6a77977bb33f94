#include "app/outcomedialog.h"

#include <QKeyEvent>
#include <QScreen>

OutcomeDialog::OutcomeDialog(QWidget *parent, Qt::WindowFlags flags) : QDialog(parent, flags) {}

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

void OutcomeDialog::keyPressEvent(QKeyEvent *event)
{
    // QDialog's own Escape would close without recording "Annuler".
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        recordCancel();
        return;
    }
    QDialog::keyPressEvent(event);
}

void OutcomeDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (QScreen *s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
}
