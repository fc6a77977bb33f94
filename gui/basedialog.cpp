// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/basedialog.h"

#include <QGuiApplication>
#include <QScreen>

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void showInFront(QWidget *window, bool &placed)
{
    if (!placed && window->parentWidget()) {
        placed = true;
        const QRect over = window->parentWidget()->window()->geometry();
        window->move(over.center() - window->rect().center());
    }
    window->show();
    window->raise();
    window->activateWindow();
}

BaseDialog::BaseDialog(QWidget *parent, Placement placement)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      m_placement(placement)
{
}

void BaseDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_placement == Placement::OverParent ||
        (m_placement == Placement::ScreenCentreOnce && m_placed))
        return;
    m_placed = true;
    centreOnScreen(this);
}
