#pragma once

// Shared helpers of the test programs: the test desktop (fakeplatform.h), a temporary working
// directory and order blocks.

#include "fakeplatform.h"
#include "order/orderformat.h"

#include <QDir>
#include <QList>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// Makes a fresh temporary directory the working directory for the life of the object; the
// program's user settings (QSettings) go to another fresh one, so that no test reads or writes
// the user's own and the working directory holds only what the program writes there.
class TemporaryWorkingDir {
public:
    TemporaryWorkingDir() : m_previous(QDir::currentPath())
    {
        QDir::setCurrent(m_dir.path());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    }
    ~TemporaryWorkingDir() { QDir::setCurrent(m_previous); }
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QTemporaryDir m_settings;
    QString m_previous;
};

namespace TestBooks {

// The lines of an order block of one order line, numbered `number`; without its closing label
// when `close` is false.
inline QStringList block(int index, const QString &number, const QString &designation = "Vis",
                         bool close = true)
{
    QStringList lines{OrderFormat::BlockOpenLabel(index),
                      QStringLiteral("NUM") + number,
                      QStringLiteral("01/03/2000"),
                      QStringLiteral("10023"),
                      QStringLiteral("A réception"),
                      QStringLiteral("Dupont"),
                      QString(),
                      QString(),
                      QString(),
                      QStringLiteral("TTCN"),
                      QStringLiteral("CMDE") + designation + QStringLiteral("\t2\t10\t\t20\t1")};
    if (close)
        lines << OrderFormat::BlockCloseLabel(index);
    return lines;
}

} // namespace TestBooks
