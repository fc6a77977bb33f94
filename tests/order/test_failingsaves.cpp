// SPDX-License-Identifier: GPL-3.0-or-later
// A save that fails, on writing, on flushing or on committing, leaves the file on disk byte
// for byte, keeps what is in memory marked as changed and says so in French, with the cause the
// system gave; the order file's backup copy is kept beside it. These tests need no folder
// rights, so they hold as root.

#include "core/textfile.h"
#include "failingwriter.h"
#include "order/orderdocument.h"
#include "orderlines.h"
#include "settings/settingsfile.h"
#include "suppliers/company.h"
#include "suppliers/supplierbook.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <cerrno>

using WriteFailure = FailingWriter::Failure;

namespace {

QByteArray contents(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// One of the program's files, changed in memory and written back.
struct Writer {
    QString fileName;
    // Changes what is in memory; gives false if the write failed, with `message` the French
    // text for the user.
    std::function<bool(QString &message)> save;
    std::function<bool()> stillModified;
};

} // namespace

class TestFailingSaves : public QObject {
    Q_OBJECT

    QScopedPointer<TemporaryWorkingDir> dir;
    QScopedPointer<FakePlatform> prompts;
    QScopedPointer<OrderDocument> book;
    SupplierBook suppliers;
    Company company;
    Settings settings;

    // The files in the folder, but the lock of the open order file.
    QStringList files() const
    {
        QStringList names = QDir(dir->path()).entryList(QDir::Files);
        names.removeAll(QStringLiteral("c.cmd.lock"));
        return names;
    }

    Writer writer(const QString &which)
    {
        if (which == QLatin1String("order book"))
            return {dir->file(QStringLiteral("c.cmd")),
                    [this](QString &message) {
                        if (const Result<bool> loaded = book->loadBook(dir->file("c.cmd"));
                            !loaded) {
                            message = loaded.message();
                            return false;
                        }
                        book->setCell(1, 0, QStringLiteral("changed"));
                        const Result<bool> saved = book->save(dir->file(QStringLiteral("c.cmd")));
                        if (!saved)
                            message = saved.message();
                        return saved.ok();
                    },
                    [this] { return book->fileModified(); }};
        if (which == QLatin1String("supplier file"))
            return {dir->file(SupplierBook::FileName),
                    [this](QString &message) {
                        if (const Status read = suppliers.loadSuppliers(); !read) {
                            message = read.message();
                            return false;
                        }
                        suppliers.append({QStringLiteral("10099"), {QStringLiteral("Durand")}});
                        const Status saved = suppliers.saveSuppliers();
                        message = saved.ok() ? QString() : saved.message();
                        return saved.ok();
                    },
                    [this] { return suppliers.modified; }};
        if (which == QLatin1String("company file"))
            return {dir->file(Company::FileName),
                    [this](QString &message) {
                        company.details[0] = QStringLiteral("Société Nouvelle");
                        const Status saved = company.saveCompany();
                        message = saved.ok() ? QString() : saved.message();
                        return saved.ok();
                    },
                    [] { return true; }};
        return {dir->file(SettingsFile::fileName()),
                [this](QString &message) {
                    settings.euroRate = 7.5L;
                    const Status saved =
                        SettingsFile::saveSettings(settings, QStringLiteral("x.cmd"));
                    message = saved.ok() ? QString() : saved.message();
                    return saved.ok();
                },
                [] { return true; }};
    }

private Q_SLOTS:
    void init()
    {
        dir.reset(new TemporaryWorkingDir);
        prompts.reset(new FakePlatform);
        book.reset(new OrderDocument);
        suppliers = SupplierBook();
        company = Company();
        settings = Settings();
        QVERIFY(TextFile::write(
            dir->file(QStringLiteral("c.cmd")),
            TextLines(orderBlock(0, "200003001") + orderBlock(1, "200003002", "Clous"))));
        QVERIFY(TextFile::write(dir->file(SupplierBook::FileName),
                                {QStringLiteral("<FOU>10023"), QStringLiteral("Dupont"), QString(),
                                 QString(), QString()}));
        QVERIFY(TextFile::write(dir->file(Company::FileName), {QStringLiteral("Société")}));
        QVERIFY(TextFile::writeBytes(dir->file(SettingsFile::fileName()),
                                     SettingsFile::save(settings, QStringLiteral("c.cmd"))));
    }
    void cleanup()
    {
        book.reset();
        prompts.reset();
        dir.reset();
    }

    void failedWriteKeepsTheFile_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<WriteFailure>("failure");
        QTest::addColumn<qint64>("budget");
        QTest::addColumn<int>("systemError");
        QTest::addColumn<QString>("cause");
        for (const char *which : {"order book", "supplier file", "company file", "settings file"}) {
            QTest::addRow("%s, nothing written", which)
                << which << WriteFailure::Write << qint64(0) << 0 << QString();
            QTest::addRow("%s, 10 bytes written", which)
                << which << WriteFailure::Write << qint64(10) << 0 << QString();
            QTest::addRow("%s, flush", which)
                << which << WriteFailure::Flush << qint64(0) << 0 << QString();
            QTest::addRow("%s, commit", which)
                << which << WriteFailure::Commit << qint64(0) << 0 << QString();
        }
        // What the system said, told in French.
        QTest::newRow("order book, disk full")
            << "order book" << WriteFailure::Flush << qint64(0) << ENOSPC
            << "le disque ou le dossier réseau est plein";
        QTest::newRow("supplier file, read-only disk")
            << "supplier file" << WriteFailure::Write << qint64(0) << EROFS
            << "le dossier est en lecture seule";
        QTest::newRow("company file, forbidden folder")
            << "company file" << WriteFailure::Write << qint64(0) << EACCES
            << "l'accès au dossier est interdit";
        QTest::newRow("settings file, network folder gone")
            << "settings file" << WriteFailure::Commit << qint64(0) << ENOTCONN
            << "le dossier réseau n'est plus accessible";
        QTest::newRow("order book, folder gone")
            << "order book" << WriteFailure::Commit << qint64(0) << ENOENT
            << "le dossier n'existe plus";
        QTest::newRow("order book, name too long")
            << "order book" << WriteFailure::Write << qint64(0) << ENAMETOOLONG
            << "le nom du fichier est trop long";
        QTest::newRow("order book, held by another program")
            << "order book" << WriteFailure::Commit << qint64(0) << ETXTBSY
            << "un autre programme utilise le fichier";
    }
    void failedWriteKeepsTheFile()
    {
        QFETCH(QString, which);
        QFETCH(WriteFailure, failure);
        QFETCH(qint64, budget);
        QFETCH(int, systemError);
        QFETCH(QString, cause);
        const Writer w = writer(which);
        const QByteArray before = contents(w.fileName);
        const QStringList filesBefore = files();
        {
            FailingWrites failing(failure, budget, QString(), systemError);
            QString message;
            QVERIFY(!w.save(message));
            QCOMPARE(message,
                     QStringLiteral("Ne peut créer le fichier ") +
                         (which == QLatin1String("order book") ? w.fileName
                                                               : QFileInfo(w.fileName).fileName()) +
                         (cause.isEmpty() ? QString() : QStringLiteral(" : ") + cause + '.'));
        }
        QCOMPARE(contents(w.fileName), before);
        QVERIFY(w.stillModified());
        // No temporary file is left behind, and no backup of a file that was not replaced.
        QCOMPARE(files(), filesBefore);

        // Once the device works again, the same save goes through.
        QString message;
        QVERIFY(w.save(message));
        QVERIFY(contents(w.fileName) != before);
    }

    // Without an injected failure: the folder itself refuses.
    void folderThatRefusesSaysWhy_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("cause");
        QTest::newRow("folder gone") << "parti/c.cmd"
                                     << "le dossier n'existe plus";
        QTest::newRow("name too long") << QString(300, QLatin1Char('n')) + ".cmd"
                                       << "le nom du fichier est trop long";
    }
    void folderThatRefusesSaysWhy()
    {
        QFETCH(QString, name);
        QFETCH(QString, cause);
        QVERIFY(book->loadBook(dir->file(QStringLiteral("c.cmd"))).ok());
        book->setCell(1, 0, QStringLiteral("changed"));
        const QStringList filesBefore = files();
        const Result<bool> saved = book->save(dir->file(name), OrderDocument::SaveWhen::Always);
        QVERIFY(!saved.ok());
        QCOMPARE(saved.failure().cause(), cause);
        QVERIFY(book->fileModified());
        QCOMPARE(files(), filesBefore);
    }

    void orderFileKeepsItsPreviousVersion()
    {
        const QString name = dir->file(QStringLiteral("c.cmd"));
        const QByteArray first = contents(name);
        QVERIFY(book->loadBook(name).ok());
        book->setCell(1, 0, QStringLiteral("second"));
        QVERIFY(*book->save(name));
        QCOMPARE(contents(name + QStringLiteral(".bak")), first);
        const QByteArray second = contents(name);
        book->setCell(1, 0, QStringLiteral("third"));
        QVERIFY(*book->save(name));
        QCOMPARE(contents(name + QStringLiteral(".bak")), second); // one generation only
        QVERIFY(prompts->asked.isEmpty());
    }

    void failedBackupIsReportedAndTheSaveGoesOn()
    {
        // A folder where the copy should go: neither a second name nor a copy can be made.
        const QString name = dir->file(QStringLiteral("c.cmd"));
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("c.cmd.bak")));
        QVERIFY(book->loadBook(name).ok());
        book->setCell(1, 0, QStringLiteral("new"));
        QVERIFY(*book->save(name));
        QCOMPARE(prompts->texts(), QStringList{QStringLiteral("Le fichier %1 est enregistré, mais "
                                                              "sa copie de sauvegarde %1.bak n'a "
                                                              "pas pu être faite.")
                                                   .arg(name)});
        QVERIFY(!book->fileModified());
        QVERIFY(QFileInfo(name + QStringLiteral(".bak")).isDir());
        QStringList saved;
        QVERIFY(TextFile::read(name, saved));
        QCOMPARE(saved.filter(QRegularExpression(QStringLiteral("^CMDEnew\t"))).size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestFailingSaves)
#include "test_failingsaves.moc"
