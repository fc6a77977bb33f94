// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QContextMenuEvent;
class QKeySequence;
class QWidget;

// The menu commands' shortcuts come before the keys of the focused control: Ctrl+C in the
// supplier code field, the grid's cell editor or the note copies the order, not the text, while
// "Co&pier" is enabled, and Ctrl+Z undoes the last step of the order, not of the field. The
// fields keep Ctrl+Insert, Shift+Insert and their context menu for text, and their context
// menus name those keys instead of the ones the menus take. Keys of
// other windows (dialogs, message boxes) are left alone.
class MenuShortcuts : public QObject {
    Q_OBJECT
public:
    explicit MenuShortcuts(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool takenByMenu(const QKeySequence &keys) const;
    bool showFieldMenu(QWidget *target, const QContextMenuEvent *event);

    QWidget *m_window;
};
