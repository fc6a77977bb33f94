#include "app/menushortcuts.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

MenuShortcuts::MenuShortcuts(QWidget *window) : QObject(window), m_window(window)
{
    // The override request travels from the focused control up to the window; every step of
    // that way must be refused, so the filter sits on the application.
    qApp->installEventFilter(this);
}

bool MenuShortcuts::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType() ||
        static_cast<QWidget *>(watched)->window() != m_window)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    // Plain typing, asked about at every key, never matches a menu shortcut.
    const bool command =
        key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!command && !key->text().isEmpty() && key->text().at(0).isPrint())
        return false;
    const QKeySequence typed(key->keyCombination());
    const QList<QAction *> actions = m_window->findChildren<QAction *>();
    for (const QAction *action : actions) {
        if (action->isEnabled() && action->shortcut() == typed) {
            event->ignore(); // the control does not take the key: the shortcut runs
            return true;
        }
    }
    return false;
}
