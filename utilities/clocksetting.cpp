// SPDX-License-Identifier: GPL-3.0-or-later
#include "utilities/clocksetting.h"

#include "core/clock.h"
#include "core/numbertext.h"

#include <algorithm>

namespace {

struct Span {
    bool inDate;
    int position;
    int length;
    int lowest;
    int highest;
};

Span spanOf(ClockSetting::Field field)
{
    switch (field) {
    case ClockSetting::Hour:
        return {false, 0, 2, 0, 24};
    case ClockSetting::Minute:
        return {false, 3, 2, 0, 59};
    case ClockSetting::Day:
        return {true, 0, 2, 0, 31};
    case ClockSetting::Month:
        return {true, 3, 2, 0, 12};
    case ClockSetting::Year:
    default:
        return {true, 6, 4, 1900, 2099};
    }
}

Result<int> digitsAt(const QString &text, int position, int length)
{
    const QString digits = text.mid(position, length);
    int value = 0;
    if (!NumberText::tryToInteger(digits, value))
        return Failure::notAnInteger(digits);
    return value;
}

} // namespace

void ClockSetting::tick()
{
    const QDateTime now = Clock::now().toLocalTime();
    m_time = now.time().toString(QStringLiteral("hh:mm:ss"));
    m_date = now.date().toString(QStringLiteral("dd/MM/yyyy"));
}

void ClockSetting::activate()
{
    m_setting = false;
    tick();
}

Status ClockSetting::spin(int step)
{
    if (m_field == NoField)
        return {};
    const Span span = spanOf(m_field);
    QString &text = span.inDate ? m_date : m_time;
    const QString digits = text.mid(span.position, span.length);
    int value = 0;
    if (!NumberText::tryToInteger(digits, value))
        return Failure::notAnInteger(digits);
    if (m_field == Year && value < 100)
        value += 1900; // a two-digit year is of the 1900s
    value = std::clamp(value + step, span.lowest, span.highest);
    text.replace(span.position, digits.size(),
                 QStringLiteral("%1").arg(value, span.length, 10, QLatin1Char('0')));
    return {};
}

Result<ClockSetting::Outcome> ClockSetting::toggleSetting()
{
    if (!m_setting) {
        m_setting = true;
        return Outcome::Stopped;
    }
    const Result<Outcome> outcome = applyToComputer();
    if (outcome && *outcome != Outcome::Invalid) {
        m_setting = false;
        tick();
    }
    return outcome;
}

Result<ClockSetting::Outcome> ClockSetting::applyToComputer()
{
    m_refusal.clear();
    const Result<QDateTime> utc = displayedUtc(m_time, m_date);
    if (!utc)
        return utc.failure();
    if (!utc->isValid())
        return Outcome::Invalid;
    const Status set = Clock::setSystemTime(*utc);
    if (!set) {
        m_refusal = set.message();
        return Outcome::Refused;
    }
    return Outcome::Applied;
}

Result<QDateTime> ClockSetting::displayedUtc(const QString &time, const QString &date)
{
    // The first field that does not read is the one told: year, month, day, hour, minute, second.
    const struct {
        const QString &text;
        int position;
        int length;
    } fields[] = {{date, 6, 4}, {date, 3, 2}, {date, 0, 2},
                  {time, 0, 2}, {time, 3, 2}, {time, 6, 2}};
    int values[6] = {};
    for (int i = 0; i < 6; ++i) {
        const Result<int> read = digitsAt(fields[i].text, fields[i].position, fields[i].length);
        if (!read)
            return read.failure();
        values[i] = *read;
    }
    const auto [year, month, day, hour, minute, second] = values;
    QDate d(year, month, day);
    if (!d.isValid() || year < 1900 || year > 2099 || hour < 0 || hour > 24)
        return QDateTime();
    const QTime t(hour % 24, minute, second);
    if (!t.isValid())
        return QDateTime();
    if (hour == 24)
        d = d.addDays(1);
    const QDateTime local(d, t, Qt::LocalTime);
    // A local time skipped by a change to summer time does not exist.
    if (!local.isValid() || local.time() != t || local.date() != d)
        return QDateTime();
    return local.toUTC();
}
