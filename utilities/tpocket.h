#pragma once

#include <QDialog>

// "Calculatrice": the pocket calculator (its keypad is still to come).
class TPocket : public QDialog {
    Q_OBJECT
public:
    explicit TPocket(QWidget *parent = nullptr);
};
