// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clock.h"

#include "core/platform.h"

namespace Clock {

QDateTime now()
{
    return Platform::current().now();
}

QDate today()
{
    return now().date();
}

Status setSystemTime(const QDateTime &utc)
{
    const Status set = Platform::current().setTime(utc);
    if (!set && set.message().isEmpty())
        return Failure(QStringLiteral("Impossible de régler l'horloge de l'ordinateur"));
    return set;
}

} // namespace Clock
