// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "order/orderdocument.h"

#include <QUndoStack>

// The history of the user's changes to the order document, behind "Annuler" and "Rétablir":
// one command per step the document tells (typing in one field or cell makes one step until
// the user turns to something else). Undoing puts the document back as it stood before the
// step, redoing as it stood after it. Opening or starting a book clears the history; saving
// marks its clean point, where the book shows unmodified again.
class OrderHistory : public QUndoStack {
    Q_OBJECT
public:
    static constexpr int Steps = 100; // the steps kept; older ones can no longer be undone

    explicit OrderHistory(OrderDocument &document, QObject *parent = nullptr);

    // The document goes back before the step, or forward after it, and the history moves only
    // once the document got there: a failure leaves both as they were. They stand for
    // QUndoStack's own, which move the index whatever the step does.
    Status undo();
    Status redo();

    // What "Annuler" and "Rétablir" name: "la suppression de la commande"...
    static QString stepText(const OrderDocument::Step &step);

private:
    void add(const OrderDocument::Step &step);
    void markSaved();
    Status moveTo(int index, const OrderDocument::State &state);

    OrderDocument &m_document;
};
