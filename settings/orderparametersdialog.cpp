// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/orderparametersdialog.h"

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

constexpr int RateEdits =
    4; // m_euroRate to m_vatRate3 hold numbers; m_paymentTerm1 to m_paymentTerm5 payment terms

// Rates take digits and the decimal comma only, so no sign, letter or exponent: a point is
// taken as the comma; a null QChar refuses the character.
QChar rateCharacter(QChar c)
{
    if (c == QLatin1Char('.'))
        return QLatin1Char(',');
    return QStringLiteral("0123456789,").contains(c) ? c : QChar();
}

} // namespace

OrderParametersDialog::OrderParametersDialog(QWidget *parent) : OutcomeDialog(parent)
{
    setObjectName(QStringLiteral("OrderParametersDialog"));
    setWindowTitle(QStringLiteral("Paramètres de la commande"));

    static const char *const names[] = {"EuroRate",     "VatRate1",     "VatRate2",
                                        "VatRate3",     "PaymentTerm1", "PaymentTerm2",
                                        "PaymentTerm3", "PaymentTerm4", "PaymentTerm5"};

    QLineEdit **const places[] = {&m_euroRate,     &m_vatRate1,     &m_vatRate2,
                                  &m_vatRate3,     &m_paymentTerm1, &m_paymentTerm2,
                                  &m_paymentTerm3, &m_paymentTerm4, &m_paymentTerm5};
    for (int k = 0; k < 9; ++k) {
        *places[k] = new QLineEdit(this);
        (*places[k])->setObjectName(QLatin1String(names[k]));
    }
    const auto fields = edits();
    for (int k = 0; k < RateEdits; ++k) {
        fields[k]->installEventFilter(this);
        // Pasted or dropped text follows the keys' rule: "-5,5" is no rate either.
        FieldGuard::guard(fields[k], rateCharacter);
    }

    auto *rateRow = new QFormLayout;
    rateRow->addRow(new QLabel(QStringLiteral("Taux de l'euro"), this), m_euroRate);
    m_euroRate->setAccessibleName(QStringLiteral("Taux de l'euro"));

    auto *vatGroup = new QGroupBox(QStringLiteral("Taux de TVA"), this);
    vatGroup->setObjectName(QStringLiteral("VatRates"));
    auto *vatLayout = new QFormLayout(vatGroup);
    for (int k = 1; k <= 3; ++k)
        vatLayout->addRow(new QLabel(QStringLiteral("Taux %1").arg(k), vatGroup), fields[k]);

    m_currency = new QGroupBox(QStringLiteral("Devise"), this);
    m_currency->setObjectName(QStringLiteral("Currency"));
    m_francButton = new QRadioButton(QStringLiteral("Franc"), m_currency);
    m_francButton->setObjectName(QStringLiteral("CurrencyFranc"));
    m_euroButton = new QRadioButton(QStringLiteral("Euro"), m_currency);
    m_euroButton->setObjectName(QStringLiteral("CurrencyEuro"));
    m_francButton->setChecked(true);
    auto *currencyLayout = new QVBoxLayout(m_currency);
    currencyLayout->addWidget(m_francButton);
    currencyLayout->addWidget(m_euroButton);

    m_showConverted = new QCheckBox(QStringLiteral("Omettre conversion"), this);
    m_showConverted->setObjectName(QStringLiteral("ShowConverted"));

    auto *termsGroup = new QGroupBox(QStringLiteral("Conditions de paiement"), this);
    termsGroup->setObjectName(QStringLiteral("PaymentTerms"));
    auto *termsLayout = new QVBoxLayout(termsGroup);
    for (int k = RateEdits; k < int(fields.size()); ++k) {
        fields[k]->setMinimumWidth(260);
        termsLayout->addWidget(fields[k]);
    }

    // Neither button is a default button: Enter confirms only from a rate field.
    m_cancelButton = new QPushButton(QStringLiteral("Annuler"), this);
    m_cancelButton->setObjectName(QStringLiteral("CancelButton"));
    m_cancelButton->setAutoDefault(false);
    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("OkButton"));
    m_okButton->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);

    auto *left = new QVBoxLayout;
    left->addLayout(rateRow);
    left->addWidget(vatGroup);
    left->addWidget(m_currency);
    left->addWidget(m_showConverted);
    left->addStretch();
    auto *columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addWidget(termsGroup);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_cancelButton, &QPushButton::clicked, this, &OrderParametersDialog::cancelClicked);
    connect(m_okButton, &QPushButton::clicked, this, &OrderParametersDialog::okClicked);
    FieldGuard::guardAll(this); // each payment term is one line of the settings file
}

std::array<QLineEdit *, 9> OrderParametersDialog::edits() const
{
    return {m_euroRate,     m_vatRate1,     m_vatRate2,     m_vatRate3,    m_paymentTerm1,
            m_paymentTerm2, m_paymentTerm3, m_paymentTerm4, m_paymentTerm5};
}

void OrderParametersDialog::load(int euroMode, int singleCurrency, Real euroRate, Real vat1,
                                 Real vat2, Real vat3, const QStringList &paymentTerms)
{
    const auto fields = edits();
    for (QLineEdit *edit : fields)
        edit->clear();
    m_euroRate->setText(NumberText::fixed(euroRate, 5));
    m_vatRate1->setText(NumberText::fixed(vat1, 2));
    m_vatRate2->setText(NumberText::fixed(vat2, 2));
    m_vatRate3->setText(NumberText::fixed(vat3, 2));
    for (int k = 0; k < 5 && k < paymentTerms.size(); ++k)
        fields[RateEdits + k]->setText(paymentTerms.at(k));
    (euroMode != 0 ? m_euroButton : m_francButton)->setChecked(true);
    m_showConverted->setChecked(singleCurrency != 0);
}

void OrderParametersDialog::apply(Real &euroRate, Real &vat1, Real &vat2, Real &vat3, int &euroMode,
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
    euroMode = m_euroButton->isChecked() ? 1 : 0;
    singleCurrency = m_showConverted->isChecked() ? 1 : 0;
}

void OrderParametersDialog::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        cancelClicked();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (QWidget *focus = focusWidget(); !focus || focus == this) {
            okClicked();
        } else if (auto *button = qobject_cast<QPushButton *>(focus)) {
            button->click(); // a focused button takes Enter as a click
        }
        return; // Enter elsewhere (a payment term, the options) does nothing
    default:
        event->ignore();
    }
}

bool OrderParametersDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto fields = edits();
        for (int k = 0; k < RateEdits; ++k)
            if (watched == fields[k])
                return rateKeyPress(static_cast<QKeyEvent *>(event), fields[k]);
    }
    return OutcomeDialog::eventFilter(watched, event);
}

// Rate fields take the keys rateCharacter() lets in, a point becoming the comma. True when the
// key is consumed.
bool OrderParametersDialog::rateKeyPress(QKeyEvent *event, QLineEdit *edit)
{
    switch (event->key()) {
    case Qt::Key_Backspace:
        return false;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        okClicked();
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

void OrderParametersDialog::cancelClicked()
{
    recordCancel();
}

void OrderParametersDialog::okClicked()
{
    recordOk();
}
