#pragma once

#include <QDialog>

// "Mise en page": paper type and envelope set-up (its controls are still to come).
class TMPage : public QDialog {
    Q_OBJECT
public:
    explicit TMPage(QWidget *parent = nullptr);
};
