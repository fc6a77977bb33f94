// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/orderwindow.h"

#include "core/clock.h"
#include "core/prompts.h"
#include "gui/application.h"
#include "gui/fieldguard.h"
#include "gui/popupaccess.h"
#include "order/linedelegate.h"
#include "order/orderhistory.h"
#include "order/orderlifewidgets.h"
#include "order/orderlinesmodel.h"
#include "order/orderwindowkeys.h"
#include "order/orderwindowlayout.h"
#include "printing/pagesetupdialog.h"
#include "settings/orderparameters.h"
#include "settings/orderparametersdialog.h"
#include "suppliers/companydialog.h"
#include "suppliers/supplierentrydialog.h"
#include "suppliers/supplierlistdialog.h"
#include "suppliers/supplierlookup.h"
#include "suppliers/supplierlookupflow.h"
#include "suppliers/supplierwindow.h"
#include "utilities/euroconverterwindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTableView>
#include <QTextBlock>

namespace {

QString capitalised(QString text)
{
    if (!text.isEmpty())
        text[0] = text.at(0).toUpper();
    return text;
}

} // namespace

OrderWindow::OrderWindow(QWidget *parent) : QWidget(parent)
{
    PopupAccess::install(this); // the grid's and the fields' context menus
    setObjectName(QStringLiteral("OrderWindow"));
    setWindowTitle(m_document.caption());
    m_lines = new OrderLinesModel(m_document, &m_document);
    m_history = new OrderHistory(m_document, this);
    m_ui = std::make_unique<OrderWindowLayout>(this, m_lines);
    // The order's state under the price mode, in the header panel.
    (new OrderStateLabel(m_document, m_ui->beforeTaxOrder->parentWidget()))
        ->setGeometry(8, 150, 299, 22);
    bindControls();
    bindDocument();
    initialise();
    resize(673, 395);
}

OrderWindow::~OrderWindow()
{
    teardown();
}

void OrderWindow::initialise()
{
    // leftPadded pads the numbers against the grid's own font.
    m_document.setTextWidth([this](const QString &text) {
        return QFontMetrics(m_ui->grid->font()).horizontalAdvance(text);
    });
    settingsChanged();
}

void OrderWindow::teardown()
{
    // The controls go while the document still exists: their last focus changes and events
    // must find this window whole, or not reach it at all.
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(&m_document, nullptr, this, nullptr);
    // Clearing its steps as it goes, the history tells whoever shows them: nobody by now.
    m_history->disconnect();
    delete m_history;
    m_history = nullptr;
    m_filling = true; // what the controls say as they go is no edit
    m_keys->uninstall();
    qDeleteAll(findChildren<QWidget *>(Qt::FindDirectChildrenOnly));
}

void OrderWindow::setListDialogs(OrderDocument::ChooseFromList chooseFromList,
                                 OrderDocument::AskOrderNumber askOrderNumber)
{
    m_document.setListDialogs(std::move(chooseFromList), std::move(askOrderNumber));
}

// ---- Activation, layout ----

void OrderWindow::activate()
{
    if (m_activated)
        return;
    m_activated = true;
    const Status suppliersRead = m_document.startUp();
    if (!suppliersRead)
        Prompts::error(suppliersRead.message());
    loadSettings();
    showToday();
}

void OrderWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    activate();
}

void OrderWindow::closeEvent(QCloseEvent *event)
{
    keepConverterRate();
    QWidget::closeEvent(event);
}

void OrderWindow::keepConverterRate()
{
    // Without a converter in this run there is no rate of its own to keep.
    if (m_dialogs.converter)
        takeConverterRate(*m_dialogs.converter, settings());
}

void OrderWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_ui->layOut(size());
}

void OrderWindow::bindControls()
{
    m_delegate = new LineDelegate(this, m_ui->grid);
    m_ui->grid->setItemDelegate(m_delegate);
    // Once the editor is gone, its text no longer waits to be undone.
    connect(m_delegate, &QAbstractItemDelegate::closeEditor, this, &OrderWindow::typingChanged,
            Qt::QueuedConnection);

    // What is pasted or dropped into a field goes into the book's lines as it is typed. The
    // code takes digits only, as from the keys ("*" is a key, not text).
    FieldGuard::guard(m_ui->supplierCode, [](QChar c) {
        return SupplierLookup::filterCodeKey(0, QString(c)) == SupplierLookup::CodeKey::Pass
                   ? c
                   : QChar();
    });
    FieldGuard::guardAll(this);

    // Every change to the header and the note goes to the document.
    connect(m_ui->orderNumber, &QLineEdit::textChanged, this, &OrderWindow::numberEdited);
    connect(m_ui->orderDate, &QDateEdit::dateChanged, this, &OrderWindow::dateEdited);
    connect(m_ui->supplierCode, &QLineEdit::textChanged, this, &OrderWindow::supplierCodeEdited);
    connect(m_ui->paymentTerms, &QComboBox::editTextChanged, this,
            &OrderWindow::paymentTermsEdited);
    int line = 0;
    for (QLineEdit *edit :
         {m_ui->addressLine1, m_ui->addressLine2, m_ui->addressLine3, m_ui->addressLine4})
        connect(edit, &QLineEdit::textChanged, this, [this, l = line++] { addressLineEdited(l); });
    // The two commands run by a control report their errors here, like the menu commands.
    connect(m_ui->taxIncludedOrder, &QRadioButton::toggled, this,
            [this] { Application::run([this] { priceModeChosen(); }); });
    connect(m_ui->supplierCode, &QLineEdit::textEdited, this, [this] { m_codeEdited = true; });
    connect(m_ui->note, &QPlainTextEdit::textChanged, this, &OrderWindow::noteChanged);
    connect(m_ui->supplierListButton, &QPushButton::clicked, this,
            [this] { Application::run([this] { chooseSupplier(); }); });
    connect(qApp, &QApplication::focusChanged, this, &OrderWindow::focusChanged);

    // Page keys and F2 act on the whole window, whichever control has the focus.
    m_keys = new OrderWindowKeys(*this);
    m_keys->install();
}

// ---- Grid cells ----

int OrderWindow::currentGridRow() const
{
    return m_ui->grid->currentIndex().row() + 1;
}

int OrderWindow::currentGridColumn() const
{
    return m_ui->grid->currentIndex().column();
}

void OrderWindow::setCurrentGridCell(int row, int column)
{
    m_ui->grid->setCurrentIndex(m_lines->index(row - 1, column));
}

QWidget *OrderWindow::openGridEditor() const
{
    // The grid holds no index widgets of its own: a widget on a cell is its editor.
    return m_ui->grid->indexWidget(m_ui->grid->currentIndex());
}

int OrderWindow::typedRow() const
{
    const auto *editor = qobject_cast<const QLineEdit *>(openGridEditor());
    const QModelIndex current = m_ui->grid->currentIndex();
    return editor && editor->text() != current.data(Qt::EditRole).toString() ? current.row() + 1
                                                                             : 0;
}

void OrderWindow::commitGridEditor()
{
    if (QWidget *editor = openGridEditor()) {
        Q_EMIT m_delegate->commitData(editor);
        Q_EMIT m_delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void OrderWindow::discardGridEditor()
{
    if (QWidget *editor = openGridEditor())
        Q_EMIT m_delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
}

// ---- The order on screen ----

void OrderWindow::bindDocument()
{
    connect(&m_document, &OrderDocument::recordChanged, this, &OrderWindow::showRecord);
    connect(&m_document, &OrderDocument::fieldChanged, this, &OrderWindow::showField);
    connect(&m_document, &OrderDocument::totalsChanged, this, &OrderWindow::showTotals);
    connect(&m_document, &OrderDocument::captionChanged, this, &QWidget::setWindowTitle);
    connect(&m_document, &OrderDocument::settingsChanged, this, &OrderWindow::settingsChanged);
    connect(&m_document, &OrderDocument::orderShown, this, &OrderWindow::orderShown);
    connect(&m_document, &OrderDocument::supplierCodeWanted, this, &OrderWindow::focusSupplierCode);
}

void OrderWindow::showRecord()
{
    // A cell being typed belongs to the order that was on screen.
    discardGridEditor();
    for (int f = int(OrderDocument::Field::Number); f <= int(OrderDocument::Field::Note); ++f)
        showField(OrderDocument::Field(f));
    m_codeEdited = false;
}

void OrderWindow::showField(OrderDocument::Field field)
{
    using Field = OrderDocument::Field;
    const OrderRecord &record = m_document.record();
    const QScopedValueRollback<bool> filling(m_filling, true);
    const auto show = [](QLineEdit *edit, const QString &text) {
        if (edit->text() != text)
            edit->setText(text);
    };
    switch (field) {
    case Field::Number:
        if (m_ui->orderNumber->displayText() != record.number)
            m_ui->orderNumber->setText(record.number.trimmed());
        break;
    case Field::Date:
        m_ui->orderDate->setDate(record.date);
        break;
    case Field::SupplierCode:
        show(m_ui->supplierCode, record.supplierCode);
        break;
    case Field::PaymentTerms:
        if (m_ui->paymentTerms->currentText() != record.paymentTerms)
            m_ui->paymentTerms->setEditText(record.paymentTerms);
        break;
    case Field::AddressLine1:
    case Field::AddressLine2:
    case Field::AddressLine3:
    case Field::AddressLine4: {
        const int line = int(field) - int(Field::AddressLine1);
        show(std::array{m_ui->addressLine1, m_ui->addressLine2, m_ui->addressLine3,
                        m_ui->addressLine4}[line],
             record.addressLines[line]);
        break;
    }
    case Field::IncludesVat:
        (record.includesVat ? m_ui->taxIncludedOrder : m_ui->beforeTaxOrder)->setChecked(true);
        break;
    case Field::Note:
        if (noteLines() != record.note)
            m_ui->note->setPlainText(record.note.join(QLatin1Char('\n')));
        break;
    }
}

QStringList OrderWindow::noteLines() const
{
    // An empty note has no line at all. The raw text keeps the no-break spaces that
    // toPlainText() turns into spaces; a line break (Shift+Enter) ends a line as Enter does.
    if (m_ui->note->document()->isEmpty())
        return {};
    return m_ui->note->document()
        ->toRawText()
        .replace(QChar::LineSeparator, QChar::ParagraphSeparator)
        .split(QChar::ParagraphSeparator);
}

void OrderWindow::orderShown(bool hasBlock)
{
    if (hasBlock) {
        focusSupplierCode();
        Q_EMIT deleteLineEnabledChanged(false);
    }
    settingsChanged();
}

void OrderWindow::showTotals()
{
    const OrderTotals &totals = m_document.totals();
    m_ui->totalVat->setText(totals.vat);
    m_ui->totalBeforeTax->setText(totals.beforeTax);
    m_ui->totalIncludingTax->setText(totals.includingTax);
    m_ui->secondCurrencyTotal->setText(totals.secondCurrency);
}

void OrderWindow::focusSupplierCode()
{
    m_ui->supplierCode->setFocus(Qt::OtherFocusReason);
}

void OrderWindow::settingsChanged()
{
    m_ui->mainCurrency->setText(m_document.mainCurrency());
    m_ui->secondCurrency->setText(m_document.secondCurrency());
    // Reloading the list is no edit of the order: the shown terms stay as they are.
    const QStringList &terms = settings().paymentTerms;
    if (m_ui->paymentTerms->count() == terms.size() && [&] {
            for (int i = 0; i < terms.size(); ++i)
                if (m_ui->paymentTerms->itemText(i) != terms.at(i))
                    return false;
            return true;
        }())
        return;
    const QString shown = m_ui->paymentTerms->currentText();
    const QSignalBlocker blocker(m_ui->paymentTerms);
    m_ui->paymentTerms->clear();
    m_ui->paymentTerms->addItems(terms);
    m_ui->paymentTerms->setEditText(shown);
}

void OrderWindow::showCurrentOrder()
{
    Application::succeeded(m_document.showCurrentOrder());
}

void OrderWindow::writeBackOrder()
{
    commitGridEditor();
    m_document.writeBackOrder();
}

void OrderWindow::showToday()
{
    const QDate today = Clock::today();
    const QLocale french(QLocale::French, QLocale::France);
    m_ui->dayName->setText(capitalised(french.dayName(today.dayOfWeek(), QLocale::LongFormat)));
    m_ui->dayNumber->setText(QStringLiteral("%1").arg(today.day(), 2, 10, QLatin1Char('0')));
    m_ui->monthName->setText(
        capitalised(french.standaloneMonthName(today.month(), QLocale::LongFormat)));
    m_ui->year->setText(QStringLiteral("%1").arg(today.year(), 4, 10, QLatin1Char('0')));
}

// ---- The user's edits, the supplier code, the focus ----

void OrderWindow::supplierCodeLeft()
{
    // An order keeps the address it was written with until the user changes its code: the
    // supplier file holds today's address, not the one the order was sent to.
    if (m_inCodeExit || !m_codeEdited)
        return;
    const QScopedValueRollback<bool> inExit(m_inCodeExit, true);
    QString code = m_document.record().supplierCode;
    if (const QString refusal = SupplierLookup::codeRefusal(code); !refusal.isEmpty()) {
        Prompts::warning(refusal, Prompts::Buttons::Ok);
        // Back to the field, still counted as changed: leaving it again tries again.
        m_ui->supplierCode->setFocus(Qt::OtherFocusReason);
        m_ui->supplierCode->selectAll();
        return;
    }
    m_codeEdited = false;
    // Show the completed code while the lookup asks its questions.
    if (!code.isEmpty() && !code.startsWith(QLatin1Char('0')) && code != QLatin1String("*")) {
        code = SupplierLookup::completeCode(code);
        m_document.setSupplierCode(code);
    }
    std::array<QString, 4> address;
    const bool found = SupplierLookupFlow::supplierCodeLeft(code, address, suppliers(),
                                                            dialog(m_dialogs.quickEntry));
    showSupplier(code, found, address);
}

void OrderWindow::lookUpSupplier()
{
    QString code = m_document.record().supplierCode;
    std::array<QString, 4> address;
    const bool found = SupplierLookupFlow::lookUpSupplier(code, address, suppliers(),
                                                          dialog(m_dialogs.quickEntry));
    showSupplier(code, found, address);
}

void OrderWindow::showSupplier(const QString &code, bool found,
                               const std::array<QString, 4> &address)
{
    const OrderDocument::StepScope step(m_document, OrderDocument::Change::Supplier);
    m_document.setSupplierCode(code);
    if (found)
        m_document.setAddress(address);
}

void OrderWindow::chooseSupplier()
{
    const QString code = SupplierLookupFlow::pickSupplier(dialog(m_dialogs.chooser), suppliers());
    if (code.isEmpty())
        return;
    m_inCodeExit = true; // the code is looked up here, not again when the field loses focus
    m_document.setSupplierCode(code);
    m_inCodeExit = false;
    m_codeEdited = false;
    lookUpSupplier();
}

// Filling the controls from the document is no edit of the user's.
void OrderWindow::numberEdited()
{
    if (!m_filling)
        m_document.setNumber(m_ui->orderNumber->displayText());
}

void OrderWindow::dateEdited()
{
    if (!m_filling)
        m_document.setDate(m_ui->orderDate->date());
}

void OrderWindow::supplierCodeEdited()
{
    if (m_filling)
        return;
    const QString code = m_ui->supplierCode->text();
    m_document.setSupplierCode(code);
    // A change refused (a sent order kept as sent) put the field back: leaving it has nothing
    // to look up, and nothing more to ask.
    if (m_document.record().supplierCode != code)
        m_codeEdited = false;
}

void OrderWindow::paymentTermsEdited()
{
    if (!m_filling)
        m_document.setPaymentTerms(m_ui->paymentTerms->currentText());
}

void OrderWindow::addressLineEdited(int line)
{
    if (!m_filling)
        m_document.setAddressLine(line, std::array{m_ui->addressLine1, m_ui->addressLine2,
                                                   m_ui->addressLine3, m_ui->addressLine4}[line]
                                            ->text());
}

void OrderWindow::priceModeChosen()
{
    if (m_filling)
        return; // the order being shown is worked out once it is complete
    commitGridEditor();
    Application::succeeded(m_document.setIncludesVat(m_ui->taxIncludedOrder->isChecked()));
}

void OrderWindow::noteChanged()
{
    if (!m_filling)
        m_document.setNote(noteLines());
}

QWidget *OrderWindow::controlOf(QWidget *widget) const
{
    if (!widget || !isAncestorOf(widget))
        return nullptr;
    // The grid's cell editor, the combo box's and the picker's line edits stand for their
    // control.
    for (QWidget *w = widget; w != this; w = w->parentWidget())
        if (w == m_ui->grid || w == m_ui->paymentTerms || w == m_ui->orderDate)
            return w;
    return widget;
}

void OrderWindow::focusChanged(QWidget *, QWidget *now)
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
    if (left == m_ui->supplierCode) {
        Application::run([this] { supplierCodeLeft(); });
        if (m_activeControl != control)
            return; // the field refused the code and took the focus back
    } else if (left == m_ui->grid)
        gridLeft();
    if (control == m_ui->grid)
        gridEntered();
}

void OrderWindow::gridEntered()
{
    if (m_document.book().lines().size() < 2)
        Q_EMIT bookCommandsWanted();
    Q_EMIT deleteLineEnabledChanged(true);
}

void OrderWindow::gridLeft()
{
    Q_EMIT deleteLineEnabledChanged(false);
}

// ---- Commands ----

// The main window's file commands go on after these: they show a failure and stop there.
Result<bool> OrderWindow::loadBook(const QString &fileName)
{
    discardGridEditor();
    return m_document.loadBook(fileName);
}

Result<bool> OrderWindow::save(const QString &fileName, OrderDocument::SaveWhen when)
{
    commitGridEditor();
    const Result<bool> saved = m_document.save(fileName, when);
    // The supplier file is saved with the book even when only the suppliers changed.
    if (saved.ok())
        saveSuppliers();
    return saved;
}

bool OrderWindow::hasUnsavedChanges() const
{
    return openGridEditor() || m_document.hasUnsavedChanges();
}

Status OrderWindow::reread()
{
    discardGridEditor();
    return m_document.reread();
}

Result<bool> OrderWindow::recover(const QString &fileName, const QStringList &lines)
{
    discardGridEditor();
    return m_document.recover(fileName, TextLines(lines));
}

void OrderWindow::newBook()
{
    discardGridEditor();
    if (Application::succeeded(m_document.newBook()))
        Q_EMIT deleteLineEnabledChanged(false);
}

// The commands that read the order on screen take the cell being typed first; those that
// replace it drop it.
void OrderWindow::firstOrder()
{
    commitGridEditor();
    Application::succeeded(m_document.firstOrder());
}

void OrderWindow::previousOrder()
{
    commitGridEditor();
    Application::succeeded(m_document.previousOrder());
}

void OrderWindow::nextOrder()
{
    commitGridEditor();
    Application::succeeded(m_document.nextOrder());
}

void OrderWindow::lastOrder()
{
    commitGridEditor();
    Application::succeeded(m_document.lastOrder());
}

void OrderWindow::addOrder()
{
    commitGridEditor();
    Application::succeeded(m_document.addOrder());
}

void OrderWindow::deleteOrder()
{
    discardGridEditor();
    Application::succeeded(m_document.deleteOrder());
}

void OrderWindow::copyOrder()
{
    commitGridEditor();
    m_document.copyOrder();
}

void OrderWindow::pasteOrder()
{
    commitGridEditor();
    Application::succeeded(m_document.pasteOrder());
}

void OrderWindow::calculateOrder()
{
    commitGridEditor();
    Application::succeeded(m_document.calculateOrder());
}

void OrderWindow::deleteLine()
{
    commitGridEditor();
    m_document.deleteLine(currentGridRow());
}

void OrderWindow::showOrderList()
{
    commitGridEditor();
    Application::succeeded(m_document.showOrderList());
}

void OrderWindow::findOrder()
{
    commitGridEditor();
    Application::succeeded(m_document.findOrder());
}

void OrderWindow::undo()
{
    commitGridEditor();
    Application::succeeded(m_history->undo());
}

void OrderWindow::redo()
{
    commitGridEditor();
    Application::succeeded(m_history->redo());
}

// ---- What the search over the orders asks of the window ----

void OrderWindow::showOrder(int index, const OrderPlace &place)
{
    commitGridEditor();
    if (Application::succeeded(m_document.showOrder(index)))
        focusPlace(place);
}

void OrderWindow::focusPlace(const OrderPlace &place)
{
    switch (place.field) {
    case OrderPlace::None:
        return;
    case OrderPlace::Number:
        m_ui->orderNumber->setFocus(Qt::OtherFocusReason);
        return;
    case OrderPlace::Date:
        m_ui->orderDate->setFocus(Qt::OtherFocusReason);
        return;
    case OrderPlace::SupplierCode:
        m_ui->supplierCode->setFocus(Qt::OtherFocusReason);
        return;
    case OrderPlace::PaymentTerms:
        m_ui->paymentTerms->setFocus(Qt::OtherFocusReason);
        return;
    case OrderPlace::Address: {
        QLineEdit *const lines[] = {m_ui->addressLine1, m_ui->addressLine2, m_ui->addressLine3,
                                    m_ui->addressLine4};
        lines[qBound(1, place.row, 4) - 1]->setFocus(Qt::OtherFocusReason);
        return;
    }
    case OrderPlace::Cell: {
        // Lines past the grid's 63 are kept, not shown: the last row stands for them.
        m_ui->grid->setFocus(Qt::OtherFocusReason);
        setCurrentGridCell(qBound(1, place.row, OrderDocument::GridRows),
                           qBound(0, place.column, OrderLine::CellCount - 1));
        // Typing goes on in the cell's editor, even when this window is not yet the active
        // one: the grid alone would take the first key to open an editor and drop it.
        if (!openGridEditor())
            m_ui->grid->edit(m_ui->grid->currentIndex());
        if (QWidget *editor = openGridEditor())
            editor->setFocus(Qt::OtherFocusReason);
        return;
    }
    case OrderPlace::Note: {
        QTextCursor cursor(m_ui->note->document()->findBlockByNumber(qMax(0, place.row - 1)));
        m_ui->note->setTextCursor(cursor);
        m_ui->note->setFocus(Qt::OtherFocusReason);
        return;
    }
    }
}

void OrderWindow::enterCellText(int row, int column, const QString &text)
{
    m_document.setCell(row, column, text);
}

void OrderWindow::setCellAssistant(CellAssistant *assistant)
{
    m_delegate->setAssistant(assistant);
}

void OrderWindow::addGridAction(QAction *action)
{
    if (m_ui->grid->actions().isEmpty()) {
        m_ui->grid->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(m_ui->grid, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
            auto *menu = new QMenu(this);
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->addActions(m_ui->grid->actions());
            menu->popup(m_ui->grid->viewport()->mapToGlobal(at));
        });
    }
    m_ui->grid->addAction(action);
}

// ---- Printing ----

OrderPageInput OrderWindow::printedOrder()
{
    commitGridEditor();
    return m_document.printedOrder();
}

bool OrderWindow::printOrder()
{
    return m_printing.printOrder(printedOrder());
}

void OrderWindow::printEnvelope()
{
    m_printing.printEnvelope();
}

void OrderWindow::choosePaper()
{
    m_printing.choosePaper(dialog(m_dialogs.pageSetup));
}

// ---- Settings, suppliers, company ----

void OrderWindow::saveSettings(const QString &fileName)
{
    const Status saved = m_document.saveSettings(fileName);
    if (!saved)
        Prompts::error(saved.message());
}

void OrderWindow::loadSettings()
{
    if (m_document.loadSettings() && m_dialogs.converter)
        restoreConverterRate(*m_dialogs.converter, settings());
}

void OrderWindow::editOrderParameters()
{
    // Pending edits are written back first: the order is shown again with the new rates.
    writeBackOrder();
    // The book in use is remembered, as closing the program does: without a name, the one
    // remembered so far.
    const QString bookName = book().fileName();
    runOrderParameters(dialog(m_dialogs.parameters), dialog(m_dialogs.converter), settings(),
                       bookName.isEmpty() ? settings().autoOpenFileName : bookName);
    m_document.applySettings();
    showCurrentOrder();
}

void OrderWindow::manageSuppliers()
{
    ::manageSuppliers(dialog(m_dialogs.supplierWindow), suppliers());
}

void OrderWindow::saveSuppliers()
{
    const Status saved = m_document.saveSuppliers();
    if (!saved)
        Prompts::error(saved.message());
}

void OrderWindow::editCompany()
{
    ::editCompany(dialog(m_dialogs.companyDialog), company());
}
