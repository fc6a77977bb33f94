#include "core/commanderror.h"

CommandError CommandError::notAnInteger(const QString &text)
{
    return CommandError(Failure::notAnInteger(text));
}

CommandError CommandError::notADate(const QString &text)
{
    return CommandError(Failure::notADate(text));
}

CommandError CommandError::notAReal(const QString &text)
{
    return CommandError(Failure::notAReal(text));
}

CommandError CommandError::overflow()
{
    return CommandError(Failure::overflow());
}

CommandError CommandError::divisionByZero()
{
    return CommandError(Failure::divisionByZero());
}

CommandError CommandError::invalidOperation()
{
    return CommandError(Failure::invalidOperation());
}

CommandError CommandError::cannotCreate(const QString &fileName)
{
    return CommandError(Failure::cannotCreate(fileName));
}
