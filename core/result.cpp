// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/result.h"

Failure Failure::notAnInteger(const QString &text)
{
    return Failure(QStringLiteral("'%1' n'est pas une valeur entière correcte").arg(text));
}

Failure Failure::notAReal(const QString &text)
{
    return Failure(QStringLiteral("'%1' n'est pas une valeur flottante correcte").arg(text));
}

Failure Failure::notADate(const QString &text)
{
    return Failure(QStringLiteral("'%1' n'est pas une date correcte").arg(text));
}

Failure Failure::overflow()
{
    return Failure(QStringLiteral("Débordement flottant"));
}

Failure Failure::divisionByZero()
{
    return Failure(QStringLiteral("Division flottante par zéro"));
}

Failure Failure::invalidOperation()
{
    return Failure(QStringLiteral("Opération flottante incorrecte"));
}

Failure Failure::cannotCreate(const QString &fileName, const QString &cause)
{
    QString message = QStringLiteral("Ne peut créer le fichier %1").arg(fileName);
    if (!cause.isEmpty())
        message += QStringLiteral(" : ") + cause + QLatin1Char('.');
    return Failure(message, cause);
}

Failure Failure::noPrinter()
{
    return Failure(
        QStringLiteral("L'impression a échoué : aucune imprimante par défaut sélectionnée."));
}
