// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/articleassistant.h"

#include "core/numbertext.h"
#include "gui/popupaccess.h"
#include "order/orderwindow.h"
#include "search/articlememory.h"
#include "search/articlemodels.h"
#include "search/pricehistorywindow.h"
#include "search/searchindex.h"

#include <QAction>
#include <QApplication>
#include <QCompleter>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QStatusTipEvent>
#include <QTreeView>

ArticleAssistant::ArticleAssistant(OrderWindow &window, SearchIndex &index, QObject *parent)
    : QObject(parent), m_window(window), m_index(index), m_completer(new QCompleter(this)),
      m_entries(new ArticleCompletionModel(this))
{
    // The list is the memory's own choice and order: the completer only shows it.
    m_completer->setObjectName(QStringLiteral("ArticleCompleter"));
    m_completer->setModel(m_entries);
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setMaxVisibleItems(10);
    auto *popup = new QTreeView;
    popup->setObjectName(QStringLiteral("ArticleList"));
    popup->setRootIsDecorated(false);
    popup->setHeaderHidden(true);
    popup->setUniformRowHeights(true);
    popup->setAllColumnsShowFocus(true);
    popup->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_completer->setPopup(popup);
    popup->installEventFilter(this); // after the completer's: its keys come here first
    // The list is a window of its own: screen readers find it through the order window.
    PopupAccess::lend(&m_window, popup);
    connect(m_completer, qOverload<const QModelIndex &>(&QCompleter::activated), this,
            [this](const QModelIndex &index) { choose(index.row()); });

    m_historyAction = new QAction(QStringLiteral("Historique des prix..."), this);
    m_historyAction->setObjectName(QStringLiteral("PriceHistoryAction"));
    m_historyAction->setStatusTip(
        QStringLiteral("Toutes les commandes passées de l'article de la ligne"));
    connect(m_historyAction, &QAction::triggered, this, &ArticleAssistant::showHistory);
    m_window.addGridAction(m_historyAction);
    m_window.setCellAssistant(this);
}

int ArticleAssistant::shownOrder() const
{
    return m_index.reader().currentOrder();
}

void ArticleAssistant::editorCreated(QLineEdit *editor, const QModelIndex &index)
{
    const int row = index.row() + 1;
    m_historyAction->setEnabled(m_index.articles().knows(m_window.document().cell(row, 0)));
    if (index.column() == OrderLine::DesignationCell) {
        m_editor = editor;
        m_row = row;
        m_supplier = m_window.document().record().supplierCode;
        m_completer->setWidget(editor);
        connect(editor, &QLineEdit::textEdited, this, &ArticleAssistant::typed);
    } else if (index.column() == OrderLine::UnitPriceCell) {
        const QString note = priceNote(row);
        if (note.isEmpty())
            return;
        editor->setToolTip(note);
        editor->setStatusTip(note);
        // Told at once in the status bar, for whoever works from the keyboard.
        QStatusTipEvent tip(note);
        QCoreApplication::sendEvent(editor, &tip);
        QPointer<QWidget> cell = editor->parentWidget();
        connect(editor, &QObject::destroyed, this, [cell] {
            QStatusTipEvent cleared{QString()};
            if (cell)
                QCoreApplication::sendEvent(cell, &cleared);
        });
    }
}

QString ArticleAssistant::toolTip(const QModelIndex &index)
{
    return index.column() == OrderLine::UnitPriceCell ? priceNote(index.row() + 1) : QString();
}

QString ArticleAssistant::priceNote(int row)
{
    const QString designation = m_window.document().cell(row, OrderLine::DesignationCell);
    if (NumberText::trimmed(designation).isEmpty())
        return QString();
    const ArticleMemory::LastPrice last = m_index.articles().lastPrice(
        designation, m_window.document().record().supplierCode, shownOrder());
    if (last.line.order < 0)
        return QString();
    const auto price = [this](const ArticleMemory::Line &line) {
        return NumberText::trimmed(m_index.lineAt(line.order, line.offset).unitPrice);
    };
    const int order = last.line.order;
    QString name = m_index.supplierName(order);
    if (name.isEmpty())
        name = m_index.supplierCode(order);
    QString note = (last.ownSupplier ? QStringLiteral("Dernier prix : ")
                                     : QStringLiteral("Dernier prix chez %1 : ").arg(name)) +
                   QStringLiteral("%1 le %2 (commande %3)")
                       .arg(price(last.line), m_index.dateText(order), m_index.numberText(order));
    if (last.before.order >= 0)
        note += QStringLiteral(", avant ") + price(last.before);
    return note;
}

void ArticleAssistant::typed(const QString &text)
{
    if (sender() != m_editor)
        return;
    m_entries->setEntries(m_index.articles().complete(text, m_supplier, shownOrder(), ListSize));
    if (m_entries->rowCount() == 0) {
        closeList();
        return;
    }
    // The designation as wide as the cell, within reason, then the price, date and number.
    auto *list = static_cast<QTreeView *>(m_completer->popup());
    const int others[] = {80, 50, 84, 90};
    int width = 0;
    for (int c = 0; c < 4; ++c) {
        list->setColumnWidth(c + 1, others[c]);
        width += others[c];
    }
    const int designation = qBound(160, m_editor->width(), 420);
    list->setColumnWidth(0, designation);
    QRect below = m_editor->rect();
    below.setWidth(designation + width + list->verticalScrollBar()->sizeHint().width() + 4);
    m_completer->complete(below);
}

void ArticleAssistant::closeList()
{
    m_completer->popup()->hide();
}

void ArticleAssistant::choose(int row)
{
    closeList();
    if (!m_editor || row < 0 || row >= m_entries->rowCount())
        return;
    const ArticleMemory::Entry entry = m_entries->entry(row);
    m_editor->setText(entry.designation);
    // The designation and the price it brings are one choice: one Ctrl+Z takes both back.
    const OrderDocument::StepScope step(m_window.document(), OrderDocument::Change::Article, m_row,
                                        OrderLine::DesignationCell);
    m_window.enterCellText(m_row, OrderLine::DesignationCell, entry.designation);
    // The price is the user's once typed: only an empty one is filled.
    if (!NumberText::trimmed(m_window.document().cell(m_row, OrderLine::UnitPriceCell)).isEmpty())
        return;
    const ArticleMemory::LastPrice last =
        m_index.articles().lastPrice(entry.designation, m_supplier, shownOrder());
    if (last.line.order < 0)
        return;
    const OrderLine cells = m_index.lineAt(last.line.order, last.line.offset);
    m_window.enterCellText(m_row, OrderLine::UnitPriceCell, NumberText::trimmed(cells.unitPrice));
    m_window.enterCellText(m_row, OrderLine::DiscountCell,
                           NumberText::trimmed(cells.discountPercent));
}

bool ArticleAssistant::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_completer->popup() || event->type() != QEvent::KeyPress || !m_editor)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return false; // moves in the list
    case Qt::Key_Escape:
        closeList(); // the typed text stays
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (const QModelIndex current = m_completer->popup()->currentIndex(); current.isValid()) {
            choose(current.row());
            return true;
        }
        break;
    default:
        break;
    }
    // Any other key is the cell's, exactly as with the list closed; typing keeps the list
    // open, anything else closes it first.
    const bool typing = (!key->text().isEmpty() && key->text().at(0).isPrint() &&
                         !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) ||
                        key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete ||
                        key->key() == Qt::Key_Left || key->key() == Qt::Key_Right ||
                        key->key() == Qt::Key_Home || key->key() == Qt::Key_End;
    if (!typing)
        closeList();
    QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text(), key->isAutoRepeat(),
                   ushort(key->count()));
    QCoreApplication::sendEvent(m_editor, &copy);
    return true;
}

void ArticleAssistant::showHistory()
{
    const QString designation = m_window.document().cell(m_window.currentGridRow(), 0);
    if (NumberText::trimmed(designation).isEmpty())
        return;
    if (!m_history) {
        m_history = new PriceHistoryWindow(m_index, m_window.window());
        connect(m_history, &PriceHistoryWindow::orderChosen, this, &ArticleAssistant::orderChosen);
    }
    m_history->showArticle(NumberText::trimmed(designation));
}
