#include "utilities/clock.h"

#include <ctime>
#include <sys/time.h>

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

bool systemSetTime(const QDateTime &utc)
{
    if (!utc.isValid())
        return false;
    timeval tv{};
    tv.tv_sec = static_cast<time_t>(utc.toSecsSinceEpoch());
    tv.tv_usec = 0;
    return settimeofday(&tv, nullptr) == 0;
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

bool setSystemTime(const QDateTime &utc)
{
    return setter() ? setter()(utc) : systemSetTime(utc);
}

} // namespace Clock
