// What the user sees of the safety of order files through the main window: a failed save, a
// book another copy holds, and the recovery of unsaved changes after a crash.

#include "app/tmainform.h"
#include "core/textfile.h"
#include "failingwriter.h"
#include "order/bookrecovery.h"
#include "order/orderfilelock.h"
#include "order/tcommande.h"
#include "orderlines.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QFile>
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
    std::unique_ptr<TMainForm> m_form;
    QString m_path;

    void start()
    {
        m_form = std::make_unique<TMainForm>();
        m_form->show();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }
    void openBook()
    {
        m_prompts->chooseFile(m_path);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::ControlModifier);
    }
    void typeNote(const QString &text)
    {
        auto *memo = m_form->findChild<QPlainTextEdit *>(QStringLiteral("Memo1"));
        memo->setFocus();
        QTest::keyClicks(memo, text);
    }
    void pressSave()
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    }
    QStringList savedNote()
    {
        QStringList lines;
        TextFile::read(m_path, lines);
        return lines.filter(QRegularExpression(QStringLiteral("^MEMO")));
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<TemporaryWorkingDir>();
        m_prompts = std::make_unique<FakePlatform>(QDateTime(QDate(2000, 3, 15), QTime(9, 0)));
        m_path = m_dir->file(QStringLiteral("c.cmd"));
        QVERIFY(TextFile::write(m_path, book()));
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
        QCOMPARE(m_form->MainFileName, m_path);
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
        QVERIFY(m_form->commande().book().FileModified);

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
            QStringLiteral("Le fichier c.cmd est déjà ouvert par ")));
        QVERIFY(m_form->MainFileName.isEmpty());
        QVERIFY(m_form->commande().book().OrderLines.isEmpty());
        QVERIFY(!m_form->findChild<QAction *>(QStringLiteral("FileSaveItem"))->isEnabled());

        m_prompts->asked.clear();
        m_prompts->answer(Answer::Ok);
        openBook();
        QCOMPARE(m_form->MainFileName, m_path);
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Qor Commande - [c.cmd (lecture seule)]"));
        typeNote(QStringLiteral("mine"));
        const QByteArray before = contents(m_path);
        m_prompts->asked.clear();
        pressSave();
        QCOMPARE(m_prompts->texts(),
                 QStringList{QStringLiteral("Le fichier c.cmd est ouvert en lecture seule : "
                                            "enregistrez-le sous un autre nom.")});
        QCOMPARE(contents(m_path), before);
        QVERIFY(m_form->commande().book().FileModified);
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
            QVERIFY(m_form->MainFileName.isEmpty());
            return;
        }
        QCOMPARE(m_form->MainFileName, m_path);
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Qor Commande - [c.cmd]"));
        QVERIFY(m_form->commande().book().FileModified);
        pressSave();
        QCOMPARE(savedNote(), QStringList{QStringLiteral("MEMOperdu ?")});
        QVERIFY(!QFile::exists(recovery));
    }

    void longOrderKeepsItsWholeBlock()
    {
        // 63 grid rows, rows past the grid, a note of 40 lines, some long, some with no-break
        // spaces: edited and stepped through, saved, reopened, touched and saved again.
        const QString data = qEnvironmentVariable("QOR_TEST_DATA") + QStringLiteral("/orders/");
        QVERIFY(QFile::remove(m_path));
        QVERIFY(QFile::copy(data + QStringLiteral("long-order.cmd"), m_path));
        start();
        for (const QString &typed : {QStringLiteral(" (urgent)"), QStringLiteral("x")}) {
            openBook();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
            QCOMPARE(m_form->commande().book().CurrentOrder, 1);
            auto *note = m_form->findChild<QPlainTextEdit *>(QStringLiteral("Memo1"));
            QTest::mouseClick(note->viewport(), Qt::LeftButton);
            QTest::keyClick(note, Qt::Key_End, Qt::ControlModifier);
            QTest::keyClicks(note, typed);
            if (typed == QLatin1String("x"))
                QTest::keyClick(note, Qt::Key_Backspace); // changed back: written all the same
            for (const Qt::Key key : {Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_PageUp})
                QTest::keyClick(QApplication::focusWidget(), key);
            pressSave();
        }
        QVERIFY(m_prompts->asked.isEmpty());
        // The order written back stands at the end, as it was but for the edit.
        QCOMPARE(contents(m_path).split('\n'),
                 contents(data + QStringLiteral("expected/long-order.edited.cmd")).split('\n'));
    }

    void errorOfAKeyCommandIsReportedWhereItStarts()
    {
        // This program's QApplication has no last-resort catch: an error thrown through Qt's
        // event dispatch would end the test.
        QStringList lines = book();
        lines[14] = QStringLiteral("32/13/2000"); // the date of order 1
        QVERIFY(TextFile::write(m_path, lines));
        start();
        openBook();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
        QCOMPARE(m_prompts->texts(),
                 QStringList{QStringLiteral("'32/13/2000' n'est pas une date correcte")});
        QCOMPARE(m_prompts->asked.first().icon, Prompts::Icon::Critical);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
        QCOMPARE(m_form->commande().book().CurrentOrder, 0);
        QCOMPARE(m_prompts->asked.size(), 1);
    }

    void recoveryBeforePrintingAndNoneAfterANormalEnd()
    {
        m_prompts->copies = 0; // the print dialog is cancelled
        start();
        openBook();
        typeNote(QStringLiteral("pour imprimer"));
        m_form->findChild<QAction *>(QStringLiteral("FilePrintItem"))->trigger();
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
};

QTEST_MAIN(TestSaveSafety)
#include "test_savesafety.moc"
