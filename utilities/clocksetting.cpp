#include "utilities/clocksetting.h"

#include "core/clock.h"
#include "core/numbertext.h"

#include <algorithm>
#include <array>

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
    return NumberText::toInteger(text.mid(position, length));
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
    m_settingMode = false;
    tick();
}

Status ClockSetting::spin(int step)
{
    if (m_field == NoField)
        return {};
    const Span span = spanOf(m_field);
    QString &text = span.inDate ? m_date : m_time;
    const QString digits = text.mid(span.position, span.length);
    const Result<int> read = NumberText::toInteger(digits);
    if (!read)
        return read.failure();
    int value = *read;
    if (m_field == Year && value < 100)
        value += 1900; // a two-digit year is of the 1900s
    value = std::clamp(value + step, span.lowest, span.highest);
    text.replace(span.position, digits.size(),
                 QStringLiteral("%1").arg(value, span.length, 10, QLatin1Char('0')));
    return {};
}

Result<ClockSetting::Outcome> ClockSetting::toggleSetting()
{
    if (!m_settingMode) {
        m_settingMode = true;
        return Outcome::Stopped;
    }
    const Result<Outcome> outcome = Modifie();
    if (outcome.ok() && *outcome != Outcome::Invalid) {
        m_settingMode = false;
        tick();
    }
    return outcome;
}

Result<ClockSetting::Outcome> ClockSetting::Modifie()
{
    m_refusal.clear();
    const Result<QDateTime> utc = displayedUtc(m_time, m_date);
    if (!utc)
        return utc.failure();
    if (!utc->isValid())
        return Outcome::Invalid;
    return Clock::setSystemTime(*utc, m_refusal) ? Outcome::Applied : Outcome::Refused;
}

Result<QDateTime> ClockSetting::displayedUtc(const QString &time, const QString &date)
{
    // Each field in the order they are read: the first that is no number is the failure.
    const std::array<std::pair<const QString *, int>, 6> fields{
        {{&date, 6}, {&date, 3}, {&date, 0}, {&time, 0}, {&time, 3}, {&time, 6}}};
    std::array<int, 6> values{};
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const Result<int> read = digitsAt(*fields[k].first, fields[k].second, k == 0 ? 4 : 2);
        if (!read)
            return read.failure();
        values[k] = *read;
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
