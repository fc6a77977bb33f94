// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "order/orderdocument.h"
#include "order/orderprinting.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>

class CellAssistant;
class QAction;
class QKeyEvent;
class OrderHistory;
class OrderLinesModel;
class EuroConverterWindow;
class SupplierEntryDialog;
class SupplierWindow;
class LineDelegate;
class OrderWindowKeys;
class OrderWindowLayout;
class SupplierListDialog;
class PageSetupDialog;
class OrderParametersDialog;
class CompanyDialog;

// The order window: shows the order of its document and binds its controls to it, the grid
// through the lines model. The document owns the order, the book, the settings, the suppliers,
// the company and the paper type, and carries the commands; the window forwards the user's
// edits and the main window's order commands there, and runs the dialogs they need. A command
// that fails shows its message and stops where it failed.
class OrderWindow : public QWidget {
    Q_OBJECT
public:
    explicit OrderWindow(QWidget *parent = nullptr);
    ~OrderWindow() override;

    OrderDocument &document() { return m_document; }
    // The user's steps on the document, for "Annuler" and "Rétablir".
    OrderHistory &history() { return *m_history; }
    const OrderBook &book() const { return m_document.book(); }
    Settings &settings() { return m_document.settings(); }
    SupplierBook &suppliers() { return m_document.suppliers(); }
    Company &company() { return m_document.company(); }

    // The dialogs the order commands show, created at start-up by the main window and handed
    // over once. A window built on its own (in tests) makes any that is missing on first use.
    struct Dialogs {
        SupplierListDialog *chooser = nullptr;
        SupplierEntryDialog *quickEntry = nullptr;
        SupplierWindow *supplierWindow = nullptr;
        CompanyDialog *companyDialog = nullptr;
        OrderParametersDialog *parameters = nullptr;
        EuroConverterWindow *converter = nullptr;
        PageSetupDialog *pageSetup = nullptr;
    };
    void setDialogs(const Dialogs &dialogs) { m_dialogs = dialogs; }
    // The order list and the search dialog belong to the main window, which lends them here.
    void setListDialogs(OrderDocument::ChooseFromList chooseFromList,
                        OrderDocument::AskOrderNumber askOrderNumber);

    // First activation: shows order 0, loads the side files, fills the calendar. The main
    // window calls it once after creating the windows; showing the window also runs it.
    void activate();

    // Order book: the file commands of the main window
    // The book's file commands; false when the user cancelled the opening, or when there was
    // nothing to save. A failure is given back for the main window to show.
    Result<bool> loadBook(const QString &fileName);
    // Then saveSuppliers, when the book was written.
    Result<bool> save(const QString &fileName,
                      OrderDocument::SaveWhen when = OrderDocument::SaveWhen::Modified);
    // The lines kept by the recovery file as the book (OrderDocument::recover).
    Result<bool> recover(const QString &fileName, const QStringList &lines);
    void newBook();
    bool bookModified(bool &modified) const { return m_document.bookModified(modified); }
    // Something is not saved: the book, or the cell being typed.
    bool hasUnsavedChanges() const;
    // Reads the book's file again (OrderDocument::reread), dropping the cell being typed: the
    // caller asked about unsaved changes first.
    Status reread();

    // Document commands
    void firstOrder();
    void previousOrder();
    void nextOrder();
    void lastOrder();
    void addOrder();
    void deleteOrder();
    void copyOrder();
    void pasteOrder();
    void calculateOrder();
    void deleteLine();
    void showOrderList(); // order list (F2)
    void findOrder();     // search by number
    // The cell being typed is a step of its own first.
    void undo();
    void redo();

    // Printing; a printer that fails is reported. printOrder says whether the order was printed.
    bool printOrder();
    void printEnvelope();
    void choosePaper();
    // What printOrder prints: the order as shown, its total texts and currency names, the
    // letterhead lines.
    OrderPageInput printedOrder();

    // Settings, suppliers, company
    void autoOpenSetting(bool &autoOpen, QString &fileName) const
    {
        m_document.autoOpenSetting(autoOpen, fileName);
    }
    void setAutoOpen(bool autoOpen) { m_document.setAutoOpen(autoOpen); }
    // The window tells the user when a side file cannot be written.
    void saveSettings(const QString &fileName);
    void loadSettings();
    void editOrderParameters();
    void manageSuppliers();
    void saveSuppliers();
    void editCompany();

    // Show the current order / write it back when changed and valid.
    void showCurrentOrder();
    void writeBackOrder();
    void showToday();
    // Takes the euro converter's rate and direction into the settings (run at close).
    void keepConverterRate();
    // Leading spaces until the text is wider than width - 10 pixels in the grid's font.
    QString leftPadded(const QString &text, int width) const
    {
        return m_document.leftPadded(text, width);
    }

    // What the search over the orders asks of the window: an order
    // found shown as the order list shows one, the focus put on the place found; a cell typed
    // into as the user would; the grid's cell editors and context menu.
    void showOrder(int index, const OrderPlace &place);
    void focusPlace(const OrderPlace &place);
    void enterCellText(int row, int column, const QString &text);
    void setCellAssistant(CellAssistant *assistant);
    void addGridAction(QAction *action);

    // The row of the cell being typed, when its editor holds another text than the cell: the
    // first step "&Annuler" takes back. 0 when there is none.
    int typedRow() const;

    // The grid's current cell: rows 1 to 63 as in the order, columns 0 to 5.
    int currentGridRow() const;
    int currentGridColumn() const;
    void setCurrentGridCell(int row, int column);

Q_SIGNALS:
    // The cell being typed (typedRow()) changed.
    void typingChanged();
    // "&Effacer ligne" is enabled exactly while the line grid has the focus.
    void deleteLineEnabledChanged(bool enabled);
    // The grid got the focus while the book holds fewer than two lines: enable the book
    // commands (the main window's enableBookCommands).
    void bookCommandsWanted();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // A dialog the main window did not hand over is made on first use.
    template <typename Dialog> Dialog &dialog(Dialog *&slot)
    {
        if (!slot)
            slot = new Dialog(this);
        return *slot;
    }

    friend class LineDelegate;
    friend class OrderWindowKeys;

    void initialise();
    void teardown();
    void supplierCodeLeft();
    void chooseSupplier();
    void lookUpSupplier();
    // The code as the lookup left it, and the supplier's address when it was found.
    void showSupplier(const QString &code, bool found, const std::array<QString, 4> &address);
    // The header controls' change handlers: each gives the user's edit to the document.
    void numberEdited();
    void dateEdited();
    void supplierCodeEdited();
    void paymentTermsEdited();
    void addressLineEdited(int line); // m_addressLine1 to m_addressLine4
    void priceModeChosen();
    void noteChanged();
    void gridEntered();
    void gridLeft();
    // Runs the Exit and Enter handlers when the focus moves from one control of this window
    // to another.
    void focusChanged(QWidget *old, QWidget *now);
    QWidget *controlOf(QWidget *widget) const;

    void bindControls();
    void bindDocument();
    // The document's changes, shown in the controls.
    void showRecord();
    void showField(OrderDocument::Field field);
    void showTotals();
    void settingsChanged();
    void orderShown(bool hasBlock);
    void focusSupplierCode();
    // The note's lines as the note shows them.
    QStringList noteLines() const;
    // The cell editor of the current cell, if one is open.
    QWidget *openGridEditor() const;
    // Writes the open cell editor's text into its cell (before reading or moving the order).
    void commitGridEditor();
    // Closes the open cell editor without writing its text (before filling the grid).
    void discardGridEditor();

    Dialogs m_dialogs;
    OrderDocument m_document;
    OrderPrinting m_printing{m_document};
    OrderLinesModel *m_lines = nullptr;
    OrderHistory *m_history = nullptr;

    bool m_activated = false;
    bool m_filling = false; // the controls are being filled from the document
    bool m_inCodeExit = false;
    // The user changed the supplier code (typed, deleted, pasted, "*") since the order was
    // shown or the code last looked up: only then does leaving the field look it up.
    bool m_codeEdited = false;
    // The control of this window that has the focus, or had it last when the focus is in
    // the menu bar, a popup or another window.
    QPointer<QWidget> m_activeControl;

    // The controls; the window binds them to the document.
    std::unique_ptr<OrderWindowLayout> m_ui;
    LineDelegate *m_delegate = nullptr;
    OrderWindowKeys *m_keys = nullptr;
};
