// SPDX-License-Identifier: GPL-3.0-or-later
#include "suppliers/companydialog.h"

#include "core/prompts.h"
#include "gui/fieldguard.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CompanyDialog::CompanyDialog(QWidget *parent) : OutcomeDialog(parent)
{
    setObjectName(QStringLiteral("CompanyDialog"));
    setWindowTitle(QStringLiteral("Société"));

    auto *heading = new QLabel(QStringLiteral("Lignes constituant l'en-tête de la société"), this);
    heading->setObjectName(QStringLiteral("Heading"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    QLineEdit **edits[] = {&m_line1, &m_line2, &m_line3, &m_line4, &m_line5, &m_line6, &m_line7};
    for (int k = 0; k < 7; ++k) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("CompanyLine%1").arg(k + 1));
        edit->setAccessibleName(QStringLiteral("En-tête de la société, ligne %1").arg(k + 1));
        edit->setMinimumWidth(360);
        layout->addWidget(edit);
        *edits[k] = edit;
    }

    QHBoxLayout *buttons = makeButtonRow(m_cancelButton, m_okButton);
    connect(m_cancelButton, &QPushButton::clicked, this, &CompanyDialog::cancelClicked);
    connect(m_okButton, &QPushButton::clicked, this, &CompanyDialog::okClicked);

    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    FieldGuard::guardAll(this); // each field is one line of the company file
}

std::array<QLineEdit *, 7> CompanyDialog::fields() const
{
    return {m_line1, m_line2, m_line3, m_line4, m_line5, m_line6, m_line7};
}

void CompanyDialog::load(const CompanyDetails &details)
{
    const auto edits = fields();
    for (int k = 0; k < 7; ++k)
        edits[k]->setText(details[k]);
}

void CompanyDialog::apply(CompanyDetails &details) const
{
    details[0].clear();
    if (!confirmed())
        return;
    const auto edits = fields();
    for (int k = 0; k < 7; ++k)
        details[k] = edits[k]->text();
}

void CompanyDialog::keyPressEvent(QKeyEvent *event)
{
    // Enter does not close this dialog: QDialog would look for a default button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    OutcomeDialog::keyPressEvent(event);
}

void CompanyDialog::cancelClicked()
{
    recordCancel();
}

void CompanyDialog::okClicked()
{
    recordOk();
}

void editCompany(CompanyDialog &dialog, Company &company)
{
    CompanyDetails copy = company.details;
    dialog.load(copy);
    dialog.exec();
    dialog.apply(copy);
    if (copy[0].isEmpty())
        return;
    company.details = copy;
    if (const Status saved = company.saveCompany(); !saved)
        Prompts::error(saved.message());
}
