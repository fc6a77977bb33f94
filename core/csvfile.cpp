#include "core/csvfile.h"

#include "core/numbertext.h"
#include "core/textfile.h"

CsvFile::CsvFile(Dialect dialect) : m_dialect(dialect)
{
    m_bytes = QByteArrayLiteral("\xEF\xBB\xBF"); // spreadsheets take the file as UTF-8 by it
}

QString CsvFile::filter(Dialect dialect)
{
    return dialect == Dialect::French ? QStringLiteral("CSV pour tableur (France) (*.csv)")
                                      : QStringLiteral("CSV standard (virgule, UTF-8) (*.csv)");
}

void CsvFile::field(const QString &value)
{
    const QChar separator = m_dialect == Dialect::French ? QLatin1Char(';') : QLatin1Char(',');
    if (m_rowStarted)
        m_bytes += char(separator.unicode());
    m_rowStarted = true;
    if (value.contains(separator) || value.contains(QLatin1Char('"')) ||
        value.contains(QLatin1Char('\r')) || value.contains(QLatin1Char('\n'))) {
        QString quoted = value;
        quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        m_bytes += '"' + quoted.toUtf8() + '"';
    } else {
        m_bytes += value.toUtf8();
    }
}

CsvFile &CsvFile::text(const QString &value)
{
    static const QString formulaStarts = QStringLiteral("=+-@");
    if (!value.isEmpty() && formulaStarts.contains(value.at(0)))
        field(QLatin1Char('\'') + value);
    else
        field(value);
    return *this;
}

CsvFile &CsvFile::number(const QString &value)
{
    const QString trimmed = NumberText::trimmed(value);
    Real parsed = 0;
    if (trimmed.isEmpty() || !NumberText::tryToReal(trimmed, parsed))
        return text(trimmed);
    field(m_dialect == Dialect::French
              ? trimmed
              : QString(trimmed).replace(QLatin1Char(','), QLatin1Char('.')));
    return *this;
}

void CsvFile::endRow()
{
    m_bytes += "\r\n";
    m_rowStarted = false;
}

void CsvFile::addRow(const QStringList &texts)
{
    for (const QString &value : texts)
        text(value);
    endRow();
}

Status CsvFile::save(const QString &fileName) const
{
    QString error;
    if (!TextFile::writeBytes(fileName, m_bytes, &error))
        return Failure(error);
    return {};
}
