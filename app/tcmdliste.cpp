// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tcmdliste.h"

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

TCmdListe::TCmdListe(QWidget *parent) : BaseDialog(parent)
{
    setObjectName(QStringLiteral("TCmdListe"));
    setWindowTitle(QStringLiteral("Liste des commandes"));

    auto *bar = new QFrame(this);
    bar->setObjectName(QStringLiteral("Panel1"));
    bar->setFrameShape(QFrame::StyledPanel);
    SpeedButton1 = arrowButton(bar, "SpeedButton1", Qt::UpArrow);
    SpeedButton2 = arrowButton(bar, "SpeedButton2", Qt::DownArrow);
    Button1 = new QPushButton(QStringLiteral("Fermer"), bar);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    auto *barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(4, 2, 4, 2);
    barLayout->addWidget(SpeedButton1);
    barLayout->addWidget(SpeedButton2);
    barLayout->addStretch();
    barLayout->addWidget(Button1);

    m_entries = new OrderListModel(this);
    ListBox1 = new QListView(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setModel(m_entries);
    ListBox1->setAccessibleName(windowTitle());
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setUniformItemSizes(true); // thousands of orders stay quick to show
    ListBox1->installEventFilter(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(ListBox1, 1);
    setFixedSize(566, 343);

    connect(SpeedButton1, &QToolButton::clicked, this, &TCmdListe::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TCmdListe::SpeedButton2Click);
    connect(Button1, &QPushButton::clicked, this, &TCmdListe::closeKeepingSelection);
    connect(ListBox1, &QListView::doubleClicked, this, &TCmdListe::closeKeepingSelection);
}

void TCmdListe::Init(const OrderBook &book)
{
    m_entries->setBook(&book);
    // Every entry has the same height, and the width of the longest text lets the list scroll
    // to the end of any entry: one entry is measured, not the whole book.
    const int longest = m_entries->longestEntry();
    const QString text =
        longest < 0 ? QString() : m_entries->data(m_entries->index(longest)).toString();
    m_entries->setEntrySize(QSize(
        longest < 0 ? 0 : QFontMetrics(ListBox1->font()).horizontalAdvance(text) + 8, ItemHeight));
    ListBox1->setCurrentIndex(QModelIndex());
    ListBox1->clearSelection();
}

OrderList::Choice TCmdListe::Choose(const OrderBook &book)
{
    Init(book);
    exec();
    return {entryOrder(), chosenOrder()};
}

QList<int> TCmdListe::entryOrder() const
{
    return m_entries->entryOrder();
}

int TCmdListe::chosenOrder() const
{
    const QModelIndexList selected = ListBox1->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void TCmdListe::SpeedButton1Click()
{
    moveSelected(-1);
}

void TCmdListe::SpeedButton2Click()
{
    moveSelected(1);
}

void TCmdListe::moveSelected(int step)
{
    const int row = chosenOrder();
    if (m_entries->moveEntry(row, step)) // the moved entry stays selected
        ListBox1->setCurrentIndex(m_entries->index(row + step));
}

void TCmdListe::closeKeepingSelection()
{
    accept();
}

void TCmdListe::closeClearingSelection()
{
    ListBox1->clearSelection();
    ListBox1->setCurrentIndex(QModelIndex());
    reject();
}

bool TCmdListe::eventFilter(QObject *watched, QEvent *event)
{
    // Home and End go to the first and last entry, as in any list box, before any shortcut of
    // those keys; the view would go to the first entry on either while none is current.
    if (watched == ListBox1 &&
        (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Home || key->key() == Qt::Key_End) &&
            !(key->modifiers() & ~Qt::KeypadModifier)) {
            const int count = m_entries->rowCount();
            if (event->type() == QEvent::KeyPress && count > 0)
                ListBox1->setCurrentIndex(
                    m_entries->index(key->key() == Qt::Key_Home ? 0 : count - 1));
            event->accept();
            return true;
        }
    }
    // The list itself would take Enter and Escape for its own use.
    if (watched == ListBox1 && event->type() == QEvent::KeyPress) {
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

void TCmdListe::keyPressEvent(QKeyEvent *event)
{
    // The close box leaves the selection as it is; only Escape clears it.
    if (isEnter(event))
        closeKeepingSelection();
    else if (event->key() == Qt::Key_Escape)
        closeClearingSelection();
    else
        BaseDialog::keyPressEvent(event);
}

void TCmdListe::showEvent(QShowEvent *event)
{
    BaseDialog::showEvent(event);
    ListBox1->setFocus(Qt::OtherFocusReason);
}
