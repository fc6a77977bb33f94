// SPDX-License-Identifier: GPL-3.0-or-later
// What the user sees of the safety of order files through the main window: a failed save, a
// book another copy holds, the recovery of unsaved changes after a crash, and saves that write
// the book in use, with its backup and lock, whatever its name or the way to it.

#include "app/mainwindow.h"
#include "core/textfile.h"
#include "failingwriter.h"
#include "order/bookrecovery.h"
#include "order/orderfilelock.h"
#include "order/orderwindow.h"
#include "orderlines.h"
#include "settings/settingsfile.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <memory>

using Prompts::Answer;

namespace {

QStringList book()
{
    return orderBlock(0, "200003001") + orderBlock(1, "200003002");
}

QByteArray contents(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

} // namespace

class TestSaveSafety : public QObject {
    Q_OBJECT

    std::unique_ptr<TemporaryWorkingDir> m_dir;
    std::unique_ptr<FakePlatform> m_prompts;
    std::unique_ptr<MainWindow> m_form;
    QString m_path;

    void start()
    {
        m_form = std::make_unique<MainWindow>();
        m_form->show();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }
    void openBook(const QString &path = {})
    {
        m_prompts->chooseFile(path.isEmpty() ? m_path : path);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::ControlModifier);
    }
    // Alt and the menu's mnemonic, then the item's.
    void menu(char mnemonic, char item)
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(Qt::Key_A + (mnemonic - 'a')),
                        Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key(Qt::Key_A + (item - 'a')));
    }
    void typeNote(const QString &text)
    {
        auto *memo = m_form->findChild<QPlainTextEdit *>(QStringLiteral("Note"));
        memo->setFocus();
        QTest::keyClicks(memo, text);
    }
    void pressSave()
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    }
    // A change to the order on screen that makes the book modified: a second address line.
    void typeAddress(const QString &text)
    {
        auto *edit = m_form->findChild<QLineEdit *>(QStringLiteral("AddressLine2"));
        edit->setFocus();
        QTest::keyClicks(edit, text);
    }
    QStringList savedNote()
    {
        QStringList lines;
        (void)TextFile::read(m_path, lines);
        return lines.filter(QRegularExpression(QStringLiteral("^MEMO")));
    }
    // Every file of the working folder, links included, by its name there.
    QStringList files() const
    {
        QStringList names;
        QDirIterator it(m_dir->path(), QDir::Files | QDir::System | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            names << QDir(m_dir->path()).relativeFilePath(it.next());
        names.sort();
        return names;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<TemporaryWorkingDir>();
        m_prompts = std::make_unique<FakePlatform>(QDateTime(QDate(2000, 3, 15), QTime(9, 0)));
        m_path = m_dir->file(QStringLiteral("c.cmd"));
        QVERIFY(TextFile::write(m_path, TextLines(book())));
        // The supplier of the orders is known: leaving its field asks nothing.
        QVERIFY(TextFile::write(QStringLiteral("Commande.fnr"),
                                {QStringLiteral("<FOU>10023"), QStringLiteral("Dupont"), QString(),
                                 QString(), QString()}));
    }
    void cleanup()
    {
        m_form.reset();
        m_prompts.reset();
        m_dir.reset();
    }

    void failedSaveIsReportedAndLosesNothing()
    {
        start();
        openBook();
        QCOMPARE(m_form->fileName(), m_path);
        typeNote(QStringLiteral("urgent"));
        const QByteArray before = contents(m_path);
        {
            FailingWrites failing(FailingWriter::Failure::Flush, 0, QStringLiteral("c.cmd"));
            pressSave();
        }
        QCOMPARE(m_prompts->texts(),
                 QStringList{QStringLiteral("Ne peut créer le fichier ") + m_path});
        QCOMPARE(m_prompts->asked.first().icon, Prompts::Icon::Critical);
        QCOMPARE(contents(m_path), before);
        QVERIFY(m_form->orderWindow().document().fileModified());

        pressSave();
        QCOMPARE(m_prompts->asked.size(), 1);
        QCOMPARE(savedNote(), QStringList{QStringLiteral("MEMOurgent")});
        QCOMPARE(contents(m_path + QStringLiteral(".bak")), before);
    }

    void bookHeldByAnotherCopy()
    {
        OrderFileLock other;
        QCOMPARE(other.lock(m_path), OrderFileLock::Outcome::Locked);
        start();
        m_prompts->answer(Answer::Cancel);
        openBook();
        QCOMPARE(m_prompts->texts().size(), 1);
        QVERIFY(m_prompts->texts().first().startsWith(
            QStringLiteral("Le fichier c.cmd est ouvert sur le poste ")));
        QVERIFY(m_form->fileName().isEmpty());
        QVERIFY(m_form->orderWindow().book().lines().isEmpty());
        QVERIFY(!m_form->findChild<QAction *>(QStringLiteral("SaveAction"))->isEnabled());

        m_prompts->asked.clear();
        m_prompts->answer(Answer::Ok);
        openBook();
        QCOMPARE(m_form->fileName(), m_path);
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Qor Commande - [c.cmd (lecture seule)]"));
        typeNote(QStringLiteral("mine"));
        const QByteArray before = contents(m_path);
        m_prompts->asked.clear();
        pressSave();
        QCOMPARE(m_prompts->texts(),
                 QStringList{QStringLiteral("Le fichier c.cmd est ouvert en lecture seule : "
                                            "enregistrez-le sous un autre nom.")});
        QCOMPARE(contents(m_path), before);
        QVERIFY(m_form->orderWindow().document().fileModified());
    }

    void unsavedChangesAreRecoveredAfterACrash_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::newRow("Oui") << Answer::Yes;
        QTest::newRow("Non") << Answer::No;
    }
    void unsavedChangesAreRecoveredAfterACrash()
    {
        QFETCH(Answer, answer);
        const QByteArray original = contents(m_path);
        start();
        openBook();
        auto *timer = m_form->findChild<QTimer *>(QStringLiteral("RecoveryTimer"));
        QVERIFY(timer && timer->isActive());
        QVERIFY(timer->interval() <= 5 * 60 * 1000);
        const QString recovery = m_dir->file(BookRecovery::FileName);
        QVERIFY(QMetaObject::invokeMethod(timer, "timeout")); // nothing changed yet
        QVERIFY(!QFile::exists(recovery));
        typeNote(QStringLiteral("perdu ?"));
        QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
        QVERIFY(QFile::exists(recovery));
        QCOMPARE(contents(m_path), original);

        m_form.reset(); // the program ends without closing its window: a crash
        m_prompts->asked.clear();
        m_prompts->answer(answer);
        start();
        QCOMPARE(m_prompts->texts(),
                 QStringList{QStringLiteral("Récupérer les modifications non enregistrées ?")});
        QCOMPARE(contents(m_path), original);
        if (answer == Answer::No) {
            QVERIFY(!QFile::exists(recovery));
            QVERIFY(m_form->fileName().isEmpty());
            return;
        }
        QCOMPARE(m_form->fileName(), m_path);
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Qor Commande - [c.cmd]"));
        QVERIFY(m_form->orderWindow().document().fileModified());
        pressSave();
        QCOMPARE(savedNote(), QStringList{QStringLiteral("MEMOperdu ?")});
        QVERIFY(!QFile::exists(recovery));
    }

    void editedOrderKeepsItsWholeBlock_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("questions");
        // 63 grid rows, rows past the grid, a note of 40 lines, some long, some with no-break
        // spaces.
        QTest::newRow("long order") << QStringLiteral("long-order") << QStringList();
        // Lines of kinds the program does not read after the fixed lines, among and after the
        // order lines (past the grid too), among and after the note; repaired first.
        QTest::newRow("unknown lines")
            << QStringLiteral("unknown-lines")
            << QStringList{QStringLiteral("Le fichier a été altéré. Restaurer ?")};
    }
    void editedOrderKeepsItsWholeBlock()
    {
        // Edited and stepped through, saved, reopened, touched and saved again.
        QFETCH(QString, name);
        QFETCH(QStringList, questions);
        const QString data = qEnvironmentVariable("QOR_TEST_DATA") + QStringLiteral("/orders/");
        QVERIFY(QFile::remove(m_path));
        QVERIFY(QFile::copy(data + name + QStringLiteral(".cmd"), m_path));
        m_prompts->answer(Answer::Yes);
        start();
        for (const QString &typed : {QStringLiteral(" (urgent)"), QStringLiteral("x")}) {
            openBook();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
            QCOMPARE(m_form->orderWindow().book().currentOrder(), 1);
            auto *note = m_form->findChild<QPlainTextEdit *>(QStringLiteral("Note"));
            QTest::mouseClick(note->viewport(), Qt::LeftButton);
            QTest::keyClick(note, Qt::Key_End, Qt::ControlModifier);
            QTest::keyClicks(note, typed);
            if (typed == QLatin1String("x"))
                QTest::keyClick(note, Qt::Key_Backspace); // changed back: written all the same
            for (const Qt::Key key : {Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_PageUp})
                QTest::keyClick(QApplication::focusWidget(), key);
            pressSave();
        }
        QCOMPARE(m_prompts->texts(), questions);
        // The order written back stands at the end, as it was but for the edit.
        QCOMPARE(contents(m_path).split('\n'),
                 contents(data + QStringLiteral("expected/") + name + QStringLiteral(".edited.cmd"))
                     .split('\n'));
    }

    void errorOfAKeyCommandIsReportedWhereItStarts()
    {
        // This program's QApplication has no last-resort catch: an error thrown through Qt's
        // event dispatch would end the test.
        QStringList lines = book();
        lines[14] = QStringLiteral("32/13/2000"); // the date of order 1
        QVERIFY(TextFile::write(m_path, TextLines(lines)));
        start();
        openBook();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
        QCOMPARE(m_prompts->texts(),
                 QStringList{QStringLiteral("'32/13/2000' n'est pas une date correcte")});
        QCOMPARE(m_prompts->asked.first().icon, Prompts::Icon::Critical);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
        QCOMPARE(m_form->orderWindow().book().currentOrder(), 0);
        QCOMPARE(m_prompts->asked.size(), 1);
    }

    void recoveryBeforePrintingAndNoneAfterANormalEnd()
    {
        m_prompts->copies = 0; // the print dialog is cancelled
        start();
        openBook();
        typeNote(QStringLiteral("pour imprimer"));
        m_form->findChild<QAction *>(QStringLiteral("PrintAction"))->trigger();
        const QString recovery = m_dir->file(BookRecovery::FileName);
        QVERIFY(QFile::exists(recovery));
        m_prompts->answer(Answer::No); // the save question: the changes are dropped on purpose
        m_form->close();
        QVERIFY(!QFile::exists(recovery));
        m_form.reset();
        m_prompts->asked.clear();
        start();
        QVERIFY(m_prompts->asked.isEmpty());
    }

    void saveWritesTheBookInUseWithItsBackupAndLock_data()
    {
        QTest::addColumn<QString>("opened"); // the name the book is opened by
        QTest::addColumn<QString>("real");   // the file that name leads to
        QTest::addColumn<QString>("beside"); // another book, which must stay as it was
        QTest::newRow("several dots") << "Commandes 2026.v2.cmd"
                                      << "Commandes 2026.v2.cmd"
                                      << "Commandes 2026.cmd";
        QTest::newRow("upper-case ending") << "COMMANDE.CMD"
                                           << "COMMANDE.CMD"
                                           << "";
        QTest::newRow("symbolic link") << "lien.cmd"
                                       << "Archives/commandes.cmd"
                                       << "";
    }
    void saveWritesTheBookInUseWithItsBackupAndLock()
    {
        QFETCH(QString, opened);
        QFETCH(QString, real);
        QFETCH(QString, beside);
        const QString realPath = m_dir->file(real);
        QVERIFY(QDir().mkpath(QFileInfo(realPath).path()));
        QVERIFY(TextFile::write(realPath, TextLines(book())));
        if (opened != real)
            QVERIFY(QFile::link(realPath, m_dir->file(opened)));
        if (!beside.isEmpty())
            QVERIFY(TextFile::write(m_dir->file(beside), TextLines(orderBlock(0, "199901001"))));
        const QByteArray besideBefore = contents(m_dir->file(beside));
        start();
        const QStringList before = files();
        openBook(m_dir->file(opened));
        // Another copy of the program finds the book taken, whatever name it comes by.
        OrderFileLock other;
        QCOMPARE(other.lock(realPath), OrderFileLock::Outcome::HeldByOther);

        pressSave(); // a book just opened counts as modified
        const QByteArray first = contents(realPath);
        typeAddress(QStringLiteral("Lyon"));
        pressSave();

        QVERIFY(m_prompts->asked.isEmpty());
        QVERIFY(contents(realPath).contains("\r\nLyon\r\n"));
        QCOMPARE(contents(OrderBook::backupName(realPath)), first);
        QCOMPARE(QFileInfo(m_dir->file(opened)).isSymLink(), opened != real);
        QCOMPARE(contents(m_dir->file(beside)), besideBefore);
        // No second file, no backup of the link, nothing left half done.
        QStringList expected = before;
        expected << real + QStringLiteral(".bak") << real + QStringLiteral(".lock");
        expected.sort();
        QCOMPARE(files(), expected);
    }

    // A remembered name without the ".cmd" ending is saved under the cut name, and another
    // book of that name is replaced only when the user says so.
    void saveUnderTheCutNameAsksBeforeReplacing()
    {
        const QString remembered = m_dir->file(QStringLiteral("commandes.2000"));
        const QString cut = m_dir->file(QStringLiteral("commandes.cmd"));
        QVERIFY(TextFile::write(remembered, TextLines(book())));
        QVERIFY(TextFile::write(cut, TextLines(orderBlock(0, "199901001"))));
        Settings settings;
        settings.autoOpen = 1;
        QVERIFY(TextFile::writeBytes(SettingsFile::fileName(),
                                     SettingsFile::save(settings, remembered)));
        const QByteArray other = contents(cut);
        start();
        QCOMPARE(m_form->orderWindow().book().orderCount(), 2);

        m_prompts->answer(Answer::Cancel);
        pressSave();
        QCOMPARE(m_prompts->texts(), QStringList{QStringLiteral("Ce fichier existe déjà")});
        QCOMPARE(m_prompts->asked.first().buttons, Prompts::Buttons::OkCancel);
        QCOMPARE(contents(cut), other);
        QCOMPARE(m_form->fileName(), remembered);

        m_prompts->answer(Answer::Ok);
        pressSave();
        QCOMPARE(contents(cut), contents(remembered));
        QCOMPARE(contents(OrderBook::backupName(cut)), other);
        QCOMPARE(m_form->fileName(), cut);
    }

    void saveAsGoesOnWithTheNameWritten_data()
    {
        QTest::addColumn<QString>("chosen"); // empty: the dialog is cancelled
        QTest::newRow("dialog cancelled") << "";
        QTest::newRow("book unchanged since its save") << "copie";
    }
    void saveAsGoesOnWithTheNameWritten()
    {
        QFETCH(QString, chosen);
        start();
        openBook();
        pressSave(); // nothing left to save: the copy is written all the same
        const QByteArray saved = contents(m_path);
        m_prompts->chooseFile(chosen.isEmpty() ? QString() : m_dir->file(chosen));
        menu('f', 's');

        QCOMPARE(m_prompts->fileRequests.size(), 2);
        QVERIFY(m_prompts->fileRequests.last().save);
        const QString name =
            chosen.isEmpty() ? m_path : m_dir->file(chosen + QStringLiteral(".cmd"));
        QCOMPARE(m_form->fileName(), name);
        QCOMPARE(m_form->windowTitle(),
                 QStringLiteral("Qor Commande - [%1]").arg(QFileInfo(name).fileName()));
        QCOMPARE(contents(name), saved);
        {
            OrderFileLock other;
            QCOMPARE(other.lock(name), OrderFileLock::Outcome::HeldByOther);
            if (name != m_path)
                QCOMPARE(other.lock(m_path), OrderFileLock::Outcome::Locked);
        }
        // The next save goes to that name without asking one.
        typeAddress(QStringLiteral("Lyon"));
        pressSave();
        QCOMPARE(m_prompts->fileRequests.size(), 2);
        QVERIFY(contents(name).contains("\r\nLyon\r\n"));
        QVERIFY(m_form->close());
        Settings settings;
        QVERIFY(SettingsFile::loadSettings(settings));
        QCOMPARE(settings.autoOpenFileName, name);
    }

    void rememberedBookReopensOrIsSaidMissing_data()
    {
        QTest::addColumn<bool>("kept");
        QTest::newRow("book in a folder outside Windows-1252") << true;
        QTest::newRow("book gone") << false;
    }
    void rememberedBookReopensOrIsSaidMissing()
    {
        QFETCH(bool, kept);
        const QString path = m_dir->file(QStringLiteral("Zamówienia Łódź/commandes.cmd"));
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QVERIFY(TextFile::write(path, TextLines(book())));
        start();
        openBook(path);
        pressSave();
        menu('p', 'o'); // "&Ouvrir automatiquement"
        QVERIFY(m_form->close());
        m_form.reset();
        if (!kept)
            QVERIFY(QFile::remove(path));

        start();
        QCOMPARE(m_prompts->texts(),
                 kept ? QStringList()
                      : QStringList{QStringLiteral("Le fichier %1 n'existe pas").arg(path)});
        QCOMPARE(m_form->fileName(), path);
        QCOMPARE(m_form->orderWindow().book().orderCount(), kept ? 2 : 0);
    }
};

QTEST_MAIN(TestSaveSafety)
#include "test_savesafety.moc"
