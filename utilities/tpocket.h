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

    const PocketCalculator &calculator() const { return m_calculator; }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void FormActivate();
    void FormKeyPress(QChar key);
    void buttonClick(int key);
    void refresh();

    PocketCalculator m_calculator;
    QLabel *m_label1;
    QPushButton *m_buttons[20] = {};
};
