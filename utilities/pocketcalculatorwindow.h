// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/basedialog.h"
#include "utilities/pocketcalculator.h"

class QLabel;
class QPushButton;

// "Calculatrice": the pocket calculator. Created once; every showing starts on an empty
// display. Errors of a key are told by the general error report.
class PocketCalculatorWindow : public BaseDialog {
    Q_OBJECT
public:
    explicit PocketCalculatorWindow(QWidget *parent = nullptr);

    const PocketCalculator &calculator() const { return m_calculator; }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void prepareShowing();
    void typeKey(QChar key);
    // The keypad: m_digit0 to m_digit9 the digits, then ",", "=", "+", "-", "*", "/", "1/x",
    // "sqr", "C" and "Fermer", numbered as the calculator's keys.
    void digit0Clicked() { press(0); }
    void digit1Clicked() { press(1); }
    void digit2Clicked() { press(2); }
    void digit3Clicked() { press(3); }
    void digit4Clicked() { press(4); }
    void digit5Clicked() { press(5); }
    void digit6Clicked() { press(6); }
    void digit7Clicked() { press(7); }
    void digit8Clicked() { press(8); }
    void digit9Clicked() { press(9); }
    void commaClicked() { press(PocketCalculator::Comma); }
    void equalsClicked() { press(PocketCalculator::Equals); }
    void plusClicked() { press(PocketCalculator::Plus); }
    void minusClicked() { press(PocketCalculator::Minus); }
    void timesClicked() { press(PocketCalculator::Times); }
    void divideClicked() { press(PocketCalculator::Divide); }
    void reciprocalClicked() { press(PocketCalculator::Reciprocal); }
    void squareRootClicked() { press(PocketCalculator::SquareRoot); }
    void clearClicked() { press(PocketCalculator::Clear); }
    void closeClicked();
    void press(int key);
    QPushButton *button(int key) const;
    void refresh();

    PocketCalculator m_calculator;
    QLabel *m_display;
    QPushButton *m_digit0, *m_digit1, *m_digit2, *m_digit3, *m_digit4, *m_digit5, *m_digit6,
        *m_digit7, *m_digit8, *m_digit9, *m_commaKey, *m_equalsKey, *m_plusKey, *m_minusKey,
        *m_timesKey, *m_divideKey, *m_reciprocalKey, *m_squareRootKey, *m_clearKey, *m_closeKey;
};
