// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/textlines.h"

#include <QString>
#include <QStringList>
#include <memory>

class QLockFile;

// Unsaved changes to the order book kept in a recovery file beside the settings file, so that
// a crash loses at most the last few minutes of work. The file holds the name of the order
// file the book belongs to, then the book's lines; the order file itself is never touched.
// Only one running copy of the program keeps it: the one holding its lock for the whole run.
class BookRecovery {
public:
    static inline const QString FileName = QStringLiteral("QorCmd.rec");

    BookRecovery();
    ~BookRecovery();

    // Takes the lock of the recovery file in `folder`; false when another running copy of the
    // program has it, in which case this copy keeps no recovery file.
    bool start(const QString &folder);
    // True after start() when a recovery file was left by a run that did not end normally.
    bool pending() const;
    // The book kept in the recovery file; false when it cannot be read.
    bool read(QString &orderFileName, QStringList &lines) const;

    // The book was saved, loaded or started anew under `orderFileName`: a book equal to the
    // lines of that file (or, when there is no such file, to `lines`) has nothing to recover.
    // The lines of a book with a file are not held: the book would copy them at its next change.
    void setSaved(const QString &orderFileName, const TextLines &lines);
    // Keeps the book when it differs from what was saved, forgets it otherwise. A recovery
    // file that cannot be written is not reported: it is only a safety net.
    void keep(const QString &orderFileName, const TextLines &lines);
    // Removes the recovery file (the changes were saved, or deliberately dropped).
    void discard();

    QString path() const { return m_path; }

private:
    std::unique_ptr<QLockFile> m_lock;
    QString m_path;
    TextLines m_saved; // a book without a file only
    TextLines m_kept;
    bool m_written = false;
};
