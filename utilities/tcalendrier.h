#pragma once

#include <QDialog>

// "Calendrier": the perpetual calendar (its month grid is still to come).
class TCalendrier : public QDialog {
    Q_OBJECT
public:
    explicit TCalendrier(QWidget *parent = nullptr);
};
