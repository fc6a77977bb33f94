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

bool setSystemTime(const QDateTime &utc, QString &reason)
{
    const Status set = Platform::current().setTime(utc);
    reason = set ? QString() : set.message();
    if (!set && reason.isEmpty())
        reason = QStringLiteral("Impossible de régler l'horloge de l'ordinateur");
    return set.ok();
}

} // namespace Clock
