// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class OrderWindow;
class QKeyEvent;

// The order window's keyboard rules, watching the window and each of its controls: Page keys
// and F2 act on the whole window, the grid takes the decimal comma and moves on with Enter,
// Enter makes at most five lines of note, the supplier code takes digits and "*".
class OrderWindowKeys : public QObject {
public:
    explicit OrderWindowKeys(OrderWindow &window);

    // Watches the window and every control it holds now / stops watching them.
    void install();
    void uninstall();

    // The grid's cell editor asks these first: the window's keys, then the grid's.
    bool windowKeyDown(QKeyEvent *event);
    bool gridKeyPress(QObject *target, QKeyEvent *event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool filterEvent(QObject *watched, QEvent *event);
    bool noteKeyPress(QKeyEvent *event);
    bool supplierCodeKeyPress(QKeyEvent *event);

    OrderWindow &m_window;
};
