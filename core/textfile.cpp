#include "core/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <bit>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace TextFile {

namespace {

// Windows-1252 0x80..0x9F. The five bytes the code page leaves undefined map to the C1
// control of the same value, so that they survive a read and a write. Qt's QStringDecoder
// ("windows-1252") gives the same mapping only where Qt was built with ICU, an optional part
// of it; the files must read the same everywhere, and the book decodes its lines one at a time
// from its buffer, where this table and the ASCII fast path below cost less than a converter
// made for each line. A test holds the table against Qt's converter where there is one.
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

// A character written as the byte of the same value.
bool isPlain(char16_t c)
{
    return c < 0x80 || (c >= 0xA0 && c <= 0xFF);
}

char fromUnicode(char16_t c, bool &coded)
{
    if (isPlain(c))
        return char(c);
    const auto found = reverseTable().constFind(c);
    if (found != reverseTable().constEnd())
        return found.value();
    coded = false;
    return '?';
}

// Most text is ASCII and Latin-1 letters, where a byte and a character have the same value.
// These loops copy that way and say whether a byte or character of another kind came by;
// only then is the table used.
bool widenPlain(const char *in, qsizetype n, char16_t *out)
{
    unsigned other = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char b = static_cast<unsigned char>(in[i]);
        out[i] = b;
        other |= unsigned(b - 0x80u < 0x20u);
    }
    return other == 0;
}

#if defined(__SSE2__)
// Eight characters to eight bytes; false when one of them is not plain.
bool narrowPlain8(const char16_t *in, char *out)
{
    const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in));
    const __m128i aboveFF = _mm_andnot_si128(
        _mm_cmpeq_epi16(_mm_and_si128(chars, _mm_set1_epi16(short(0xFF00))), _mm_setzero_si128()),
        _mm_set1_epi16(-1));
    const __m128i c1Range =
        _mm_cmpeq_epi16(_mm_and_si128(chars, _mm_set1_epi16(short(0xFFE0))), _mm_set1_epi16(0x80));
    _mm_storel_epi64(reinterpret_cast<__m128i *>(out), _mm_packus_epi16(chars, chars));
    return _mm_movemask_epi8(_mm_or_si128(aboveFF, c1Range)) == 0;
}
#endif

// Text is written line by line, and most lines are short: eight characters at a time, the
// last eight of a line taken again rather than one by one.
bool narrowPlain(const char16_t *in, qsizetype n, char *out)
{
#if defined(__SSE2__)
    if (n >= 8) {
        bool plain = true;
        qsizetype i = 0;
        for (; i + 8 <= n; i += 8)
            plain &= narrowPlain8(in + i, out + i);
        if (i < n)
            plain &= narrowPlain8(in + n - 8, out + n - 8);
        return plain;
    }
#endif
    for (qsizetype i = 0; i < n; ++i) {
        if (!isPlain(in[i]))
            return false;
        out[i] = char(in[i]);
    }
    return true;
}

void decodeInto(const char *in, qsizetype n, char16_t *out)
{
    if (widenPlain(in, n, out))
        return;
    for (qsizetype i = 0; i < n; ++i)
        out[i] = toUnicode(static_cast<unsigned char>(in[i]));
}

QString decodeLine(const char *in, qsizetype n)
{
    QString text(n, Qt::Uninitialized);
    decodeInto(in, n, reinterpret_cast<char16_t *>(text.data()));
    return text;
}

} // namespace

QString decode(QByteArrayView bytes)
{
    return decodeLine(bytes.data(), bytes.size());
}

bool encodeInto(QStringView text, char *out)
{
    const char16_t *in = text.utf16();
    const qsizetype n = text.size();
    if (narrowPlain(in, n, out))
        return true;
    bool coded = true;
    for (qsizetype i = 0; i < n; ++i)
        out[i] = fromUnicode(in[i], coded);
    return coded;
}

bool canEncode(QChar c)
{
    return isPlain(c.unicode()) || reverseTable().contains(c.unicode());
}

namespace {

QString spacedControls(QString text, bool keepTab)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if ((c < 0x20 || c == 0x7F) && !(keepTab && c == u'\t'))
            text[i] = QLatin1Char(' ');
    }
    return text;
}

} // namespace

QString oneLine(QString text)
{
    return spacedControls(std::move(text), false);
}

QString noteLine(QString text)
{
    return spacedControls(std::move(text), true);
}

QByteArray encode(const QString &text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    encodeInto(text, bytes.data());
    return bytes;
}

const char *findLineEnd(const char *from, const char *end)
{
    const char *p = from;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; end - p >= 16; p += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const unsigned found = unsigned(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf))));
        if (found)
            return p + std::countr_zero(found);
    }
#endif
    for (; p < end; ++p)
        if (*p == '\r' || *p == '\n')
            return p;
    return end;
}

QStringList splitLines(QByteArrayView bytes)
{
    QStringList lines;
    forEachLine(bytes, [&](qsizetype from, qsizetype size) {
        lines.append(decodeLine(bytes.data() + from, size));
    });
    return lines;
}

QByteArray joinLines(const QStringList &lines)
{
    // The whole file in one buffer, each line encoded straight into its place.
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    QByteArray bytes(size, Qt::Uninitialized);
    char *out = bytes.data();
    for (const QString &line : lines) {
        encodeInto(line, out);
        out += line.size();
        *out++ = '\r';
        *out++ = '\n';
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

bool read(const QString &fileName, TextLines &lines, QString *error)
{
    // The lines keep the file's bytes as they were read: nothing is decoded or copied.
    QByteArray bytes;
    if (!readBytes(fileName, bytes, error))
        return false;
    lines = TextLines::fromBytes(bytes);
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

namespace {

// Writes a file's whole content to the device; false when a write failed.
using Content = std::function<bool(QIODevice &device)>;

Content contentOf(const QByteArray &bytes)
{
    return [&bytes](QIODevice &device) { return device.write(bytes) == bytes.size(); };
}

Content contentOf(const TextLines &lines)
{
    return [&lines](QIODevice &device) { return lines.writeTo(device); };
}

// The new content is written and flushed; `beforeCommit` runs only then, just before it takes
// the old file's place.
bool writeWhole(const QString &fileName, const Content &content, QString *error,
                const std::function<void()> &beforeCommit = {})
{
    const std::unique_ptr<FileWriter> file =
        writerFactory() ? writerFactory()(fileName) : saveFileWriter(fileName);
    bool ok = file->open() && content(file->device()) && file->flush();
    if (ok && beforeCommit)
        beforeCommit();
    ok = ok && file->commit();
    if (!ok) {
        file->cancel();
        if (error)
            *error = Failure::cannotCreate(fileName).message();
    }
    return ok;
}

} // namespace

bool writeBytes(const QString &fileName, const QByteArray &bytes, QString *error)
{
    return writeWhole(fileName, contentOf(bytes), error);
}

namespace {

QString pendingCopyName(const QString &copyName)
{
    return copyName + QStringLiteral(".new");
}

// The file's data under a second name: a hard link where the file system allows it (no bytes
// copied, nothing to sync), a whole copy otherwise. A symbolic link is followed: a second name
// for the link itself would show whatever the file holds later, not what it holds now.
bool secondName(const QString &fileName, const QString &name)
{
    QFile::remove(name);
#ifdef Q_OS_UNIX
    if (::linkat(AT_FDCWD, QFile::encodeName(fileName).constData(), AT_FDCWD,
                 QFile::encodeName(name).constData(), AT_SYMLINK_FOLLOW) == 0)
        return true;
#endif
    QByteArray bytes;
    return readBytes(fileName, bytes) && writeBytes(name, bytes);
}

// The pending copy takes the old copy's place in one rename, so a copy is always there.
bool putPendingCopy(const QString &copyName)
{
    const QString pending = pendingCopyName(copyName);
    if (std::rename(QFile::encodeName(pending).constData(),
                    QFile::encodeName(copyName).constData()) == 0)
        return true;
    QFile::remove(pending);
    return false;
}

} // namespace

QString realName(const QString &fileName)
{
    // Not canonicalFilePath(): a link may lead to a file that is not there yet.
    QFileInfo info(fileName);
    for (int depth = 0; info.isSymLink() && depth < 40; ++depth)
        info.setFile(info.symLinkTarget());
    return info.absoluteFilePath();
}

bool keepCopy(const QString &fileName, const QString &copyName)
{
    return secondName(fileName, pendingCopyName(copyName)) && putPendingCopy(copyName);
}

bool write(const QString &fileName, const TextLines &lines, QString *error)
{
    return writeWhole(fileName, contentOf(lines), error);
}

Result<bool> writeKeepingCopy(const QString &fileName, const TextLines &lines,
                              const QString &copyName)
{
    // The file replaced gets its second name only once the new content is safely written, and
    // that name becomes the copy only once the new file is in place: a failed save leaves both
    // the file and its older copy as they were. Files are replaced by a rename, so the copy
    // keeps the data it was given.
    const bool existed = QFileInfo::exists(fileName);
    bool named = false;
    QString error;
    if (!writeWhole(fileName, contentOf(lines), &error,
                    [&] { named = existed && secondName(fileName, pendingCopyName(copyName)); })) {
        QFile::remove(pendingCopyName(copyName));
        return Failure(error);
    }
    return !existed || (named && putPendingCopy(copyName));
}

} // namespace TextFile
