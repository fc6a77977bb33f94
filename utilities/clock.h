#pragma once

#include <QDate>
#include <QDateTime>
#include <functional>

// The program's view of the computer's clock. Tests replace the source so that nothing depends
// on the real date, and replace the setter so that nothing touches the real clock.
namespace Clock {

QDateTime now();
QDate today();

using Source = std::function<QDateTime()>;
Source setSource(Source source); // empty = the system clock; gives back the previous one

// Sets the computer's clock from a universal time. Returns false when the system refuses.
using Setter = std::function<bool(const QDateTime &utc)>;
Setter setSetter(Setter setter); // empty = the system call
bool setSystemTime(const QDateTime &utc);

} // namespace Clock
