// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/result.h"

#include <QDate>
#include <QDateTime>
#include <QString>

// The program's view of the computer's clock, through the platform in use (core/platform.h):
// tests hold it still and record what would have been set.
namespace Clock {

QDateTime now();
QDate today();

// Sets the computer's clock from a universal time. When the clock was not set, the failure says
// why, in French for the user.
Status setSystemTime(const QDateTime &utc);

} // namespace Clock
