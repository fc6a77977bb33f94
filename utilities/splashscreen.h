// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;

// The start-up window: the program's picture, name and version on a violet panel. It lives
// only while the windows are created and takes no input.
class SplashScreen : public QWidget {
    Q_OBJECT
public:
    explicit SplashScreen(QWidget *parent = nullptr);

    // Shows the window and paints it at once, without waiting for the event loop. The
    // desktop's message boxes hide it first: a message of the start-up (a side file that
    // cannot be read) must not be covered by it.
    void showNow();

private:
    QLabel *m_picture;
    QLabel *m_name;
    QLabel *m_version;
};
