#pragma once

#include "order/orderbook.h"
#include "pricing/real48.h"
#include "settings/settings.h"

#include <QWidget>

// The order window: shows one order of the book and owns the book's operations, the supplier
// lines, the company lines, the settings and the paper type. The main window forwards every
// order command here. Operations may throw CommandError; the general error report shows it.
//
// NOTE (team, remove when done): this is the agreed public surface. The order-window author
// implements it; the main-window author codes against it. Add to it, don't rename.
class TCommande : public QWidget, public OrderForm {
    Q_OBJECT
public:
    explicit TCommande(QWidget *parent = nullptr);
    ~TCommande() override;

    OrderBook &book();
    Settings &settings();

    // Order book (Part of the file commands of the main window)
    void Charge(const QString &fileName);
    bool Sauve(const QString &fileName); // then SauveFour
    void Nouveau();
    bool TestModif(bool &modified) const;

    // Document commands
    void Premier();
    void Precedent();
    void Suivant();
    void Dernier();
    void Ajout();
    void Supprime();
    void Copier();
    void Coller();
    void Calcule();
    void SupLigne();
    void Liste();    // order list (F2)
    void Chercher(); // search by number

    // Printing
    void Imprime();
    void ImpEnv();
    void ParM();

    // Settings, suppliers, company
    void GetIni(bool &autoOpen, QString &fileName) const;
    void SetIni(bool autoOpen);
    void SauveIni(const QString &fileName);
    void ParF();
    void GestFour();
    void SauveFour();
    void Psoc();

Q_SIGNALS:
    // "&Effacer ligne" is enabled exactly while the line grid has the focus.
    void deleteLineEnabledChanged(bool enabled);
    // The grid got the focus while the book holds fewer than two lines: enable the book
    // commands (the main window's Valide).
    void bookCommandsWanted();
};
