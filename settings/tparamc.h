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

    std::array<QLineEdit *, 9> m_edits{};
    QGroupBox *m_radioGroup1;
    QRadioButton *m_franc;
    QRadioButton *m_euro;
    QCheckBox *m_checkBox1;
    QPushButton *m_button1;
    QPushButton *m_button2;
};
