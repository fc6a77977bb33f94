// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/orderwindowkeys.h"

#include "gui/application.h"
#include "order/orderlinesmodel.h"
#include "order/orderwindow.h"
#include "order/orderwindowlayout.h"
#include "pricing/lineentry.h"
#include "suppliers/supplierlookup.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusTipEvent>
#include <QTableView>
#include <QTextDocument>

namespace {

bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

OrderWindowKeys::OrderWindowKeys(OrderWindow &window) : QObject(&window), m_window(window) {}

void OrderWindowKeys::install()
{
    m_window.installEventFilter(this);
    for (QWidget *child : m_window.findChildren<QWidget *>())
        child->installEventFilter(this);
}

void OrderWindowKeys::uninstall()
{
    m_window.removeEventFilter(this);
    for (QWidget *child : m_window.findChildren<QWidget *>())
        child->removeEventFilter(this);
}

bool OrderWindowKeys::eventFilter(QObject *watched, QEvent *event)
{
    // Keys run commands here: an error is reported at once, never thrown
    // through Qt's event dispatch. The event that started the failed command is done with.
    bool handled = true;
    Application::run([&] { handled = filterEvent(watched, event); });
    return handled;
}

bool OrderWindowKeys::filterEvent(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (windowKeyDown(key))
            return true;
        if (watched == m_window.m_ui->grid)
            return gridKeyPress(watched, key);
        if (watched == m_window.m_ui->note)
            return noteKeyPress(key);
        if (watched == m_window.m_ui->supplierCode)
            return supplierCodeKeyPress(key);
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool OrderWindowKeys::windowKeyDown(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_PageDown:
        m_window.commitGridEditor();
        m_window.nextOrder();
        return true;
    case Qt::Key_PageUp:
        m_window.commitGridEditor();
        m_window.previousOrder();
        return true;
    case Qt::Key_F2:
        m_window.commitGridEditor();
        m_window.showOrderList();
        return true;
    default:
        return false;
    }
}

bool OrderWindowKeys::gridKeyPress(QObject *target, QKeyEvent *event)
{
    const int column = m_window.m_ui->grid->currentIndex().column();
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
        m_window.commitGridEditor();
        const QModelIndex current = m_window.m_ui->grid->currentIndex();
        const Result<QModelIndex> next = m_window.m_lines->completeLine(current);
        if (!Application::succeeded(next) || !next->isValid())
            return true;
        m_window.m_ui->grid->setCurrentIndex(*next);
        // No row after the last one: the next line typed would replace this one.
        if (next->row() == current.row()) {
            QStatusTipEvent full(LineEntry::fullOrderNotice(OrderDocument::GridRows));
            QCoreApplication::sendEvent(m_window.m_ui->grid, &full);
        }
        return true;
    }
    return false;
}

bool OrderWindowKeys::noteKeyPress(QKeyEvent *event)
{
    // Enter may make at most five lines; typing and pasting are not limited.
    return isEnter(event) &&
           !LineEntry::memoAcceptsEnter(m_window.m_ui->note->document()->blockCount());
}

bool OrderWindowKeys::supplierCodeKeyPress(QKeyEvent *event)
{
    switch (SupplierLookup::filterCodeKey(event->key(), event->text())) {
    case SupplierLookup::CodeKey::Pass:
        return false;
    case SupplierLookup::CodeKey::ReplaceWithStar:
        m_window.m_document.setSupplierCode(QStringLiteral("*"));
        // Unless refused (a sent order kept as sent): then there is nothing to look up.
        m_window.m_codeEdited = m_window.m_document.record().supplierCode == QLatin1String("*");
        return true;
    case SupplierLookup::CodeKey::Drop:
        return true;
    }
    return false;
}
