// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/purchasereportwindow.h"

#include "core/numbertext.h"
#include "gui/application.h"
#include "gui/csvexport.h"
#include "reports/barchart.h"
#include "reports/chartmodel.h"
#include "reports/ordersdialog.h"
#include "reports/ordersmodel.h"
#include "reports/purchasecsv.h"
#include "reports/reportexport.h"
#include "reports/reportprint.h"
#include "reports/reportroles.h"
#include "reports/suppliertablemodel.h"
#include "reports/vattablemodel.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <array>
#include <iterator>

namespace {

// Rows of totals stand out in bold. The cells are plain texts, drawn straight: the style's
// layout of an item (icon, check box, eliding) costs most of the painting of a large table.
class EmphasisDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        const QStyle::State state = option.state;
        const QPalette::ColorGroup group = !(state & QStyle::State_Enabled) ? QPalette::Disabled
                                           : (state & QStyle::State_Active) ? QPalette::Normal
                                                                            : QPalette::Inactive;
        const bool selected = state & QStyle::State_Selected;
        if (selected)
            painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
        const QString text = index.data().toString();
        QStyle *style = option.widget ? option.widget->style() : QApplication::style();
        if (!text.isEmpty()) {
            const QFont font = painter->font();
            if (index.data(ReportRoles::Emphasis).toBool()) {
                QFont bold = option.font;
                bold.setBold(true);
                painter->setFont(bold);
            } else {
                painter->setFont(option.font);
            }
            const QPen pen = painter->pen();
            painter->setPen(
                option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
            const int margin =
                style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) + 1;
            const QVariant align = index.data(Qt::TextAlignmentRole);
            painter->drawText(
                option.rect.adjusted(margin, 0, -margin, 0),
                align.isValid() ? align.toInt() : int(Qt::AlignLeft | Qt::AlignVCenter), text);
            painter->setPen(pen);
            painter->setFont(font);
        }
        if (state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            focus.backgroundColor =
                option.palette.color(group, selected ? QPalette::Highlight : QPalette::Window);
            style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
        }
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.data(ReportRoles::Emphasis).toBool())
            option->font.setBold(true);
    }
};

QTableView *tableView(QWidget *parent, const char *name, QAbstractItemModel *model)
{
    auto *view = new QTableView(parent);
    view->setObjectName(QLatin1String(name));
    view->setModel(model);
    view->setItemDelegate(new EmphasisDelegate(view));
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->verticalHeader()->hide();
    view->setWordWrap(false);
    return view;
}

QPushButton *button(QWidget *parent, const char *name, const QString &text)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false); // Enter belongs to the tables
    return b;
}

} // namespace

PurchaseReportWindow::PurchaseReportWindow(QWidget *parent) : BaseDialog(parent)
{
    setObjectName(QStringLiteral("PurchaseReportWindow"));
    setWindowTitle(QStringLiteral("Statistiques des achats"));
    // A report is read at any size: the window can be resized and maximised.
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setSizeGripEnabled(true);
    buildControls();
    resize(1000, 700);
}

PurchaseReportWindow::~PurchaseReportWindow()
{
    // The views and the chart let go of the models before the report they show goes.
    m_tableModel->setReport(nullptr);
    m_vatModel->setReport(nullptr);
    m_chartModel->setReport(nullptr);
}

void PurchaseReportWindow::buildControls()
{
    const auto labelled = [this](const char *name, const QString &text, QComboBox *&combo) {
        combo = new QComboBox(this);
        combo->setObjectName(QLatin1String(name));
        auto *label = new QLabel(text, this);
        label->setBuddy(combo);
        return label;
    };
    QLabel *yearLabel = labelled("Year", QStringLiteral("&Année :"), m_year);
    QLabel *amountLabel = labelled("Amount", QStringLiteral("&Montant :"), m_amount);
    m_currencyLabel = labelled("Currency", QStringLiteral("&Devise :"), m_currency);
    for (const Amount amount : {Amount::BeforeTax, Amount::Vat, Amount::IncludingTax})
        m_amount->addItem(PurchaseReport::amountName(amount), int(amount));
    m_coverage = new QLabel(this);
    m_coverage->setObjectName(QStringLiteral("Coverage"));
    m_cancelled = new QLabel(this);
    m_cancelled->setObjectName(QStringLiteral("Cancelled"));
    m_cancelled->hide();

    auto *choices = new QHBoxLayout;
    for (QWidget *w : {static_cast<QWidget *>(yearLabel), static_cast<QWidget *>(m_year),
                       static_cast<QWidget *>(amountLabel), static_cast<QWidget *>(m_amount),
                       static_cast<QWidget *>(m_currencyLabel), static_cast<QWidget *>(m_currency)})
        choices->addWidget(w);
    choices->addSpacing(12);
    choices->addWidget(m_coverage);
    choices->addWidget(m_cancelled);
    choices->addStretch(1);
    for (QComboBox *combo : {m_year, m_amount, m_currency})
        connect(combo, &QComboBox::activated, this,
                [this] { Application::run([this] { choose(); }); });

    m_tableModel = new SupplierTableModel(this);
    m_vatModel = new VatTableModel(this);
    m_chartModel = new ChartModel(this);
    m_table = tableView(this, "Table", m_tableModel);
    m_table->setSortingEnabled(true);
    m_vatTable = tableView(this, "VatTable", m_vatModel);
    // Enter and a double click on a cell list the orders behind it.
    connect(m_table, &QAbstractItemView::activated, this,
            [this](const QModelIndex &index) { Application::run([&] { showOrders(index); }); });

    m_chart = new BarChart(this);
    m_chart->setObjectName(QStringLiteral("Chart"));
    // A picture to a screen reader: the table above holds every figure it draws.
    m_chart->setAccessibleName(QStringLiteral("Graphique des achats"));
    m_chart->setAccessibleDescription(
        QStringLiteral("Les montants du graphique sont ceux du tableau au-dessus."));
    m_chart->setModel(m_chartModel);
    m_chart->setColours([this](int set) {
        // The largest suppliers in the order of their totals, the others in grey.
        static constexpr QRgb Colours[] = {0x209fdf, 0x99ca53, 0xf6a625, 0x6d5fd5, 0xbf593e};
        if (m_chartModel->headerData(set, Qt::Vertical, Qt::DisplayRole).toString() ==
            PurchaseReport::othersName())
            return QColor(Qt::lightGray);
        return QColor(Colours[set % std::size(Colours)]);
    });
    m_chart->setMinimumHeight(180);
    auto *split = new QSplitter(Qt::Vertical, this);
    split->setObjectName(QStringLiteral("Split"));
    split->addWidget(m_table);
    split->addWidget(m_chart);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("Pages"));
    m_pages->addTab(split, QStringLiteral("Achats par fournisseur"));
    m_pages->addTab(m_vatTable, QStringLiteral("TVA par taux"));
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int page) {
        if (page == 1 && !m_vatFitted) {
            fitColumns(m_vatTable);
            m_vatFitted = true;
        }
    });

    QPushButton *print = button(this, "Print", QStringLiteral("Imprimer..."));
    QPushButton *pdf = button(this, "ExportPdf", QStringLiteral("Exporter en PDF..."));
    QPushButton *csv = button(this, "ExportCsv", QStringLiteral("Exporter en CSV..."));
    QPushButton *lines =
        button(this, "ExportLines", QStringLiteral("Exporter les lignes en CSV..."));
    QPushButton *close = button(this, "Close", QStringLiteral("Fermer"));
    const auto run = [this](QPushButton *b, void (PurchaseReportWindow::*command)()) {
        connect(b, &QPushButton::clicked, this,
                [this, command] { Application::run([&] { (this->*command)(); }); });
    };
    run(print, &PurchaseReportWindow::print);
    run(pdf, &PurchaseReportWindow::exportPdf);
    run(csv, &PurchaseReportWindow::exportTable);
    run(lines, &PurchaseReportWindow::exportLines);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {print, pdf, csv, lines})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);
}

void PurchaseReportWindow::setBook(const BookView &source)
{
    m_source = source;
    m_book = PurchaseBook(m_source, &m_cache);
    m_chosenOrder = -1;

    m_year->clear();
    for (const int year : m_book.years())
        m_year->addItem(QString::number(year), year);
    m_year->addItem(QStringLiteral("Toutes"), 0);
    m_year->setCurrentIndex(0);
    m_amount->setCurrentIndex(0);
    m_currency->clear();
    m_currency->addItem(m_book.currencyName(Currency::Main), int(Currency::Main));
    if (m_book.hasSecondCurrency())
        m_currency->addItem(m_book.currencyName(Currency::Second), int(Currency::Second));
    m_currencyLabel->setVisible(m_book.hasSecondCurrency());
    m_currency->setVisible(m_book.hasSecondCurrency());
    m_pages->setCurrentIndex(0);
    choose();
    m_table->setFocus();
}

void PurchaseReportWindow::choose()
{
    ReportChoice choice;
    choice.year = m_year->currentData().toInt();
    choice.shown = Amount(m_amount->currentData().toInt());
    choice.currency = Currency(m_currency->currentData().toInt());
    auto report = std::make_unique<PurchaseReport>(m_book, choice);
    m_tableModel->setReport(report.get());
    m_vatModel->setReport(report.get());
    m_chartModel->setReport(report.get());
    m_report = std::move(report);

    m_table->sortByColumn(m_tableModel->totalColumn(), Qt::DescendingOrder);
    fitColumns(m_table);
    // The VAT page's columns are fitted when it is shown.
    m_vatFitted = m_pages->currentIndex() == 1;
    if (m_vatFitted)
        fitColumns(m_vatTable);
    m_coverage->setText(m_report->coverage());
    m_cancelled->setText(m_report->cancelledNote());
    m_cancelled->setVisible(m_report->cancelled() > 0);
    m_chart->setScaleTitle(QStringLiteral("Montant ") +
                           PurchaseReport::amountName(m_report->choice().shown) +
                           QStringLiteral(" (") + m_report->currencySymbol() + QLatin1Char(')'));
}

void PurchaseReportWindow::fitColumns(QTableView *view)
{
    // As resizeColumnsToContents(), measuring fewer texts: the figures' characters are all about
    // as wide, so of a column's figures only the longest, plain and bold, are measured.
    const QAbstractItemModel *model = view->model();
    QHeaderView *header = view->horizontalHeader();
    const auto isFigure = [](const QString &text) {
        for (const QChar c : text)
            if (!c.isDigit() && !QStringView(u",.-+% \u00A0").contains(c))
                return false;
        return true;
    };
    for (int c = 0; c < model->columnCount(); ++c) {
        int width = header->sectionSizeHint(c);
        std::array<int, 2> longest{-1, -1}; // the rows of the longest figures, plain and bold
        std::array<qsizetype, 2> most{-1, -1};
        for (int r = 0; r < model->rowCount(); ++r) {
            const QModelIndex index = model->index(r, c);
            const QString text = index.data().toString();
            if (!isFigure(text)) {
                width = qMax(width, view->sizeHintForIndex(index).width());
                continue;
            }
            const int bold = index.data(ReportRoles::Emphasis).toBool() ? 1 : 0;
            if (text.size() > most[bold]) {
                most[bold] = text.size();
                longest[bold] = r;
            }
        }
        for (const int r : longest)
            if (r >= 0)
                width = qMax(width, view->sizeHintForIndex(model->index(r, c)).width());
        header->resizeSection(c, width + (view->showGrid() ? 1 : 0));
    }
}

void PurchaseReportWindow::showOrders(const QModelIndex &index)
{
    const PurchaseReport::Row *row = m_tableModel->rowAt(index.row());
    const int period = m_tableModel->periodAt(index.column());
    QList<int> orders;
    if (row) {
        orders = m_report->ordersIn(*row, period);
    } else { // the totals: every row's orders
        for (const PurchaseReport::Row &each : m_report->rows())
            orders += m_report->ordersIn(each, period);
    }
    if (orders.isEmpty())
        return;
    QString title = row ? (row->name.trimmed().isEmpty() ? row->code : row->name.trimmed())
                        : QStringLiteral("Toutes les commandes");
    title +=
        QStringLiteral(" – ") +
        (period < 0
             ? m_report->coverage().section(QStringLiteral(" : "), 0, 0)
             : m_tableModel->headerData(index.column(), Qt::Horizontal, ReportRoles::ExportHeader)
                   .toString()
                   .section(QStringLiteral(" ("), 0, 0));
    OrdersDialog dialog(title, new OrdersModel(*m_report, orders), this);
    dialog.exec();
    if (dialog.chosenOrder() < 0)
        return;
    m_chosenOrder = dialog.chosenOrder();
    accept();
}

QString PurchaseReportWindow::subtitle() const
{
    // The VAT page shows the bases before tax and the VAT whatever amount the suppliers' page
    // adds up.
    const QString shown = m_pages->currentIndex() == 1
                              ? QStringLiteral("H.T. et TVA")
                              : PurchaseReport::amountName(m_report->choice().shown);
    return m_report->coverage() + QStringLiteral(" – montants ") + shown + QStringLiteral(" en ") +
           m_book.currencyName(m_report->choice().currency).toLower();
}

namespace {

QString yearText(const ReportChoice &choice)
{
    return choice.year ? QString::number(choice.year) : QStringLiteral("toutes années");
}

} // namespace

void PurchaseReportWindow::exportTable()
{
    const bool vat = m_pages->currentIndex() == 1;
    const ReportChoice &choice = m_report->choice();
    const QString name =
        vat ? QString(QStringLiteral("TVA par taux ") + yearText(choice))
            : QString(QStringLiteral("Achats ") + yearText(choice) + QLatin1Char(' ') +
                      PurchaseReport::amountName(choice.shown).remove(QLatin1Char('.')));
    const QAbstractItemModel &model =
        vat ? static_cast<const QAbstractItemModel &>(*m_vatModel) : *m_tableModel;
    CsvExport::save(this, QStringLiteral("Exporter en CSV"), name + QStringLiteral(".csv"),
                    [&model](CsvFile &csv) { PurchaseCsv::table(model, csv); });
}

void PurchaseReportWindow::exportLines()
{
    const int year = m_report->choice().year;
    CsvExport::save(this, QStringLiteral("Exporter les lignes en CSV"),
                    QStringLiteral("Lignes de commande ") + yearText(m_report->choice()) +
                        QStringLiteral(".csv"),
                    [&](CsvFile &csv) { PurchaseCsv::orderLines(m_source, year, csv); });
}

ReportPrint::Content PurchaseReportWindow::printed() const
{
    const bool vat = m_pages->currentIndex() == 1;
    ReportPrint::Content content;
    content.title = windowTitle() + (vat ? QStringLiteral(" – TVA par taux") : QString());
    content.subtitle = subtitle();
    content.note = m_report->cancelledNote();
    content.table = vat ? static_cast<const QAbstractItemModel *>(m_vatModel) : m_tableModel;
    content.chart = vat ? nullptr : m_chart;
    return content;
}

void PurchaseReportWindow::print()
{
    const ReportPrint::Content content = printed();
    ReportExport::print(this, content.title,
                        [&content](QPainter &painter, QPagedPaintDevice &device) {
                            return ReportPrint::draw(painter, device, content);
                        });
}

void PurchaseReportWindow::exportPdf()
{
    const ReportPrint::Content content = printed();
    ReportExport::exportPdf(this,
                            QStringLiteral("Statistiques des achats ") +
                                yearText(m_report->choice()) + QStringLiteral(".pdf"),
                            content.title,
                            [&content](QPainter &painter, QPagedPaintDevice &device) {
                                return ReportPrint::draw(painter, device, content);
                            });
}
