// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/bookrecovery.h"

#include "core/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

BookRecovery::BookRecovery() = default;
BookRecovery::~BookRecovery() = default;

bool BookRecovery::start(const QString &folder)
{
    const QString path = QDir(folder).absoluteFilePath(FileName);
    auto lock = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
    lock->setStaleLockTime(0); // held for the whole run: stale only when its holder is gone
    if (!lock->tryLock(0))
        return false;
    m_lock = std::move(lock);
    m_path = path;
    return true;
}

bool BookRecovery::pending() const
{
    return m_lock && QFile::exists(m_path);
}

bool BookRecovery::read(QString &orderFileName, QStringList &lines) const
{
    QByteArray bytes;
    if (!m_lock || !TextFile::readBytes(m_path, bytes).ok())
        return false;
    // The name comes first, in UTF-8 so that any name survives; then the book as its file.
    const qsizetype end = bytes.indexOf("\r\n");
    if (end < 0)
        return false;
    orderFileName = QString::fromUtf8(bytes.left(end));
    lines = TextFile::splitLines(bytes.mid(end + 2));
    return true;
}

void BookRecovery::setSaved(const QString &orderFileName, const TextLines &lines)
{
    m_saved = QFileInfo::exists(orderFileName) ? TextLines() : lines;
}

void BookRecovery::keep(const QString &orderFileName, const TextLines &lines)
{
    if (!m_lock)
        return;
    // Held against the order file as it is now (read only every few minutes and before
    // printing), or against the book as it was started when it has no file.
    TextLines saved = m_saved;
    if (QFileInfo::exists(orderFileName) && !TextFile::read(orderFileName, saved).ok())
        saved.clear();
    if (lines == saved) {
        discard();
        return;
    }
    if (m_written && lines == m_kept)
        return;
    const QByteArray bytes = orderFileName.toUtf8() + "\r\n" + lines.join();
    m_written = TextFile::writeBytes(m_path, bytes).ok();
    if (m_written)
        m_kept = lines;
}

void BookRecovery::discard()
{
    if (!m_lock)
        return;
    QFile::remove(m_path);
    m_written = false;
    m_kept.clear();
}
