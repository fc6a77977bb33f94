// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/result.h"

#include <QByteArray>
#include <QString>
#include <array>

// The buying company's seven letterhead lines, by position only.
using CompanyDetails = std::array<QString, 7>;

// The company file: exactly seven lines, read and written in the current directory.
class Company {
public:
    static inline const QString FileName = QStringLiteral("Cmd.soc");

    CompanyDetails details;

    // Reads the file when it exists; texts the file has no line for keep their values.
    void loadCompany();
    // Writes the seven texts.
    Status saveCompany() const;

    // Stores the file's first seven lines into `details`. A line ends at CR (an LF after it is
    // skipped) or at a bare LF; Ctrl-Z ends the file. Gives the number of lines stored.
    static int parse(const QByteArray &bytes, CompanyDetails &details);
};
