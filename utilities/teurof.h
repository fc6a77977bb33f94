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
class TEurof : public BaseDialog {
    Q_OBJECT
public:
    explicit TEurof(QWidget *parent = nullptr);

    // The rate value (francs per euro x 100000) and the direction (1 "Fr>Euro", 2 "Euro>Fr")
    // exchanged with the settings.
    void GetIni(Real &rate, int &direction) const;
    void SetIni(Real rate, int direction);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormActivate();
    void FormKeyPress(QChar key);
    // The keypad: the digits, then "," (Button12).
    void Button0Click() { keypad(QLatin1Char('0')); }
    void Button1Click() { keypad(QLatin1Char('1')); }
    void Button2Click() { keypad(QLatin1Char('2')); }
    void Button3Click() { keypad(QLatin1Char('3')); }
    void Button4Click() { keypad(QLatin1Char('4')); }
    void Button5Click() { keypad(QLatin1Char('5')); }
    void Button6Click() { keypad(QLatin1Char('6')); }
    void Button7Click() { keypad(QLatin1Char('7')); }
    void Button8Click() { keypad(QLatin1Char('8')); }
    void Button9Click() { keypad(QLatin1Char('9')); }
    void Button12Click() { keypad(QLatin1Char(',')); }
    void keypad(QChar digit);
    void Button10Click();
    void Button11Click();
    void SpinButton1UpClick();
    void SpinButton1DownClick();
    void directionChosen();
    void refresh();

    EuroConverter Converter;
    QLabel *Label1;
    QLabel *Label2;
    QLineEdit *Edit3;
    QRadioButton *RadioButton1;
    QRadioButton *RadioButton2;
    QPushButton *Button10;
    QPushButton *Button11;
    SpinButton *SpinButton1;
};
