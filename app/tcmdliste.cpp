#include "app/tcmdliste.h"

#include "order/orderlist.h"

#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int ItemHeight = 16;
constexpr int BlockRole = Qt::UserRole; // the block index the entry had when the list was filled

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

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
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
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TCmdListe::closeKeepingSelection);
}

void TCmdListe::Init(const TextLines &orderLines)
{
    ListBox1->clear();
    const QList<OrderList::Entry> entries = OrderList::entries(orderLines);
    QStringList texts;
    texts.reserve(entries.size());
    const QString *longest = nullptr;
    for (const OrderList::Entry &entry : entries) {
        texts.append(entry.text);
        if (!longest || entry.text.size() > longest->size())
            longest = &entry.text;
    }
    // One insertion for the whole book, and one measured text: every entry has the same
    // height, and the width of the longest text lets the list scroll to the end of any entry.
    ListBox1->addItems(texts);
    const QSize size(longest ? QFontMetrics(ListBox1->font()).horizontalAdvance(*longest) + 8 : 0,
                     ItemHeight);
    {
        // The view shows neither value: it need not hear of each one.
        const QSignalBlocker quiet(ListBox1->model());
        for (int p = 0; p < ListBox1->count(); ++p) {
            QListWidgetItem *item = ListBox1->item(p);
            item->setData(BlockRole, entries.at(p).blockIndex);
            item->setSizeHint(size);
        }
    }
    ListBox1->setCurrentRow(-1);
    ListBox1->clearSelection();
}

OrderList::Choice TCmdListe::Choose(TextLines &orderLines, bool &fileModified)
{
    Init(orderLines);
    exec();
    OrderList::Choice choice{entryOrder(), -1};
    Result(orderLines, fileModified);
    choice.chosen = chosenOrder();
    return choice;
}

void TCmdListe::Result(TextLines &orderLines, bool &fileModified) const
{
    if (OrderList::renumber(orderLines, entryOrder()))
        fileModified = true;
}

QList<int> TCmdListe::entryOrder() const
{
    QList<int> order;
    order.reserve(ListBox1->count());
    for (int p = 0; p < ListBox1->count(); ++p)
        order.append(ListBox1->item(p)->data(BlockRole).toInt());
    return order;
}

int TCmdListe::chosenOrder() const
{
    const QList<QListWidgetItem *> selected = ListBox1->selectedItems();
    return selected.isEmpty() ? -1 : ListBox1->row(selected.first());
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
    const int target = row + step;
    if (row < 0 || target < 0 || target >= ListBox1->count())
        return;
    QListWidgetItem *item = ListBox1->takeItem(row);
    ListBox1->insertItem(target, item);
    ListBox1->setCurrentItem(item); // the moved entry stays selected
}

void TCmdListe::closeKeepingSelection()
{
    accept();
}

void TCmdListe::closeClearingSelection()
{
    ListBox1->clearSelection();
    ListBox1->setCurrentRow(-1);
    reject();
}

bool TCmdListe::eventFilter(QObject *watched, QEvent *event)
{
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
