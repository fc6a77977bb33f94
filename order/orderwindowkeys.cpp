// SPDX-License-Identifier: GPL-3.0-or-later
// The order window's keys, focus changes and field handlers: what the user's typing in the
// controls runs.

#include "order/orderwindow.h"

#include "core/prompts.h"
#include "gui/application.h"
#include "order/linedelegate.h"
#include "order/orderlinesmodel.h"
#include "pricing/lineentry.h"
#include "suppliers/supplierentrydialog.h"
#include "suppliers/supplierlistdialog.h"
#include "suppliers/supplierlookup.h"
#include "suppliers/supplierlookupflow.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QStatusTipEvent>
#include <QTableView>
#include <QTextDocument>

namespace {

bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

bool OrderWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Keys and focus changes run commands here: an error is reported at once, never thrown
    // through Qt's event dispatch. The event that started the failed command is done with.
    bool handled = true;
    Application::run([&] { handled = filterEvent(watched, event); });
    return handled;
}

bool OrderWindow::filterEvent(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (windowKeyDown(key))
            return true;
        if (watched == m_grid)
            return gridKeyPress(watched, key);
        if (watched == m_note)
            return noteKeyPress(key);
        if (watched == m_supplierCode)
            return supplierCodeKeyPress(key);
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool OrderWindow::windowKeyDown(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_PageDown:
        commitGridEditor();
        nextOrder();
        return true;
    case Qt::Key_PageUp:
        commitGridEditor();
        previousOrder();
        return true;
    case Qt::Key_F2:
        commitGridEditor();
        showOrderList();
        return true;
    default:
        return false;
    }
}

bool OrderWindow::gridKeyPress(QObject *target, QKeyEvent *event)
{
    const int column = m_grid->currentIndex().column();
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
        const QModelIndex current = m_grid->currentIndex();
        const Result<QModelIndex> next = m_lines->completeLine(current);
        if (!Application::succeeded(next) || !next->isValid())
            return true;
        m_grid->setCurrentIndex(*next);
        // No row after the last one: the next line typed would replace this one.
        if (next->row() == current.row()) {
            QStatusTipEvent full(LineEntry::fullOrderNotice(OrderDocument::GridRows));
            QCoreApplication::sendEvent(m_grid, &full);
        }
        return true;
    }
    return false;
}

bool OrderWindow::noteKeyPress(QKeyEvent *event)
{
    // Enter may make at most five lines; typing and pasting are not limited.
    return isEnter(event) && !LineEntry::memoAcceptsEnter(m_note->document()->blockCount());
}

bool OrderWindow::supplierCodeKeyPress(QKeyEvent *event)
{
    switch (SupplierLookup::filterCodeKey(event->key(), event->text())) {
    case SupplierLookup::CodeKey::Pass:
        return false;
    case SupplierLookup::CodeKey::ReplaceWithStar:
        m_document.setSupplierCode(QStringLiteral("*"));
        m_codeEdited = true;
        return true;
    case SupplierLookup::CodeKey::Drop:
        return true;
    }
    return false;
}

void OrderWindow::supplierCodeLeft()
{
    // An order keeps the address it was written with until the user changes its code: the
    // supplier file holds today's address, not the one the order was sent to.
    if (m_inCodeExit || !m_codeEdited)
        return;
    const QScopedValueRollback<bool> inExit(m_inCodeExit, true);
    QString code = m_document.record().SupplierCode;
    if (const QString refusal = SupplierLookup::codeRefusal(code); !refusal.isEmpty()) {
        Prompts::warning(refusal, Prompts::Buttons::Ok);
        // Back to the field, still counted as changed: leaving it again tries again.
        m_supplierCode->setFocus(Qt::OtherFocusReason);
        m_supplierCode->selectAll();
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
    QString code = m_document.record().SupplierCode;
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
        m_document.setNumber(m_orderNumber->displayText());
}

void OrderWindow::dateEdited()
{
    if (!m_filling)
        m_document.setDate(m_orderDate->date());
}

void OrderWindow::supplierCodeEdited()
{
    if (!m_filling)
        m_document.setSupplierCode(m_supplierCode->text());
}

void OrderWindow::paymentTermsEdited()
{
    if (!m_filling)
        m_document.setPaymentTerms(m_paymentTerms->currentText());
}

void OrderWindow::addressLineEdited(int line)
{
    if (!m_filling)
        m_document.setAddressLine(
            line, std::array{m_addressLine1, m_addressLine2, m_addressLine3, m_addressLine4}[line]
                      ->text());
}

void OrderWindow::priceModeChosen()
{
    if (m_filling)
        return; // the order being shown is worked out once it is complete
    commitGridEditor();
    Application::succeeded(m_document.setIncludesVat(m_taxIncludedOrder->isChecked()));
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
        if (w == m_grid || w == m_paymentTerms || w == m_orderDate)
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
    if (left == m_supplierCode) {
        Application::run([this] { supplierCodeLeft(); });
        if (m_activeControl != control)
            return; // the field refused the code and took the focus back
    } else if (left == m_grid)
        gridLeft();
    if (control == m_grid)
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
