#pragma once

#include <QDialog>

// "Horloge": the clock and the setting of the computer's time (still to come).
class THorloge : public QDialog {
    Q_OBJECT
public:
    explicit THorloge(QWidget *parent = nullptr);
};
