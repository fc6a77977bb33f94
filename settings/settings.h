// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/real48.h"

#include <QString>
#include <QStringList>
#include <array>

// The program-wide settings, in the order the settings file holds them.
struct Settings {
    Real converterRate = 0;     // the euro converter's rate, francs per euro x 100000
    int converterDirection = 0; // 1 "Fr>Euro", 2 "Euro>Fr", 0 none; never stored in the file
    Real euroRate = 6.55957L;   // francs per euro, for the orders' second-currency total
    std::array<Real, 3> vatRates{20.6L, 0.0L, 5.5L}; // rates of the VAT codes 1, 2 and 3
    QString autoOpenFileName; // the order file opened at start when autoOpen is 1
    int autoOpen = 0;
    int euroMode = 0;       // non-zero: the orders' amounts are in euros
    int singleCurrency = 0; // non-zero: the total in the other currency is not shown
    QStringList paymentTerms{QStringLiteral("A réception"), QStringLiteral("Réglement à 30 jours"),
                             QStringLiteral("Réglement à 60 jours"),
                             QStringLiteral("Réglement à 90 jours"),
                             QStringLiteral("En votre aimable réglement")};
};
