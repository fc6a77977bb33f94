// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/result.h"

#include <QDBusConnection>
#include <QDateTime>
#include <QString>

class QDBusError;

// Sets the computer's clock through the system's time service (org.freedesktop.timedate1 on
// the system bus). The service decides who may set the clock and, for a desktop user, has the
// desktop ask for the administrator's password; the program never sets the clock itself.
class TimeDateService {
public:
    static const QString Service;
    static const QString Path;
    static const QString Interface;

    // A password typed at the system's request may take a while: the call waits this long.
    static constexpr int AnswerTimeoutMs = 5 * 60 * 1000;

    explicit TimeDateService(const QDBusConnection &bus = QDBusConnection::systemBus(),
                             int timeoutMs = AnswerTimeoutMs);

    // Sets the clock to `utc`. A refusal says why, in French; the clock is then unchanged.
    Status setTime(const QDateTime &utc);

private:
    static QString reasonFor(const QDBusError &error);

    QDBusConnection m_bus;
    int m_timeoutMs;
};
