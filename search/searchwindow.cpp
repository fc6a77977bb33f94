// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/searchwindow.h"

#include "core/clock.h"
#include "gui/application.h"
#include "gui/basedialog.h"
#include "gui/csvexport.h"
#include "gui/rowlist.h"
#include "search/searchindex.h"
#include "search/searchresultsmodel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTextLayout>
#include <QVBoxLayout>

namespace {

// Draws the "where" column with the words found in bold.
class HitDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        QStyle *style = opt.widget ? opt.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        QList<QTextLayout::FormatRange> formats;
        for (const QPoint &span :
             index.data(SearchResultsModel::HitSpansRole).value<QList<QPoint>>())
            formats.append({span.x(), span.y(), bold});
        QTextLayout layout(text, opt.font);
        layout.setFormats(formats);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        line.setLineWidth(1e6);
        layout.endLayout();

        const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget);
        const bool selected = opt.state & QStyle::State_Selected;
        painter->save();
        painter->setClipRect(area);
        painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        layout.draw(painter,
                    QPointF(area.left() + 3, area.top() + (area.height() - line.height()) / 2));
        painter->restore();
    }
};

} // namespace

SearchWindow::SearchWindow(SearchIndex &index, QWidget *parent)
    : QDialog(parent), m_results(new SearchResultsModel(index, this))
{
    setObjectName(QStringLiteral("SearchWindow"));
    setWindowTitle(QStringLiteral("Rechercher dans les commandes"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(false);
    buildControls();
    resize(760, 440);
    // Another book: what was looked for was about the other one. The results forget the
    // filters too: the controls say so, rather than show filters no longer applied.
    connect(&index, &SearchIndex::bookReplaced, this, [this] {
        m_field->clear();
        m_fromCheck->setChecked(false);
        m_toCheck->setChecked(false);
        m_supplier->clear();
        m_state->setCurrentIndex(0);
    });
}

void SearchWindow::buildControls()
{
    m_field = new QLineEdit(this);
    m_field->setObjectName(QStringLiteral("SearchField"));
    m_field->setPlaceholderText(QStringLiteral(
        "Mots à trouver dans les commandes ; \"entre guillemets\" pour une expression"));
    auto *fieldLabel = new QLabel(QStringLiteral("&Rechercher :"), this);
    fieldLabel->setBuddy(m_field);

    const QDate today = Clock::today();
    const auto dateEdit = [this](const char *name, const QDate &date) {
        auto *edit = new QDateEdit(date, this);
        edit->setObjectName(QLatin1String(name));
        edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        edit->setCalendarPopup(true);
        edit->setEnabled(false);
        return edit;
    };
    m_fromCheck = new QCheckBox(QStringLiteral("&Du"), this);
    m_fromCheck->setObjectName(QStringLiteral("FromCheck"));
    m_from = dateEdit("FromDate", QDate(today.year(), 1, 1));
    m_toCheck = new QCheckBox(QStringLiteral("&au"), this);
    m_toCheck->setObjectName(QStringLiteral("ToCheck"));
    m_to = dateEdit("ToDate", today);
    m_supplier = new QLineEdit(this);
    m_supplier->setObjectName(QStringLiteral("SupplierFilter"));
    m_supplier->setPlaceholderText(QStringLiteral("code ou nom"));
    auto *supplierLabel = new QLabel(QStringLiteral("&Fournisseur :"), this);
    supplierLabel->setBuddy(m_supplier);
    m_state = new QComboBox(this);
    m_state->setObjectName(QStringLiteral("StateFilter"));
    m_state->addItem(QStringLiteral("Tous les états"), -1);
    using State = OrderState::State;
    for (const State state : {State::Draft, State::Sent, State::PartlyReceived, State::Received,
                              State::Settled, State::Cancelled, State::ChangedAfterSending})
        m_state->addItem(OrderState::name(state), int(state));
    auto *stateLabel = new QLabel(QStringLiteral("É&tat :"), this);
    stateLabel->setBuddy(m_state);

    m_list = new QTableView(this);
    m_list->setObjectName(QStringLiteral("Results"));
    m_list->setModel(m_results);
    m_list->setItemDelegateForColumn(SearchResultsModel::WhereColumn, new HitDelegate(m_list));
    setUpRowList(m_list);
    m_list->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_list->setSortingEnabled(true);
    m_list->sortByColumn(SearchResultsModel::DateColumn, Qt::DescendingOrder);
    // Each heading fits whole, with room for the sort arrow, whatever the font.
    const int widths[] = {100, 82, 180, 90, 110};
    for (int c = 0; c < 5; ++c)
        m_list->setColumnWidth(c, qMax(widths[c], m_list->horizontalHeader()->sectionSizeHint(c)));

    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("Count"));
    m_export = new QPushButton(QStringLiteral("&Exporter en CSV..."), this);
    m_export->setObjectName(QStringLiteral("ExportButton"));
    m_close = new QPushButton(QStringLiteral("Fermer"), this);
    m_close->setObjectName(QStringLiteral("CloseButton"));
    for (QPushButton *button : {m_export, m_close})
        button->setAutoDefault(false); // Enter shows the order found

    auto *top = new QHBoxLayout;
    top->addWidget(fieldLabel);
    top->addWidget(m_field, 1);
    auto *filters = new QHBoxLayout;
    filters->addWidget(m_fromCheck);
    filters->addWidget(m_from);
    filters->addWidget(m_toCheck);
    filters->addWidget(m_to);
    filters->addSpacing(12);
    filters->addWidget(supplierLabel);
    filters->addWidget(m_supplier, 1);
    filters->addSpacing(12);
    filters->addWidget(stateLabel);
    filters->addWidget(m_state);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_count, 1);
    bottom->addWidget(m_export);
    bottom->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(filters);
    layout->addWidget(m_list, 1);
    layout->addLayout(bottom);

    connect(m_field, &QLineEdit::textChanged, m_results, &SearchResultsModel::setQuery);
    for (QCheckBox *check : {m_fromCheck, m_toCheck})
        connect(check, &QCheckBox::toggled, this, &SearchWindow::applyFilter);
    connect(m_fromCheck, &QCheckBox::toggled, m_from, &QWidget::setEnabled);
    connect(m_toCheck, &QCheckBox::toggled, m_to, &QWidget::setEnabled);
    for (QDateEdit *date : {m_from, m_to})
        connect(date, &QDateEdit::dateChanged, this, &SearchWindow::applyFilter);
    connect(m_supplier, &QLineEdit::textChanged, this, &SearchWindow::applyFilter);
    connect(m_state, &QComboBox::currentIndexChanged, this, &SearchWindow::applyFilter);
    connect(m_results, &SearchResultsModel::resultsChanged, this, &SearchWindow::showCount);
    connect(m_list, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &index) { choose(index.row()); });
    connect(m_export, &QPushButton::clicked, this,
            [this] { Application::run([this] { exportCsv(); }); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    m_field->installEventFilter(this);
    m_list->installEventFilter(this);
    showCount();
}

void SearchWindow::showSearch()
{
    showInFront(this, m_placed);
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
}

bool SearchWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter) {
            const int row = m_list->currentIndex().row();
            choose(row >= 0 ? row : 0);
            return true;
        }
        // The arrows in the field move in the list, as in any search box with its results.
        if (watched == m_field &&
            (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up ||
             key->key() == Qt::Key_PageDown || key->key() == Qt::Key_PageUp)) {
            QKeyEvent moved(QEvent::KeyPress, key->key(), key->modifiers());
            if (!m_list->currentIndex().isValid() && m_results->rowCount() > 0)
                m_list->setCurrentIndex(m_results->index(0, 0));
            else
                QCoreApplication::sendEvent(m_list, &moved);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void SearchWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F3) {
        step(event->modifiers() & Qt::ShiftModifier ? -1 : 1);
        return;
    }
    QDialog::keyPressEvent(event);
}

// Hidden, the window leaves its results as they were until it is shown again.
void SearchWindow::showEvent(QShowEvent *event)
{
    m_results->setFollowing(true);
    QDialog::showEvent(event);
}

void SearchWindow::hideEvent(QHideEvent *event)
{
    m_results->setFollowing(false);
    QDialog::hideEvent(event);
}

void SearchWindow::choose(int row)
{
    const int order = m_results->orderAt(row);
    if (order < 0)
        return;
    m_list->setCurrentIndex(m_results->index(row, 0));
    Q_EMIT orderChosen(order, m_results->placeAt(row));
}

bool SearchWindow::step(int by)
{
    m_results->catchUp();
    const int count = m_results->rowCount();
    if (count == 0)
        return false;
    const int current = m_list->currentIndex().row();
    choose(current < 0 ? (by > 0 ? 0 : count - 1) : qBound(0, current + by, count - 1));
    return true;
}

bool SearchWindow::showNext()
{
    return step(1);
}

bool SearchWindow::showPrevious()
{
    return step(-1);
}

void SearchWindow::applyFilter()
{
    SearchFilter filter;
    if (m_fromCheck->isChecked())
        filter.from = m_from->date();
    if (m_toCheck->isChecked())
        filter.to = m_to->date();
    filter.supplier = m_supplier->text();
    if (const int state = m_state->currentData().toInt(); state >= 0)
        filter.state = OrderState::State(state);
    m_results->setFilter(filter);
}

void SearchWindow::showCount()
{
    const int count = m_results->rowCount();
    m_count->setText(count == 0   ? QStringLiteral("Aucune commande")
                     : count == 1 ? QStringLiteral("1 commande")
                                  : QStringLiteral("%1 commandes").arg(count));
    m_export->setEnabled(count > 0);
}

void SearchWindow::exportCsv()
{
    CsvExport::save(this, QStringLiteral("Exporter en CSV"), QStringLiteral("recherche.csv"),
                    [this](CsvFile &csv) { m_results->csv(csv); });
}
