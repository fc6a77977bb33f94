// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/tcommande.h"

#include "core/clock.h"
#include "core/prompts.h"
#include "gui/application.h"
#include "gui/popupaccess.h"
#include "order/linedelegate.h"
#include "order/orderhistory.h"
#include "order/orderlinesmodel.h"
#include "settings/orderparameters.h"
#include "settings/tparamc.h"
#include "suppliers/supplierlookupflow.h"
#include "suppliers/tffour.h"
#include "suppliers/tfichfour.h"
#include "suppliers/tlistefour.h"
#include "suppliers/tsociete.h"
#include "utilities/teurof.h"

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

TCommande::TCommande(QWidget *parent) : QWidget(parent)
{
    PopupAccess::install(this); // the grid's and the fields' context menus
    setObjectName(QStringLiteral("Commande"));
    setWindowTitle(m_document.caption());
    m_lines = new OrderLinesModel(m_document, &m_document);
    m_history = new OrderHistory(m_document, this);
    buildControls();
    bindDocument();
    FormCreate();
    resize(673, 395);
}

TCommande::~TCommande()
{
    FormDestroy();
}

void TCommande::FormCreate()
{
    // Rset pads the numbers against the grid's own font.
    m_document.setTextWidth([this](const QString &text) {
        return QFontMetrics(StringGrid1->font()).horizontalAdvance(text);
    });
    settingsChanged();
}

void TCommande::FormDestroy()
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

void TCommande::setListDialogs(OrderDocument::ChooseFromList chooseFromList,
                               OrderDocument::AskOrderNumber askOrderNumber)
{
    m_document.setListDialogs(std::move(chooseFromList), std::move(askOrderNumber));
}

// ---- Activation, layout ----

void TCommande::activate()
{
    if (m_activated)
        return;
    m_activated = true;
    const Status suppliersRead = m_document.FormActivate();
    if (!suppliersRead)
        Prompts::error(suppliersRead.message());
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
    if (m_dialogs.converter)
        takeConverterRate(*m_dialogs.converter, settings());
}

void TCommande::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

// ---- Grid cells ----

int TCommande::currentGridRow() const
{
    return StringGrid1->currentIndex().row() + 1;
}

int TCommande::currentGridColumn() const
{
    return StringGrid1->currentIndex().column();
}

void TCommande::setCurrentGridCell(int row, int column)
{
    StringGrid1->setCurrentIndex(m_lines->index(row - 1, column));
}

QWidget *TCommande::openGridEditor() const
{
    // The grid holds no index widgets of its own: a widget on a cell is its editor.
    return StringGrid1->indexWidget(StringGrid1->currentIndex());
}

int TCommande::typedRow() const
{
    const auto *editor = qobject_cast<const QLineEdit *>(openGridEditor());
    const QModelIndex current = StringGrid1->currentIndex();
    return editor && editor->text() != current.data(Qt::EditRole).toString() ? current.row() + 1
                                                                             : 0;
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

// ---- The order on screen ----

void TCommande::bindDocument()
{
    connect(&m_document, &OrderDocument::recordChanged, this, &TCommande::showRecord);
    connect(&m_document, &OrderDocument::fieldChanged, this, &TCommande::showField);
    connect(&m_document, &OrderDocument::totalsChanged, this, &TCommande::showTotals);
    connect(&m_document, &OrderDocument::captionChanged, this, &QWidget::setWindowTitle);
    connect(&m_document, &OrderDocument::settingsChanged, this, &TCommande::settingsChanged);
    connect(&m_document, &OrderDocument::orderShown, this, &TCommande::orderShown);
    connect(&m_document, &OrderDocument::supplierCodeWanted, this, &TCommande::focusSupplierCode);
}

void TCommande::showRecord()
{
    // A cell being typed belongs to the order that was on screen.
    discardGridEditor();
    for (int f = int(OrderDocument::Field::Number); f <= int(OrderDocument::Field::Note); ++f)
        showField(OrderDocument::Field(f));
    m_codeEdited = false;
}

void TCommande::showField(OrderDocument::Field field)
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
        if (MaskEdit1->displayText() != record.Number)
            MaskEdit1->setText(record.Number.trimmed());
        break;
    case Field::Date:
        DateTimePicker1->setDate(record.Date);
        break;
    case Field::SupplierCode:
        show(Edit1, record.SupplierCode);
        break;
    case Field::PaymentTerms:
        if (ComboBox1->currentText() != record.PaymentTerms)
            ComboBox1->setEditText(record.PaymentTerms);
        break;
    case Field::AddressLine1:
    case Field::AddressLine2:
    case Field::AddressLine3:
    case Field::AddressLine4: {
        const int line = int(field) - int(Field::AddressLine1);
        show(std::array{Edit2, Edit3, Edit4, Edit5}[line], record.AddressLines[line]);
        break;
    }
    case Field::IncludesVat:
        (record.IncludesVat ? RadioButton2 : RadioButton1)->setChecked(true);
        break;
    case Field::Note:
        if (noteLines() != record.Memo)
            Memo1->setPlainText(record.Memo.join(QLatin1Char('\n')));
        break;
    }
}

QStringList TCommande::noteLines() const
{
    // An empty note has no line at all. The raw text keeps the no-break spaces that
    // toPlainText() turns into spaces; a line break (Shift+Enter) ends a line as Enter does.
    if (Memo1->document()->isEmpty())
        return {};
    return Memo1->document()
        ->toRawText()
        .replace(QChar::LineSeparator, QChar::ParagraphSeparator)
        .split(QChar::ParagraphSeparator);
}

void TCommande::orderShown(bool hasBlock)
{
    if (hasBlock) {
        focusSupplierCode();
        Q_EMIT deleteLineEnabledChanged(false);
    }
    settingsChanged();
}

void TCommande::showTotals()
{
    const OrderTotals &totals = m_document.totals();
    Label13->setText(totals.Vat);
    Label7->setText(totals.BeforeTax);
    Label18->setText(totals.IncludingTax);
    Label19->setText(totals.SecondCurrency);
}

void TCommande::focusSupplierCode()
{
    Edit1->setFocus(Qt::OtherFocusReason);
}

void TCommande::settingsChanged()
{
    Label16->setText(m_document.mainCurrency());
    Label17->setText(m_document.secondCurrency());
    // Reloading the list is no edit of the order: the shown terms stay as they are.
    const QStringList &terms = settings().PaymentTermList;
    if (ComboBox1->count() == terms.size() && [&] {
            for (int i = 0; i < terms.size(); ++i)
                if (ComboBox1->itemText(i) != terms.at(i))
                    return false;
            return true;
        }())
        return;
    const QString shown = ComboBox1->currentText();
    const QSignalBlocker blocker(ComboBox1);
    ComboBox1->clear();
    ComboBox1->addItems(terms);
    ComboBox1->setEditText(shown);
}

void TCommande::LitFiche()
{
    Application::succeeded(m_document.LitFiche());
}

void TCommande::EcritFiche()
{
    commitGridEditor();
    m_document.EcritFiche();
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

// The main window's file commands go on after these: they show a failure and stop there.
Result<bool> TCommande::Charge(const QString &fileName)
{
    discardGridEditor();
    return m_document.Charge(fileName);
}

Result<bool> TCommande::Sauve(const QString &fileName, OrderDocument::SaveWhen when)
{
    commitGridEditor();
    const Result<bool> saved = m_document.Sauve(fileName, when);
    // The supplier file is saved with the book even when only the suppliers changed.
    if (saved.ok())
        SauveFour();
    return saved;
}

bool TCommande::hasUnsavedChanges() const
{
    return openGridEditor() || m_document.hasUnsavedChanges();
}

Status TCommande::reread()
{
    discardGridEditor();
    return m_document.reread();
}

Result<bool> TCommande::Recupere(const QString &fileName, const QStringList &lines)
{
    discardGridEditor();
    return m_document.Recupere(fileName, TextLines(lines));
}

void TCommande::Nouveau()
{
    discardGridEditor();
    if (Application::succeeded(m_document.Nouveau()))
        Q_EMIT deleteLineEnabledChanged(false);
}

// The commands that read the order on screen take the cell being typed first; those that
// replace it drop it.
void TCommande::Premier()
{
    commitGridEditor();
    Application::succeeded(m_document.Premier());
}

void TCommande::Precedent()
{
    commitGridEditor();
    Application::succeeded(m_document.Precedent());
}

void TCommande::Suivant()
{
    commitGridEditor();
    Application::succeeded(m_document.Suivant());
}

void TCommande::Dernier()
{
    commitGridEditor();
    Application::succeeded(m_document.Dernier());
}

void TCommande::Ajout()
{
    commitGridEditor();
    Application::succeeded(m_document.Ajout());
}

void TCommande::Supprime()
{
    discardGridEditor();
    Application::succeeded(m_document.Supprime());
}

void TCommande::Copier()
{
    commitGridEditor();
    m_document.Copier();
}

void TCommande::Coller()
{
    commitGridEditor();
    Application::succeeded(m_document.Coller());
}

void TCommande::Calcule()
{
    commitGridEditor();
    Application::succeeded(m_document.Calcule());
}

void TCommande::SupLigne()
{
    commitGridEditor();
    m_document.SupLigne(currentGridRow());
}

void TCommande::Liste()
{
    commitGridEditor();
    Application::succeeded(m_document.Liste());
}

void TCommande::Chercher()
{
    commitGridEditor();
    Application::succeeded(m_document.Chercher());
}

void TCommande::undo()
{
    commitGridEditor();
    Application::succeeded(m_history->undo());
}

void TCommande::redo()
{
    commitGridEditor();
    Application::succeeded(m_history->redo());
}

// ---- Settings, suppliers, company ----

void TCommande::SauveIni(const QString &fileName)
{
    const Status saved = m_document.SauveIni(fileName);
    if (!saved)
        Prompts::error(saved.message());
}

void TCommande::ChargeIni()
{
    if (m_document.ChargeIni() && m_dialogs.converter)
        restoreConverterRate(*m_dialogs.converter, settings());
}

void TCommande::ParF()
{
    // Pending edits are written back first: the order is shown again with the new rates.
    EcritFiche();
    // The book in use is remembered, as closing the program does: without a name, the one
    // remembered so far.
    const QString bookName = book().fileName();
    runOrderParameters(dialog(m_dialogs.parameters), dialog(m_dialogs.converter), settings(),
                       bookName.isEmpty() ? settings().AutoOpenFileName : bookName);
    m_document.applySettings();
    LitFiche();
}

void TCommande::GestFour()
{
    ::GestFour(dialog(m_dialogs.supplierWindow), suppliers());
}

void TCommande::SauveFour()
{
    const Status saved = m_document.SauveFour();
    if (!saved)
        Prompts::error(saved.message());
}

void TCommande::Psoc()
{
    ::Psoc(dialog(m_dialogs.companyDialog), company());
}
