// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// Keeps other running copies of the program off an order file while it is open here (two
// windows, or two desks on a shared folder): a lock file beside it, "name.cmd.lock" (beside
// the real file when the name is a symbolic link), which records the desk that holds the file
// and since when. A lock left by a copy of this machine that stopped without releasing it (a
// crash) is taken over; one of another desk only when the user says that desk is switched off.
class OrderFileLock {
public:
    enum class Outcome {
        Locked,      // the file is ours (already, or now)
        HeldByOther, // another running copy holds it: holder() says which
        Unavailable, // no lock can be made there (a folder without write access)
    };

    // Who holds a file, as its lock records it.
    struct Holder {
        QString desk;     // the host name of the machine
        QDateTime since;  // when it took the file, in local time
        bool elsewhere{}; // on another machine, whose programs cannot be seen from here
        // "sur le poste COMPTA depuis le 09/12/2026 à 08:12"
        QString where() const;
        // "09/12/2026 à 08:12"
        QString when() const;
    };

    OrderFileLock();
    ~OrderFileLock();
    OrderFileLock(OrderFileLock &&) noexcept;
    OrderFileLock &operator=(OrderFileLock &&) noexcept;

    // The desk this copy runs on, as its locks record it: the machine's host name unless set.
    void setDeskName(const QString &name) { m_desk = name; }
    QString deskName() const;

    // Locks `fileName`; on success the lock held before, if any, is released.
    Outcome lock(const QString &fileName);
    // Replaces the lock another desk holds on `fileName` by this desk's own, then locks as
    // lock() does.
    Outcome takeOver(const QString &fileName);
    // Removes the lock file, as long as it is still this copy's.
    void release();
    // Lets go of the lock without removing its file: another desk holds it now.
    void forget();

    bool holds(const QString &fileName) const;
    // Whether the lock file on disk is still the one this copy made; false once another desk
    // took the file over, holder() then saying which.
    bool stillHeld();
    // After HeldByOther or a failed stillHeld(): who holds the file.
    const Holder &holder() const { return m_holder; }
    // Who holds `fileName` now; none when no lock is there.
    std::optional<Holder> holderOf(const QString &fileName) const;

    static QString lockName(const QString &fileName);

private:
    struct Record;
    std::optional<Record> readRecord(const QString &lockName) const;
    Outcome create(const QString &fileName, bool retried);
    bool ownsLockFile() const;

    QString m_desk;
    QString m_fileName; // absolute name of the locked order file; empty when none
    QString m_token;    // what makes the lock file this copy's
    Holder m_holder;
};
