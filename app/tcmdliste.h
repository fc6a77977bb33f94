#pragma once

#include <QDialog>

// "Liste des commandes": the orders of the book, one per line (its list is still to come).
class TCmdListe : public QDialog {
    Q_OBJECT
public:
    explicit TCmdListe(QWidget *parent = nullptr);
};
