// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/menushortcuts.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QWidget>

#include <algorithm>

namespace {

// The field's entries whose usual keys a menu command may take, with the keys that reach the
// field whatever the menus take.
struct FieldEntry {
    const char *label; // Qt's own text for the entry, before its translation
    QKeySequence usual;
    QKeySequence own;
};

const FieldEntry FieldEntries[] = {
    // The field's own undo has no other key: its entry names none.
    {"&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence()},
    {"&Redo", QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence()},
    {"&Copy", QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)},
    {"&Paste", QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)},
    {"Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)}};

} // namespace

MenuShortcuts::MenuShortcuts(QWidget *window) : QObject(window), m_window(window)
{
    // The override request travels from the focused control up to the window; every step of
    // that way must be refused, so the filter sits on the application.
    qApp->installEventFilter(this);
}

bool MenuShortcuts::eventFilter(QObject *watched, QEvent *event)
{
    if (!watched->isWidgetType() || static_cast<QWidget *>(watched)->window() != m_window)
        return false;
    if (event->type() == QEvent::ContextMenu)
        return showFieldMenu(static_cast<QWidget *>(watched),
                             static_cast<QContextMenuEvent *>(event));
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    // Plain typing, asked about at every key, never matches a menu shortcut.
    const bool command =
        key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!command && !key->text().isEmpty() && key->text().at(0).isPrint())
        return false;
    if (!takenByMenu(QKeySequence(key->keyCombination())))
        return false;
    event->ignore(); // the control does not take the key: the shortcut runs
    return true;
}

bool MenuShortcuts::takenByMenu(const QKeySequence &keys) const
{
    // The window's commands are its own children: asked at every key, along the whole way from
    // the focused control up, the search must not walk every control.
    const QList<QAction *> actions = m_window->findChildren<QAction *>(Qt::FindDirectChildrenOnly);
    return std::any_of(actions.cbegin(), actions.cend(), [&](const QAction *action) {
        return action->isEnabled() && action->shortcuts().contains(keys);
    });
}

// The field's own menu, its entries naming the keys that still reach the field.
bool MenuShortcuts::showFieldMenu(QWidget *target, const QContextMenuEvent *event)
{
    // Controls with a menu of their own (the date's field) keep it.
    if (target->contextMenuPolicy() != Qt::DefaultContextMenu ||
        qobject_cast<QAbstractSpinBox *>(target->parentWidget()))
        return false;
    QMenu *menu = nullptr;
    const char *context = "QLineEdit"; // where Qt's translations of the entries stand
    if (auto *line = qobject_cast<QLineEdit *>(target)) {
        menu = line->createStandardContextMenu();
    } else {
        // The note's menu is asked for on its viewport (mouse) or on the note (keyboard).
        auto *note = qobject_cast<QPlainTextEdit *>(target);
        if (!note && target->parentWidget())
            note = qobject_cast<QPlainTextEdit *>(target->parentWidget());
        if (!note || (target != note && target != note->viewport()))
            return false;
        menu = note->createStandardContextMenu(note->viewport()->mapFromGlobal(event->globalPos()));
    }
    for (QAction *entry : menu->actions()) {
        for (const FieldEntry &field : FieldEntries) {
            const QString label = entry->text().section(QLatin1Char('\t'), 0, 0);
            if (label != QCoreApplication::translate(context, field.label) ||
                !takenByMenu(field.usual))
                continue;
            entry->setText(field.own.isEmpty() ? label
                                               : label + QLatin1Char('\t') +
                                                     field.own.toString(QKeySequence::NativeText));
        }
    }
    // A field's own commands (those of the grid on its cell editor) follow its text entries.
    if (!target->actions().isEmpty()) {
        menu->addSeparator();
        menu->addActions(target->actions());
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
    return true;
}
