// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPlainTextEdit>

// The multi-line note: it keeps its line breaks, and otherwise takes in what a field does
// (FieldGuard): a TAB or another control character becomes a space, and a character the
// files' code page cannot hold is refused, typed, pasted or dropped alike.
class NoteEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit NoteEdit(QWidget *parent = nullptr);

protected:
    // Pasting (keyboard, context menu, middle button) and dropping come through here.
    void insertFromMimeData(const QMimeData *source) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
};
