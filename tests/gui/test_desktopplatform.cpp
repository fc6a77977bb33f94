// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's message boxes: French buttons, the default on the first, Escape and the close
// box on the last, a caption by kind, and no start-up window left over them. The mail
// launcher: how it ends says what became of the message.

#include "gui/desktopplatform.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <utility>

using Prompts::Answer;
using Prompts::Buttons;
using Prompts::Icon;

namespace {

// Runs `answer` on the message box once it is up, from inside its modal loop.
void whenBoxShown(const std::function<void(QMessageBox &)> &answer)
{
    QTimer::singleShot(0, [answer] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        answer(*box);
    });
}

} // namespace

class TestDesktopPlatform : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void buttons_data()
    {
        QTest::addColumn<Buttons>("buttons");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<Answer>("first");
        QTest::addColumn<Answer>("escape");
        QTest::newRow("OK") << Buttons::Ok << QStringList{"OK"} << Answer::Ok << Answer::Ok;
        QTest::newRow("OK Annuler")
            << Buttons::OkCancel << QStringList{"OK", "Annuler"} << Answer::Ok << Answer::Cancel;
        QTest::newRow("Oui Non") << Buttons::YesNo << QStringList{"&Oui", "&Non"} << Answer::Yes
                                 << Answer::No;
        QTest::newRow("Oui Non Annuler")
            << Buttons::YesNoCancel << QStringList{"&Oui", "&Non", "Annuler"} << Answer::Yes
            << Answer::Cancel;
    }
    void buttons()
    {
        QFETCH(Buttons, buttons);
        QFETCH(QStringList, texts);
        QFETCH(Answer, first);
        QFETCH(Answer, escape);
        DesktopPlatform desktop;
        const Prompts::Request request{Icon::Warning, buttons, QString(), "Continuer ?"};

        QStringList shown;
        whenBoxShown([&](QMessageBox &box) {
            for (QAbstractButton *button : box.buttons())
                shown << button->text();
            QCOMPARE(box.windowTitle(), QStringLiteral("Avertissement"));
            QCOMPARE(box.defaultButton()->text(), texts.first());
            QTest::keyClick(&box, Qt::Key_Return);
        });
        QCOMPARE(desktop.ask(request), first);
        shown.sort();
        texts.sort();
        QCOMPARE(shown, texts);

        whenBoxShown([](QMessageBox &box) { QTest::keyClick(&box, Qt::Key_Escape); });
        QCOMPARE(desktop.ask(request), escape);
        whenBoxShown([](QMessageBox &box) { box.close(); });
        QCOMPARE(desktop.ask(request), escape);
    }

    void captionsAndSplash()
    {
        DesktopPlatform desktop;
        QWidget splash(nullptr, Qt::SplashScreen);
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        QString caption;
        bool splashShown = true;
        whenBoxShown([&](QMessageBox &box) {
            caption = box.windowTitle();
            splashShown = splash.isVisible();
            box.close();
        });
        desktop.ask({Icon::Critical, Buttons::Ok, QString(), "Erreur de lecture"});
        QCOMPARE(caption, QStringLiteral("Erreur"));
        QVERIFY(!splashShown);

        whenBoxShown([&](QMessageBox &box) {
            caption = box.windowTitle();
            box.close();
        });
        desktop.ask({Icon::Information, Buttons::Ok, "Calculatrice", "Fini"});
        QCOMPARE(caption, QStringLiteral("Calculatrice"));
    }

    // Stand-ins for xdg-mime and xdg-email, alone on the search path.
    void mailLauncherEnds_data()
    {
        QTest::addColumn<QString>("mailtoHandler"); // what xdg-mime answers
        QTest::addColumn<QString>("launcher");      // xdg-email's script
        QTest::addColumn<Platform::MailOutcome>("outcome");
        QTest::addColumn<QString>("reason");
        using O = Platform::MailOutcome;
        const QString mailer = QStringLiteral("thunderbird.desktop");
        QTest::newRow("taken") << mailer << "exit 0" << O::Taken << QString();
        QTest::newRow("no method for mailto")
            << mailer << "echo \"xdg-email: no method available for opening 'mailto:'\" >&2; exit 3"
            << O::Failed << "aucun programme de messagerie ne sait ouvrir le message";
        QTest::newRow("no mail program set")
            << QString() << "exit 0" << O::NoMailProgram << QString();
    }
    void mailLauncherEnds()
    {
        QFETCH(QString, mailtoHandler);
        QFETCH(QString, launcher);
        QFETCH(Platform::MailOutcome, outcome);
        QFETCH(QString, reason);
        QTemporaryDir bin;
        const auto script = [&bin](const char *name, const QString &body) {
            QFile file(bin.filePath(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("#!/bin/sh\n" + body.toUtf8() + '\n');
            file.close();
            file.setPermissions(file.permissions() | QFile::ExeOwner);
        };
        script("xdg-mime", QStringLiteral("echo ") + mailtoHandler);
        script("xdg-email", launcher);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toUtf8());

        DesktopPlatform desktop;
        QList<std::pair<Platform::MailOutcome, QString>> told;
        desktop.startMailProgram(QStringLiteral("xdg-email"), {QStringLiteral("--utf8")},
                                 [&told](Platform::MailOutcome o, const QString &why) {
                                     told.append({o, why});
                                 });
        qputenv("PATH", path);
        QTRY_COMPARE(told.size(), 1);
        QCOMPARE(told.first(), std::make_pair(outcome, reason));
    }
};

QTEST_MAIN(TestDesktopPlatform)
#include "test_desktopplatform.moc"
