// SPDX-License-Identifier: GPL-3.0-or-later
// The program's requests to the desktop reach the platform in use, and only while it is.

#include "core/clock.h"
#include "core/prompts.h"
#include "testsupport.h"

#include <QTest>

using Prompts::Answer;
using Prompts::Buttons;

class TestPlatform : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void withoutDesktopEveryQuestionGetsItsEscapeAnswer_data()
    {
        QTest::addColumn<Buttons>("buttons");
        QTest::addColumn<Answer>("answer");
        QTest::newRow("OK") << Buttons::Ok << Answer::Ok;
        QTest::newRow("OK Annuler") << Buttons::OkCancel << Answer::Cancel;
        QTest::newRow("Oui Non") << Buttons::YesNo << Answer::No;
        QTest::newRow("Oui Non Annuler") << Buttons::YesNoCancel << Answer::Cancel;
    }
    void withoutDesktopEveryQuestionGetsItsEscapeAnswer()
    {
        QFETCH(Buttons, buttons);
        QFETCH(Answer, answer);
        QCOMPARE(Prompts::warning(QStringLiteral("Continuer ?"), buttons), answer);
    }

    void withoutDesktopTheClockRunsAndCannotBeSet()
    {
        const QDateTime before = QDateTime::currentDateTime();
        const QDateTime now = Clock::now();
        QVERIFY(now >= before && now <= QDateTime::currentDateTime());
        const Status set = Clock::setSystemTime(QDateTime(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC));
        QVERIFY(!set);
        QCOMPARE(set.message(), QStringLiteral("Impossible de régler l'horloge de l'ordinateur"));
        QVERIFY(Platform::current().printer() == nullptr);
        std::optional<Platform::MailOutcome> mailed;
        Platform::current().startMailProgram(
            QStringLiteral("xdg-email"), {},
            [&mailed](Platform::MailOutcome outcome, const QString &) { mailed = outcome; });
        QCOMPARE(mailed, Platform::MailOutcome::NoMailProgram);
    }

    void requestsReachTheFakeInUseAndTheOneBeforeComesBack()
    {
        FakePlatform outer(QDateTime(QDate(2000, 3, 14), QTime(9, 0)));
        outer.answer(Answer::Yes);
        {
            FakePlatform inner(QDateTime(QDate(2024, 7, 15), QTime(10, 30)));
            inner.answer(Answer::No);
            QCOMPARE(Prompts::warning(QStringLiteral("Intérieur"), Buttons::YesNo), Answer::No);
            QCOMPARE(Clock::today(), QDate(2024, 7, 15));
            const QDateTime utc(QDate(2024, 7, 15), QTime(8, 30), Qt::UTC);
            QVERIFY(Clock::setSystemTime(utc));
            QCOMPARE(inner.timesSet, QList<QDateTime>{utc});
            inner.timeRefusal = Failure(QStringLiteral("Refusé."));
            const Status refused = Clock::setSystemTime(utc);
            QVERIFY(!refused);
            QCOMPARE(refused.message(), QStringLiteral("Refusé."));
            QCOMPARE(inner.texts(), QStringList{QStringLiteral("Intérieur")});
        }
        QCOMPARE(Prompts::warning(QStringLiteral("Extérieur"), Buttons::YesNo), Answer::Yes);
        QCOMPARE(Clock::today(), QDate(2000, 3, 14));
        QCOMPARE(outer.texts(), QStringList{QStringLiteral("Extérieur")});
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "test_platform.moc"
