#include "suppliers/tffour.h"

#include "gui/fieldguard.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFFour::TFFour(QWidget *parent) : OutcomeDialog(parent)
{
    setObjectName(QStringLiteral("TFFour"));
    setWindowTitle(QStringLiteral("Fournisseurs"));

    auto *codeLabel = new QLabel(QStringLiteral("Code fournisseur"), this);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setReadOnly(true);
    Edit1->setFocusPolicy(Qt::ClickFocus); // shown only: Tab goes past it
    Edit1->setMaximumWidth(80);

    auto *panel = new QGroupBox(QStringLiteral("Coordonnées du fournisseur"), this);
    panel->setObjectName(QStringLiteral("Panel1"));
    auto *panelLayout = new QVBoxLayout(panel);
    QLineEdit **edits[] = {&Edit2, &Edit3, &Edit4, &Edit5};
    for (int k = 0; k < 4; ++k) {
        auto *edit = new QLineEdit(panel);
        edit->setObjectName(QStringLiteral("Edit%1").arg(k + 2));
        edit->setMinimumWidth(260);
        panelLayout->addWidget(edit);
        connect(edit, &QLineEdit::returnPressed, this, &TFFour::Button2Click);
        *edits[k] = edit;
    }

    QHBoxLayout *buttons = makeButtonRow(Button1, Button2);
    connect(Button1, &QPushButton::clicked, this, &TFFour::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFFour::Button2Click);

    auto *codeRow = new QHBoxLayout;
    codeRow->addWidget(codeLabel);
    codeRow->addWidget(Edit1);
    codeRow->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(codeRow);
    layout->addWidget(panel);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    FieldGuard::guardAll(this); // the record goes into the supplier file as typed
}

void TFFour::Init(const QString &code)
{
    Edit1->setText(code);
    for (QLineEdit *edit : {Edit2, Edit3, Edit4, Edit5})
        edit->clear();
}

void TFFour::Result(std::array<QString, 4> &address) const
{
    for (QString &line : address)
        line.clear();
    if (!confirmed())
        return;
    address = {Edit2->text(), Edit3->text(), Edit4->text(), Edit5->text()};
}

void TFFour::showEvent(QShowEvent *event)
{
    OutcomeDialog::showEvent(event);
    Edit2->setFocus(Qt::OtherFocusReason);
}

void TFFour::Button1Click()
{
    recordCancel();
}

void TFFour::Button2Click()
{
    recordOk();
}
