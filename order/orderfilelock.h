// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>

class QLockFile;

// Keeps other running copies of the program off an order file while it is open here (two
// windows, or two computers on a shared folder): a lock file beside it, "name.cmd.lock" (beside
// the real file when the name is a symbolic link). A lock left by a copy that stopped without
// releasing it (a crash) is taken over.
class OrderFileLock {
public:
    enum class Outcome {
        Locked,      // the file is ours (already, or now)
        HeldByOther, // another running copy holds it: holder() says which
        Unavailable, // no lock can be made there (a folder without write access)
    };

    OrderFileLock();
    ~OrderFileLock();
    OrderFileLock(OrderFileLock &&) noexcept;
    OrderFileLock &operator=(OrderFileLock &&) noexcept;

    // Locks `fileName`; on success the lock held before, if any, is released.
    Outcome lock(const QString &fileName);
    void release();

    bool holds(const QString &fileName) const;
    // After HeldByOther: who holds it, in French ("qorcommande (processus 1234 sur poste2)").
    QString holder() const { return m_holder; }

    static QString lockName(const QString &fileName);

private:
    std::unique_ptr<QLockFile> m_lock;
    QString m_fileName; // absolute name of the locked order file
    QString m_holder;
};
