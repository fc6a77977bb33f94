// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/result.h"

#include <QDateTime>
#include <QString>

// The clock window's displays and the setting of the computer's clock from them. The time
// display reads "hh:mm:ss", the date display "dd/mm/yyyy", both in local time.
class ClockSetting {
public:
    enum Field { NoField = -1, Hour, Minute, Day, Month, Year };

    // What the second press of "Set" came to.
    enum class Outcome {
        Stopped, // first press: the clock is stopped for setting
        Applied, // the computer's clock was set
        Invalid, // the displays do not make a date and time; nothing was set
        Refused  // the system refused to set its clock; refusal() says why
    };

    // Shows the current time and date.
    void tick();
    // Opening the window: leaves setting mode and shows the current time.
    void activate();

    void setField(Field field) { m_field = field; }
    Field field() const { return m_field; }

    // Step the chosen field by one, clamped; no field chosen changes nothing. Digits that do
    // not read as a number give the integer conversion failure and change nothing.
    Status spinUp() { return spin(+1); }
    Status spinDown() { return spin(-1); }

    // "Set": the first press stops the clock, the second writes the displays into the
    // computer's clock (applyToComputer). An invalid date or time stays on display for correction.
    // Displays whose digits do not read as numbers give the integer conversion failure.
    Result<Outcome> toggleSetting();
    Result<Outcome> applyToComputer();

    // The universal time the displays stand for, or an invalid QDateTime when they make no
    // moment. Hour 24 is midnight at the end of the day shown. Digits that do not read as a
    // number give the integer conversion failure.
    static Result<QDateTime> displayedUtc(const QString &time, const QString &date);

    // Why the last second press did not set the clock, in French for the user.
    const QString &refusal() const { return m_refusal; }

    bool settingMode() const { return m_setting; }
    bool timerEnabled() const { return !m_setting; }
    const QString &timeText() const { return m_time; }
    const QString &dateText() const { return m_date; }
    void setTexts(const QString &time, const QString &date)
    {
        m_time = time;
        m_date = date;
    }

private:
    Status spin(int step);

    QString m_time;
    QString m_date;
    QString m_refusal;
    Field m_field = NoField;
    bool m_setting = false;
};
