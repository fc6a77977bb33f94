// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/orderwindow.h"

#include "core/clock.h"
#include "core/prompts.h"
#include "gui/application.h"
#include "gui/popupaccess.h"
#include "order/linedelegate.h"
#include "order/orderhistory.h"
#include "order/orderlinesmodel.h"
#include "settings/orderparameters.h"
#include "settings/orderparametersdialog.h"
#include "suppliers/companydialog.h"
#include "suppliers/supplierentrydialog.h"
#include "suppliers/supplierlistdialog.h"
#include "suppliers/supplierlookupflow.h"
#include "suppliers/supplierwindow.h"
#include "utilities/euroconverterwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
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
    buildControls();
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
        return QFontMetrics(m_grid->font()).horizontalAdvance(text);
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
    removeEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>())
        child->removeEventFilter(this);
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
    layOutControls();
}

// ---- Grid cells ----

int OrderWindow::currentGridRow() const
{
    return m_grid->currentIndex().row() + 1;
}

int OrderWindow::currentGridColumn() const
{
    return m_grid->currentIndex().column();
}

void OrderWindow::setCurrentGridCell(int row, int column)
{
    m_grid->setCurrentIndex(m_lines->index(row - 1, column));
}

QWidget *OrderWindow::openGridEditor() const
{
    // The grid holds no index widgets of its own: a widget on a cell is its editor.
    return m_grid->indexWidget(m_grid->currentIndex());
}

int OrderWindow::typedRow() const
{
    const auto *editor = qobject_cast<const QLineEdit *>(openGridEditor());
    const QModelIndex current = m_grid->currentIndex();
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
        if (m_orderNumber->displayText() != record.Number)
            m_orderNumber->setText(record.Number.trimmed());
        break;
    case Field::Date:
        m_orderDate->setDate(record.Date);
        break;
    case Field::SupplierCode:
        show(m_supplierCode, record.SupplierCode);
        break;
    case Field::PaymentTerms:
        if (m_paymentTerms->currentText() != record.PaymentTerms)
            m_paymentTerms->setEditText(record.PaymentTerms);
        break;
    case Field::AddressLine1:
    case Field::AddressLine2:
    case Field::AddressLine3:
    case Field::AddressLine4: {
        const int line = int(field) - int(Field::AddressLine1);
        show(std::array{m_addressLine1, m_addressLine2, m_addressLine3, m_addressLine4}[line],
             record.AddressLines[line]);
        break;
    }
    case Field::IncludesVat:
        (record.IncludesVat ? m_taxIncludedOrder : m_beforeTaxOrder)->setChecked(true);
        break;
    case Field::Note:
        if (noteLines() != record.Memo)
            m_note->setPlainText(record.Memo.join(QLatin1Char('\n')));
        break;
    }
}

QStringList OrderWindow::noteLines() const
{
    // An empty note has no line at all. The raw text keeps the no-break spaces that
    // toPlainText() turns into spaces; a line break (Shift+Enter) ends a line as Enter does.
    if (m_note->document()->isEmpty())
        return {};
    return m_note->document()
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
    m_totalVat->setText(totals.Vat);
    m_totalBeforeTax->setText(totals.BeforeTax);
    m_totalIncludingTax->setText(totals.IncludingTax);
    m_secondCurrencyTotal->setText(totals.SecondCurrency);
}

void OrderWindow::focusSupplierCode()
{
    m_supplierCode->setFocus(Qt::OtherFocusReason);
}

void OrderWindow::settingsChanged()
{
    m_mainCurrency->setText(m_document.mainCurrency());
    m_secondCurrency->setText(m_document.secondCurrency());
    // Reloading the list is no edit of the order: the shown terms stay as they are.
    const QStringList &terms = settings().PaymentTermList;
    if (m_paymentTerms->count() == terms.size() && [&] {
            for (int i = 0; i < terms.size(); ++i)
                if (m_paymentTerms->itemText(i) != terms.at(i))
                    return false;
            return true;
        }())
        return;
    const QString shown = m_paymentTerms->currentText();
    const QSignalBlocker blocker(m_paymentTerms);
    m_paymentTerms->clear();
    m_paymentTerms->addItems(terms);
    m_paymentTerms->setEditText(shown);
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
    m_dayName->setText(capitalised(french.dayName(today.dayOfWeek(), QLocale::LongFormat)));
    m_dayNumber->setText(QStringLiteral("%1").arg(today.day(), 2, 10, QLatin1Char('0')));
    m_monthName->setText(
        capitalised(french.standaloneMonthName(today.month(), QLocale::LongFormat)));
    m_year->setText(QStringLiteral("%1").arg(today.year(), 4, 10, QLatin1Char('0')));
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
                       bookName.isEmpty() ? settings().AutoOpenFileName : bookName);
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
