// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/orderlifewidgets.h"

#include "core/clock.h"
#include "core/numbertext.h"
#include "core/prompts.h"
#include "gui/application.h"
#include "order/orderdocument.h"
#include "order/orderstate.h"
#include "order/orderwindow.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QMenu>
#include <QTableWidget>
#include <QVBoxLayout>

OrderStateLabel::OrderStateLabel(OrderDocument &document, QWidget *parent)
    : QLabel(parent), m_document(document)
{
    setObjectName(QStringLiteral("OrderState"));
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    connect(&document, &OrderDocument::recordChanged, this, &OrderStateLabel::refresh);
    connect(&document, &OrderDocument::lifeChanged, this, &OrderStateLabel::refresh);
    // The receptions name their lines by designation.
    connect(&document, &OrderDocument::linesChanged, this, &OrderStateLabel::refresh);
    refresh();
}

void OrderStateLabel::refresh()
{
    const OrderRecord &record = m_document.record();
    setText(OrderState::text(record));
    const QStringList events = OrderState::events(record);
    setToolTip(events.isEmpty() ? QStringLiteral("Commande ni envoyée ni reçue")
                                : events.join(QLatin1Char('\n')));
}

namespace {

enum Column { DesignationColumn, OrderedColumn, ReceivedColumn, NowColumn };

QString quantityText(Real value)
{
    return NumberText::general(value);
}

} // namespace

ReceptionDialog::ReceptionDialog(const OrderRecord &record, QWidget *parent)
    : QDialog(parent), m_record(record)
{
    setObjectName(QStringLiteral("ReceptionDialog"));
    setWindowTitle(QStringLiteral("Réception"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    m_date = new QDateEdit(Clock::today(), this);
    m_date->setObjectName(QStringLiteral("ReceptionDate"));
    m_date->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_date->setCalendarPopup(true);
    form->addRow(QStringLiteral("&Date de réception :"), m_date);
    layout->addLayout(form);

    const QList<OrderState::LineDue> lines = OrderState::linesDue(record);
    m_table = new QTableWidget(int(lines.size()), 4, this);
    m_table->setObjectName(QStringLiteral("ReceptionLines"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Désignation"), QStringLiteral("Commandé"),
                                        QStringLiteral("Déjà reçu"), QStringLiteral("Reçu")});
    m_table->horizontalHeader()->setSectionResizeMode(DesignationColumn, QHeaderView::Stretch);
    for (int r = 0; r < lines.size(); ++r) {
        const OrderState::LineDue &line = lines.at(r);
        const auto fixed = [&](int column, const QString &text) {
            auto *item = new QTableWidgetItem(text);
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            m_table->setItem(r, column, item);
        };
        fixed(DesignationColumn, line.designation.trimmed());
        fixed(OrderedColumn, quantityText(line.ordered));
        fixed(ReceivedColumn, quantityText(line.received));
        auto *now = new QTableWidgetItem(quantityText(line.due()));
        now->setData(Qt::UserRole, line.row);
        m_table->setItem(r, NowColumn, now);
    }
    layout->addWidget(m_table);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ReceptionDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ReceptionDialog::reject);
    layout->addWidget(buttons);
    resize(560, 320);
    if (m_table->rowCount() > 0)
        m_table->setCurrentCell(0, NowColumn);
}

OrderLife::Reception ReceptionDialog::reception() const
{
    OrderLife::Reception reception{m_date->date(), {}};
    for (int r = 0; r < m_table->rowCount(); ++r) {
        const QString text = m_table->item(r, NowColumn)->text().trimmed();
        Real value = 0;
        if (NumberText::tryToReal(text, value) && value != 0)
            reception.quantities.append(
                {m_table->item(r, NowColumn)->data(Qt::UserRole).toInt(), quantityText(value)});
    }
    return reception;
}

void ReceptionDialog::accept()
{
    QStringList more;
    const QList<OrderState::LineDue> lines = OrderState::linesDue(m_record);
    for (int r = 0; r < m_table->rowCount(); ++r) {
        const QString text = m_table->item(r, NowColumn)->text().trimmed();
        Real value = 0;
        if (!text.isEmpty() && !NumberText::tryToReal(text, value)) {
            Prompts::error(QStringLiteral("« %1 » n'est pas une quantité.").arg(text));
            m_table->setCurrentCell(r, NowColumn);
            return;
        }
        const OrderState::LineDue &line = lines.at(r);
        const Real over = line.received + value - line.ordered;
        if (over > 0)
            more << QStringLiteral("%1 de plus pour « %2 »")
                        .arg(quantityText(over), line.designation.trimmed());
    }
    if (!more.isEmpty() &&
        Prompts::warning(QStringLiteral("Vous recevez plus que commandé : %1. Enregistrer quand "
                                        "même ?")
                             .arg(more.join(QStringLiteral(", "))),
                         Prompts::Buttons::YesNo) != Prompts::Answer::Yes)
        return;
    QDialog::accept();
}

namespace OrderLifeCommands {

namespace {

void askExpectedDate(OrderWindow &order)
{
    OrderDocument &document = order.document();
    QDialog dialog(&order);
    dialog.setObjectName(QStringLiteral("ExpectedDateDialog"));
    dialog.setWindowTitle(QStringLiteral("Livraison prévue"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *set = new QCheckBox(QStringLiteral("&Livraison prévue le"), &dialog);
    const QDate expected = document.record().life.expected;
    set->setChecked(expected.isValid());
    auto *date = new QDateEdit(expected.isValid() ? expected : Clock::today(), &dialog);
    date->setObjectName(QStringLiteral("ExpectedDate"));
    date->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    date->setCalendarPopup(true);
    date->setEnabled(set->isChecked());
    QObject::connect(set, &QCheckBox::toggled, date, &QWidget::setEnabled);
    layout->addWidget(set);
    layout->addWidget(date);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() == QDialog::Accepted)
        document.setExpectedDate(set->isChecked() ? date->date() : QDate());
}

void receive(OrderWindow &order)
{
    OrderDocument &document = order.document();
    if (OrderState::linesDue(document.record()).isEmpty()) {
        Prompts::information(QStringLiteral("Cette commande n'a aucune ligne avec une quantité."));
        return;
    }
    ReceptionDialog dialog(document.record(), &order);
    if (dialog.exec() == QDialog::Accepted)
        document.recordReception(dialog.reception());
}

} // namespace

void addTo(QMenu *menu, OrderWindow &order)
{
    menu->addSeparator();
    const auto add = [&](const char *name, const QString &text, const QString &hint, auto command) {
        auto *a = new QAction(text, menu);
        a->setObjectName(QString::fromLatin1(name));
        a->setStatusTip(hint);
        QObject::connect(a, &QAction::triggered, menu,
                         [&order, command] { Application::run([&] { command(order); }); });
        menu->addAction(a);
        return a;
    };
    add("MarkSentAction", QStringLiteral("Marquer comme envo&yée"),
        QStringLiteral("Noter que la commande a été passée par téléphone ou remise en main propre"),
        [](OrderWindow &o) { o.document().recordSending(OrderLife::Channel::Other); });
    add("ExpectedDateAction", QStringLiteral("Livraison pré&vue..."),
        QStringLiteral("Date à laquelle la livraison est attendue"), askExpectedDate);
    add("ReceptionAction", QStringLiteral("Récept&ion..."),
        QStringLiteral("Enregistrer les quantités reçues"), receive);
    QAction *settle = add("SettleAction", QStringLiteral("S&older la commande"),
                          QStringLiteral("Le reste ne sera jamais livré"), [](OrderWindow &o) {
                              const bool settled =
                                  o.document().record().life.closing == OrderLife::Closing::Settled;
                              o.document().setClosing(settled ? OrderLife::Closing::Open
                                                              : OrderLife::Closing::Settled);
                          });
    QAction *cancel = add("CancelOrderAction", QStringLiteral("&Annuler la commande"),
                          QStringLiteral("La commande ne sera pas livrée"), [](OrderWindow &o) {
                              const bool cancelled = o.document().record().life.closing ==
                                                     OrderLife::Closing::Cancelled;
                              o.document().setClosing(cancelled ? OrderLife::Closing::Open
                                                                : OrderLife::Closing::Cancelled);
                          });
    // Checked while the order is so: choosing it again takes it back.
    for (QAction *a : {settle, cancel})
        a->setCheckable(true);
    QObject::connect(menu, &QMenu::aboutToShow, menu, [&order, settle, cancel] {
        const OrderLife::Closing closing = order.document().record().life.closing;
        settle->setChecked(closing == OrderLife::Closing::Settled);
        cancel->setChecked(closing == OrderLife::Closing::Cancelled);
    });
}

} // namespace OrderLifeCommands
