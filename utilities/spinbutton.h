// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QToolButton;

// Two stacked arrows that step a value up or down. Held down, an arrow repeats: first after
// 400 ms, then every 100 ms. With the focus, the Up and Down keys click the matching arrow.
class SpinButton : public QWidget {
    Q_OBJECT
public:
    explicit SpinButton(QWidget *parent = nullptr);

    QToolButton *upButton() const { return m_up; }
    QToolButton *downButton() const { return m_down; }

Q_SIGNALS:
    void upClicked();
    void downClicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QToolButton *m_up;
    QToolButton *m_down;
};
