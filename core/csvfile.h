// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/result.h"

#include <QByteArray>
#include <QString>
#include <QStringEncoder>

// A CSV file as a spreadsheet opens it by double-click, built row by row. Two formats:
// - Spreadsheet, "CSV pour tableur (France)": UTF-8 with a byte order mark (without it a French
//   spreadsheet reads the accents as Windows-1252), ';' between fields, decimal comma;
// - Standard, "CSV standard (virgule, UTF-8)": ',' between fields, decimal point, no mark.
// Both end rows with CR LF and quote as RFC 4180 does: a field holding the separator, a quote,
// CR or LF is put between quotes, its quotes doubled. A text beginning with '=', '+', '-' or
// '@' gets a leading "'": a spreadsheet would run it as a formula.
class CsvFile {
public:
    enum class Format { Spreadsheet, Standard };

    explicit CsvFile(Format format = Format::Spreadsheet);

    Format format() const { return m_format; }
    char separator() const { return m_format == Format::Spreadsheet ? ';' : ','; }
    QChar decimalSeparator() const
    {
        return QLatin1Char(m_format == Format::Spreadsheet ? ',' : '.');
    }

    // The save dialog's list of types, the default first, and the format of the type chosen
    // there (the default for any other text).
    static QString filters();
    static QString filter(Format format);
    static Format formatOf(const QString &chosenFilter);

    // Fields of the current row, in order.
    CsvFile &text(QStringView field);
    // A number written with the program's decimal comma ("12,50", "-3", "1,5E2"): it goes with
    // the format's decimal separator; a text that is no number goes as text.
    CsvFile &number(QStringView decimalText);
    // An amount in cents, written with two decimals ("-1234,05").
    CsvFile &cents(qint64 value);
    CsvFile &empty();
    void endRow();

    // Fields written earlier in this file, between positions `from` and `to` of bytes(), once
    // more in the current row: what repeats on many rows is written once.
    CsvFile &again(qsizetype from, qsizetype to);
    // Whole rows as a file of the same format wrote them, as they stand.
    void appendRows(QByteArrayView rows);
    // Back to an earlier size of bytes(), at the end of a row.
    void truncate(qsizetype size)
    {
        m_bytes.truncate(size);
        m_rowStarted = false;
    }

    const QByteArray &bytes() const { return m_bytes; }
    // Room for about `bytes` bytes, for a large file.
    void reserve(qsizetype bytes) { m_bytes.reserve(bytes); }

    // Writes the file whole through the program's safe save; on failure the file is left as it
    // was and the failure says why, in French.
    Status save(const QString &fileName) const;

private:
    void separate();
    void appendText(QStringView text);

    Format m_format;
    QByteArray m_bytes;
    QStringEncoder m_utf8{QStringEncoder::Utf8};
    bool m_rowStarted = false;
};
