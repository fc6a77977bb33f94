#include "core/commanderror.h"

CommandError CommandError::notAnInteger(const QString &text)
{
    return CommandError(QStringLiteral("'%1' n'est pas une valeur entière correcte").arg(text));
}

CommandError CommandError::notAReal(const QString &text)
{
    return CommandError(QStringLiteral("'%1' n'est pas une valeur flottante correcte").arg(text));
}

CommandError CommandError::notADate(const QString &text)
{
    return CommandError(QStringLiteral("'%1' n'est pas une date correcte").arg(text));
}

CommandError CommandError::overflow()
{
    return CommandError(QStringLiteral("Débordement flottant"));
}

CommandError CommandError::divisionByZero()
{
    return CommandError(QStringLiteral("Division flottante par zéro"));
}

CommandError CommandError::invalidOperation()
{
    return CommandError(QStringLiteral("Opération flottante incorrecte"));
}

CommandError CommandError::cannotCreate(const QString &fileName)
{
    return CommandError(QStringLiteral("Ne peut créer le fichier %1").arg(fileName));
}
