// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/basedialog.h"
#include "utilities/monthcalendar.h"

class QCalendarWidget;
class QLabel;
class QPushButton;

// "Calendrier": a perpetual calendar showing one month. Created once on today's date; the
// month last shown is shown again at the next opening.
class TCalendrier : public BaseDialog {
    Q_OBJECT
public:
    explicit TCalendrier(QWidget *parent = nullptr);

    const MonthCalendar &calendar() const { return Calendar; }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormActivate();
    void Calendar1Change();
    void BitBtn1Click();
    void BitBtn2Click();
    bool Calendar1KeyDown(int key);
    bool Calendar1KeyPress(QChar key);
    void Button1Click();
    void showCalendarDate();

    MonthCalendar Calendar;
    QLabel *Label1;
    QCalendarWidget *Calendar1;
    QPushButton *BitBtn1;
    QPushButton *BitBtn2;
    QPushButton *Button1;
    bool Showing = false;
};
