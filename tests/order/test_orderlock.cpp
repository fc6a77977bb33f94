// SPDX-License-Identifier: GPL-3.0-or-later
// An order file open in one copy of the program is offered read-only to another, which cannot
// save over it, and is told which desk holds it since when; a desk of another machine can be
// taken over, and then writes nothing over the book; a lock left by a copy of this machine
// that crashed is taken over without a question; a file changed on disk is never written over.

#include "core/textfile.h"
#include "order/orderdocument.h"
#include "order/orderfilelock.h"
#include "orderlines.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTest>
#include <cstdio>

using Prompts::Answer;

namespace {

QByteArray contents(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// One running copy of the program, as far as its book goes, on the desk named (this machine
// when none is).
struct Copy {
    explicit Copy(const QString &desk = QString())
    {
        if (!desk.isEmpty())
            document.setDeskName(desk);
    }
    OrderDocument document;
};

} // namespace

class TestOrderLock : public QObject {
    Q_OBJECT

    QScopedPointer<TemporaryWorkingDir> dir;
    QScopedPointer<FakePlatform> prompts;
    QString name;

private Q_SLOTS:
    void init()
    {
        dir.reset(new TemporaryWorkingDir);
        prompts.reset(new FakePlatform(QDateTime(QDate(2000, 3, 15), QTime(10, 0))));
        name = dir->file(QStringLiteral("c.cmd"));
        QVERIFY(TextFile::write(name, TextLines(orderBlock(0, "200003001"))));
    }
    void cleanup()
    {
        prompts.reset();
        dir.reset();
    }

    void secondCopyOpensReadOnlyOrNotAtAll()
    {
        Copy first;
        QVERIFY(*first.document.loadBook(name));
        QVERIFY(prompts->asked.isEmpty());
        QVERIFY(QFile::exists(name + QStringLiteral(".lock")));

        Copy second;
        prompts->answer(Answer::Cancel);
        QVERIFY(!*second.document.loadBook(name));
        QCOMPARE(prompts->asked.size(), 1);
        QCOMPARE(prompts->asked.first().buttons, Prompts::Buttons::OkCancel);
        QCOMPARE(prompts->asked.first().text,
                 QStringLiteral("Le fichier c.cmd est ouvert sur le poste %1 depuis le "
                                "15/03/2000 à 10:00. L'ouvrir en lecture seule ?")
                     .arg(QSysInfo::machineHostName()));
        // A copy of this very machine is seen running: it cannot be taken over.
        QVERIFY(prompts->asked.first().actions.isEmpty());
        QVERIFY(second.document.book().lines().isEmpty());
        QVERIFY(second.document.book().fileName().isEmpty());

        prompts->answer(Answer::Ok);
        QVERIFY(*second.document.loadBook(name));
        QVERIFY(second.document.book().isReadOnly());
        QCOMPARE(second.document.caption(), QStringLiteral("c.cmd (lecture seule)"));
        QCOMPARE(second.document.record().lines.at(0).designation, QStringLiteral("Vis"));

        // The read-only copy cannot save over the file, but can save under another name.
        const QByteArray before = contents(name);
        second.document.setCell(1, 0, QStringLiteral("Clous"));
        const Result<bool> saved = second.document.save(name);
        QVERIFY2(!saved.ok(), "saved over a read-only file");
        QCOMPARE(saved.message(), QStringLiteral("Le fichier c.cmd est ouvert en lecture seule : "
                                                 "enregistrez-le sous un autre nom."));
        QCOMPARE(contents(name), before);
        QVERIFY(second.document.fileModified());
        const QString other = dir->file(QStringLiteral("autre.cmd"));
        QVERIFY(*second.document.save(other));
        QVERIFY(!second.document.book().isReadOnly());
        QCOMPARE(second.document.caption(), QStringLiteral("autre.cmd"));

        // That file is now the second copy's: the first cannot replace it.
        first.document.setCell(1, 0, QStringLiteral("Écrous"));
        QVERIFY(!first.document.save(other).ok());
        QVERIFY(first.document.fileModified());
        QVERIFY(*first.document.save(name)); // its own file still saves
    }

    void aClosedBookReleasesItsFile()
    {
        Copy first;
        QVERIFY(*first.document.loadBook(name));
        QVERIFY(first.document.newBook().ok());
        QVERIFY(!QFile::exists(name + QStringLiteral(".lock")));
        Copy second;
        QVERIFY(*second.document.loadBook(name));
        QVERIFY(!second.document.book().isReadOnly());
        QVERIFY(prompts->asked.isEmpty());
        QVERIFY(*second.document.loadBook(name)); // opening its own file again asks nothing either
        QVERIFY(prompts->asked.isEmpty());
    }

    void deskOfAnotherMachineIsTakenOver()
    {
        Copy office(QStringLiteral("COMPTA"));
        prompts->moment = QDateTime(QDate(2026, 12, 9), QTime(8, 12));
        QVERIFY(*office.document.loadBook(name));

        Copy front(QStringLiteral("ACCUEIL"));
        prompts->moment = QDateTime(QDate(2026, 12, 9), QTime(10, 32));
        const QString held = QStringLiteral("ouvert sur le poste COMPTA depuis le 09/12/2026 à "
                                            "08:12");
        // "Prendre la main", declined at the second question, asks the first again.
        prompts->answers = {Answer::FirstAction, Answer::No, Answer::Cancel};
        QVERIFY(!*front.document.loadBook(name));
        QCOMPARE(prompts->texts().at(0),
                 QStringLiteral("Le fichier c.cmd est %1. L'ouvrir en lecture seule ?").arg(held));
        QCOMPARE(prompts->asked.at(0).actions, QStringList{QStringLiteral("Prendre la main")});
        QVERIFY(prompts->texts().at(1).startsWith(
            QStringLiteral("Prendre la main sur le fichier c.cmd, %1 ?").arg(held)));
        QCOMPARE(prompts->texts().at(2), prompts->texts().at(0));

        prompts->answers = {Answer::FirstAction, Answer::Yes};
        QVERIFY(*front.document.loadBook(name));
        QVERIFY(!front.document.book().isReadOnly());

        // The desk taken over was running after all: its save writes nothing over the book.
        const QByteArray before = contents(name);
        office.document.setCell(1, 0, QStringLiteral("Clous"));
        const Result<bool> saved = office.document.save(name);
        QVERIFY(!saved.ok());
        QCOMPARE(saved.message(),
                 QStringLiteral("Le poste ACCUEIL a pris la main sur le fichier c.cmd le "
                                "09/12/2026 à 10:32 : rien n'y a été écrit. Enregistrez vos "
                                "modifications sous un autre nom."));
        QCOMPARE(contents(name), before);
        QVERIFY(office.document.fileModified());
        QCOMPARE(office.document.caption(), QStringLiteral("c.cmd (lecture seule)"));
        QVERIFY(*office.document.save(dir->file(QStringLiteral("compta.cmd"))));

        // The lock is the other desk's: saving elsewhere did not take it away.
        QVERIFY(QFile::exists(name + QStringLiteral(".lock")));
        front.document.setCell(1, 0, QStringLiteral("Écrous"));
        QVERIFY(*front.document.save(name));
    }

    void readOnlyCopyFollowsTheBook()
    {
        QVERIFY(TextFile::write(
            name, TextLines(orderBlock(0, "200003001") + orderBlock(1, "200003002", "Clous"))));
        Copy writer(QStringLiteral("COMPTA"));
        QVERIFY(*writer.document.loadBook(name));
        Copy reader(QStringLiteral("ACCUEIL"));
        prompts->answer(Answer::Ok);
        QVERIFY(*reader.document.loadBook(name));
        QVERIFY(reader.document.nextOrder().ok());
        QCOMPARE(reader.document.record().number.trimmed(), QStringLiteral("200003002"));
        QVERIFY(!reader.document.book().changedOnDisk());

        // The writer deletes the first order: the order on screen moves to index 0, and is
        // still the one shown after reading the file again.
        QVERIFY(writer.document.deleteOrder().ok());
        QVERIFY(*writer.document.save(name));
        QVERIFY(reader.document.book().changedOnDisk());
        QVERIFY(!reader.document.takeWriting().ok()); // still held
        QVERIFY(reader.document.reread().ok());
        QCOMPARE(reader.document.record().number.trimmed(), QStringLiteral("200003002"));
        QCOMPARE(reader.document.book().orderCount(), 1);
        QVERIFY(reader.document.book().isReadOnly());
        QVERIFY(!reader.document.book().changedOnDisk());

        // Once the writer closed the book, the reader takes it and saves normally.
        QVERIFY(reader.document.book().fileHolder().has_value());
        QVERIFY(writer.document.newBook().ok());
        QVERIFY(!reader.document.book().fileHolder().has_value());
        QVERIFY(reader.document.takeWriting().ok());
        QVERIFY(!reader.document.book().isReadOnly());
        QCOMPARE(reader.document.caption(), QStringLiteral("c.cmd"));
        reader.document.setCell(1, 0, QStringLiteral("Écrous"));
        QVERIFY(*reader.document.save(name));
    }

    void fileChangedOnDiskIsNotWrittenOver()
    {
        Copy copy;
        QVERIFY(*copy.document.loadBook(name));
        // A backup put back by another program.
        QVERIFY(TextFile::write(name, TextLines(orderBlock(0, "199912001", "Boulons"))));
        const QByteArray restored = contents(name);
        copy.document.setCell(1, 0, QStringLiteral("Clous"));
        const Result<bool> saved = copy.document.save(name);
        QVERIFY(!saved.ok());
        QVERIFY(saved.message().startsWith(
            QStringLiteral("Le fichier a été modifié hors de Qor Commande depuis son ouverture")));
        QCOMPARE(contents(name), restored);
        QVERIFY(copy.document.fileModified());
        // Read again, it saves over the file as it now is.
        QVERIFY(copy.document.reread().ok());
        copy.document.setCell(1, 0, QStringLiteral("Clous"));
        QVERIFY(*copy.document.save(name));
    }

    void lockOfACrashedCopyIsTakenOver()
    {
        // Another program holds the file, then dies without releasing it.
        QProcess holder;
        holder.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold"), name});
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readAll(), QByteArray("locked\n"));

        Copy copy;
        prompts->answer(Answer::Cancel);
        QVERIFY(!*copy.document.loadBook(name));
        QCOMPARE(prompts->texts().size(), 1);
        QVERIFY(prompts->asked.first().actions.isEmpty());

        holder.kill();
        QVERIFY(holder.waitForFinished(10000));
        QVERIFY(QFile::exists(name + QStringLiteral(".lock")));
        prompts->asked.clear();
        QVERIFY(*copy.document.loadBook(name));
        QVERIFY(prompts->asked.isEmpty());
        QVERIFY(!copy.document.book().isReadOnly());
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The other copy of the program in lockOfACrashedCopyIsTakenOver: holds the file until it
    // is killed.
    if (argc == 3 && qstrcmp(argv[1], "--hold") == 0) {
        OrderFileLock lock;
        if (lock.lock(QString::fromLocal8Bit(argv[2])) != OrderFileLock::Outcome::Locked)
            return 1;
        std::puts("locked");
        std::fflush(stdout);
        std::getchar();
        return 0;
    }
    TestOrderLock test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_orderlock.moc"
