// SPDX-License-Identifier: GPL-3.0-or-later
// What the search over the orders asks of the order window.

#include "order/tcommande.h"

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

void TCommande::showOrder(int index, const OrderPlace &place)
{
    commitGridEditor();
    if (Application::succeeded(m_document.showOrder(index)))
        focusPlace(place);
}

void TCommande::focusPlace(const OrderPlace &place)
{
    switch (place.field) {
    case OrderPlace::None:
        return;
    case OrderPlace::Number:
        MaskEdit1->setFocus(Qt::OtherFocusReason);
        return;
    case OrderPlace::Date:
        DateTimePicker1->setFocus(Qt::OtherFocusReason);
        return;
    case OrderPlace::SupplierCode:
        Edit1->setFocus(Qt::OtherFocusReason);
        return;
    case OrderPlace::PaymentTerms:
        ComboBox1->setFocus(Qt::OtherFocusReason);
        return;
    case OrderPlace::Address: {
        QLineEdit *const lines[] = {Edit2, Edit3, Edit4, Edit5};
        lines[qBound(1, place.row, 4) - 1]->setFocus(Qt::OtherFocusReason);
        return;
    }
    case OrderPlace::Cell: {
        // Lines past the grid's 63 are kept, not shown: the last row stands for them.
        StringGrid1->setFocus(Qt::OtherFocusReason);
        setCurrentGridCell(qBound(1, place.row, OrderDocument::GridRows),
                           qBound(0, place.column, OrderLine::CellCount - 1));
        // Typing goes on in the cell's editor, even when this window is not yet the active
        // one: the grid alone would take the first key to open an editor and drop it.
        if (!openGridEditor())
            StringGrid1->edit(StringGrid1->currentIndex());
        if (QWidget *editor = openGridEditor())
            editor->setFocus(Qt::OtherFocusReason);
        return;
    }
    case OrderPlace::Note: {
        QTextCursor cursor(Memo1->document()->findBlockByNumber(qMax(0, place.row - 1)));
        Memo1->setTextCursor(cursor);
        Memo1->setFocus(Qt::OtherFocusReason);
        return;
    }
    }
}

void TCommande::enterCellText(int row, int column, const QString &text)
{
    m_document.setCell(row, column, text);
}

void TCommande::setCellAssistant(CellAssistant *assistant)
{
    m_delegate->setAssistant(assistant);
}

void TCommande::addGridAction(QAction *action)
{
    if (StringGrid1->actions().isEmpty()) {
        StringGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(StringGrid1, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
            auto *menu = new QMenu(this);
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->addActions(StringGrid1->actions());
            menu->popup(StringGrid1->viewport()->mapToGlobal(at));
        });
    }
    StringGrid1->addAction(action);
}
