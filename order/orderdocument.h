#pragma once

#include "core/result.h"
#include "order/orderbook.h"
#include "order/orderlist.h"
#include "pricing/lineentry.h"
#include "pricing/ordercalc.h"
#include "printing/orderpage.h"
#include "settings/settings.h"
#include "suppliers/company.h"
#include "suppliers/supplierbook.h"

#include <functional>

// The open order file with everything the order on screen is worked out from: the book, the
// settings, the suppliers, the company and the paper type, and the commands on them. It knows
// nothing of widgets: whatever shows the order (the order window, or a MemoryOrderForm) is
// the view it was given, and the book speaks to the view through the document.
class OrderDocument : private OrderForm {
public:
    explicit OrderDocument(OrderForm &view);
    OrderDocument(const OrderDocument &) = delete;
    OrderDocument &operator=(const OrderDocument &) = delete;

    OrderBook &book() { return m_book; }
    const OrderBook &book() const { return m_book; }
    Settings &settings() { return m_settings; }
    const Settings &settings() const { return m_settings; }
    SupplierBook &suppliers() { return m_suppliers; }
    Company &company() { return m_company; }

    int PaperType = OrderPage::PlainPaper;
    // The totals of the order on screen as last worked out; empty while none are shown.
    OrderTotals Totals;

    // The width of a text where the view shows the grid; Rset pads against it.
    void setTextWidth(OrderCalc::TextWidth measure) { m_measure = std::move(measure); }
    QString Rset(const QString &text, int width) const;

    // The order list and the search belong to the main window, which lends them.
    // `chooseFromList` shows the list on the book's lines and tells how the user moved the
    // entries and which one was chosen; `askOrderNumber` gives the number to search for, empty
    // when the search was cancelled.
    using ChooseFromList = std::function<OrderList::Choice(const TextLines &orderLines)>;
    using AskOrderNumber = std::function<QString()>;
    void setListDialogs(ChooseFromList chooseFromList, AskOrderNumber askOrderNumber);

    // First showing: order 0 of the empty book, then the supplier and company files (the
    // settings file is ChargeIni). A supplier file that cannot be read comes back; the company
    // file is still read.
    Status FormActivate();

    // File. Every command that can fail gives back the failure with its French message; what
    // it did before the failure stays done.
    Result<bool> Charge(const QString &fileName); // false when the user cancelled the opening
    // False when nothing was written.
    Result<bool> Sauve(const QString &fileName,
                       OrderBook::SaveWhen when = OrderBook::SaveWhen::Modified);
    Status Nouveau();
    bool TestModif(bool &modified) const { return m_book.TestModif(modified); }

    // Orders
    Status LitFiche() { return m_book.LitFiche(); }
    void EcritFiche() { m_book.EcritFiche(); }
    Status Premier() { return m_book.Premier(); }
    Status Precedent() { return m_book.Precedent(); }
    Status Suivant() { return m_book.Suivant(); }
    Status Dernier() { return m_book.Dernier(); }
    Status Ajout() { return m_book.Ajout(); }
    Status Supprime() { return m_book.Supprime(); }
    void Copier() { m_book.Copier(); }
    Status Coller() { return m_book.Coller(); }
    Status Liste();
    Status Chercher();

    // The line pass and the totals of the order on screen, by its price mode. An overflow
    // leaves the rows done before it rewritten and the totals as they were.
    Status Calcule();
    Status CalculHT();
    Status CalculTTC();
    // Enter in the grid's cell (column, row): completes the line from column 2 on, then
    // recalculates; the outcome says where the cursor goes.
    Result<LineEntry::EnterOutcome> completeLine(int column, int row);
    // Deletes the grid line `row` of the order on screen; false when it is past LastRow.
    bool SupLigne(int row);

    // Currency names beside the TTC totals: the main one, and the other one (empty when only
    // one currency is shown).
    QString mainCurrency() const;
    QString secondCurrency() const;
    // What the printed order shows: the order as it stands on screen, its totals and
    // currencies, the letterhead lines.
    OrderPageInput printedOrder() const;

    // Settings, suppliers, company
    void GetIni(bool &autoOpen, QString &fileName) const;
    void SetIni(bool autoOpen);
    Status SauveIni(const QString &fileName);
    // Reads QorCmd.ini; false when there is none (the settings stay as they were).
    bool ChargeIni();
    Status SauveFour();
    // The settings were edited (the order parameters): the terms list and the currencies
    // follow.
    void applySettings();

private:
    // OrderForm, as the book sees it: everything goes to the view, while the calculations
    // the book asks for are the document's.
    void setRecord(const OrderRecord &record) override;
    OrderRecord record() const override { return m_view.record(); }
    bool noteEdited() const override { return m_view.noteEdited(); }
    Status orderShown(bool hasBlock) override;
    Status recalculate() override { return Calcule(); }
    void focusSupplierCode() override { m_view.focusSupplierCode(); }
    void setCaption(const QString &caption) override { m_view.setCaption(caption); }
    Prompts::Answer ask(const Prompts::Request &request) override { return m_view.ask(request); }
    void setLines(const QList<OrderLine> &rows) override { m_view.setLines(rows); }

    Status calculate(bool includesVat);

    OrderForm &m_view;
    OrderBook m_book;
    Settings m_settings;
    SupplierBook m_suppliers;
    Company m_company;
    OrderCalc::TextWidth m_measure;
    ChooseFromList m_chooseFromList;
    AskOrderNumber m_askOrderNumber;
};
