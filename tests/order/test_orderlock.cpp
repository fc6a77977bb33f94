// SPDX-License-Identifier: GPL-3.0-or-later
// An order file open in one copy of the program is offered read-only to another, which cannot
// save over it; a lock left by a copy that crashed is taken over without a question.

#include "core/textfile.h"
#include "order/orderdocument.h"
#include "order/orderfilelock.h"
#include "orderlines.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <cstdio>

using Prompts::Answer;

namespace {

QByteArray contents(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// One running copy of the program, as far as its book goes.
struct Copy {
    OrderDocument document;
};

} // namespace

class TestOrderLock : public QObject {
    Q_OBJECT

    QScopedPointer<TemporaryWorkingDir> dir;
    QScopedPointer<FakePlatform> prompts;
    QString name;

    QString holderPattern() const
    {
        return QStringLiteral("%1 (processus %2 sur ")
            .arg(QFileInfo(QCoreApplication::applicationFilePath()).fileName())
            .arg(QCoreApplication::applicationPid());
    }

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
        QVERIFY2(prompts->asked.first().text.startsWith(
                     QStringLiteral("Le fichier c.cmd est déjà ouvert par ") + holderPattern()),
                 qPrintable(prompts->asked.first().text));
        QVERIFY(prompts->asked.first().text.endsWith(
            QStringLiteral(").\nL'ouvrir en lecture seule ?")));
        QVERIFY(second.document.book().lines().isEmpty());
        QVERIFY(second.document.book().fileName().isEmpty());

        prompts->answer(Answer::Ok);
        QVERIFY(*second.document.loadBook(name));
        QVERIFY(second.document.book().isReadOnly());
        QCOMPARE(second.document.caption(), QStringLiteral("c.cmd (lecture seule)"));
        QCOMPARE(second.document.record().Lines.at(0).Designation, QStringLiteral("Vis"));

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
        QVERIFY(prompts->texts().first().contains(
            QStringLiteral("(processus %1 sur ").arg(holder.processId())));

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
