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
class THorloge : public BaseDialog {
    Q_OBJECT
public:
    explicit THorloge(QWidget *parent = nullptr);

    const ClockSetting &setting() const { return Setting; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void Timer1Timer();
    void FormActivate();
    void FormDeactivate();
    void Button2Click();
    void SpinButton1UpClick();
    void SpinButton1DownClick();
    void fieldChosen(int id);
    void refresh();

    ClockSetting Setting;
    QLabel *Label1;
    QLabel *Label2;
    QButtonGroup *RadioGroup1;
    SpinButton *SpinButton1;
    QPushButton *Button1;
    QPushButton *Button2;
    QTimer *Timer1;
};
