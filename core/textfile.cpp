// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace TextFile {

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

QStringList splitLines(QByteArrayView bytes)
{
    QStringList lines;
    forEachLine(bytes, [&](qsizetype from, qsizetype size) {
        lines.append(decode(bytes.sliced(from, size)));
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

Status readBytes(const QString &fileName, QByteArray &bytes)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return Failure(QStringLiteral("Impossible de lire le fichier %1").arg(fileName));
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Failure(QStringLiteral("Impossible de lire le fichier %1").arg(fileName));
    return {};
}

Status read(const QString &fileName, TextLines &lines)
{
    // The lines keep the file's bytes as they were read: nothing is decoded or copied.
    QByteArray bytes;
    if (Status read = readBytes(fileName, bytes); !read)
        return read;
    lines = TextLines::fromBytes(bytes);
    return {};
}

Status read(const QString &fileName, QStringList &lines)
{
    QByteArray bytes;
    if (Status read = readBytes(fileName, bytes); !read)
        return read;
    lines = splitLines(bytes);
    return {};
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
    bool flush() override
    {
        errno = 0;
        const bool flushed = m_file.flush();
        // A write cut short (a full disk) leaves Qt without the system's word: errno has it.
        m_flushError = flushed ? 0 : errno;
        return flushed;
    }
    bool commit() override { return m_file.commit(); }
    void cancel() override { m_file.cancelWriting(); }
    QString errorString() const override
    {
        QString text = m_file.errorString();
        if (m_flushError)
            text += QLatin1Char('\n') + QString::fromLocal8Bit(std::strerror(m_flushError));
        return text;
    }

private:
    QSaveFile m_file;
    int m_flushError = 0;
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
// the old file's place. The failure names the cause; the temporary file is gone.
Status writeWhole(const QString &fileName, const Content &content,
                  const std::function<void()> &beforeCommit = {})
{
    const std::unique_ptr<FileWriter> file =
        writerFactory() ? writerFactory()(fileName) : saveFileWriter(fileName);
    bool ok = file->open() && content(file->device()) && file->flush();
    if (ok && beforeCommit)
        beforeCommit();
    ok = ok && file->commit();
    if (ok)
        return {};
    const QString systemText = file->errorString();
    file->cancel();
    return Failure::cannotCreate(fileName, writeFailureCause(fileName, systemText));
}

// The system's codes for a failed write, by what the user is told of them.
struct Cause {
    std::initializer_list<int> codes;
    const char16_t *text;
};

const Cause causes[] = {
    {{ENOSPC, EDQUOT}, u"le disque ou le dossier réseau est plein"},
    {{EFBIG}, u"le fichier est trop grand pour ce disque"},
    {{EROFS}, u"le dossier est en lecture seule"},
    {{EACCES, EPERM}, u"l'accès au dossier est interdit"},
    {{ENOENT, ENOTDIR}, u"le dossier n'existe plus"},
    {{ENOTCONN, ESTALE, EHOSTDOWN, EHOSTUNREACH, ENETDOWN, ENETUNREACH, ETIMEDOUT, ECONNRESET,
      ECONNABORTED, EIO},
     u"le dossier réseau n'est plus accessible"},
    {{ENAMETOOLONG}, u"le nom du fichier est trop long"},
    {{ETXTBSY, EBUSY, EAGAIN}, u"un autre programme utilise le fichier"},
};

} // namespace

QString writeFailureCause(const QString &fileName, const QString &systemText)
{
    // Qt words a failure with the C library's own text for its code: finding that text finds
    // the code.
    for (const Cause &cause : causes)
        for (const int code : cause.codes)
            if (!systemText.isEmpty() &&
                systemText.contains(QString::fromLocal8Bit(std::strerror(code))))
                return QString::fromUtf16(cause.text);
    const QFileInfo info(fileName);
    if (!info.absoluteDir().exists())
        return QStringLiteral("le dossier n'existe plus");
    if (info.fileName().toUtf8().size() > 255)
        return QStringLiteral("le nom du fichier est trop long");
    return QString();
}

Status writeBytes(const QString &fileName, const QByteArray &bytes)
{
    return writeWhole(fileName, contentOf(bytes));
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
    return readBytes(fileName, bytes).ok() && writeBytes(name, bytes).ok();
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

Status write(const QString &fileName, const TextLines &lines)
{
    return writeWhole(fileName, contentOf(lines));
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
    if (Status written =
            writeWhole(fileName, contentOf(lines),
                       [&] { named = existed && secondName(fileName, pendingCopyName(copyName)); });
        !written) {
        QFile::remove(pendingCopyName(copyName));
        return written.failure();
    }
    return !existed || (named && putPendingCopy(copyName));
}

} // namespace TextFile
