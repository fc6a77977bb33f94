// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/codepage.h"
#include "core/result.h"
#include "core/textlines.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QIODevice;

// Text files of the program: Windows-1252 on disk, lossless for every byte value. On reading,
// CR LF, a bare CR or a bare LF ends a line, and a last line without line end counts; on
// writing, every line is followed by CR LF. Whole files are written through QSaveFile, so a
// failed write leaves the file on disk as it was.
namespace TextFile {

// Where a whole file is written: the new content goes to device(), and only commit() puts it
// in place of the old file; cancel() leaves the old file as it was. The program writes
// through QSaveFile; tests put in writers that fail.
class FileWriter {
public:
    virtual ~FileWriter() = default;
    virtual bool open() = 0;
    virtual QIODevice &device() = 0;
    virtual bool flush() = 0;
    virtual bool commit() = 0;
    virtual void cancel() = 0;
    // After a failure: what the system said, in its own words.
    virtual QString errorString() const = 0;
};

using WriterFactory = std::function<std::unique_ptr<FileWriter>(const QString &fileName)>;

// The writer of a file through QSaveFile.
std::unique_ptr<FileWriter> saveFileWriter(const QString &fileName);
// Installs the factory every write goes through and gives back the previous one; an empty
// factory is saveFileWriter.
WriterFactory setWriterFactory(WriterFactory factory);

// The text as one line of a file: a control character (TAB, CR, LF...) would split or shift
// the line when it is read back, so each becomes a space. Every writer passes its fields,
// and the cells of an order line, through it.
QString oneLine(QString text);
// The same for a line of an order's note, which is read from its prefix to the line end: a
// TAB splits nothing there and stays as the user or the file had it.
QString noteLine(QString text);

QStringList splitLines(QByteArrayView bytes);
QByteArray joinLines(const QStringList &lines);

// Reads the whole file; the failure says, in French, that it cannot be read.
Status read(const QString &fileName, TextLines &lines);
Status read(const QString &fileName, QStringList &lines);
Status readBytes(const QString &fileName, QByteArray &bytes);

// Replaces the file with the lines; the failure names the file and the cause the system gave,
// in French, and leaves the old file untouched.
Status write(const QString &fileName, const TextLines &lines);
Status writeBytes(const QString &fileName, const QByteArray &bytes);

// Why a file could not be written, in French ("le disque ou le dossier réseau est plein"), from
// what the system said (`systemText`) and what can still be seen of the folder; empty when
// neither tells.
QString writeFailureCause(const QString &fileName, const QString &systemText);

// The file a name leads to, as an absolute name: symbolic links are followed to the file they
// end at, which need not exist yet. Saving through a link writes that file.
QString realName(const QString &fileName);

// Keeps the file as it stands under `copyName`, in place of an older copy: a second name for
// the same data where the file system allows it (no bytes copied, nothing to sync), a whole
// copy through the writer otherwise. False when neither could be made; the file itself is
// never touched.
bool keepCopy(const QString &fileName, const QString &copyName);

// As write(), keeping the file replaced as `copyName` (keepCopy) once the new content is
// safely written, just before it takes the file's place. False when no copy could be made: the
// new file is in place all the same. A failed write is the message "Ne peut créer le
// fichier %s", the old file untouched.
Result<bool> writeKeepingCopy(const QString &fileName, const TextLines &lines,
                              const QString &copyName);

} // namespace TextFile
