// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>

// The perpetual calendar's date: the month shown and the day selected in it.
class MonthCalendar {
public:
    explicit MonthCalendar(const QDate &date) : m_date(date) {}

    const QDate &date() const { return m_date; }
    void setDate(const QDate &date) { m_date = date; }

    // A month back or forward, the day reduced to the target month's last day when needed.
    void previousMonth() { m_date = m_date.addMonths(-1); }
    void nextMonth() { m_date = m_date.addMonths(1); }

    QString caption() const { return caption(m_date); }
    // The French month name, two spaces and the four-digit year: "octobre  1998".
    static QString caption(const QDate &date);

private:
    QDate m_date;
};
