#include "order/textfile.h"

#include "pricing/commanderror.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

namespace TextFile {

namespace {

// Windows-1252 0x80..0x9F. The five bytes the code page leaves undefined map to the C1
// control of the same value, so that they survive a read and a write.
constexpr char16_t HighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t toUnicode(unsigned char b)
{
    return (b >= 0x80 && b < 0xA0) ? HighControls[b - 0x80] : char16_t(b);
}

const QHash<char16_t, char> &reverseTable()
{
    static const QHash<char16_t, char> table = [] {
        QHash<char16_t, char> t;
        for (int i = 0; i < 32; ++i)
            t.insert(HighControls[i], char(0x80 + i));
        return t;
    }();
    return table;
}

char fromUnicode(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    return reverseTable().value(c, '?');
}

} // namespace

QString decode(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(toUnicode(static_cast<unsigned char>(bytes.at(i))));
    return text;
}

QByteArray encode(const QString &text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    const QChar *in = text.constData();
    for (qsizetype i = 0; i < text.size(); ++i)
        out[i] = fromUnicode(in[i].unicode());
    return bytes;
}

QStringList splitLines(const QByteArray &bytes)
{
    QStringList lines;
    const char *data = bytes.constData();
    const qsizetype n = bytes.size();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < n) {
        const char c = data[i];
        if (c == '\r' || c == '\n') {
            lines.append(decode(QByteArray::fromRawData(data + start, i - start)));
            i += (c == '\r' && i + 1 < n && data[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n)
        lines.append(decode(QByteArray::fromRawData(data + start, n - start)));
    return lines;
}

QByteArray joinLines(const QStringList &lines)
{
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    QByteArray bytes;
    bytes.reserve(size);
    for (const QString &line : lines) {
        bytes += encode(line);
        bytes += "\r\n";
    }
    return bytes;
}

bool readBytes(const QString &fileName, QByteArray &bytes, QString *error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Impossible de lire le fichier %1").arg(fileName);
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("Impossible de lire le fichier %1").arg(fileName);
        return false;
    }
    return true;
}

bool read(const QString &fileName, QStringList &lines, QString *error)
{
    QByteArray bytes;
    if (!readBytes(fileName, bytes, error))
        return false;
    lines = splitLines(bytes);
    return true;
}

namespace {

class SaveFileWriter : public FileWriter {
public:
    explicit SaveFileWriter(const QString &fileName) : m_file(fileName)
    {
        // Without this, a folder where no temporary file can be created would fall back to
        // writing the file in place, which a failure would leave half written.
        m_file.setDirectWriteFallback(false);
    }
    bool open() override { return m_file.open(QIODevice::WriteOnly); }
    QIODevice &device() override { return m_file; }
    // commit() closes the file, and closing forgets a failed flush of the buffered bytes (a
    // full disk), which would replace the file with a truncated one: flush first.
    bool flush() override { return m_file.flush(); }
    bool commit() override { return m_file.commit(); }
    void cancel() override { m_file.cancelWriting(); }

private:
    QSaveFile m_file;
};

WriterFactory &writerFactory()
{
    static WriterFactory factory;
    return factory;
}

} // namespace

std::unique_ptr<FileWriter> saveFileWriter(const QString &fileName)
{
    return std::make_unique<SaveFileWriter>(fileName);
}

WriterFactory setWriterFactory(WriterFactory factory)
{
    WriterFactory previous = std::move(writerFactory());
    writerFactory() = std::move(factory);
    return previous;
}

bool writeBytes(const QString &fileName, const QByteArray &bytes, QString *error)
{
    const std::unique_ptr<FileWriter> file =
        writerFactory() ? writerFactory()(fileName) : saveFileWriter(fileName);
    const bool ok = file->open() && file->device().write(bytes) == bytes.size() && file->flush() &&
                    file->commit();
    if (!ok) {
        file->cancel();
        if (error)
            *error = QStringLiteral("Ne peut créer le fichier %1").arg(fileName);
    }
    return ok;
}

bool write(const QString &fileName, const QStringList &lines, QString *error)
{
    return writeBytes(fileName, joinLines(lines), error);
}

void writeOrThrow(const QString &fileName, const QStringList &lines)
{
    QString error;
    if (!write(fileName, lines, &error))
        throw CommandError(error);
}

} // namespace TextFile
