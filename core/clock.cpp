#include "core/clock.h"

namespace Clock {

namespace {

Source &source()
{
    static Source s;
    return s;
}

Setter &setter()
{
    static Setter s;
    return s;
}

} // namespace

QDateTime now()
{
    return source() ? source()() : QDateTime::currentDateTime();
}

QDate today()
{
    return now().date();
}

Source setSource(Source s)
{
    Source previous = std::move(source());
    source() = std::move(s);
    return previous;
}

Setter setSetter(Setter s)
{
    Setter previous = std::move(setter());
    setter() = std::move(s);
    return previous;
}

bool setSystemTime(const QDateTime &utc, QString &reason)
{
    reason.clear();
    if (setter() && setter()(utc, reason))
        return true;
    if (reason.isEmpty())
        reason = QStringLiteral("Impossible de régler l'horloge de l'ordinateur");
    return false;
}

} // namespace Clock
