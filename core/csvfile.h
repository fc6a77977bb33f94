#pragma once

#include "core/result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Tables written for spreadsheets. The French form opens by a double-click in a French
// spreadsheet: UTF-8 with a byte order mark, ";" between fields, CR LF after every row, the
// decimal comma. The standard form has "," and a decimal point. A field holding the separator,
// a quote, CR or LF is quoted, its quotes doubled; a text beginning with "=", "+", "-" or "@"
// is written after a "'", so that no spreadsheet runs it as a formula.
class CsvFile {
public:
    enum class Dialect { French, Standard };

    explicit CsvFile(Dialect dialect = Dialect::French);

    // The fields of a row, one after the other, then endRow().
    CsvFile &text(const QString &value);
    // A number as the program writes it (decimal comma, leading spaces allowed); a text that
    // is no number is written as text.
    CsvFile &number(const QString &value);
    void endRow();
    void addRow(const QStringList &texts); // a row of texts

    QByteArray bytes() const { return m_bytes; }
    // Writes the whole file at once, the file on disk left as it was on failure ("Ne peut
    // créer le fichier %s").
    Status save(const QString &fileName) const;

    // The file dialog's filter of each form.
    static QString filter(Dialect dialect);
    static constexpr const char *Suffix = ".csv";

private:
    void field(const QString &value);

    Dialect m_dialect;
    QByteArray m_bytes;
    bool m_rowStarted = false;
};
