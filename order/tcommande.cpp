#include "order/tcommande.h"

#include "core/clock.h"
#include "core/commanderror.h"
#include "core/prompts.h"
#include "gui/application.h"
#include "gui/printdialogs.h"
#include "order/linedelegate.h"
#include "order/orderformat.h"
#include "order/orderlist.h"
#include "pricing/lineentry.h"
#include "pricing/ordercalc.h"
#include "printing/envelopepage.h"
#include "printing/orderpage.h"
#include "printing/pagepainter.h"
#include "printing/printercalibration.h"
#include "printing/tmpage.h"
#include "settings/orderparameters.h"
#include "settings/settingsfile.h"
#include "settings/tparamc.h"
#include "suppliers/supplierlookupflow.h"
#include "suppliers/tffour.h"
#include "suppliers/tfichfour.h"
#include "suppliers/tlistefour.h"
#include "suppliers/tsociete.h"
#include "utilities/teurof.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QFontMetrics>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTextBlock>

namespace {

QString capitalised(QString text)
{
    if (!text.isEmpty())
        text[0] = text.at(0).toUpper();
    return text;
}

bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

TCommande::TCommande(QWidget *parent) : QWidget(parent), m_book(*this)
{
    setObjectName(QStringLiteral("Commande"));
    setWindowTitle(QStringLiteral("Commande"));
    buildControls();
    FormCreate();
    resize(673, 395);
}

TCommande::~TCommande()
{
    // The controls go while the book and the settings still exist: their last focus changes
    // and events must find this window whole, or not reach it at all.
    disconnect(qApp, nullptr, this, nullptr);
    removeEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>())
        child->removeEventFilter(this);
    qDeleteAll(findChildren<QWidget *>(Qt::FindDirectChildrenOnly));
}

OrderBook &TCommande::book()
{
    return m_book;
}

Settings &TCommande::settings()
{
    return m_settings;
}

void TCommande::FormCreate()
{
    m_book.OrderLines.clear();
    m_suppliers.SupplierLines.clear();
    m_book.Numeroc();
    DefaultVatCode = QStringLiteral("1");
    PaperType = 0;
    m_settings.EuroMode = 0;
    m_settings.VatRates = {20.6L, 0.0L, 5.5L};
    m_settings.EuroRate = 6.55957L;
    setPaymentTerms(m_settings.PaymentTermList);
    m_book.FileModified = false;
    m_book.OrderModified = false;
    m_book.Clipboard.clear();
}

void TCommande::setDialogs(TListeFour *chooser, TFFour *quickEntry, TFichFour *supplierWindow,
                           TSociete *companyDialog, TParamc *parameters, TEurof *converter)
{
    m_chooser = chooser;
    m_quickEntry = quickEntry;
    m_supplierWindow = supplierWindow;
    m_companyDialog = companyDialog;
    m_parameters = parameters;
    m_converter = converter;
}

TListeFour &TCommande::chooser()
{
    return dialog(m_chooser);
}

TFFour &TCommande::quickEntry()
{
    return dialog(m_quickEntry);
}

TFichFour &TCommande::supplierWindow()
{
    return dialog(m_supplierWindow);
}

TSociete &TCommande::companyDialog()
{
    return dialog(m_companyDialog);
}

TParamc &TCommande::parameters()
{
    return dialog(m_parameters);
}

TEurof &TCommande::converter()
{
    return dialog(m_converter);
}

void TCommande::setListDialogs(ChooseFromList chooseFromList, AskOrderNumber askOrderNumber)
{
    m_chooseFromList = std::move(chooseFromList);
    m_askOrderNumber = std::move(askOrderNumber);
}

// ---- Activation, layout, keys ----

void TCommande::activate()
{
    if (m_activated)
        return;
    m_activated = true;
    LitFiche();
    m_book.FileModified = false;
    QString error;
    if (!m_suppliers.ChargeFour(error))
        Prompts::error(error);
    m_company.ChargeSoc();
    ChargeIni();
    Calendrier();
}

void TCommande::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    activate();
}

void TCommande::closeEvent(QCloseEvent *event)
{
    FormClose();
    QWidget::closeEvent(event);
}

void TCommande::FormClose()
{
    // Without a converter in this run there is no rate of its own to keep.
    if (m_converter)
        takeConverterRate(*m_converter, m_settings);
}

void TCommande::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

bool TCommande::eventFilter(QObject *watched, QEvent *event)
{
    // Keys and focus changes run commands here: an error is reported at once, never thrown
    // through Qt's event dispatch. The event that started the failed command is done with.
    bool handled = true;
    Application::run([&] { handled = filterEvent(watched, event); });
    return handled;
}

bool TCommande::filterEvent(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (FormKeyDown(key))
            return true;
        if (watched == StringGrid1)
            return StringGrid1KeyPress(watched, key);
        if (watched == Memo1)
            return Memo1KeyPress(key);
        if (watched == Edit1)
            return Edit1KeyPress(key);
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool TCommande::FormKeyDown(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_PageDown:
        commitGridEditor();
        Suivant();
        return true;
    case Qt::Key_PageUp:
        commitGridEditor();
        Precedent();
        return true;
    case Qt::Key_F2:
        commitGridEditor();
        Liste();
        return true;
    default:
        return false;
    }
}

bool TCommande::StringGrid1KeyPress(QObject *target, QKeyEvent *event)
{
    const int column = StringGrid1->currentColumn();
    const QString typed = event->text();
    if (typed.size() == 1) {
        const QChar key = LineEntry::filterGridKey(column, typed.at(0));
        if (key != typed.at(0)) {
            // Numbers take the decimal comma; the designation keeps what was typed.
            QKeyEvent replaced(QEvent::KeyPress, Qt::Key_Comma, event->modifiers(), QString(key),
                               event->isAutoRepeat(), ushort(event->count()));
            QCoreApplication::sendEvent(target, &replaced);
            return true;
        }
    }
    if (isEnter(event)) {
        commitGridEditor();
        enterCompletesLine();
        return true;
    }
    return false;
}

void TCommande::enterCompletesLine()
{
    QList<OrderLine> rows = gridRows();
    const LineEntry::EnterOutcome outcome =
        LineEntry::completeLine(currentGridColumn(), currentGridRow(), rows, m_book.LastRow);
    if (!outcome.completed)
        return;
    setGridRows(rows);
    Calcule();
    m_book.markModified();
    m_book.LastRow = outcome.lastRow;
    setCurrentGridCell(outcome.row, outcome.column);
}

bool TCommande::Memo1KeyPress(QKeyEvent *event)
{
    // Enter may make at most five lines; typing and pasting are not limited.
    return isEnter(event) && !LineEntry::memoAcceptsEnter(Memo1->document()->blockCount());
}

bool TCommande::Edit1KeyPress(QKeyEvent *event)
{
    switch (SupplierLookup::filterCodeKey(event->key(), event->text())) {
    case SupplierLookup::CodeKey::Pass:
        return false;
    case SupplierLookup::CodeKey::ReplaceWithStar:
        Edit1->setText(QStringLiteral("*"));
        return true;
    case SupplierLookup::CodeKey::Drop:
        return true;
    }
    return false;
}

void TCommande::Edit1Exit()
{
    if (m_inCodeExit)
        return;
    m_inCodeExit = true;
    QString code = Edit1->text();
    // Show the completed code while the lookup asks its questions.
    if (!code.isEmpty() && !code.startsWith(QLatin1Char('0')) && code != QLatin1String("*")) {
        code = SupplierLookup::completeCode(code);
        Edit1->setText(code);
    }
    std::array<QString, 4> address;
    try {
        const bool found = SupplierLookupFlow::Edit1Exit(code, address, m_suppliers, quickEntry());
        if (code != Edit1->text())
            Edit1->setText(code);
        if (found) {
            Edit2->setText(address[0]);
            Edit3->setText(address[1]);
            Edit4->setText(address[2]);
            Edit5->setText(address[3]);
        }
    } catch (...) {
        m_inCodeExit = false;
        throw;
    }
    m_inCodeExit = false;
}

void TCommande::ChercheFour()
{
    QString code = Edit1->text();
    std::array<QString, 4> address;
    const bool found = SupplierLookupFlow::ChercheFour(code, address, m_suppliers, quickEntry());
    if (code != Edit1->text())
        Edit1->setText(code);
    if (found) {
        Edit2->setText(address[0]);
        Edit3->setText(address[1]);
        Edit4->setText(address[2]);
        Edit5->setText(address[3]);
    }
}

void TCommande::Button1Click()
{
    const QString code = SupplierLookupFlow::pickSupplier(chooser(), m_suppliers);
    if (code.isEmpty())
        return;
    m_inCodeExit = true; // the code is looked up here, not again when the field loses focus
    Edit1->setText(code);
    m_inCodeExit = false;
    ChercheFour();
}

void TCommande::markModified()
{
    m_book.markModified();
}

void TCommande::RadioButton2Click()
{
    m_book.markModified();
    if (m_filling)
        return; // the order being shown is recalculated once it is complete
    Calcule();
}

QWidget *TCommande::controlOf(QWidget *widget) const
{
    if (!widget || !isAncestorOf(widget))
        return nullptr;
    // The grid's cell editor, the combo box's and the picker's line edits stand for their
    // control.
    for (QWidget *w = widget; w != this; w = w->parentWidget())
        if (w == StringGrid1 || w == ComboBox1 || w == DateTimePicker1)
            return w;
    return widget;
}

void TCommande::focusChanged(QWidget *, QWidget *now)
{
    // A control is left only when another control of this window takes the focus: the menu
    // bar, a popup, a message box, a dialog or another program taking it leaves the window's
    // current control as it is, and the focus comes back to it.
    QWidget *control = controlOf(now);
    if (!control || control == m_activeControl)
        return;
    QWidget *left = m_activeControl;
    m_activeControl = control;
    // Closing the program hides the window, and Qt then moves the focus inside it: that is no
    // more leaving a field than the closing itself.
    if (!isVisible())
        return;
    if (left == Edit1)
        Application::run([this] { Edit1Exit(); });
    else if (left == StringGrid1)
        StringGrid1Exit();
    if (control == StringGrid1)
        StringGrid1Enter();
}

void TCommande::StringGrid1Enter()
{
    if (m_book.OrderLines.size() < 2)
        Q_EMIT bookCommandsWanted();
    Q_EMIT deleteLineEnabledChanged(true);
}

void TCommande::StringGrid1Exit()
{
    Q_EMIT deleteLineEnabledChanged(false);
}

// ---- Grid cells ----

QString TCommande::cellText(int row, int column) const
{
    const QTableWidgetItem *item = StringGrid1->item(row - 1, column);
    return item ? item->text() : QString();
}

void TCommande::setCellText(int row, int column, const QString &text)
{
    if (QTableWidgetItem *item = StringGrid1->item(row - 1, column))
        item->setText(text);
}

int TCommande::currentGridRow() const
{
    return StringGrid1->currentRow() + 1;
}

int TCommande::currentGridColumn() const
{
    return StringGrid1->currentColumn();
}

void TCommande::setCurrentGridCell(int row, int column)
{
    StringGrid1->setCurrentCell(row - 1, column);
}

QWidget *TCommande::openGridEditor() const
{
    // The grid holds no index widgets of its own: a widget on a cell is its editor.
    return StringGrid1->indexWidget(StringGrid1->currentIndex());
}

void TCommande::commitGridEditor()
{
    if (QWidget *editor = openGridEditor()) {
        Q_EMIT m_delegate->commitData(editor);
        Q_EMIT m_delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void TCommande::discardGridEditor()
{
    if (QWidget *editor = openGridEditor())
        Q_EMIT m_delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void TCommande::setAmountHeading(bool includesVat)
{
    auto *header = StringGrid1->horizontalHeaderItem(OrderLine::AmountCell);
    if (!header) {
        header = new QTableWidgetItem();
        StringGrid1->setHorizontalHeaderItem(OrderLine::AmountCell, header);
    }
    header->setText(OrderCalc::amountHeading(includesVat));
}

std::function<int(const QString &)> TCommande::gridTextWidth() const
{
    const QFontMetrics metrics(StringGrid1->font());
    return [metrics](const QString &text) { return metrics.horizontalAdvance(text); };
}

QString TCommande::Rset(const QString &text, int width) const
{
    return OrderCalc::Rset(text, width, gridTextWidth());
}

QList<OrderLine> TCommande::gridRows() const
{
    QList<OrderLine> rows;
    rows.reserve(OrderForm::GridRows);
    for (int row = 1; row <= OrderForm::GridRows; ++row) {
        OrderLine line;
        for (int c = 0; c < OrderLine::CellCount; ++c)
            line.setCell(c, cellText(row, c));
        rows.append(line);
    }
    return rows;
}

void TCommande::setGridRows(const QList<OrderLine> &rows)
{
    for (int row = 1; row <= OrderForm::GridRows; ++row) {
        const OrderLine line = row <= rows.size() ? rows.at(row - 1) : OrderLine();
        for (int c = 0; c < OrderLine::CellCount; ++c)
            if (cellText(row, c) != line.cell(c))
                setCellText(row, c, line.cell(c));
    }
}

// ---- The order on screen ----

void TCommande::setRecord(const OrderRecord &record)
{
    discardGridEditor();
    m_filling = true;
    MaskEdit1->setText(record.Number.trimmed());
    DateTimePicker1->setDate(record.Date.isValid() ? record.Date : Clock::today());
    Edit1->setText(record.SupplierCode);
    ComboBox1->setEditText(record.PaymentTerms);
    Edit2->setText(record.AddressLines[0]);
    Edit3->setText(record.AddressLines[1]);
    Edit4->setText(record.AddressLines[2]);
    Edit5->setText(record.AddressLines[3]);
    (record.IncludesVat ? RadioButton2 : RadioButton1)->setChecked(true);
    setAmountHeading(record.IncludesVat);
    setGridRows(record.Lines);
    Memo1->setPlainText(record.Memo.join(QLatin1Char('\n')));
    for (QLabel *total : {Label7, Label13, Label18, Label19})
        total->clear();
    m_filling = false;
    m_noteEdited = false;
}

OrderRecord TCommande::record() const
{
    OrderRecord r;
    r.BlockIndex = m_book.CurrentOrder;
    r.Number = MaskEdit1->displayText().left(9).leftJustified(9, QLatin1Char(' '));
    r.Date = DateTimePicker1->date();
    r.SupplierCode = Edit1->text();
    r.PaymentTerms = ComboBox1->currentText();
    r.AddressLines = {Edit2->text(), Edit3->text(), Edit4->text(), Edit5->text()};
    r.IncludesVat = RadioButton2->isChecked();
    r.Lines = gridRows();
    // An empty note has no line at all.
    if (!Memo1->document()->isEmpty())
        r.Memo = Memo1->toPlainText().split(QLatin1Char('\n'));
    return r;
}

void TCommande::orderShown(bool hasBlock)
{
    if (hasBlock) {
        Calcule();
        focusSupplierCode();
        Q_EMIT deleteLineEnabledChanged(false);
    }
    updateCurrencyCaptions();
}

void TCommande::recalculate()
{
    Calcule();
}

void TCommande::focusSupplierCode()
{
    Edit1->setFocus(Qt::OtherFocusReason);
}

void TCommande::setCaption(const QString &caption)
{
    setWindowTitle(caption);
}

Prompts::Answer TCommande::ask(const Prompts::Request &request)
{
    return Prompts::ask(request); // a message box in the program, a script in tests
}

void TCommande::updateCurrencyCaptions()
{
    const bool euros = m_settings.EuroMode != 0;
    Label16->setText(euros ? QStringLiteral("Euros") : QStringLiteral("Francs"));
    Label17->setText(euros ? QStringLiteral("Francs") : QStringLiteral("Euros"));
    if (m_settings.SingleCurrency != 0)
        Label17->clear();
}

void TCommande::setPaymentTerms(const QStringList &terms)
{
    // Reloading the list is no edit of the order: the shown terms stay as they are.
    const QString shown = ComboBox1->currentText();
    {
        const QSignalBlocker blocker(ComboBox1);
        ComboBox1->clear();
        ComboBox1->addItems(terms);
        ComboBox1->setEditText(shown);
    }
    m_settings.PaymentTermList = terms;
    m_book.DefaultPaymentTerm = terms.isEmpty() ? QString() : terms.first();
}

void TCommande::LitFiche()
{
    m_book.LitFiche();
}

void TCommande::EcritFiche()
{
    commitGridEditor();
    m_book.EcritFiche();
}

void TCommande::Calendrier()
{
    const QDate today = Clock::today();
    const QLocale french(QLocale::French, QLocale::France);
    Label3->setText(capitalised(french.dayName(today.dayOfWeek(), QLocale::LongFormat)));
    Label8->setText(QStringLiteral("%1").arg(today.day(), 2, 10, QLatin1Char('0')));
    Label9->setText(capitalised(french.standaloneMonthName(today.month(), QLocale::LongFormat)));
    Label6->setText(QStringLiteral("%1").arg(today.year(), 4, 10, QLatin1Char('0')));
}

// ---- Commands ----

bool TCommande::Charge(const QString &fileName)
{
    discardGridEditor();
    return m_book.Charge(fileName);
}

bool TCommande::Sauve(const QString &fileName)
{
    commitGridEditor();
    if (!m_book.Sauve(fileName))
        return false;
    SauveFour();
    return true;
}

void TCommande::Nouveau()
{
    discardGridEditor();
    m_book.Nouveau();
    m_settings.AutoOpenFileName.clear();
    m_settings.EuroMode = 0;
    m_settings.SingleCurrency = 0;
    updateCurrencyCaptions(); // the order was shown before the currency went back to francs
    setCaption(QString());
    Q_EMIT deleteLineEnabledChanged(false);
}

bool TCommande::TestModif(bool &modified) const
{
    return m_book.TestModif(modified);
}

void TCommande::Premier()
{
    commitGridEditor();
    m_book.Premier();
}

void TCommande::Precedent()
{
    commitGridEditor();
    m_book.Precedent();
}

void TCommande::Suivant()
{
    commitGridEditor();
    m_book.Suivant();
}

void TCommande::Dernier()
{
    commitGridEditor();
    m_book.Dernier();
}

void TCommande::Ajout()
{
    commitGridEditor();
    m_book.Ajout();
}

void TCommande::Supprime()
{
    discardGridEditor();
    m_book.Supprime();
}

void TCommande::Copier()
{
    commitGridEditor();
    m_book.Copier();
}

void TCommande::Coller()
{
    commitGridEditor();
    m_book.Coller();
}

void TCommande::Calcule()
{
    commitGridEditor();
    const bool includesVat = RadioButton2->isChecked();
    setAmountHeading(includesVat);
    QList<OrderLine> rows = gridRows();
    OrderTotals totals;
    try {
        totals = OrderCalc::Calcule(rows, includesVat, m_settings, gridTextWidth());
    } catch (...) {
        setGridRows(rows); // the rows done before the overflow keep their rewritten cells
        throw;
    }
    setGridRows(rows);
    Label13->setText(totals.Vat);
    Label7->setText(totals.BeforeTax);
    Label18->setText(totals.IncludingTax);
    Label19->setText(totals.SecondCurrency);
}

void TCommande::SupLigne()
{
    commitGridEditor();
    QList<OrderLine> rows = gridRows();
    if (!LineEntry::SupLigne(rows, currentGridRow(), m_book.LastRow))
        return;
    setGridRows(rows);
    m_book.markModified();
}

void TCommande::Liste()
{
    EcritFiche();
    if (!m_chooseFromList)
        return;
    const OrderList::Choice choice = m_chooseFromList(m_book.OrderLines, m_book.FileModified);
    if (choice.chosen < 0) {
        // The order on screen stays; its block may have a new index now, and writing it back
        // under the old one would replace another order.
        m_book.CurrentOrder = OrderList::newIndexOf(choice.entryOrder, m_book.CurrentOrder);
        return;
    }
    m_book.CurrentOrder = choice.chosen; // the chosen entry's place is its order's new index
    LitFiche();
}

void TCommande::Chercher()
{
    EcritFiche();
    if (!m_askOrderNumber)
        return;
    const QString number = m_askOrderNumber();
    // A cancelled search gives an empty text: it must not find a bare "NUM" line.
    if (number.isEmpty())
        return;
    const qsizetype found = m_book.findNumberLine(QStringLiteral("NUM") + number);
    if (found < 1)
        return;
    const QString &label = m_book.OrderLines.at(found - 1);
    int index = 0;
    if (!label.startsWith(QLatin1String("<BLOC"), Qt::CaseInsensitive) ||
        !OrderFormat::tryOpenLabelIndex(label, index))
        return;
    m_book.CurrentOrder = index;
    LitFiche();
}

OrderPageInput TCommande::printedOrder()
{
    commitGridEditor();
    OrderPageInput input;
    input.record = record();
    input.lastRow = m_book.LastRow;
    input.totals = {Label7->text(), Label13->text(), Label18->text(), Label19->text()};
    input.mainCurrency = Label16->text();
    input.secondCurrency = Label17->text();
    input.companyLines = m_company.CompanyLines;
    return input;
}

void TCommande::Imprime()
{
    const OrderPageInput input = printedOrder();
    const Status printed =
        PagePainter::printPage(PrintDialogs::printer(), OrderPage::build(input, PaperType),
                               OrderPage::jobTitle(input.record.Number));
    if (!printed) // ends the command: no further copy is printed
        throw CommandError(printed.failure());
}

void TCommande::ImpEnv()
{
    Prompts::information(QStringLiteral("Insérez une enveloppe dans l'imprimante"));
    const OrderRecord shown = record();
    const Status printed = PagePainter::printPage(
        PrintDialogs::printer(), EnvelopePage::build(m_company.CompanyLines, shown.AddressLines),
        EnvelopePage::jobTitle(shown.AddressLines));
    if (!printed)
        Application::report(printed.failure());
}

void TCommande::ParM()
{
    TMPage &dialog = pageSetup();
    dialog.Init(PaperType);
    const QString printerName = PrintDialogs::printer().printerName();
    dialog.InitCalibration(printerName, PrinterCalibration::offsets(printerName));
    dialog.exec();
    int value = -1;
    dialog.Result(value);
    if (value != -1)
        PaperType = value;
    QPointF offsets;
    if (dialog.CalibrationResult(offsets) && offsets != PrinterCalibration::offsets(printerName))
        PrinterCalibration::setOffsets(printerName, offsets);
}

TMPage &TCommande::pageSetup()
{
    return dialog(m_pageSetup);
}

void TCommande::GetIni(bool &autoOpen, QString &fileName) const
{
    SettingsFile::GetIni(m_settings, autoOpen, fileName);
}

void TCommande::SetIni(bool autoOpen)
{
    SettingsFile::SetIni(m_settings, autoOpen);
}

void TCommande::SauveIni(const QString &fileName)
{
    QString error;
    if (!SettingsFile::SauveIni(m_settings, fileName, error))
        Prompts::error(error);
}

void TCommande::ChargeIni()
{
    if (!SettingsFile::ChargeIni(m_settings))
        return;
    setPaymentTerms(m_settings.PaymentTermList);
    updateCurrencyCaptions();
    if (m_converter)
        restoreConverterRate(*m_converter, m_settings);
}

void TCommande::ParF()
{
    // Pending edits are written back first: the order is shown again with the new rates.
    EcritFiche();
    runOrderParameters(parameters(), converter(), m_settings);
    setPaymentTerms(m_settings.PaymentTermList);
    updateCurrencyCaptions();
    LitFiche();
    updateCurrencyCaptions();
}

void TCommande::GestFour()
{
    ::GestFour(supplierWindow(), m_suppliers);
}

void TCommande::SauveFour()
{
    QString error;
    if (!m_suppliers.SauveFour(error))
        Prompts::error(error);
}

void TCommande::Psoc()
{
    ::Psoc(companyDialog(), m_company);
}
