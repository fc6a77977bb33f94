#pragma once

#include "core/prompts.h"

#include <QWidget>

class QLabel;

// The start-up window: the program's picture, name and version on a violet panel. It lives
// only while the windows are created and takes no input.
class TSplash : public QWidget {
    Q_OBJECT
public:
    explicit TSplash(QWidget *parent = nullptr);

    ~TSplash() override;

    // Shows the window and paints it at once, without waiting for the event loop.
    void showNow();
    // While the window lives, it hides before any message box is shown: a message of the
    // start-up (a side file that cannot be read) must not be covered by it.
    void hideBeforeMessages();

private:
    Prompts::Handler m_messageBoxes; // the handler in place before hideBeforeMessages
    bool m_hidesBeforeMessages = false;
    QLabel *Image1;
    QLabel *Label1;
    QLabel *Label2;
};
