// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/real48.h"

#include "gui/outcomedialog.h"
#include <QStringList>
#include <array>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Paramètres de la commande": the euro rate, the three VAT rates, the currency of the orders,
// whether the converted total is shown, and five payment terms. Filled by load(), read back by
// apply(), which hands values back only when the dialog was last closed with OK.
class OrderParametersDialog : public OutcomeDialog {
    Q_OBJECT
public:
    explicit OrderParametersDialog(QWidget *parent = nullptr);

    void load(int euroMode, int singleCurrency, Real euroRate, Real vat1, Real vat2, Real vat3,
              const QStringList &paymentTerms);
    void apply(Real &euroRate, Real &vat1, Real &vat2, Real &vat3, int &euroMode,
               int &singleCurrency, QStringList &paymentTerms) const;

    // How the dialog was last closed: OK (or Enter in a rate field) is true; "Annuler" and
    // Escape are false; the close box leaves it as it was.

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool rateKeyPress(QKeyEvent *event, QLineEdit *edit);
    void cancelClicked();
    void okClicked();

    // m_euroRate the euro rate, m_vatRate1 to m_vatRate3 the VAT rates, m_paymentTerm1 to
    // m_paymentTerm5 the payment terms.
    std::array<QLineEdit *, 9> edits() const;

    QLineEdit *m_euroRate, *m_vatRate1, *m_vatRate2, *m_vatRate3, *m_paymentTerm1, *m_paymentTerm2,
        *m_paymentTerm3, *m_paymentTerm4, *m_paymentTerm5;
    QGroupBox *m_currency;
    QRadioButton *m_francButton;
    QRadioButton *m_euroButton;
    QCheckBox *m_showConverted;
    QPushButton *m_cancelButton;
    QPushButton *m_okButton;
};
