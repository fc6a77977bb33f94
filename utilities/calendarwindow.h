// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/basedialog.h"
#include "utilities/monthcalendar.h"

class QCalendarWidget;
class QLabel;
class QPushButton;

// "Calendrier": a perpetual calendar showing one month. Created once on today's date; the
// month last shown is shown again at the next opening.
class CalendarWindow : public BaseDialog {
    Q_OBJECT
public:
    explicit CalendarWindow(QWidget *parent = nullptr);

    const MonthCalendar &calendar() const { return m_calendar; }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void prepareShowing();
    void dateChosen();
    void showPreviousMonth();
    void showNextMonth();
    bool monthViewKeyDown(int key);
    bool monthViewKeyPress(QChar key);
    void closeClicked();
    void showCalendarDate();

    MonthCalendar m_calendar;
    QLabel *m_caption;
    QCalendarWidget *m_monthView;
    QPushButton *m_previousMonthButton;
    QPushButton *m_nextMonthButton;
    QPushButton *m_closeButton;
    bool m_showing = false;
};
