// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/orderfilelock.h"

#include "core/clock.h"
#include "core/textfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSysInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#endif

// The lock file's lines: process id, program, host name, machine id (as QLockFile writes
// them, so that either reads the other's), then the time the file was taken (UTC, ISO) and
// the token that tells this copy's lock from a later one of the same process.
struct OrderFileLock::Record {
    qint64 pid = 0;
    QString program;
    QString desk;
    QByteArray machine;
    QDateTime since;
    QByteArray token;
};

namespace {

// The lock goes beside the real file, so that every name leading to it finds the same lock.
QString absoluteName(const QString &fileName)
{
    return TextFile::realName(fileName);
}

bool processRunning(qint64 pid, const QString &program)
{
#ifdef Q_OS_UNIX
    if (pid <= 0 || (::kill(pid_t(pid), 0) != 0 && errno != EPERM))
        return false;
    // A process id used again by another program does not hold the file.
    const QString exe = QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget();
    return exe.isEmpty() || program.isEmpty() || QFileInfo(exe).fileName() == program;
#else
    Q_UNUSED(pid);
    Q_UNUSED(program);
    return true;
#endif
}

QString programName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

} // namespace

QString OrderFileLock::Holder::when() const
{
    return QStringLiteral("%1 à %2").arg(since.toString(QStringLiteral("dd/MM/yyyy")),
                                         since.toString(QStringLiteral("HH:mm")));
}

QString OrderFileLock::Holder::where() const
{
    QString text = QStringLiteral("sur le poste %1").arg(desk);
    if (since.isValid())
        text += QStringLiteral(" depuis le ") + when();
    return text;
}

OrderFileLock::OrderFileLock() = default;
OrderFileLock::~OrderFileLock()
{
    release();
}
OrderFileLock::OrderFileLock(OrderFileLock &&other) noexcept
    : m_desk(std::move(other.m_desk)), m_fileName(std::exchange(other.m_fileName, QString())),
      m_token(std::move(other.m_token)), m_holder(std::move(other.m_holder))
{
}
OrderFileLock &OrderFileLock::operator=(OrderFileLock &&other) noexcept
{
    if (this != &other) {
        release();
        m_desk = std::move(other.m_desk);
        m_fileName = std::exchange(other.m_fileName, QString());
        m_token = std::move(other.m_token);
        m_holder = std::move(other.m_holder);
    }
    return *this;
}

QString OrderFileLock::deskName() const
{
    return m_desk.isEmpty() ? QSysInfo::machineHostName() : m_desk;
}

QString OrderFileLock::lockName(const QString &fileName)
{
    return fileName + QStringLiteral(".lock");
}

bool OrderFileLock::holds(const QString &fileName) const
{
    return !m_fileName.isEmpty() && m_fileName == absoluteName(fileName);
}

std::optional<OrderFileLock::Record> OrderFileLock::readRecord(const QString &lockName) const
{
    QFile file(lockName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QList<QByteArray> lines = file.readAll().split('\n');
    Record record;
    record.pid = lines.value(0).trimmed().toLongLong();
    record.program = QString::fromUtf8(lines.value(1).trimmed());
    record.desk = QString::fromUtf8(lines.value(2).trimmed());
    record.machine = lines.value(3).trimmed();
    record.since =
        QDateTime::fromString(QString::fromLatin1(lines.value(4).trimmed()), Qt::ISODateWithMs);
    // A lock of an older copy records no time: it was taken when its file was made.
    if (!record.since.isValid())
        record.since = QFileInfo(lockName).lastModified();
    record.token = lines.value(5).trimmed();
    return record;
}

std::optional<OrderFileLock::Holder> OrderFileLock::holderOf(const QString &fileName) const
{
    const std::optional<Record> record = readRecord(lockName(absoluteName(fileName)));
    if (!record)
        return std::nullopt;
    Holder holder;
    holder.desk = record->desk.isEmpty() ? QStringLiteral("inconnu") : record->desk;
    holder.since = record->since.toLocalTime();
    holder.elsewhere = !record->desk.isEmpty() && record->desk != deskName();
    return holder;
}

OrderFileLock::Outcome OrderFileLock::lock(const QString &fileName)
{
    if (holds(fileName))
        return Outcome::Locked;
    return create(fileName, false);
}

OrderFileLock::Outcome OrderFileLock::takeOver(const QString &fileName)
{
    if (holds(fileName))
        return Outcome::Locked;
    const std::optional<Holder> holder = holderOf(fileName);
    if (holder && holder->elsewhere)
        QFile::remove(lockName(absoluteName(fileName)));
    return create(fileName, false);
}

OrderFileLock::Outcome OrderFileLock::create(const QString &fileName, bool retried)
{
    m_holder = Holder();
    const QString name = lockName(absoluteName(fileName));
    QFile file(name);
    // Made only when no lock is there: of two desks opening at once, one gets it.
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        const QByteArray token = QByteArray::number(QRandomGenerator::system()->generate64(), 16);
        const QByteArray text =
            QByteArray::number(QCoreApplication::applicationPid()) + '\n' + programName().toUtf8() +
            '\n' + deskName().toUtf8() + '\n' + QSysInfo::machineUniqueId() + '\n' +
            Clock::now().toUTC().toString(Qt::ISODateWithMs).toLatin1() + '\n' + token + '\n';
        if (file.write(text) != text.size() || !file.flush()) {
            file.close();
            QFile::remove(name);
            return Outcome::Unavailable;
        }
        file.close();
        release();
        m_fileName = absoluteName(fileName);
        m_token = QString::fromLatin1(token);
        return Outcome::Locked;
    }
    const std::optional<Record> record = readRecord(name);
    if (!record)
        return Outcome::Unavailable;
    const std::optional<Holder> holder = holderOf(fileName);
    m_holder = *holder;
    // A copy of this machine that no longer runs left it: nobody holds the file.
    const bool sameMachine = !holder->elsewhere && (record->machine.isEmpty() ||
                                                    record->machine == QSysInfo::machineUniqueId());
    if (!retried && sameMachine && !processRunning(record->pid, record->program)) {
        QFile::remove(name);
        return create(fileName, true);
    }
    return Outcome::HeldByOther;
}

bool OrderFileLock::ownsLockFile() const
{
    const std::optional<Record> record = readRecord(lockName(m_fileName));
    return record && QString::fromLatin1(record->token) == m_token;
}

bool OrderFileLock::stillHeld()
{
    if (m_fileName.isEmpty() || ownsLockFile())
        return true;
    const std::optional<Holder> holder = holderOf(m_fileName);
    if (!holder) {
        // Removed by hand, or by a desk that took the file and closed it since: nobody holds
        // it, so it is ours again (the file's own changes are checked apart).
        const QString fileName = m_fileName;
        forget();
        return create(fileName, true) == Outcome::Locked;
    }
    m_holder = *holder;
    return false;
}

void OrderFileLock::release()
{
    if (m_fileName.isEmpty())
        return;
    // Another desk's lock, taken over from this one, stays.
    if (ownsLockFile())
        QFile::remove(lockName(m_fileName));
    forget();
}

void OrderFileLock::forget()
{
    m_fileName.clear();
    m_token.clear();
}
