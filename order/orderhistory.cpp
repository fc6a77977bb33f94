// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/orderhistory.h"

// One step of the user's, with the document before and after it. The history restores those
// itself: moving the index does nothing more.
class StepCommand : public QUndoCommand {
public:
    explicit StepCommand(const OrderDocument::Step &step)
        : QUndoCommand(OrderHistory::stepText(step)), m_step(step)
    {
    }

    void undo() override {}
    void redo() override {}

    // Typing goes on in the same field or cell: one step.
    int id() const override
    {
        using Change = OrderDocument::Change;
        switch (m_step.change) {
        case Change::Cell:
        case Change::Article: // the choice ends the typing of its designation
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
        // was looked up or the article chosen.
        if (!next->m_step.before.sameAs(m_step.after) ||
            m_step.change == OrderDocument::Change::Supplier ||
            m_step.change == OrderDocument::Change::Article)
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
    // Saved next to this step: that side of it is the book as the file now holds it.
    void setBefore(const OrderDocument::State &state) { m_step.before = state; }
    void setAfter(const OrderDocument::State &state) { m_step.after = state; }

private:
    OrderDocument::Step m_step;
};

namespace {

StepCommand *stepAt(const QUndoStack &stack, int index)
{
    return static_cast<StepCommand *>(const_cast<QUndoCommand *>(stack.command(index)));
}

} // namespace

OrderHistory::OrderHistory(OrderDocument &document, QObject *parent)
    : QUndoStack(parent), m_document(document)
{
    setUndoLimit(Steps);
    connect(&document, &OrderDocument::stepDone, this, &OrderHistory::add);
    connect(&document, &OrderDocument::historyCleared, this, &QUndoStack::clear);
    connect(&document, &OrderDocument::saved, this, &OrderHistory::markSaved);
}

void OrderHistory::add(const OrderDocument::Step &step)
{
    push(new StepCommand(step));
    // The book keeps the ways between the states still here, no more.
    QList<OrderBook::State> states;
    states.reserve(2 * count());
    for (int i = 0; i < count(); ++i) {
        states.append(stepAt(*this, i)->step().before.book);
        states.append(stepAt(*this, i)->step().after.book);
    }
    m_document.keepOnly(states);
}

void OrderHistory::markSaved()
{
    setClean();
    // The save wrote the order on screen back: the steps on either side of the clean point lead
    // to the book as written, which the file holds, not as it stood before.
    const OrderDocument::State saved = m_document.state();
    if (index() > 0)
        stepAt(*this, index() - 1)->setAfter(saved);
    if (index() < count())
        stepAt(*this, index())->setBefore(saved);
}

Status OrderHistory::undo()
{
    if (!canUndo())
        return {};
    return moveTo(index() - 1, stepAt(*this, index() - 1)->step().before);
}

Status OrderHistory::redo()
{
    if (!canRedo())
        return {};
    return moveTo(index() + 1, stepAt(*this, index())->step().after);
}

Status OrderHistory::moveTo(int index, const OrderDocument::State &state)
{
    if (const Status restored = m_document.restore(state); !restored)
        return restored;
    setIndex(index); // the steps' undo() and redo() leave the document as it now is
    return {};
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
    case Change::Article:
        return QStringLiteral("le choix de l'article");
    case Change::PaymentTerms:
        return QStringLiteral("la modification des conditions de paiement");
    case Change::Address:
        return QStringLiteral("la modification de l'adresse du fournisseur");
    case Change::PriceMode:
        return step.after.record.includesVat ? QStringLiteral("le passage en commande TTC")
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
    case Change::Sending:
        return QStringLiteral("l'envoi de la commande");
    case Change::ExpectedDate:
        return QStringLiteral("la modification de la livraison prévue");
    case Change::Reception:
        return QStringLiteral("la réception");
    case Change::Closing:
        switch (step.after.record.life.closing) {
        case OrderLife::Closing::Settled:
            return QStringLiteral("le solde de la commande");
        case OrderLife::Closing::Cancelled:
            return QStringLiteral("l'annulation de la commande");
        case OrderLife::Closing::Open:
            break;
        }
        return QStringLiteral("la reprise de la commande");
    }
    return QString();
}
