// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/result.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

// One supplier: its code and its address block; address line 1 is the name.
struct SupplierRecord {
    QString code;
    std::array<QString, 4> addressLines;

    bool operator==(const SupplierRecord &) const = default;
};

// The supplier file in memory. Each record is five lines: "<FOU>" followed by the code, then
// the four address lines. Lines that belong to no record are kept as they are, so a load and
// a save give them back unchanged. One instance for the whole run, owned by the order window.
class SupplierBook {
public:
    // Opened by bare name: it resolves against the directory current at that moment.
    static inline const QString FileName = QStringLiteral("Commande.fnr");

    QStringList fileLines;
    bool modified = false;
    // Set at the first use of the supplier chooser and kept for the rest of the run: from then
    // on an unknown code goes straight to the quick entry dialog, without the question.
    bool chooserUsed = false;

    // "<FOU>" followed by at most five decimal digits ("<FOU>" alone passes).
    static bool isSupplierHeader(const QString &line);
    static QString headerOf(const QString &code);
    // A code that may be stored: exactly five decimal digits. Anything else would make a
    // record the lookup completes to another code, or one the reader does not take back.
    static bool isStorableCode(const QString &code);
    // What the user is told when such a code is refused.
    static QString refusedCodeMessage(const QString &code);

    // Replaces the lines with those of the file when it exists; always clears
    // `modified`. A file that exists but cannot be read leaves the lines as they were
    // and is the failure.
    Status loadSuppliers();
    // Writes the lines when `modified` is set, then clears it. A failed write leaves
    // the file as it was and keeps `modified` set.
    Status saveSuppliers();

    // Position of the first line equal to the header of `code`, case ignored; -1 if none.
    qsizetype find(const QString &code) const;
    // The record whose header is at `headerPos`; lines past the end count as empty.
    SupplierRecord record(qsizetype headerPos) const;

    // Adds the record at the end and sets `modified`.
    void append(const SupplierRecord &record);
    static QStringList linesOf(const QList<SupplierRecord> &records);

    // Names compared as Windows-1252 bytes: upper case before lower case, accented letters
    // after "z", a prefix before the longer name.
    static int compareNames(const QString &a, const QString &b);
    // Exchange sort by name; true when at least one exchange took place. Not stable: equal
    // names can change places through a third record.
    static bool sortRecords(QList<SupplierRecord> &records);
};
