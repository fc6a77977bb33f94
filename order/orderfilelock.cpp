// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/orderfilelock.h"

#include "core/textfile.h"

#include <QLockFile>

namespace {

// The lock goes beside the real file, so that every name leading to it finds the same lock.
QString absoluteName(const QString &fileName)
{
    return TextFile::realName(fileName);
}

} // namespace

OrderFileLock::OrderFileLock() = default;
OrderFileLock::~OrderFileLock() = default;
OrderFileLock::OrderFileLock(OrderFileLock &&) noexcept = default;
OrderFileLock &OrderFileLock::operator=(OrderFileLock &&) noexcept = default;

QString OrderFileLock::lockName(const QString &fileName)
{
    return fileName + QStringLiteral(".lock");
}

bool OrderFileLock::holds(const QString &fileName) const
{
    return m_lock && m_fileName == absoluteName(fileName);
}

OrderFileLock::Outcome OrderFileLock::lock(const QString &fileName)
{
    m_holder.clear();
    if (holds(fileName))
        return Outcome::Locked;
    auto lock = std::make_unique<QLockFile>(lockName(absoluteName(fileName)));
    // The file stays open for hours: only a holder that is no longer running leaves a stale
    // lock, never an old one.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        m_lock = std::move(lock);
        m_fileName = absoluteName(fileName);
        return Outcome::Locked;
    }
    if (lock->error() != QLockFile::LockFailedError)
        return Outcome::Unavailable;
    qint64 pid = 0;
    QString host;
    QString program;
    if (lock->getLockInfo(&pid, &host, &program)) {
        m_holder = QStringLiteral("%1 (processus %2")
                       .arg(program.isEmpty() ? QStringLiteral("un autre programme") : program)
                       .arg(pid);
        if (!host.isEmpty())
            m_holder += QStringLiteral(" sur ") + host;
        m_holder += QLatin1Char(')');
    } else {
        m_holder = QStringLiteral("un autre programme");
    }
    return Outcome::HeldByOther;
}

void OrderFileLock::release()
{
    m_lock.reset();
    m_fileName.clear();
}
