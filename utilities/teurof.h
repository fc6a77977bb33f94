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

    EuroConverter &converter() { return m_converter; }

    // The rate value (francs per euro x 100000) and the direction (1 "Fr>Euro", 2 "Euro>Fr")
    // exchanged with the settings.
    void GetIni(Real &rate, int &direction) const;
    void SetIni(Real rate, int direction);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormKeyPress(QChar key);
    void keypadClick(QChar digit);
    void Button11Click();
    void SpinButton1UpClick();
    void SpinButton1DownClick();
    void directionChosen();
    void refresh();

    EuroConverter m_converter;
    QLabel *m_label1;
    QLabel *m_label2;
    QLineEdit *m_edit3;
    QRadioButton *m_radioButton1;
    QRadioButton *m_radioButton2;
    QPushButton *m_button10;
    QPushButton *m_button11;
    SpinButton *m_spinButton1;
};
