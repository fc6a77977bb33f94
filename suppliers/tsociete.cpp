// SPDX-License-Identifier: GPL-3.0-or-later
#include "suppliers/tsociete.h"

#include "core/prompts.h"
#include "gui/fieldguard.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TSociete::TSociete(QWidget *parent) : OutcomeDialog(parent)
{
    setObjectName(QStringLiteral("TSociete"));
    setWindowTitle(QStringLiteral("Société"));

    auto *heading = new QLabel(QStringLiteral("Lignes constituant l'en-tête de la société"), this);
    heading->setObjectName(QStringLiteral("Label1"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    QLineEdit **edits[] = {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5, &Edit6, &Edit7};
    for (int k = 0; k < 7; ++k) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("Edit%1").arg(k + 1));
        edit->setAccessibleName(QStringLiteral("En-tête de la société, ligne %1").arg(k + 1));
        edit->setMinimumWidth(360);
        layout->addWidget(edit);
        *edits[k] = edit;
    }

    QHBoxLayout *buttons = makeButtonRow(Button1, Button2);
    connect(Button1, &QPushButton::clicked, this, &TSociete::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TSociete::Button2Click);

    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    FieldGuard::guardAll(this); // each field is one line of the company file
}

std::array<QLineEdit *, 7> TSociete::fields() const
{
    return {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7};
}

void TSociete::Init(const CompanyDetails &details)
{
    const auto edits = fields();
    for (int k = 0; k < 7; ++k)
        edits[k]->setText(details[k]);
}

void TSociete::Result(CompanyDetails &details) const
{
    details[0].clear();
    if (!confirmed())
        return;
    const auto edits = fields();
    for (int k = 0; k < 7; ++k)
        details[k] = edits[k]->text();
}

void TSociete::keyPressEvent(QKeyEvent *event)
{
    // Enter does not close this dialog: QDialog would look for a default button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    OutcomeDialog::keyPressEvent(event);
}

void TSociete::Button1Click()
{
    recordCancel();
}

void TSociete::Button2Click()
{
    recordOk();
}

void Psoc(TSociete &dialog, Company &company)
{
    CompanyDetails copy = company.CompanyLines;
    dialog.Init(copy);
    dialog.exec();
    dialog.Result(copy);
    if (copy[0].isEmpty())
        return;
    company.CompanyLines = copy;
    if (const Status saved = company.SauveSoc(); !saved)
        Prompts::error(saved.message());
}
