// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settingsfile.h"

#include "core/numbertext.h"
#include "core/textfile.h"

#include <QFileInfo>
#include <QSettings>
#include <algorithm>

namespace SettingsFile {

namespace {

constexpr char EndOfFile = 26; // Ctrl-Z ends a text file, whatever follows it
constexpr int RealWidth = 64;
constexpr int IntegerWidth = 32;

// Reads the file the way it has always been read: numbers are the next run of non-blank
// characters wherever it starts (blank lines included), the rest of their line is dropped.
// Lines end as in every file of the program, so that a file edited elsewhere with LF line ends
// still reads line by line.
class Reader {
public:
    explicit Reader(const QByteArray &bytes)
    {
        const qsizetype stop = bytes.indexOf(EndOfFile);
        m_lines = TextLines::fromBytes(stop < 0 ? bytes : bytes.left(stop));
    }

    bool atEnd() const { return m_next >= m_lines.size(); }

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

    QString line() { return atEnd() ? QString() : m_lines.at(m_next++); }

private:
    static bool isBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

    QString token(int width)
    {
        while (!atEnd()) {
            const QByteArrayView line = m_lines.bytes(m_next++);
            const auto start = std::find_if_not(line.begin(), line.end(), isBlank);
            if (start == line.end())
                continue; // a blank line: the number is further on
            auto stop = start;
            while (stop != line.end() && !isBlank(*stop) && stop - start < width)
                ++stop;
            return QString::fromLatin1(start, stop - start);
        }
        return QString();
    }

    TextLines m_lines;
    qsizetype m_next = 0;
};

// A remembered name the file's code page cannot hold is written there with "?" in place of
// what it lacks, and kept whole in the user's own settings, where it is taken back as long as
// the file still names it that way.
const QString FullNameKey = QStringLiteral("CarnetOuvertAuDemarrage");

QSettings userSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Qor"),
                     QStringLiteral("Qor Commande"));
}

bool fitsCodePage(const QString &text)
{
    return TextFile::decode(TextFile::encode(text)) == text;
}

void keepFullName(const QString &name)
{
    if (!fitsCodePage(name))
        userSettings().setValue(FullNameKey, name);
}

QString fullName(const QString &line6)
{
    // Only a name written with "?" can stand for one the code page lacked.
    if (!line6.contains(QLatin1Char('?')))
        return line6;
    const QString kept = userSettings().value(FullNameKey).toString();
    return !kept.isEmpty() && TextFile::encode(kept) == TextFile::encode(line6) ? kept : line6;
}

} // namespace

QString fileName()
{
    return QStringLiteral("QorCmd.ini");
}

void load(const QByteArray &bytes, Settings &settings)
{
    Reader in(bytes);
    settings.converterRate = in.real();
    settings.converterDirection = 0;
    settings.euroRate = in.real();
    for (Real &rate : settings.vatRates)
        rate = in.real();
    settings.autoOpenFileName = in.line();
    settings.autoOpen = in.integer();
    settings.euroMode = in.integer();
    settings.singleCurrency = in.integer();
    settings.paymentTerms.clear();
    while (!in.atEnd())
        settings.paymentTerms.append(in.line());
}

QByteArray save(const Settings &settings, const QString &fileNameLine6)
{
    QStringList lines;
    lines << NumberText::scientific(settings.converterRate)
          << NumberText::scientific(settings.euroRate);
    for (Real rate : settings.vatRates)
        lines << NumberText::scientific(rate);
    // Lines are read by position, and the terms one a line: none may bring a line end.
    lines << TextFile::oneLine(fileNameLine6) << QString::number(settings.autoOpen)
          << QString::number(settings.euroMode) << QString::number(settings.singleCurrency);
    for (const QString &term : settings.paymentTerms)
        lines << TextFile::oneLine(term);
    return TextFile::joinLines(lines);
}

bool loadSettings(Settings &settings)
{
    if (!QFileInfo(fileName()).isFile())
        return false;
    QByteArray bytes;
    if (!TextFile::readBytes(fileName(), bytes).ok())
        return false;
    load(bytes, settings);
    settings.autoOpenFileName = fullName(settings.autoOpenFileName);
    return true;
}

Status saveSettings(const Settings &settings, const QString &fileName)
{
    if (Status written = TextFile::writeBytes(SettingsFile::fileName(), save(settings, fileName));
        !written)
        return written;
    keepFullName(fileName);
    return {};
}

void autoOpenSetting(const Settings &settings, bool &autoOpen, QString &fileName)
{
    autoOpen = settings.autoOpen == 1;
    fileName = settings.autoOpenFileName;
}

void setAutoOpen(Settings &settings, bool autoOpen)
{
    settings.autoOpen = autoOpen ? 1 : 0;
}

} // namespace SettingsFile
