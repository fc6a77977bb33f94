// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/csvfile.h"

#include "core/numbertext.h"
#include "core/textfile.h"

#include <QDir>
#include <QFileInfo>

#include <cstring>

namespace {

const char ByteOrderMark[] = "\xEF\xBB\xBF";

QString quoted(const QString &name)
{
    return QStringLiteral("« ") + name + QStringLiteral(" »");
}

} // namespace

CsvFile::CsvFile(Format format) : m_format(format)
{
    if (m_format == Format::Spreadsheet)
        m_bytes.append(ByteOrderMark);
}

QString CsvFile::filter(Format format)
{
    return format == Format::Spreadsheet ? QStringLiteral("CSV pour tableur (France) (*.csv)")
                                         : QStringLiteral("CSV standard (virgule, UTF-8) (*.csv)");
}

QString CsvFile::filters()
{
    return filter(Format::Spreadsheet) + QStringLiteral(";;") + filter(Format::Standard);
}

CsvFile::Format CsvFile::formatOf(const QString &chosenFilter)
{
    return chosenFilter == filter(Format::Standard) ? Format::Standard : Format::Spreadsheet;
}

void CsvFile::separate()
{
    if (m_rowStarted)
        m_bytes.append(separator());
    m_rowStarted = true;
}

void CsvFile::appendText(QStringView text)
{
    // Straight into the buffer: a file of every order line holds millions of fields.
    const qsizetype size = m_bytes.size();
    m_bytes.resize(size + m_utf8.requiredSpace(text.size()));
    char *const end = m_utf8.appendToBuffer(m_bytes.data() + size, text);
    m_bytes.truncate(end - m_bytes.constData());
}

CsvFile &CsvFile::text(QStringView field)
{
    separate();
    const bool formula = !field.isEmpty() && (field.front() == u'=' || field.front() == u'+' ||
                                              field.front() == u'-' || field.front() == u'@');
    const QChar sep = QLatin1Char(separator());
    bool quote = false;
    for (const QChar c : field) {
        if (c == sep || c == u'"' || c == u'\r' || c == u'\n') {
            quote = true;
            break;
        }
    }
    if (!quote) {
        if (formula)
            m_bytes.append('\'');
        appendText(field);
        return *this;
    }
    m_bytes.append('"');
    if (formula)
        m_bytes.append('\'');
    qsizetype from = 0;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field.at(i) != u'"')
            continue;
        appendText(field.mid(from, i + 1 - from));
        m_bytes.append('"');
        from = i + 1;
    }
    appendText(field.mid(from));
    m_bytes.append('"');
    return *this;
}

namespace {

// "-12,50" and the like, the figures of nearly every field: no text to make to write them.
bool isPlainDecimal(QStringView text)
{
    qsizetype i = !text.isEmpty() && text.front() == u'-' ? 1 : 0;
    const qsizetype start = i;
    while (i < text.size() && text.at(i).isDigit() && text.at(i).unicode() < 128)
        ++i;
    if (i == start)
        return false;
    if (i < text.size() && text.at(i) == u',') {
        const qsizetype decimals = ++i;
        while (i < text.size() && text.at(i).isDigit() && text.at(i).unicode() < 128)
            ++i;
        if (i == decimals)
            return false;
    }
    return i == text.size() && text.size() <= 16;
}

} // namespace

CsvFile &CsvFile::number(QStringView decimalText)
{
    if (isPlainDecimal(decimalText)) {
        separate();
        const char point = decimalSeparator().toLatin1();
        for (const QChar c : decimalText)
            m_bytes.append(c == u',' ? point : char(c.unicode()));
        return *this;
    }
    QString trimmed = NumberText::trimmed(decimalText.toString());
    Real value = 0;
    if (trimmed.isEmpty() || !NumberText::tryToReal(trimmed, value))
        return text(decimalText);
    separate();
    if (trimmed.startsWith(QLatin1Char('+')))
        trimmed.remove(0, 1);
    trimmed.replace(QLatin1Char(','), decimalSeparator());
    appendText(trimmed);
    return *this;
}

CsvFile &CsvFile::cents(qint64 value)
{
    separate();
    const quint64 magnitude = value < 0 ? quint64(0) - quint64(value) : quint64(value);
    char digits[24];
    int n = 0;
    quint64 rest = magnitude;
    do {
        digits[n++] = char('0' + rest % 10);
        rest /= 10;
        if (n == 2)
            digits[n++] = decimalSeparator().toLatin1();
    } while (rest > 0 || n < 4);
    if (value < 0)
        m_bytes.append('-');
    while (n > 0)
        m_bytes.append(digits[--n]);
    return *this;
}

CsvFile &CsvFile::empty()
{
    separate();
    return *this;
}

CsvFile &CsvFile::again(qsizetype from, qsizetype to)
{
    separate();
    const qsizetype size = m_bytes.size();
    m_bytes.resize(size + (to - from));
    std::memcpy(m_bytes.data() + size, m_bytes.constData() + from, size_t(to - from));
    return *this;
}

void CsvFile::appendRows(QByteArrayView rows)
{
    m_bytes.append(rows);
    m_rowStarted = false;
}

void CsvFile::endRow()
{
    m_bytes.append("\r\n");
    m_rowStarted = false;
}

Status CsvFile::save(const QString &fileName) const
{
    const Status written = TextFile::writeBytes(fileName, m_bytes);
    if (written)
        return {};
    QString message = QStringLiteral("L'exportation a échoué : impossible d'écrire le fichier ") +
                      quoted(QDir::toNativeSeparators(fileName)) + QLatin1Char('.');
    const QFileInfo info(fileName);
    if (!info.absoluteDir().exists())
        message += QStringLiteral(" Le dossier ") +
                   quoted(QDir::toNativeSeparators(info.absolutePath())) +
                   QStringLiteral(" n'existe pas.");
    else if (info.isDir())
        message += QStringLiteral(" Un dossier porte ce nom.");
    else if (!written.failure().cause().isEmpty())
        message += QLatin1Char(' ') + written.failure().cause().left(1).toUpper() +
                   written.failure().cause().mid(1) + QLatin1Char('.');
    else
        message += QStringLiteral(" Le disque est peut-être plein, ou le fichier protégé.");
    return Failure(message, written.failure().cause());
}
