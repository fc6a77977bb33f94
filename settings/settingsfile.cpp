#include "settings/settingsfile.h"

#include "core/numbertext.h"
#include "core/textfile.h"

#include <QFileInfo>

namespace SettingsFile {

namespace {

constexpr char EndOfFile = 26; // Ctrl-Z ends a text file, whatever follows it
constexpr int RealWidth = 64;
constexpr int IntegerWidth = 32;

// Reads the file the way it has always been read: numbers are the next run of non-blank
// characters wherever it starts (blank lines included), the rest of their line is dropped;
// a line ends at CR, and an LF right after it belongs to the line end. A bare LF ends a line
// too, so that a file edited elsewhere with LF line ends still reads line by line.
class Reader {
public:
    explicit Reader(const QByteArray &bytes) : m_bytes(bytes)
    {
        const qsizetype stop = bytes.indexOf(EndOfFile);
        m_end = stop < 0 ? bytes.size() : stop;
    }

    bool atEnd() const { return m_pos >= m_end; }

    Real real()
    {
        Real value = 0;
        Real stored = 0;
        if (NumberText::tryToReal(token(RealWidth), value, QLatin1Char('.')) &&
            Real48::tryStore(value, stored))
            return stored;
        return 0;
    }

    int integer()
    {
        int value = 0;
        return NumberText::tryToInteger(token(IntegerWidth), value) ? value : 0;
    }

    QString line()
    {
        const qsizetype start = m_pos;
        while (m_pos < m_end && !isLineEnd(m_bytes.at(m_pos)))
            ++m_pos;
        const QString text = TextFile::decode(m_bytes.mid(start, m_pos - start));
        skipLineEnd();
        return text;
    }

private:
    static bool isBlank(char c) { return static_cast<unsigned char>(c) <= 32; }
    static bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

    QString token(int width)
    {
        while (m_pos < m_end && isBlank(m_bytes.at(m_pos)))
            ++m_pos;
        const qsizetype start = m_pos;
        while (m_pos < m_end && !isBlank(m_bytes.at(m_pos)) && m_pos - start < width)
            ++m_pos;
        const QString text = QString::fromLatin1(m_bytes.mid(start, m_pos - start));
        while (m_pos < m_end && !isLineEnd(m_bytes.at(m_pos)))
            ++m_pos;
        skipLineEnd();
        return text;
    }

    void skipLineEnd()
    {
        if (m_pos < m_end && m_bytes.at(m_pos) == '\r') {
            ++m_pos;
            if (m_pos < m_end && m_bytes.at(m_pos) == '\n')
                ++m_pos;
        } else if (m_pos < m_end && m_bytes.at(m_pos) == '\n') {
            ++m_pos;
        }
    }

    const QByteArray &m_bytes;
    qsizetype m_pos = 0;
    qsizetype m_end = 0;
};

} // namespace

QString fileName()
{
    return QStringLiteral("QorCmd.ini");
}

void load(const QByteArray &bytes, Settings &settings)
{
    Reader in(bytes);
    settings.ConverterValue = in.real();
    settings.ConverterOption = 0;
    settings.EuroRate = in.real();
    for (Real &rate : settings.VatRates)
        rate = in.real();
    settings.AutoOpenFileName = in.line();
    settings.AutoOpen = in.integer();
    settings.EuroMode = in.integer();
    settings.SingleCurrency = in.integer();
    settings.PaymentTermList.clear();
    while (!in.atEnd())
        settings.PaymentTermList.append(in.line());
}

QByteArray save(const Settings &settings, const QString &fileNameLine6)
{
    QStringList lines;
    lines << NumberText::scientific(settings.ConverterValue)
          << NumberText::scientific(settings.EuroRate);
    for (Real rate : settings.VatRates)
        lines << NumberText::scientific(rate);
    lines << fileNameLine6 << QString::number(settings.AutoOpen)
          << QString::number(settings.EuroMode) << QString::number(settings.SingleCurrency);
    lines << settings.PaymentTermList;
    return TextFile::joinLines(lines);
}

bool ChargeIni(Settings &settings)
{
    if (!QFileInfo(fileName()).isFile())
        return false;
    QByteArray bytes;
    if (!TextFile::readBytes(fileName(), bytes))
        return false;
    load(bytes, settings);
    return true;
}

bool SauveIni(const Settings &settings, const QString &fileName, QString &error)
{
    return TextFile::writeBytes(SettingsFile::fileName(), save(settings, fileName), &error);
}

void GetIni(const Settings &settings, bool &autoOpen, QString &fileName)
{
    autoOpen = settings.AutoOpen == 1;
    fileName = settings.AutoOpenFileName;
}

void SetIni(Settings &settings, bool autoOpen)
{
    settings.AutoOpen = autoOpen ? 1 : 0;
}

} // namespace SettingsFile
