#pragma once

#include "core/real48.h"
#include "order/orderbook.h"
#include "order/orderlist.h"
#include "settings/settings.h"
#include "suppliers/company.h"
#include "suppliers/supplierbook.h"

#include <QPointer>
#include <QWidget>
#include <functional>

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
class QTableWidget;
class TEurof;
class TFFour;
class TFichFour;
class TLineDelegate;
class TListeFour;
class TMPage;
struct OrderPageInput;
class TParamc;
class TSociete;

// The order window: shows one order of the book and owns the book's operations, the supplier
// lines, the company lines, the settings and the paper type. The main window forwards every
// order command here. Operations may throw CommandError; the general error report shows it.
class TCommande : public QWidget, public OrderForm {
    Q_OBJECT
public:
    explicit TCommande(QWidget *parent = nullptr);
    ~TCommande() override;

    OrderBook &book();
    Settings &settings();
    SupplierBook &suppliers() { return m_suppliers; }
    Company &company() { return m_company; }

    int PaperType = 0; // 0 plain paper, 1 letterhead, 2 pre-printed form
    QString DefaultVatCode = QStringLiteral("1");

    // The dialogs created at start-up, in their start-up order; any left null is created on
    // first use with this window as parent.
    void setDialogs(TListeFour *chooser, TFFour *quickEntry, TFichFour *supplierWindow,
                    TSociete *companyDialog, TParamc *parameters, TEurof *converter);
    // The order list and the search dialog belong to the main window, which lends them here.
    // `chooseFromList` shows the list on the book's lines, renumbers them as the user moved the
    // entries (setting `fileModified` when a label changed) and tells what was chosen;
    // `askOrderNumber` gives the number to search for, empty when the search was cancelled.
    using ChooseFromList =
        std::function<OrderList::Choice(TextLines &orderLines, bool &fileModified)>;
    using AskOrderNumber = std::function<QString()>;
    void setListDialogs(ChooseFromList chooseFromList, AskOrderNumber askOrderNumber);

    // First activation: shows order 0, loads the side files, fills the calendar. The main
    // window calls it once after creating the windows; showing the window also runs it.
    void activate();

    // Order book: the file commands of the main window
    bool Charge(const QString &fileName); // false when the user cancelled the opening
    bool Sauve(const QString &fileName); // then SauveFour
    void Nouveau();
    bool TestModif(bool &modified) const;

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

    // Printing
    void Imprime();
    void ImpEnv();
    void ParM();
    // The page set-up dialog created at start-up; without one, the main window's is used, or
    // one is created on first use.
    void setPageSetup(TMPage *dialog) { m_pageSetup = dialog; }
    // What Imprime prints: the order as shown, its total texts and currency names, the
    // letterhead lines.
    OrderPageInput printedOrder();

    // Settings, suppliers, company
    void GetIni(bool &autoOpen, QString &fileName) const;
    void SetIni(bool autoOpen);
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
    QString Rset(const QString &text, int width) const;

    // Grid rows are numbered 1 to 63 as in the order; columns 0 to 5.
    QString cellText(int row, int column) const;
    void setCellText(int row, int column, const QString &text);
    int currentGridRow() const;
    int currentGridColumn() const;
    void setCurrentGridCell(int row, int column);
    // Currency captions of the TTC totals from EuroMode and SingleCurrency.
    void updateCurrencyCaptions();

    // OrderForm
    void setRecord(const OrderRecord &record) override;
    OrderRecord record() const override;
    bool noteEdited() const override { return m_noteEdited; }
    void orderShown(bool hasBlock) override;
    void recalculate() override;
    void focusSupplierCode() override;
    void setCaption(const QString &caption) override;
    Prompts::Answer ask(const Prompts::Request &request) override;

Q_SIGNALS:
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
    // The dialogs the main window did not hand over are made on first use.
    template <typename Dialog> Dialog &dialog(Dialog *&slot)
    {
        if (!slot)
            slot = new Dialog(this);
        return *slot;
    }

    friend class TLineDelegate;

    bool filterEvent(QObject *watched, QEvent *event);
    void FormCreate();
    void FormResize();
    bool FormKeyDown(QKeyEvent *event);
    bool StringGrid1KeyPress(QObject *target, QKeyEvent *event);
    bool Memo1KeyPress(QKeyEvent *event);
    bool Edit1KeyPress(QKeyEvent *event);
    void Edit1Exit();
    void Button1Click();
    void ChercheFour();
    void RadioButton2Click();
    void markModified();
    void StringGrid1Enter();
    void StringGrid1Exit();
    // Runs the Exit and Enter handlers when the focus moves from one control of this window
    // to another.
    void focusChanged(QWidget *old, QWidget *now);
    QWidget *controlOf(QWidget *widget) const;

    void buildControls();
    void setPaymentTerms(const QStringList &terms);
    void setAmountHeading(bool includesVat);
    // The cell editor of the current cell, if one is open.
    QWidget *openGridEditor() const;
    // Writes the open cell editor's text into its cell (before reading or moving the order).
    void commitGridEditor();
    // Closes the open cell editor without writing its text (before filling the grid).
    void discardGridEditor();
    void enterCompletesLine();
    QList<OrderLine> gridRows() const;
    void setGridRows(const QList<OrderLine> &rows);
    std::function<int(const QString &)> gridTextWidth() const;

    TListeFour &chooser();
    TFFour &quickEntry();
    TFichFour &supplierWindow();
    TSociete &companyDialog();
    TParamc &parameters();
    TEurof &converter();
    TMPage &pageSetup();

    TListeFour *m_chooser = nullptr;
    TFFour *m_quickEntry = nullptr;
    TFichFour *m_supplierWindow = nullptr;
    TSociete *m_companyDialog = nullptr;
    TParamc *m_parameters = nullptr;
    TEurof *m_converter = nullptr;
    TMPage *m_pageSetup = nullptr;
    ChooseFromList m_chooseFromList;
    AskOrderNumber m_askOrderNumber;

    OrderBook m_book;
    Settings m_settings;
    SupplierBook m_suppliers;
    Company m_company;

    bool m_activated = false;
    bool m_filling = false;    // setRecord is filling the controls
    bool m_noteEdited = false; // the user edited the note since setRecord
    bool m_inCodeExit = false;
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
    QTableWidget *StringGrid1 = nullptr;
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
