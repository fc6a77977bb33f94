// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "order/orderdocument.h"

#include <QPointer>
#include <QWidget>
#include <array>

class CellAssistant;
class QAction;
class QButtonGroup;
class QComboBox;
class QDateEdit;
class QFrame;
class QHeaderView;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class OrderHistory;
class OrderLinesModel;
class TEurof;
class TFFour;
class TFichFour;
class TLineDelegate;
class TListeFour;
class TMPage;
class TParamc;
class TSociete;

// The order window: shows the order of its document and binds its controls to it, the grid
// through the lines model. The document owns the order, the book, the settings, the suppliers,
// the company and the paper type, and carries the commands; the window forwards the user's
// edits and the main window's order commands there, and runs the dialogs they need. A command
// that fails shows its message and stops where it failed.
class TCommande : public QWidget {
    Q_OBJECT
public:
    explicit TCommande(QWidget *parent = nullptr);
    ~TCommande() override;

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
        TListeFour *chooser = nullptr;
        TFFour *quickEntry = nullptr;
        TFichFour *supplierWindow = nullptr;
        TSociete *companyDialog = nullptr;
        TParamc *parameters = nullptr;
        TEurof *converter = nullptr;
        TMPage *pageSetup = nullptr;
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
    Result<bool> Charge(const QString &fileName);
    // Then SauveFour, when the book was written.
    Result<bool> Sauve(const QString &fileName,
                       OrderDocument::SaveWhen when = OrderDocument::SaveWhen::Modified);
    // The lines kept by the recovery file as the book (OrderDocument::Recupere).
    Result<bool> Recupere(const QString &fileName, const QStringList &lines);
    void Nouveau();
    bool TestModif(bool &modified) const { return m_document.TestModif(modified); }
    // Something is not saved: the book, or the cell being typed.
    bool hasUnsavedChanges() const;
    // Reads the book's file again (OrderDocument::reread), dropping the cell being typed: the
    // caller asked about unsaved changes first.
    Status reread();

    // Document commands
    void Premier();
    void Precedent();
    void Suivant();
    void Dernier();
    void Ajout();
    void Supprime();
    void Copier();
    void Coller();
    void Calcule();
    void SupLigne();
    void Liste();    // order list (F2)
    void Chercher(); // search by number
    // The cell being typed is a step of its own first.
    void undo();
    void redo();

    // Printing; a printer that fails is reported. Imprime says whether the order was printed.
    bool Imprime();
    void ImpEnv();
    void ParM();
    // What Imprime prints: the order as shown, its total texts and currency names, the
    // letterhead lines.
    OrderPageInput printedOrder();

    // Settings, suppliers, company
    void GetIni(bool &autoOpen, QString &fileName) const { m_document.GetIni(autoOpen, fileName); }
    void SetIni(bool autoOpen) { m_document.SetIni(autoOpen); }
    // The window tells the user when a side file cannot be written.
    void SauveIni(const QString &fileName);
    void ChargeIni();
    void ParF();
    void GestFour();
    void SauveFour();
    void Psoc();

    // Show the order CurrentOrder / write it back when changed and valid.
    void LitFiche();
    void EcritFiche();
    void Calendrier();
    // Takes the euro converter's rate and direction into the settings (run at close).
    void FormClose();
    // Leading spaces until the text is wider than width - 10 pixels in the grid's font.
    QString Rset(const QString &text, int width) const { return m_document.Rset(text, width); }

    // What the search over the orders asks of the window (tcommandesearch.cpp): an order
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
    // commands (the main window's Valide).
    void bookCommandsWanted();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
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

    friend class TLineDelegate;

    void FormCreate();
    void FormDestroy();
    bool filterEvent(QObject *watched, QEvent *event);
    void FormResize();
    bool FormKeyDown(QKeyEvent *event);
    bool StringGrid1KeyPress(QObject *target, QKeyEvent *event);
    bool Memo1KeyPress(QKeyEvent *event);
    bool Edit1KeyPress(QKeyEvent *event);
    void Edit1Exit();
    void Button1Click();
    void ChercheFour();
    // The code as the lookup left it, and the supplier's address when it was found.
    void showSupplier(const QString &code, bool found, const std::array<QString, 4> &address);
    // The header controls' change handlers: each gives the user's edit to the document.
    void MaskEdit1Change();
    void DateTimePicker1Change();
    void Edit1Change();
    void ComboBox1Change();
    void Edit2Change(int line); // Edit2 to Edit5
    void RadioButton2Click();
    void Memo1Change();
    void StringGrid1Enter();
    void StringGrid1Exit();
    // Runs the Exit and Enter handlers when the focus moves from one control of this window
    // to another.
    void focusChanged(QWidget *old, QWidget *now);
    QWidget *controlOf(QWidget *widget) const;

    void buildControls();
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

    QFrame *Panel1 = nullptr;
    QFrame *Panel2 = nullptr;
    QFrame *Panel3 = nullptr;
    QFrame *Panel5 = nullptr;
    QFrame *Panel7 = nullptr;
    QHeaderView *Header1 = nullptr;
    QLineEdit *MaskEdit1 = nullptr;
    QDateEdit *DateTimePicker1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QPushButton *Button1 = nullptr;
    QLabel *Label1 = nullptr;
    QComboBox *ComboBox1 = nullptr;
    QRadioButton *RadioButton1 = nullptr;
    QRadioButton *RadioButton2 = nullptr;
    QButtonGroup *m_priceMode = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QLineEdit *Edit3 = nullptr;
    QLineEdit *Edit4 = nullptr;
    QLineEdit *Edit5 = nullptr;
    QTableView *StringGrid1 = nullptr;
    TLineDelegate *m_delegate = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label13 = nullptr;
    QLabel *Label15 = nullptr;
    QLabel *Label16 = nullptr;
    QLabel *Label17 = nullptr;
    QLabel *Label18 = nullptr;
    QLabel *Label19 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label9 = nullptr;
    QLabel *Label6 = nullptr;
};
