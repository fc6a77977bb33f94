// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the fuzz targets share: a Qt core application, a working folder of their own (the
// program's side files live in the working directory, its user settings there too), and a way
// to fail loudly. The folder is in memory when the system has one: every save syncs its file to
// disk, which would slow a fuzz run down to a crawl. Give the fuzzers absolute corpus paths:
// they change directory.

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace Fuzz {

inline void setUp()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/qorfuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/qorfuzz-XXXXXX"));
    QDir::setCurrent(dir.path());
    // The user's own settings of the program stay out of reach too.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
}

// A broken rule is a finding: stop with the reason, so that libFuzzer keeps the input.
[[noreturn]] inline void fail(const char *what, const QString &detail = QString())
{
    std::fprintf(stderr, "rule broken: %s %s\n", what, qPrintable(detail));
    std::abort();
}

inline void require(bool condition, const char *what, const QString &detail = QString())
{
    if (!condition)
        fail(what, detail);
}

} // namespace Fuzz
