// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/result.h"
#include "order/orderbook.h"
#include "order/orderclipboard.h"
#include "order/orderlist.h"
#include "pricing/lineentry.h"
#include "pricing/ordercalc.h"
#include "printing/orderpage.h"
#include "settings/settings.h"
#include "suppliers/company.h"
#include "suppliers/supplierbook.h"

#include <QObject>
#include <array>
#include <functional>

// The order being edited and everything it is worked out from: the order on screen with its
// rows in use, totals and modified flags, the book it comes from, the settings, the suppliers,
// the company and the paper type, and the commands on them. It knows nothing of widgets: every
// change of the order goes through one of its methods, and it tells what changed through its
// signals, which whatever shows the order (the order window) follows.
class OrderDocument : public QObject {
    Q_OBJECT
public:
    static constexpr int GridRows = 63; // order lines the window's grid holds (rows 1 to 63)

    // The parts of the order on screen outside its lines.
    enum class Field {
        Number,
        Date,
        SupplierCode,
        PaymentTerms,
        AddressLine1,
        AddressLine2,
        AddressLine3,
        AddressLine4,
        IncludesVat,
        Note,
    };
    Q_ENUM(Field)

    explicit OrderDocument(QObject *parent = nullptr);

    const OrderBook &book() const { return m_book; }
    // Who is told of every change to the book's blocks (the search's index).
    void setBookListener(BookListener *listener) { m_book.setListener(listener); }
    Settings &settings() { return m_settings; }
    const Settings &settings() const { return m_settings; }
    SupplierBook &suppliers() { return m_suppliers; }
    Company &company() { return m_company; }

    // The order on screen, with all GridRows rows; rows 1 to lastRow() are in use: written
    // back, tested by orderComplete and printed.
    const OrderRecord &record() const { return m_record; }
    QString cell(int row, int column) const; // rows 1 to GridRows, columns 0 to 5
    int lastRow() const { return m_lastRow; }
    // The totals as last worked out; empty while none are shown.
    const OrderTotals &totals() const { return m_totals; }
    // The book differs from its file (the save question is asked) / the order on screen was
    // changed since it was shown (it is written back when it is valid).
    bool fileModified() const { return m_fileModified; }
    bool orderModified() const { return m_orderModified; }
    void setFileModified(bool modified);
    void setOrderModified(bool modified);
    // The user edited the note since the order was shown: the order is then written back even
    // after a save cleared its modified flag.
    bool noteEdited() const { return m_noteEdited; }
    // "Commande" at start, then the book file's name without its folder.
    const QString &caption() const { return m_caption; }
    const OrderClipboard &clipboard() const { return m_clipboard; }
    int paperType() const { return m_paperType; } // an OrderPage::PaperKind
    void setPaperType(int paperType) { m_paperType = paperType; }

    // The user's edits of the order on screen. Each one that changes something marks the
    // order and the file modified.
    void setNumber(const QString &number); // the field's nine positions
    void setDate(const QDate &date);
    void setSupplierCode(const QString &code);
    void setPaymentTerms(const QString &terms);
    void setAddressLine(int line, const QString &text); // lines 0 to 3
    void setAddress(const std::array<QString, OrderRecord::AddressLineCount> &address);
    // "Commande H.T." / "Commande TTC": the order is worked out again.
    Status setIncludesVat(bool includesVat);
    void setNote(const QStringList &lines);
    // A cell typed and left, with or without Enter: its row is in use from then on. False
    // when the row is not a grid row or the text is the cell's own.
    bool setCell(int row, int column, const QString &text);
    // Enter in the grid's cell (column, row): completes the line from column 2 on, then
    // recalculates; the outcome says where the cursor goes.
    Result<LineEntry::EnterOutcome> completeLine(int column, int row);
    // Deletes the grid line `row` of the order on screen; false when it is past lastRow().
    bool deleteLine(int row);

    // The width of a text where the view shows the grid; leftPadded pads against it.
    void setTextWidth(OrderCalc::TextWidth measure) { m_measure = std::move(measure); }
    QString leftPadded(const QString &text, int width) const;

    // The order list and the search belong to the main window, which lends them.
    // `chooseFromList` shows the list over the book and tells how the user moved the entries
    // and which one was chosen; `askOrderNumber` gives the number to search for, empty when
    // the search was cancelled.
    using ChooseFromList = std::function<OrderList::Choice(const OrderBook &book)>;
    using AskOrderNumber = std::function<QString()>;
    void setListDialogs(ChooseFromList chooseFromList, AskOrderNumber askOrderNumber);

    // First showing: order 0 of the empty book, then the supplier and company files (the
    // settings file is loadSettings). A supplier file that cannot be read comes back; the company
    // file is still read.
    Status startUp();

    // File. Every command that can fail gives back the failure with its French message; what
    // it did before the failure stays done.
    // Loads the file and shows its first order; false when the user declined to open it
    // read-only (OrderBook::load). A book read whose first order cannot be shown is open
    // all the same.
    Result<bool> loadBook(const QString &fileName);
    // Writes the book when it is modified, or whatever its state with SaveWhen::Always (a save
    // under a new name); false when nothing was to be written. A failed save leaves the book
    // modified (OrderBook::save).
    enum class SaveWhen { Modified, Always };
    Result<bool> save(const QString &fileName, SaveWhen when = SaveWhen::Modified);
    Status newBook();
    // Takes the lines kept by the recovery file as the book, modified and unsaved, under the
    // name of the order file they came from (OrderBook::recover); false when it stays
    // unnamed.
    Result<bool> recover(const QString &fileName, const TextLines &lines);
    bool bookModified(bool &modified) const;
    // Reads the book's file again as it now is (another desk saved it), showing the order
    // with the number shown before, or the first one when that number is gone. What was not
    // saved is lost: the caller asks first.
    Status reread();
    // A read-only book takes its file's lock once nobody holds it (OrderBook::takeWriting).
    // A book changed here, whose file another desk saved since, stays read-only: its changes
    // would replace that desk's.
    Status takeWriting();
    // The book, with the order on screen written back, differs from its file as last read or
    // written here. (Stepping between orders marks the file modified without changing it.)
    bool hasUnsavedChanges() const { return !m_book.isSaved(snapshot()); }
    // The desk this copy of the program runs on, as the book's locks record it.
    void setDeskName(const QString &name) { m_book.setDeskName(name); }
    // The lines the book would have after writeBackOrder, leaving the book as it is.
    TextLines snapshot() const;
    // The order on screen as writeBackOrder writes it; false when it is not to be written back.
    bool orderToWrite(OrderRecord &record) const;

    // Orders. Showing an order fails on a date line that is no date (what was read before it
    // is shown) or on a calculation that overflows; the command stops there.
    Status showCurrentOrder();
    void writeBackOrder();
    bool orderComplete() const;
    Status firstOrder();
    Status previousOrder();
    Status nextOrder();
    Status lastOrder();
    // Shows the order whose block index is `index`, after writing back the one on screen.
    Status showOrder(int index);
    Status addOrder();
    Status deleteOrder();
    void copyOrder();
    Status pasteOrder();
    // The user moved the entries of the order list (OrderBook::renumber): the file is
    // modified when a label changed.
    void moveOrders(const QList<int> &entryOrder);
    Status showOrderList();
    Status findOrder();

    // The line pass and the totals of the order on screen, by its price mode. An overflow
    // leaves the rows done before it rewritten and the totals as they were.
    Status calculateOrder();
    Status calculateBeforeTax();
    Status calculateIncludingTax();

    // Currency names beside the TTC totals: the main one, and the other one (empty when only
    // one currency is shown).
    QString mainCurrency() const;
    QString secondCurrency() const;
    // What the printed order shows: the order as it stands on screen, its totals and
    // currencies, the letterhead lines.
    OrderPageInput printedOrder() const;

    // Settings, suppliers, company
    void autoOpenSetting(bool &autoOpen, QString &fileName) const;
    void setAutoOpen(bool autoOpen);
    Status saveSettings(const QString &fileName);
    // Reads QorCmd.ini; false when there is none (the settings stay as they were).
    bool loadSettings();
    Status saveSuppliers();
    // The settings were edited (the order parameters): the terms offered and the currencies
    // follow.
    void applySettings();

    // What became of the order on screen (orderdocumentlife.cpp), each recording one step of
    // the history. A sending is dated today; the same sending again the same day, the order
    // unchanged, adds nothing (copies of one print).
    void recordSending(OrderLife::Channel channel);
    void setExpectedDate(const QDate &date); // a null date: none
    void recordReception(const OrderLife::Reception &reception);
    // Settles or cancels the order; Open takes either back.
    void setClosing(OrderLife::Closing closing);

    // Undo and redo (orderdocumentsteps.cpp). The user's changes, each one step of the history.
    enum class Change {
        Cell,
        Number,
        Date,
        SupplierCode,
        Supplier, // the code looked up, with the address found
        Article,  // an article chosen for a designation, with its last price
        PaymentTerms,
        Address,
        PriceMode,
        Note,
        DeleteLine,
        DeleteOrder,
        AddOrder,
        PasteOrder,
        MoveOrders,
        Sending,
        ExpectedDate,
        Reception,
        Closing,
    };
    Q_ENUM(Change)
    // The document as it stands: where the book stands, the order on screen, its flags.
    struct State {
        OrderBook::State book;
        OrderRecord record;
        OrderFormat::KeptLines overflow;
        int lastRow = 0;
        OrderTotals totals;
        bool fileModified = false;
        bool orderModified = false;
        bool noteEdited = false;
        int saves = 0; // the saves done when it was taken

        // The same book and order on screen, with the same flags.
        bool sameAs(const State &other) const;
    };
    State state() const;
    // Puts the document back as it stood in `state`, the order on screen and its flags
    // included; a state taken before the last save shows the book modified. All or nothing:
    // when the book can no longer go back there, or memory runs out on the way, the document
    // stays as it was and the failure says so.
    Status restore(const State &state);
    // Nothing will be restored to a state other than `states` and the current one.
    void keepOnly(const QList<OrderBook::State> &states) { m_book.keepOnly(states); }
    // A change the user made: what and where (a grid cell: row and column), and the document
    // before and after it.
    struct Step {
        Change change = Change::Cell;
        int row = 0;
        int column = 0;
        State before;
        State after;
    };
    // Everything the document does while the scope lives is one step, told by stepDone when
    // it changed anything; scopes within it join it.
    class StepScope {
    public:
        StepScope(OrderDocument &document, Change change, int row = 0, int column = 0);
        ~StepScope();
        StepScope(const StepScope &) = delete;
        StepScope &operator=(const StepScope &) = delete;

    private:
        OrderDocument &m_document;
        bool m_outermost;
        Step m_step;
    };

Q_SIGNALS:
    // The whole order on screen was replaced (shown, pasted): every field and row.
    void recordChanged();
    void fieldChanged(OrderDocument::Field field);
    void linesChanged(int firstRow, int lastRow); // grid rows, 1 to GridRows
    void totalsChanged();
    void modifiedChanged();
    void captionChanged(const QString &caption);
    // The payment terms offered or the currency names may have changed.
    void settingsChanged();
    // An order was shown (showCurrentOrder); `hasBlock` is false for a new order.
    void orderShown(bool hasBlock);
    // A move to another order, or a new order: the supplier code is where typing goes on.
    void supplierCodeWanted();
    // The user made a change (StepScope).
    void stepDone(const OrderDocument::Step &step);
    // The book was opened, started anew or recovered: no step before it goes back.
    void historyCleared();
    // The book was written: what is in memory is what its file holds.
    void saved();
    // What became of the order on screen changed (a sending, a reception...).
    void lifeChanged();

private:
    void markModified();
    void setLife(const OrderLife &life);
    // A change of the user's to a sent order: it differs from the supplier's copy from then on.
    void noteChangeAfterSending(Change change, const OrderRecord &before);
    // Whether the user's change to the order on screen goes ahead: the first change to a sent
    // order asks, once for as long as it is shown.
    bool mayChange();
    void setFlags(bool fileModified, bool orderModified);
    void setCaption(const QString &caption);
    // Puts `record` on screen as its fields show it; the totals are emptied until worked out.
    void showRecord(OrderRecord record);
    void setLines(const QList<OrderLine> &rows);
    bool setField(Field field, QString &value, const QString &text);
    Status moveTo(int index);
    Status calculate(bool includesVat);

    OrderBook m_book;
    Settings m_settings;
    SupplierBook m_suppliers;
    Company m_company;

    OrderRecord m_record;
    // The lines of its block it does not hold: its order lines past the grid's and the lines
    // of other kinds, written back untouched in their place.
    OrderFormat::KeptLines m_overflow;
    int m_lastRow = 0;
    OrderTotals m_totals;
    bool m_fileModified = false;
    bool m_orderModified = false;
    bool m_noteEdited = false;
    bool m_changeAgreed = false; // to change the sent order on screen
    bool m_asking = false;
    bool m_stepRefused = false; // a change was refused in the step under way
    QString m_caption = QStringLiteral("Commande");
    OrderClipboard m_clipboard;
    int m_saves = 0;
    bool m_inStep = false;
    int m_paperType = OrderPage::PlainPaper;

    OrderCalc::TextWidth m_measure;
    ChooseFromList m_chooseFromList;
    AskOrderNumber m_askOrderNumber;
};
