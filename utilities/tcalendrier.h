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

    const MonthCalendar &calendar() const { return m_calendar; }

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
    void showCalendarDate();

    MonthCalendar m_calendar;
    QLabel *m_label1;
    QCalendarWidget *m_calendar1;
    QPushButton *m_bitBtn1;
    QPushButton *m_bitBtn2;
    QPushButton *m_button1;
    bool m_showing = false;
};
