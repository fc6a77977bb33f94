#pragma once

#include <QDialog>

// "Rechercher": finds an order by its number (its search field is still to come).
class TFindDialog : public QDialog {
    Q_OBJECT
public:
    explicit TFindDialog(QWidget *parent = nullptr);
};
