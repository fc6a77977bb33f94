// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/tparamc.h"

#include "core/numbertext.h"
#include "gui/fieldguard.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int RateEdits = 4; // Edit1 to Edit4 hold numbers; Edit5 to Edit9 payment terms

// Rates take digits and the decimal comma only, so no sign, letter or exponent: a point is
// taken as the comma; a null QChar refuses the character.
QChar rateCharacter(QChar c)
{
    if (c == QLatin1Char('.'))
        return QLatin1Char(',');
    return QStringLiteral("0123456789,").contains(c) ? c : QChar();
}

} // namespace

TParamc::TParamc(QWidget *parent) : OutcomeDialog(parent)
{
    setObjectName(QStringLiteral("Paramc"));
    setWindowTitle(QStringLiteral("Paramètres de la commande"));

    QLineEdit **const places[] = {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5,
                                  &Edit6, &Edit7, &Edit8, &Edit9};
    for (int k = 0; k < 9; ++k) {
        *places[k] = new QLineEdit(this);
        (*places[k])->setObjectName(QStringLiteral("Edit%1").arg(k + 1));
    }
    const auto fields = edits();
    for (int k = 0; k < RateEdits; ++k) {
        fields[k]->installEventFilter(this);
        // Pasted or dropped text follows the keys' rule: "-5,5" is no rate either.
        FieldGuard::guard(fields[k], rateCharacter);
    }

    auto *rateRow = new QFormLayout;
    rateRow->addRow(new QLabel(QStringLiteral("Taux de l'euro"), this), Edit1);
    Edit1->setAccessibleName(QStringLiteral("Taux de l'euro"));

    auto *vatGroup = new QGroupBox(QStringLiteral("Taux de TVA"), this);
    vatGroup->setObjectName(QStringLiteral("GroupBox1"));
    auto *vatLayout = new QFormLayout(vatGroup);
    for (int k = 1; k <= 3; ++k)
        vatLayout->addRow(new QLabel(QStringLiteral("Taux %1").arg(k), vatGroup), fields[k]);

    RadioGroup1 = new QGroupBox(QStringLiteral("Devise"), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    Franc = new QRadioButton(QStringLiteral("Franc"), RadioGroup1);
    Franc->setObjectName(QStringLiteral("RadioGroup1Franc"));
    Euro = new QRadioButton(QStringLiteral("Euro"), RadioGroup1);
    Euro->setObjectName(QStringLiteral("RadioGroup1Euro"));
    Franc->setChecked(true);
    auto *currencyLayout = new QVBoxLayout(RadioGroup1);
    currencyLayout->addWidget(Franc);
    currencyLayout->addWidget(Euro);

    CheckBox1 = new QCheckBox(QStringLiteral("Omettre conversion"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));

    auto *termsGroup = new QGroupBox(QStringLiteral("Conditions de paiement"), this);
    termsGroup->setObjectName(QStringLiteral("GroupBox2"));
    auto *termsLayout = new QVBoxLayout(termsGroup);
    for (int k = RateEdits; k < int(fields.size()); ++k) {
        fields[k]->setMinimumWidth(260);
        termsLayout->addWidget(fields[k]);
    }

    // Neither button is a default button: Enter confirms only from a rate field.
    Button1 = new QPushButton(QStringLiteral("Annuler"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    Button2 = new QPushButton(QStringLiteral("OK"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button2);
    buttons->addWidget(Button1);

    auto *left = new QVBoxLayout;
    left->addLayout(rateRow);
    left->addWidget(vatGroup);
    left->addWidget(RadioGroup1);
    left->addWidget(CheckBox1);
    left->addStretch();
    auto *columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addWidget(termsGroup);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button1, &QPushButton::clicked, this, &TParamc::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TParamc::Button2Click);
    FieldGuard::guardAll(this); // each payment term is one line of the settings file
}

std::array<QLineEdit *, 9> TParamc::edits() const
{
    return {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9};
}

void TParamc::Init(int euroMode, int singleCurrency, Real euroRate, Real vat1, Real vat2, Real vat3,
                   const QStringList &paymentTerms)
{
    const auto fields = edits();
    for (QLineEdit *edit : fields)
        edit->clear();
    Edit1->setText(NumberText::fixed(euroRate, 5));
    Edit2->setText(NumberText::fixed(vat1, 2));
    Edit3->setText(NumberText::fixed(vat2, 2));
    Edit4->setText(NumberText::fixed(vat3, 2));
    for (int k = 0; k < 5 && k < paymentTerms.size(); ++k)
        fields[RateEdits + k]->setText(paymentTerms.at(k));
    (euroMode != 0 ? Euro : Franc)->setChecked(true);
    CheckBox1->setChecked(singleCurrency != 0);
}

void TParamc::Result(Real &euroRate, Real &vat1, Real &vat2, Real &vat3, int &euroMode,
                     int &singleCurrency, QStringList &paymentTerms) const
{
    if (!confirmed())
        return;
    // The rates are taken in order up to the first field that does not convert; the later
    // ones keep their values. A value out of the stored range counts as not converting.
    Real *rates[RateEdits] = {&euroRate, &vat1, &vat2, &vat3};
    const auto fields = edits();
    for (int k = 0; k < RateEdits; ++k) {
        Real value = 0;
        if (!NumberText::tryToReal(fields[k]->text(), value) || !Real48::tryStore(value, value))
            break;
        *rates[k] = value;
    }
    paymentTerms.clear();
    for (int k = RateEdits; k < int(fields.size()); ++k)
        if (!fields[k]->text().isEmpty())
            paymentTerms.append(fields[k]->text());
    euroMode = Euro->isChecked() ? 1 : 0;
    singleCurrency = CheckBox1->isChecked() ? 1 : 0;
}

void TParamc::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        Button1Click();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (QWidget *focus = focusWidget(); !focus || focus == this) {
            Button2Click();
        } else if (auto *button = qobject_cast<QPushButton *>(focus)) {
            button->click(); // a focused button takes Enter as a click
        }
        return; // Enter elsewhere (a payment term, the options) does nothing
    default:
        event->ignore();
    }
}

bool TParamc::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto fields = edits();
        for (int k = 0; k < RateEdits; ++k)
            if (watched == fields[k])
                return FormKeyPress(static_cast<QKeyEvent *>(event), fields[k]);
    }
    return OutcomeDialog::eventFilter(watched, event);
}

// Rate fields take the keys rateCharacter() lets in, a point becoming the comma. True when the
// key is consumed.
bool TParamc::FormKeyPress(QKeyEvent *event, QLineEdit *edit)
{
    switch (event->key()) {
    case Qt::Key_Backspace:
        return false;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Button2Click();
        return true;
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false;
    default:
        break;
    }
    // Shortcuts (pasting too, which the field's guard filters) and the keys that type nothing
    // (arrows, Delete, Home...) keep their meaning.
    const QString text = event->text();
    if (text.isEmpty() || (event->modifiers() & Qt::ControlModifier) || text.at(0) < QChar(32) ||
        text.at(0) == QChar(127))
        return false;
    if (text == QLatin1String(".")) {
        edit->insert(QStringLiteral(","));
        return true;
    }
    for (QChar c : text)
        if (rateCharacter(c) != c)
            return true;
    return false;
}

void TParamc::Button1Click()
{
    recordCancel();
}

void TParamc::Button2Click()
{
    recordOk();
}
