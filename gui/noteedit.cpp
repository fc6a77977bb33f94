// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/noteedit.h"

#include "gui/fieldguard.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

NoteEdit::NoteEdit(QWidget *parent) : QPlainTextEdit(parent) {}

void NoteEdit::insertFromMimeData(const QMimeData *source)
{
    QString text = source->text();
    if (!FieldGuard::admit(text, {}, FieldGuard::Lines::Kept))
        return;
    QMimeData plain;
    plain.setText(text);
    QPlainTextEdit::insertFromMimeData(&plain);
}

void NoteEdit::keyPressEvent(QKeyEvent *event)
{
    // Keys that type a line break or edit keep their meaning; only printable text is looked at.
    QString typed = event->text();
    if (!typed.isEmpty() && typed.at(0).isPrint() && !FieldGuard::admit(typed)) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void NoteEdit::inputMethodEvent(QInputMethodEvent *event)
{
    QString committed = event->commitString();
    if (!committed.isEmpty() && !FieldGuard::admit(committed, {}, FieldGuard::Lines::Kept)) {
        QInputMethodEvent refused(event->preeditString(), event->attributes());
        QPlainTextEdit::inputMethodEvent(&refused);
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}
