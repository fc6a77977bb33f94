// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class OrderWindow;
class QAction;
class QIcon;
class QMainWindow;
class QMenu;
class QToolBar;
class QToolButton;

// The main window's commands as the user sees them: each action with its text, hint, shortcut
// and icon, the menus, and the tool bar with its buttons; the book commands off until a book is
// in use. The window wires what each command runs. The actions are the window's own children,
// so that their keys come before those of the focused field. It lives as long as they do.
class MainActions : public QObject {
public:
    explicit MainActions(QMainWindow *window);

    void enableBookCommands(); // once a book is in use; nothing disables them again
    // "&Annuler" and "&Rétablir" name the step they undo or redo in the order's history, the
    // cell being typed first.
    void followHistory(OrderWindow &order);

    QAction *newAction = nullptr;
    QAction *openAction = nullptr;
    QAction *closeAction = nullptr;
    QAction *saveAction = nullptr;
    QAction *saveAsAction = nullptr;
    QAction *pageSetupAction = nullptr;
    QAction *previewAction = nullptr;
    QAction *printAction = nullptr;
    QAction *exportPdfAction = nullptr;
    QAction *exportCsvAction = nullptr;
    QAction *mailAction = nullptr;
    QAction *printSetupAction = nullptr;
    QAction *exitAction = nullptr;
    QAction *undoAction = nullptr;
    QAction *redoAction = nullptr;
    QAction *copyAction = nullptr;
    QAction *pasteAction = nullptr;
    QAction *findAction = nullptr;
    QAction *previousAction = nullptr;
    QAction *nextAction = nullptr;
    QAction *firstAction = nullptr;
    QAction *lastAction = nullptr;
    QAction *newOrderAction = nullptr;
    QAction *deleteOrderAction = nullptr;
    QAction *deleteLineAction = nullptr;
    QAction *calculateAction = nullptr;
    QAction *orderListAction = nullptr;
    QAction *statisticsAction = nullptr;
    QAction *companyAction = nullptr;
    QAction *orderParametersAction = nullptr;
    QAction *suppliersAction = nullptr;
    QAction *autoOpenAction = nullptr;
    QAction *calendarAction = nullptr;
    QAction *calculatorAction = nullptr;
    QAction *clockAction = nullptr;
    QAction *converterAction = nullptr;
    QAction *helpContentsAction = nullptr;
    QAction *helpSearchAction = nullptr;
    QAction *helpHowToUseAction = nullptr;
    QAction *aboutAction = nullptr;
    QAction *printOrderAction = nullptr; // "Imprimer commande", on the tool bar only
    QAction *envelopeAction = nullptr;   // "Enveloppes", on the tool bar only

    QMenu *fileMenu = nullptr;
    QMenu *editMenu = nullptr;
    QMenu *documentMenu = nullptr;
    QToolBar *toolBar = nullptr;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    QAction *action(const char *name, const QString &text, const QString &hint);
    // The tool button of `command`, with its own hints: `hint` its tool tip, `statusHint` what
    // the status bar shows over it.
    QToolButton *button(const char *name, QAction *command, const QIcon &icon, const QString &hint,
                        const QString &statusHint);

    QMainWindow *m_window;
};
