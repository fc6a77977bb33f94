// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/result.h"
#include "order/orderdocument.h"

#include <QObject>
#include <memory>

class BookRecovery;
class OrderWindow;
class QTimer;
class QWidget;

// The book's file: new, open, save and save as, with the save question; the recovery file kept
// for a book that is not saved; the file changed on disk behind the program's back. Holds the
// name of the order file in use.
class BookFileCommands : public QObject {
    Q_OBJECT
public:
    // `window` is the parent of the file dialogs.
    BookFileCommands(QWidget *window, OrderWindow &order);
    ~BookFileCommands() override;

    // The order file in use; empty for a new, unnamed book.
    const QString &fileName() const { return m_fileName; }

    void newBook();
    void openBook();
    // Opens `fileName` as "&Ouvrir..." once the name is chosen, after the save question.
    void openAsked(const QString &fileName);
    // Files dropped on the window: one order file is opened as "&Ouvrir..." would open it.
    void openDropped(const QStringList &fileNames);
    // At start, the book remembered for the automatic opening.
    void openRemembered(const QString &fileName);
    // True when the book was written under the chosen name; a cancelled or refused name
    // leaves the book's name, caption and lock as they were.
    bool saveAs();
    bool save(); // true when the book was written or had nothing to write
    // The save question; false when the command that asked must stop.
    bool saveQuestion();

    // At start, after a run that did not end normally: offers the book kept in the recovery
    // file of `startDir`; true when it was taken.
    bool offerRecovery(const QString &startDir);
    // Writes an unsaved book to the recovery file (every few minutes and before printing).
    void keepRecovery();
    // The save question was answered: what is not saved now was left on purpose.
    void discardRecovery();

    // The book was loaded, saved, read again or started anew: what is in memory is what is on
    // disk.
    void bookReplaced();
    // On activation: a writing desk whose file changed on disk says so, once per change.
    void checkBookOnDisk();

Q_SIGNALS:
    void replaced();                           // after bookReplaced()
    void opened(const QString &fileName);      // the book opened or saved under a name
    void commandsWanted();                     // the book commands are to be enabled
    void captionChanged(const QString &title); // the order window's caption, shown again

private:
    void openChosen(const QString &name); // "&Ouvrir..." once the name is chosen
    // Saves the book under `fileName`; a failure is shown, and false given back.
    bool saveBook(const QString &fileName, OrderDocument::SaveWhen when);
    // "Ce fichier existe déjà": true when the user lets the save replace it.
    bool replaceAllowed();
    // Shows a failure of loadBook; whether the book in use is now the file fileName() names.
    bool bookOpened(const Result<bool> &loaded) const;
    // A failed save: says why and offers "Enregistrer sous..."; true when the book was then
    // saved under another name.
    bool saveFailed(const Failure &failure);
    // The book's file changed on disk: offers to save under another name or to read the file
    // again, never to write over it. True when the book was saved.
    bool fileChangedOnDisk();
    // Reads the book's file again, keeping the order on screen; true when it was read.
    bool rereadBook();

    QWidget *m_window;
    OrderWindow &m_order;
    QString m_fileName;
    std::unique_ptr<BookRecovery> m_recovery;
    QTimer *m_recoveryTimer = nullptr;
    bool m_changeNoticed = false; // the file's change on disk was told since it was read
};
