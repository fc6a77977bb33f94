// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/orderhistory.h"

// One step of the user's. Its first redo is the change itself, already made.
class StepCommand : public QUndoCommand {
public:
    StepCommand(OrderHistory &history, const OrderDocument::Step &step)
        : QUndoCommand(OrderHistory::stepText(step)), m_history(history), m_step(step)
    {
    }

    void undo() override { m_history.show(m_step.before, m_history.index() - 1); }
    void redo() override
    {
        if (m_done)
            m_history.show(m_step.after, m_history.index() + 1);
        m_done = true;
    }

    // Typing goes on in the same field or cell: one step.
    int id() const override
    {
        using Change = OrderDocument::Change;
        switch (m_step.change) {
        case Change::Cell:
            return 1000 + m_step.row * 8 + m_step.column;
        case Change::Supplier: // the lookup ends the typing of its code
            return int(Change::SupplierCode);
        case Change::Number:
        case Change::Date:
        case Change::SupplierCode:
        case Change::PaymentTerms:
        case Change::Note:
            return int(m_step.change);
        case Change::Address:
            return 100 + m_step.row;
        default:
            return -1;
        }
    }

    bool mergeWith(const QUndoCommand *command) override
    {
        const auto *next = static_cast<const StepCommand *>(command);
        // Only what follows straight on: not after a move to another order, nor once the code
        // was looked up.
        if (!next->m_step.before.sameAs(m_step.after) ||
            m_step.change == OrderDocument::Change::Supplier)
            return false;
        m_step.after = next->m_step.after;
        if (next->m_step.change != m_step.change) {
            m_step.change = next->m_step.change;
            setText(next->text());
        }
        // Typed and taken back: nothing is left to undo.
        setObsolete(m_step.after.sameAs(m_step.before));
        return true;
    }

    const OrderDocument::Step &step() const { return m_step; }

private:
    OrderHistory &m_history;
    OrderDocument::Step m_step;
    bool m_done = false;
};

OrderHistory::OrderHistory(OrderDocument &document, QObject *parent)
    : QUndoStack(parent), m_document(document)
{
    setUndoLimit(Steps);
    connect(&document, &OrderDocument::stepDone, this, &OrderHistory::add);
    connect(&document, &OrderDocument::historyCleared, this, &QUndoStack::clear);
    connect(&document, &OrderDocument::saved, this, [this] {
        m_saved = m_document.state();
        setClean();
    });
}

void OrderHistory::add(const OrderDocument::Step &step)
{
    push(new StepCommand(*this, step));
    // The book keeps its changes back to the oldest state still here, no further.
    if (count() == 0)
        return;
    const OrderDocument::State &oldest =
        static_cast<const StepCommand *>(command(0))->step().before;
    const bool savedOlder = cleanIndex() >= 0 && m_saved.book.version < oldest.book.version;
    m_document.forgetBefore(savedOlder ? m_saved : oldest);
}

void OrderHistory::show(const OrderDocument::State &state, int index)
{
    // The step's state from before the last save is not what the file holds; at the clean
    // point the book is as saved.
    m_document.restore(index == cleanIndex() && state.saves != m_saved.saves ? m_saved : state);
}

QString OrderHistory::stepText(const OrderDocument::Step &step)
{
    using Change = OrderDocument::Change;
    switch (step.change) {
    case Change::Cell:
        return QStringLiteral("la saisie de la ligne %1").arg(step.row);
    case Change::Number:
        return QStringLiteral("la modification du numéro de commande");
    case Change::Date:
        return QStringLiteral("la modification de la date");
    case Change::SupplierCode:
        return QStringLiteral("la modification du code fournisseur");
    case Change::Supplier:
        return QStringLiteral("le choix du fournisseur");
    case Change::PaymentTerms:
        return QStringLiteral("la modification des conditions de paiement");
    case Change::Address:
        return QStringLiteral("la modification de l'adresse du fournisseur");
    case Change::PriceMode:
        return step.after.record.IncludesVat ? QStringLiteral("le passage en commande TTC")
                                             : QStringLiteral("le passage en commande H.T.");
    case Change::Note:
        return QStringLiteral("la modification de la note");
    case Change::DeleteLine:
        return QStringLiteral("l'effacement de la ligne %1").arg(step.row);
    case Change::DeleteOrder:
        return QStringLiteral("la suppression de la commande");
    case Change::AddOrder:
        return QStringLiteral("l'ajout d'une commande");
    case Change::PasteOrder:
        return QStringLiteral("le collage de la commande");
    case Change::MoveOrders:
        return QStringLiteral("le déplacement des commandes");
    }
    return QString();
}
