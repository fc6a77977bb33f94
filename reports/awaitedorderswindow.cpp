// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/awaitedorderswindow.h"

#include "core/clock.h"
#include "core/numbertext.h"
#include "gui/application.h"
#include "gui/basedialog.h"
#include "gui/csvexport.h"
#include "gui/rowlist.h"
#include "reports/awaitedordersmodel.h"
#include "reports/purchasecsv.h"
#include "reports/reportexport.h"
#include "reports/reportprint.h"
#include "reports/reportroles.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString Title = QStringLiteral("Commandes en attente");

// Late orders stand out in bold and red; their delay is also in words for screen readers.
class LateDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!index.data(ReportRoles::Emphasis).toBool())
            return;
        option->font.setBold(true);
        option->palette.setColor(QPalette::Text, QColor(0xb0, 0, 0));
    }
};

} // namespace

AwaitedOrdersWindow::AwaitedOrdersWindow(AwaitedOrders &orders, QWidget *parent)
    : QDialog(parent), m_orders(orders), m_model(new AwaitedOrdersModel(orders, this))
{
    setObjectName(QStringLiteral("AwaitedOrdersWindow"));
    setWindowTitle(Title);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(false);
    buildControls();
    resize(760, 420);
}

void AwaitedOrdersWindow::buildControls()
{
    m_supplier = new QComboBox(this);
    m_supplier->setObjectName(QStringLiteral("SupplierFilter"));
    m_supplier->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto *supplierLabel = new QLabel(QStringLiteral("&Fournisseur :"), this);
    supplierLabel->setBuddy(m_supplier);

    m_list = new QTableView(this);
    m_list->setObjectName(QStringLiteral("AwaitedOrders"));
    m_list->setModel(m_model);
    m_list->setItemDelegate(new LateDelegate(m_list));
    setUpRowList(m_list);
    const int widths[] = {100, 200, 90, 110, 70};
    for (int c = 0; c < 5; ++c)
        m_list->setColumnWidth(c, qMax(widths[c], m_list->horizontalHeader()->sectionSizeHint(c)));

    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("Count"));
    const auto button = [this](const char *name, const QString &text,
                               void (AwaitedOrdersWindow::*run)()) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false); // Enter shows the order
        connect(b, &QPushButton::clicked, this,
                [this, run] { Application::run([&] { (this->*run)(); }); });
        return b;
    };
    m_outputs = {
        button("PrintButton", QStringLiteral("&Imprimer..."), &AwaitedOrdersWindow::print),
        button("PdfButton", QStringLiteral("Exporter en &PDF..."), &AwaitedOrdersWindow::exportPdf),
        button("ExportButton", QStringLiteral("Exporter en &CSV..."),
               &AwaitedOrdersWindow::exportCsv)};
    auto *close = new QPushButton(QStringLiteral("Fermer"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    close->setAutoDefault(false);

    auto *top = new QHBoxLayout;
    top->addWidget(supplierLabel);
    top->addWidget(m_supplier);
    top->addStretch(1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_count, 1);
    for (QPushButton *b : std::as_const(m_outputs))
        bottom->addWidget(b);
    bottom->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_list, 1);
    layout->addLayout(bottom);

    connect(m_supplier, &QComboBox::activated, this,
            [this] { m_model->setSupplier(m_supplier->currentData().toString()); });
    connect(m_model, &AwaitedOrdersModel::suppliersChanged, this,
            &AwaitedOrdersWindow::fillSuppliers);
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        showCount();
        const int row = m_model->rowOfOrder(m_chosen);
        if (row >= 0)
            m_list->setCurrentIndex(m_model->index(row, 0));
    });
    connect(m_list, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &index) { choose(index.row()); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    m_list->installEventFilter(this);
    fillSuppliers();
    showCount();
}

void AwaitedOrdersWindow::fillSuppliers()
{
    const QString chosen = m_model->supplier();
    m_supplier->clear();
    m_supplier->addItem(QStringLiteral("Tous les fournisseurs"), QString());
    for (const auto &[code, name] : m_model->suppliers())
        m_supplier->addItem(
            name.isEmpty() ? code : name + QStringLiteral(" (") + code + QLatin1Char(')'), code);
    const int kept = m_supplier->findData(chosen);
    // A supplier left without an awaited order: every supplier again.
    m_supplier->setCurrentIndex(qMax(0, kept));
    if (kept < 0)
        m_model->setSupplier(QString());
}

void AwaitedOrdersWindow::showOrders()
{
    showInFront(this, m_placed);
    m_list->setFocus(Qt::ShortcutFocusReason);
    if (!m_list->currentIndex().isValid() && m_model->rowCount() > 0)
        m_list->setCurrentIndex(m_model->index(0, 0));
}

void AwaitedOrdersWindow::dayChanged()
{
    m_model->setToday(Clock::today());
}

void AwaitedOrdersWindow::showEvent(QShowEvent *event)
{
    // Read now, a change still waiting included, and the VAT rates the amounts before tax of
    // TTC orders depend on: the rows follow (AwaitedOrders::changed).
    m_orders.read();
    m_model->setToday(Clock::today());
    QDialog::showEvent(event);
}

bool AwaitedOrdersWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            choose(m_list->currentIndex().row());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void AwaitedOrdersWindow::choose(int row)
{
    const int order = m_model->orderAt(row);
    if (order < 0)
        return;
    m_chosen = order;
    m_list->setCurrentIndex(m_model->index(row, 0));
    Q_EMIT orderChosen(order);
}

void AwaitedOrdersWindow::showCount()
{
    const int count = m_model->rowCount();
    int late = 0;
    for (int row = 0; row < count; ++row)
        if (m_model->index(row, 0).data(ReportRoles::Emphasis).toBool())
            ++late;
    QString text = count == 0   ? QStringLiteral("Aucune commande en attente")
                   : count == 1 ? QStringLiteral("1 commande en attente")
                                : QStringLiteral("%1 commandes en attente").arg(count);
    if (late > 0)
        text += QStringLiteral(", dont %1 en retard").arg(late);
    m_count->setText(text);
    for (QPushButton *b : std::as_const(m_outputs))
        b->setEnabled(count > 0);
}

QString AwaitedOrdersWindow::subtitle() const
{
    QString text = QStringLiteral("Au ") + NumberText::formatDate(Clock::today());
    if (m_supplier->currentIndex() > 0)
        text += QStringLiteral(" – ") + m_supplier->currentText();
    return text + QStringLiteral(" – ") + m_count->text();
}

void AwaitedOrdersWindow::print()
{
    const ReportPrint::Content content{Title, subtitle(), QString(), m_model, nullptr};
    ReportExport::print(this, Title, [&content](QPainter &painter, QPagedPaintDevice &device) {
        return ReportPrint::draw(painter, device, content);
    });
}

void AwaitedOrdersWindow::exportPdf()
{
    const ReportPrint::Content content{Title, subtitle(), QString(), m_model, nullptr};
    ReportExport::exportPdf(this, Title + QStringLiteral(".pdf"), Title,
                            [&content](QPainter &painter, QPagedPaintDevice &device) {
                                return ReportPrint::draw(painter, device, content);
                            });
}

void AwaitedOrdersWindow::exportCsv()
{
    CsvExport::save(this, QStringLiteral("Exporter en CSV"), Title + QStringLiteral(".csv"),
                    [this](CsvFile &csv) { PurchaseCsv::table(*m_model, csv); });
}
