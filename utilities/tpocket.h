// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/basedialog.h"
#include "utilities/pocketcalculator.h"

class QLabel;
class QPushButton;

// "Calculatrice": the pocket calculator. Created once; every showing starts on an empty
// display. Errors of a key are told by the general error report.
class TPocket : public BaseDialog {
    Q_OBJECT
public:
    explicit TPocket(QWidget *parent = nullptr);

    const PocketCalculator &calculator() const { return Calculator; }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void FormActivate();
    void FormKeyPress(QChar key);
    // The keypad: Button0 to Button9 the digits, then ",", "=", "+", "-", "*", "/", "1/x",
    // "sqr", "C" and "Fermer", numbered as the calculator's keys.
    void Button0Click() { press(0); }
    void Button1Click() { press(1); }
    void Button2Click() { press(2); }
    void Button3Click() { press(3); }
    void Button4Click() { press(4); }
    void Button5Click() { press(5); }
    void Button6Click() { press(6); }
    void Button7Click() { press(7); }
    void Button8Click() { press(8); }
    void Button9Click() { press(9); }
    void Button10Click() { press(PocketCalculator::Comma); }
    void Button11Click() { press(PocketCalculator::Equals); }
    void Button12Click() { press(PocketCalculator::Plus); }
    void Button13Click() { press(PocketCalculator::Minus); }
    void Button14Click() { press(PocketCalculator::Times); }
    void Button15Click() { press(PocketCalculator::Divide); }
    void Button16Click() { press(PocketCalculator::Reciprocal); }
    void Button17Click() { press(PocketCalculator::SquareRoot); }
    void Button18Click() { press(PocketCalculator::Clear); }
    void Button19Click();
    void press(int key);
    QPushButton *button(int key) const;
    void refresh();

    PocketCalculator Calculator;
    QLabel *Label1;
    QPushButton *Button0, *Button1, *Button2, *Button3, *Button4, *Button5, *Button6, *Button7,
        *Button8, *Button9, *Button10, *Button11, *Button12, *Button13, *Button14, *Button15,
        *Button16, *Button17, *Button18, *Button19;
};
