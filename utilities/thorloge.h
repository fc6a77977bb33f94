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

    const ClockSetting &setting() const { return m_setting; }

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

    ClockSetting m_setting;
    QLabel *m_label1;
    QLabel *m_label2;
    QButtonGroup *m_radioGroup1;
    SpinButton *m_spinButton1;
    QPushButton *m_button1;
    QPushButton *m_button2;
    QTimer *m_timer1;
};
