// SPDX-License-Identifier: GPL-3.0-or-later
// What the search over the orders asks of the order window.

#include "order/orderwindow.h"

#include "gui/application.h"
#include "order/linedelegate.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTextBlock>

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
        m_orderNumber->setFocus(Qt::OtherFocusReason);
        return;
    case OrderPlace::Date:
        m_orderDate->setFocus(Qt::OtherFocusReason);
        return;
    case OrderPlace::SupplierCode:
        m_supplierCode->setFocus(Qt::OtherFocusReason);
        return;
    case OrderPlace::PaymentTerms:
        m_paymentTerms->setFocus(Qt::OtherFocusReason);
        return;
    case OrderPlace::Address: {
        QLineEdit *const lines[] = {m_addressLine1, m_addressLine2, m_addressLine3, m_addressLine4};
        lines[qBound(1, place.row, 4) - 1]->setFocus(Qt::OtherFocusReason);
        return;
    }
    case OrderPlace::Cell: {
        // Lines past the grid's 63 are kept, not shown: the last row stands for them.
        m_grid->setFocus(Qt::OtherFocusReason);
        setCurrentGridCell(qBound(1, place.row, OrderDocument::GridRows),
                           qBound(0, place.column, OrderLine::CellCount - 1));
        // Typing goes on in the cell's editor, even when this window is not yet the active
        // one: the grid alone would take the first key to open an editor and drop it.
        if (!openGridEditor())
            m_grid->edit(m_grid->currentIndex());
        if (QWidget *editor = openGridEditor())
            editor->setFocus(Qt::OtherFocusReason);
        return;
    }
    case OrderPlace::Note: {
        QTextCursor cursor(m_note->document()->findBlockByNumber(qMax(0, place.row - 1)));
        m_note->setTextCursor(cursor);
        m_note->setFocus(Qt::OtherFocusReason);
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
    if (m_grid->actions().isEmpty()) {
        m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(m_grid, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
            auto *menu = new QMenu(this);
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->addActions(m_grid->actions());
            menu->popup(m_grid->viewport()->mapToGlobal(at));
        });
    }
    m_grid->addAction(action);
}
