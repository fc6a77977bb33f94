// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/basedialog.h"
#include "utilities/clocksetting.h"

class QButtonGroup;
class QLabel;
class QPushButton;
class QTimer;
class SpinButton;

// "Horloge": a desk clock refreshed every second that can set the computer's clock. "Set"
// stops it for adjusting with the spin button; the second "Set" writes the time shown.
class ClockWindow : public BaseDialog {
    Q_OBJECT
public:
    explicit ClockWindow(QWidget *parent = nullptr);

    const ClockSetting &setting() const { return m_setting; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void timerTicked();
    void prepareShowing();
    void deactivated();
    void setClicked();
    void increase();
    void decrease();
    void fieldChosen(int id);
    void refresh();

    ClockSetting m_setting;
    QLabel *m_time;
    QLabel *m_date;
    QButtonGroup *m_fields;
    SpinButton *m_adjustButton;
    QPushButton *m_closeButton;
    QPushButton *m_setButton;
    QTimer *m_timer;
};
