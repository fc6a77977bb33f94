// SPDX-License-Identifier: GPL-3.0-or-later
// The document's states and the user's steps between them, for undo and redo.
#include "order/orderdocument.h"

#include <new>

bool OrderDocument::State::sameAs(const State &other) const
{
    return book == other.book && lastRow == other.lastRow && record == other.record &&
           overflow == other.overflow && fileModified == other.fileModified &&
           orderModified == other.orderModified && noteEdited == other.noteEdited;
}

OrderDocument::State OrderDocument::state() const
{
    return {m_book.state(), m_record,        m_overflow,   m_lastRow, m_totals,
            m_fileModified, m_orderModified, m_noteEdited, m_saves};
}

Status OrderDocument::restore(const State &state)
{
    // The book first: it is the only part that can fail, and it fails whole.
    try {
        if (!m_book.restore(state.book))
            return Failure(QStringLiteral("Cette étape ne peut plus être annulée ni rétablie."));
    } catch (const std::bad_alloc &) {
        return Failure(QStringLiteral("Mémoire insuffisante : l'opération a été abandonnée."));
    }
    m_record = state.record;
    m_overflow = state.overflow;
    m_lastRow = state.lastRow;
    m_noteEdited = state.noteEdited;
    Q_EMIT recordChanged();
    m_totals = state.totals;
    Q_EMIT totalsChanged();
    // The file holds what the last save wrote, which a state taken before it may not be.
    setFlags(state.fileModified || state.saves != m_saves, state.orderModified);
    return {};
}

OrderDocument::StepScope::StepScope(OrderDocument &document, Change change, int row, int column)
    : m_document(document), m_outermost(!document.m_inStep)
{
    if (!m_outermost)
        return;
    m_document.m_inStep = true;
    m_document.m_stepRefused = false;
    m_step.change = change;
    m_step.row = row;
    m_step.column = column;
    m_step.before = m_document.state();
}

OrderDocument::StepScope::~StepScope()
{
    if (!m_outermost)
        return;
    m_document.m_inStep = false;
    m_document.noteChangeAfterSending(m_step.change, m_step.before.record);
    m_step.after = m_document.state();
    // Flags alone are no change of the user's: there is nothing to undo.
    State unflagged = m_step.after;
    unflagged.fileModified = m_step.before.fileModified;
    unflagged.orderModified = m_step.before.orderModified;
    if (!unflagged.sameAs(m_step.before))
        Q_EMIT m_document.stepDone(m_step);
}
