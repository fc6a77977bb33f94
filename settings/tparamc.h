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
// whether the converted total is shown, and five payment terms. Filled by Init, read back by
// Result, which hands values back only when the dialog was last closed with OK.
class TParamc : public OutcomeDialog {
    Q_OBJECT
public:
    explicit TParamc(QWidget *parent = nullptr);

    void Init(int euroMode, int singleCurrency, Real euroRate, Real vat1, Real vat2, Real vat3,
              const QStringList &paymentTerms);
    void Result(Real &euroRate, Real &vat1, Real &vat2, Real &vat3, int &euroMode,
                int &singleCurrency, QStringList &paymentTerms) const;

    // How the dialog was last closed: OK (or Enter in a rate field) is true; "Annuler" and
    // Escape are false; the close box leaves it as it was.

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool FormKeyPress(QKeyEvent *event, QLineEdit *edit);
    void Button1Click();
    void Button2Click();

    // Edit1 the euro rate, Edit2 to Edit4 the VAT rates, Edit5 to Edit9 the payment terms.
    std::array<QLineEdit *, 9> edits() const;

    QLineEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit5, *Edit6, *Edit7, *Edit8, *Edit9;
    QGroupBox *RadioGroup1;
    QRadioButton *Franc;
    QRadioButton *Euro;
    QCheckBox *CheckBox1;
    QPushButton *Button1;
    QPushButton *Button2;
};
