// SPDX-License-Identifier: GPL-3.0-or-later
#include "utilities/monthcalendar.h"

#include <QLocale>

QString MonthCalendar::caption(const QDate &date)
{
    const QLocale french(QLocale::French, QLocale::France);
    return french.monthName(date.month(), QLocale::LongFormat) + QStringLiteral("  ") +
           QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
}
