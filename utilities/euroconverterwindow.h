// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/real48.h"
#include "gui/basedialog.h"
#include "utilities/euroconverter.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class SpinButton;

// "Euro convertisseur": converts an amount typed on the keypad or the keyboard between francs
// and euros at its own rate. Created once; entry, result and rate last for the whole run.
class EuroConverterWindow : public BaseDialog {
    Q_OBJECT
public:
    explicit EuroConverterWindow(QWidget *parent = nullptr);

    // The rate value (francs per euro x 100000) and the direction (1 "Fr>Euro", 2 "Euro>Fr")
    // exchanged with the settings.
    void rateAndDirection(Real &rate, int &direction) const;
    void setRateAndDirection(Real rate, int direction);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void prepareShowing();
    void typeKey(QChar key);
    // The keypad: the digits, then ",".
    void digit0Clicked() { keypad(QLatin1Char('0')); }
    void digit1Clicked() { keypad(QLatin1Char('1')); }
    void digit2Clicked() { keypad(QLatin1Char('2')); }
    void digit3Clicked() { keypad(QLatin1Char('3')); }
    void digit4Clicked() { keypad(QLatin1Char('4')); }
    void digit5Clicked() { keypad(QLatin1Char('5')); }
    void digit6Clicked() { keypad(QLatin1Char('6')); }
    void digit7Clicked() { keypad(QLatin1Char('7')); }
    void digit8Clicked() { keypad(QLatin1Char('8')); }
    void digit9Clicked() { keypad(QLatin1Char('9')); }
    void commaClicked() { keypad(QLatin1Char(',')); }
    void keypad(QChar digit);
    void closeClicked();
    void convertClicked();
    void rateUp();
    void rateDown();
    void directionChosen();
    void refresh();

    EuroConverter m_converter;
    QLabel *m_entry;
    QLabel *m_result;
    QLineEdit *m_rate;
    QRadioButton *m_francsToEuros;
    QRadioButton *m_eurosToFrancs;
    QPushButton *m_closeButton;
    QPushButton *m_convertButton;
    SpinButton *m_rateButton;
};
