// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/orderlistdialog.h"

#include "order/orderlist.h"
#include "order/orderlistmodel.h"

#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListView>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int ItemHeight = 16;

bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

QToolButton *arrowButton(QWidget *parent, const char *name, Qt::ArrowType arrow)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setArrowType(arrow);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus); // the list keeps the focus and the selection
    button->setFixedSize(25, 25);
    return button;
}

} // namespace

OrderListDialog::OrderListDialog(QWidget *parent) : BaseDialog(parent)
{
    setObjectName(QStringLiteral("OrderListDialog"));
    setWindowTitle(QStringLiteral("Liste des commandes"));

    auto *bar = new QFrame(this);
    bar->setObjectName(QStringLiteral("ButtonBar"));
    bar->setFrameShape(QFrame::StyledPanel);
    m_upButton = arrowButton(bar, "UpButton", Qt::UpArrow);
    m_downButton = arrowButton(bar, "DownButton", Qt::DownArrow);
    m_closeButton = new QPushButton(QStringLiteral("Fermer"), bar);
    m_closeButton->setObjectName(QStringLiteral("CloseButton"));
    m_closeButton->setAutoDefault(false);
    auto *barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(4, 2, 4, 2);
    barLayout->addWidget(m_upButton);
    barLayout->addWidget(m_downButton);
    barLayout->addStretch();
    barLayout->addWidget(m_closeButton);

    m_entries = new OrderListModel(this);
    m_list = new QListView(this);
    m_list->setObjectName(QStringLiteral("Orders"));
    m_list->setModel(m_entries);
    m_list->setAccessibleName(windowTitle());
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setUniformItemSizes(true); // thousands of orders stay quick to show
    m_list->installEventFilter(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_list, 1);
    setFixedSize(566, 343);

    connect(m_upButton, &QToolButton::clicked, this, &OrderListDialog::moveUp);
    connect(m_downButton, &QToolButton::clicked, this, &OrderListDialog::moveDown);
    connect(m_closeButton, &QPushButton::clicked, this, &OrderListDialog::closeKeepingSelection);
    connect(m_list, &QListView::doubleClicked, this, &OrderListDialog::closeKeepingSelection);
}

void OrderListDialog::load(const OrderBook &book)
{
    m_entries->setBook(&book);
    // Every entry has the same height, and the width of the longest text lets the list scroll
    // to the end of any entry: one entry is measured, not the whole book.
    const int longest = m_entries->longestEntry();
    const QString text =
        longest < 0 ? QString() : m_entries->data(m_entries->index(longest)).toString();
    m_entries->setEntrySize(QSize(
        longest < 0 ? 0 : QFontMetrics(m_list->font()).horizontalAdvance(text) + 8, ItemHeight));
    m_list->setCurrentIndex(QModelIndex());
    m_list->clearSelection();
}

OrderList::Choice OrderListDialog::choose(const OrderBook &book)
{
    load(book);
    exec();
    return {entryOrder(), chosenOrder()};
}

QList<int> OrderListDialog::entryOrder() const
{
    return m_entries->entryOrder();
}

int OrderListDialog::chosenOrder() const
{
    const QModelIndexList selected = m_list->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void OrderListDialog::moveUp()
{
    moveSelected(-1);
}

void OrderListDialog::moveDown()
{
    moveSelected(1);
}

void OrderListDialog::moveSelected(int step)
{
    const int row = chosenOrder();
    if (m_entries->moveEntry(row, step)) // the moved entry stays selected
        m_list->setCurrentIndex(m_entries->index(row + step));
}

void OrderListDialog::closeKeepingSelection()
{
    accept();
}

void OrderListDialog::closeClearingSelection()
{
    m_list->clearSelection();
    m_list->setCurrentIndex(QModelIndex());
    reject();
}

bool OrderListDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Home and End go to the first and last entry, as in any list box, before any shortcut of
    // those keys; the view would go to the first entry on either while none is current.
    if (watched == m_list &&
        (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Home || key->key() == Qt::Key_End) &&
            !(key->modifiers() & ~Qt::KeypadModifier)) {
            const int count = m_entries->rowCount();
            if (event->type() == QEvent::KeyPress && count > 0)
                m_list->setCurrentIndex(
                    m_entries->index(key->key() == Qt::Key_Home ? 0 : count - 1));
            event->accept();
            return true;
        }
    }
    // The list itself would take Enter and Escape for its own use.
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (isEnter(key)) {
            closeKeepingSelection();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            closeClearingSelection();
            return true;
        }
    }
    return BaseDialog::eventFilter(watched, event);
}

void OrderListDialog::keyPressEvent(QKeyEvent *event)
{
    // The close box leaves the selection as it is; only Escape clears it.
    if (isEnter(event))
        closeKeepingSelection();
    else if (event->key() == Qt::Key_Escape)
        closeClearingSelection();
    else
        BaseDialog::keyPressEvent(event);
}

void OrderListDialog::showEvent(QShowEvent *event)
{
    BaseDialog::showEvent(event);
    m_list->setFocus(Qt::OtherFocusReason);
}
