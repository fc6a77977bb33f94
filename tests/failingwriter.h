// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A writer for the program's files that fails on purpose: after a number of bytes, on flush or
// on commit, saying what the system would say for `systemError` (an errno code; none by
// default). Until it fails it writes through a real QSaveFile, so a test sees on disk exactly
// what a failed save leaves there, whatever the rights the test runs with.

#include "core/textfile.h"

#include <QIODevice>
#include <QSaveFile>
#include <cstring>

class FailingWriter : public TextFile::FileWriter {
public:
    enum class Failure { None, Write, Flush, Commit };

    FailingWriter(const QString &fileName, Failure failure, qint64 budget, int systemError = 0)
        : m_file(fileName), m_device(m_file, failure == Failure::Write ? budget : -1),
          m_failure(failure), m_systemError(systemError)
    {
    }
    bool open() override
    {
        return m_file.open(QIODevice::WriteOnly) && m_device.open(QIODevice::WriteOnly);
    }
    QIODevice &device() override { return m_device; }
    bool flush() override { return m_failure != Failure::Flush && m_file.flush(); }
    bool commit() override
    {
        if (m_failure == Failure::Commit) {
            m_file.cancelWriting();
            return false;
        }
        return m_file.commit();
    }
    void cancel() override { m_file.cancelWriting(); }
    QString errorString() const override
    {
        return m_systemError ? QString::fromLocal8Bit(std::strerror(m_systemError)) : QString();
    }

private:
    // Passes bytes on until its budget is spent (a negative budget never runs out).
    class Device : public QIODevice {
    public:
        Device(QIODevice &target, qint64 budget) : m_target(target), m_budget(budget) {}
        bool open(OpenMode mode) override { return QIODevice::open(mode | Unbuffered); }

    protected:
        qint64 readData(char *, qint64) override { return -1; }
        qint64 writeData(const char *data, qint64 size) override
        {
            if (m_budget == 0)
                return -1;
            const qint64 n = m_budget < 0 ? size : qMin(size, m_budget);
            if (m_budget > 0)
                m_budget -= n;
            return m_target.write(data, n);
        }

    private:
        QIODevice &m_target;
        qint64 m_budget;
    };

    QSaveFile m_file;
    Device m_device;
    Failure m_failure;
    int m_systemError;
};

// Makes the writes of the program fail as told while the object lives: all of them, or those
// of the files whose names end with `suffix`.
class FailingWrites {
public:
    explicit FailingWrites(FailingWriter::Failure failure, qint64 budget = 0,
                           const QString &suffix = QString(), int systemError = 0)
    {
        m_previous = TextFile::setWriterFactory(
            [failure, budget, suffix,
             systemError](const QString &fileName) -> std::unique_ptr<TextFile::FileWriter> {
                if (!fileName.endsWith(suffix))
                    return TextFile::saveFileWriter(fileName);
                return std::make_unique<FailingWriter>(fileName, failure, budget, systemError);
            });
    }
    ~FailingWrites() { TextFile::setWriterFactory(std::move(m_previous)); }

private:
    TextFile::WriterFactory m_previous;
};
