#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <functional>

// The program's view of the computer's clock. Tests replace the source so that nothing depends
// on the real date, and replace the setter so that nothing touches the real clock.
namespace Clock {

QDateTime now();
QDate today();

using Source = std::function<QDateTime()>;
Source setSource(Source source); // empty = the system clock; gives back the previous one

// Sets the computer's clock from a universal time. Returns false when the clock was not set,
// with the reason, in French for the user, in `reason`. The program installs the system's time
// service at start-up; without a setter nothing can be set.
using Setter = std::function<bool(const QDateTime &utc, QString &reason)>;
Setter setSetter(Setter setter); // gives back the previous one
bool setSystemTime(const QDateTime &utc, QString &reason);

} // namespace Clock
