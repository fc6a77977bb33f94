#pragma once

#include "core/orderrecord.h"
#include "core/prompts.h"
#include "pricing/ordercalc.h"

// What shows one order of the book: the order window maps its controls onto a record;
// MemoryOrderForm keeps the record itself, for the book's own tests and for tools.
class OrderForm {
public:
    static constexpr int GridRows = 63; // order lines the grid can hold (rows 1 to 63)

    virtual ~OrderForm() = default;

    // Fills the controls from `record` (its first GridRows lines into grid rows 1 to 63, the
    // other rows emptied) and clears the note's edited mark.
    virtual void setRecord(const OrderRecord &record) = 0;
    // The order as the controls show it, with all GridRows grid rows.
    virtual OrderRecord record() const = 0;
    // True when the user edited the note since setRecord() filled it.
    virtual bool noteEdited() const = 0;

    // Hooks for what the window does around the book's operations.
    // Recalculate, focus, captions; a failure of the calculation comes back.
    virtual Status orderShown(bool /*hasBlock*/) { return {}; }
    virtual Status recalculate() { return {}; }
    virtual void focusSupplierCode() {}
    virtual void setCaption(const QString & /*caption*/) {}
    // The calculation rewrote the grid rows (all GridRows of them) / worked out the totals
    // (all empty when the order shown has none yet).
    virtual void setLines(const QList<OrderLine> &rows) = 0;
    virtual void setTotals(const OrderTotals & /*totals*/) {}
    // The settings changed: the payment terms offered and the currency names follow them.
    virtual void settingsChanged() {}

    // The book's questions and warnings for the user (the altered file, the file opened
    // elsewhere, the missing backup): whatever shows the order puts them to the user.
    virtual Prompts::Answer ask(const Prompts::Request &request) = 0;
};

class MemoryOrderForm : public OrderForm {
public:
    void setRecord(const OrderRecord &record) override;
    OrderRecord record() const override { return m_record; }
    bool noteEdited() const override { return m_noteEdited; }
    void setCaption(const QString &caption) override { m_caption = caption; }
    void setLines(const QList<OrderLine> &rows) override { m_record.Lines = rows; }
    // Without a window, the answers are those of the program's question handler (a script
    // in tests, the tool's own choice in tools).
    Prompts::Answer ask(const Prompts::Request &request) override { return Prompts::ask(request); }

    // What a user would do in the window.
    OrderRecord &edit() { return m_record; }
    void editNote(const QStringList &memo);
    QString caption() const { return m_caption; }

private:
    OrderRecord m_record;
    bool m_noteEdited = false;
    QString m_caption = QStringLiteral("Commande");
};
