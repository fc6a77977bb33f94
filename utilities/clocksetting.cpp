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

int digitsAt(const QString &text, int position, int length)
{
    return NumberText::toInteger(text.mid(position, length));
}

} // namespace

void ClockSetting::tick()
{
    const QDateTime now = Clock::now().toLocalTime();
    Time = now.time().toString(QStringLiteral("hh:mm:ss"));
    Date = now.date().toString(QStringLiteral("dd/MM/yyyy"));
}

void ClockSetting::activate()
{
    SettingMode = false;
    tick();
}

void ClockSetting::spin(int step)
{
    if (ChosenField == NoField)
        return;
    const Span span = spanOf(ChosenField);
    QString &text = span.inDate ? Date : Time;
    const QString digits = text.mid(span.position, span.length);
    int value = NumberText::toInteger(digits);
    if (ChosenField == Year && value < 100)
        value += 1900; // a two-digit year is of the 1900s
    value = std::clamp(value + step, span.lowest, span.highest);
    text.replace(span.position, digits.size(),
                 QStringLiteral("%1").arg(value, span.length, 10, QLatin1Char('0')));
}

ClockSetting::Outcome ClockSetting::toggleSetting()
{
    if (!SettingMode) {
        SettingMode = true;
        return Outcome::Stopped;
    }
    const Outcome outcome = Modifie();
    if (outcome != Outcome::Invalid) {
        SettingMode = false;
        tick();
    }
    return outcome;
}

ClockSetting::Outcome ClockSetting::Modifie()
{
    Refusal.clear();
    const QDateTime utc = displayedUtc(Time, Date);
    if (!utc.isValid())
        return Outcome::Invalid;
    return Clock::setSystemTime(utc, Refusal) ? Outcome::Applied : Outcome::Refused;
}

QDateTime ClockSetting::displayedUtc(const QString &time, const QString &date)
{
    const int year = digitsAt(date, 6, 4);
    const int month = digitsAt(date, 3, 2);
    const int day = digitsAt(date, 0, 2);
    const int hour = digitsAt(time, 0, 2);
    const int minute = digitsAt(time, 3, 2);
    const int second = digitsAt(time, 6, 2);
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
