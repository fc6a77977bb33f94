// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

// Moves `window` so that its frame is centred on the screen it shows on, the primary screen
// when it has none yet.
void centreOnScreen(QWidget *window);

// Shows a window that stays open beside the order window (search results, awaited orders) in
// front and active: centred over its parent's window the first time, then where the user left
// it. `placed` is the window's own flag, false until the first showing.
void showInFront(QWidget *window, bool &placed);

// The program's dialogs: a plain frame whose title bar has the system menu and the close box
// only (no help, minimise or maximise button; a fixed border where the system draws one), and
// a place where the dialog opens.
class BaseDialog : public QDialog {
    Q_OBJECT
public:
    enum class Placement {
        OverParent,       // as Qt places dialogs: centred over the parent window
        ScreenCentre,     // centred on the screen each time it is shown
        ScreenCentreOnce, // centred the first time, then where the user left it
    };

    explicit BaseDialog(QWidget *parent = nullptr, Placement placement = Placement::ScreenCentre);

protected:
    void showEvent(QShowEvent *event) override;

private:
    Placement m_placement;
    bool m_placed = false;
};
