// The desktop's message boxes: French buttons, the default on the first, Escape and the close
// box on the last, a caption by kind, and no start-up window left over them.

#include "gui/desktopplatform.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

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
};

QTEST_MAIN(TestDesktopPlatform)
#include "test_desktopplatform.moc"
