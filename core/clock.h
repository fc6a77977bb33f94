#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

// The program's view of the computer's clock, through the platform in use (core/platform.h):
// tests hold it still and record what would have been set.
namespace Clock {

QDateTime now();
QDate today();

// Sets the computer's clock from a universal time. Returns false when the clock was not set,
// with the reason, in French for the user, in `reason`.
bool setSystemTime(const QDateTime &utc, QString &reason);

} // namespace Clock
