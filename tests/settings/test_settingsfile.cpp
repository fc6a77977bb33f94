// SPDX-License-Identifier: GPL-3.0-or-later
// QorCmd.ini: reading by position, whatever the file holds, and writing it back.

#include "core/textfile.h"
#include "settings/settingsfile.h"
#include "testsupport.h"

#include <QFile>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

Q_DECLARE_METATYPE(Settings)

namespace {

QByteArray lines(const QStringList &l)
{
    return TextFile::joinLines(l);
}

// Read reals are kept in the 6-byte form.
Settings make(std::array<Real, 5> reals, const QString &file, std::array<int, 3> ints,
              const QStringList &terms)
{
    Settings s;
    s.converterRate = *Real48::store(reals[0]);
    s.euroRate = *Real48::store(reals[1]);
    for (int k = 0; k < 3; ++k)
        s.vatRates[k] = *Real48::store(reals[k + 2]);
    s.autoOpenFileName = file;
    s.autoOpen = ints[0];
    s.euroMode = ints[1];
    s.singleCurrency = ints[2];
    s.paymentTerms = terms;
    return s;
}

void compare(const Settings &actual, const Settings &expected)
{
    QCOMPARE(actual.converterDirection, 0);
    const Real a[] = {actual.converterRate, actual.euroRate, actual.vatRates[0], actual.vatRates[1],
                      actual.vatRates[2]};
    const Real e[] = {expected.converterRate, expected.euroRate, expected.vatRates[0],
                      expected.vatRates[1], expected.vatRates[2]};
    for (int k = 0; k < 5; ++k)
        QCOMPARE(a[k], e[k]);
    QCOMPARE(actual.autoOpenFileName, expected.autoOpenFileName);
    QCOMPARE((QList<int>{actual.autoOpen, actual.euroMode, actual.singleCurrency}),
             (QList<int>{expected.autoOpen, expected.euroMode, expected.singleCurrency}));
    QCOMPARE(actual.paymentTerms, expected.paymentTerms);
}

} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void load_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Settings>("expected");
        QTest::newRow("as written")
            << lines({" 6.55958000000000E+0005", " 6.55957000000000E+0000",
                      " 1.96000000000000E+0001", " 0.00000000000000E+0000",
                      "-5.50000000000000E+0000", "C:\\CMD\\2001.cmd", "1", "1", "1", "A", "B"})
            << make({655958, 6.55957L, 19.6L, 0, -5.5L}, "C:\\CMD\\2001.cmd", {1, 1, 1},
                    {"A", "B"});
        // The empty line is passed over: every later value is read one line late.
        QTest::newRow("empty line for a number")
            << lines({"1", "", "3", "4", "5", "file.cmd", "1", "0", "0", "T1"})
            << make({1, 3, 4, 5, 0}, "1", {0, 0, 0}, {});
        QTest::newRow("empty name, empty term, line 7 holds 2")
            << lines({"1", "2", "3", "4", "5", "", "2", "0", "0", "T1", "", "T3"})
            << make({1, 2, 3, 4, 5}, "", {2, 0, 0}, {"T1", "", "T3"});
        QTest::newRow("short file") << QByteArray("1\r\n2.5") << make({1, 2.5L}, "", {}, {});
        QTest::newRow("CR alone ends a line") << QByteArray("1\r2\r3\r4\r5\rf\r1\r0\r0\rA\rB")
                                              << make({1, 2, 3, 4, 5}, "f", {1}, {"A", "B"});
        QTest::newRow("LF alone ends a line") << QByteArray("1\n2\n3\n4\n5\nf\n1\n0\n0\nA\nB\n")
                                              << make({1, 2, 3, 4, 5}, "f", {1}, {"A", "B"});
        QTest::newRow("Ctrl-Z ends the file")
            << QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\nf\r\n1\r\n0\r\n0\r\nA\r\n\x1a"
                          "B\r\n")
            << make({1, 2, 3, 4, 5}, "f", {1}, {"A"});
        QTest::newRow("malformed numbers read as 0, rest of a number's line dropped")
            << QByteArray("  1 x\r\n\t6,5\r\n1E39\r\n4\r\n5\r\nf\r\n x1\r\n 3 4\r\n$10\r\n")
            << make({1, 0, 0, 4, 5}, "f", {0, 3, 16}, {});
        QTest::newRow("Windows-1252")
            << QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\n\xe9t\xe9.cmd\r\n0\r\n0\r\n0\r\n\x80 "
                          "r\xe9gl\xe9\r\n")
            << make({1, 2, 3, 4, 5}, "été.cmd", {}, {"€ réglé"});
    }
    void load()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Settings, expected);
        Settings s;
        s.converterDirection = 2;
        SettingsFile::load(bytes, s);
        compare(s, expected);
    }

    void saveWritesNinePositionalLinesAndTheTerms()
    {
        Settings s;
        s.converterRate = 655957;
        s.autoOpen = 1;
        QCOMPARE(
            SettingsFile::save(s, "C:\\Commandes\\2001.cmd"),
            lines({" 6.55957000000000E+0005", " 6.55957000000000E+0000", " 2.06000000000000E+0001",
                   " 0.00000000000000E+0000", " 5.50000000000000E+0000", "C:\\Commandes\\2001.cmd",
                   "1", "0", "0", "A réception", "Réglement à 30 jours", "Réglement à 60 jours",
                   "Réglement à 90 jours", "En votre aimable réglement"}));
    }

    void savedFileReadsBack()
    {
        const Settings d;
        for (const Settings &s :
             {make({d.converterRate, d.euroRate, d.vatRates[0], d.vatRates[1], d.vatRates[2]}, "",
                   {}, d.paymentTerms),
              make({1234567.125L, 0.00001L, 19.6L, -2.1L, 1e30L}, "D:\\a b\\été.cmd", {7, -3, 1},
                   {"  ", "", "Net à 45 jours"})}) {
            Settings read;
            SettingsFile::load(SettingsFile::save(s, s.autoOpenFileName), read);
            compare(read, s);
        }
    }

    void loadAndSaveSettingsUseTheCurrentDirectory()
    {
        TemporaryWorkingDir dir;
        Settings s;
        s.euroRate = 7;
        QVERIFY(!SettingsFile::loadSettings(s)); // no file: nothing changes
        QCOMPARE(s.euroRate, Real(7));
        QCOMPARE(s.paymentTerms.size(), 5);

        s.autoOpen = 2;
        QVERIFY(SettingsFile::saveSettings(s, "open.cmd"));
        Settings read;
        read.converterDirection = 2;
        QVERIFY(SettingsFile::loadSettings(read));
        QCOMPARE(read.converterDirection, 0);
        bool autoOpen = true;
        QString name;
        SettingsFile::autoOpenSetting(read, autoOpen, name);
        QVERIFY(!autoOpen); // only 1 means on
        QCOMPARE(name, QString("open.cmd"));
        SettingsFile::setAutoOpen(read, true);
        SettingsFile::autoOpenSetting(read, autoOpen, name);
        QVERIFY(autoOpen);
    }

    void failedSaveIsReportedAndKeepsTheOldFile_data()
    {
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::newRow("read-only folder") << true;
        QTest::newRow("write fails half-way") << false;
    }
    void failedSaveIsReportedAndKeepsTheOldFile()
    {
        QFETCH(bool, readOnlyFolder);
        if (readOnlyFolder && geteuid() == 0)
            QSKIP("permissions do not stop the superuser");
        TemporaryWorkingDir dir;
        FakePlatform desktop;
        const QByteArray old = "1\r\n2\r\n3\r\n4\r\n5\r\nold.cmd\r\n0\r\n0\r\n0\r\n";
        QVERIFY(TextFile::writeBytes(dir.file("QorCmd.ini"), old));
        Status saved;
        if (readOnlyFolder) {
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
            saved = SettingsFile::saveSettings(Settings(), "new.cmd");
            QFile::setPermissions(dir.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        } else {
            // A file size limit makes the write stop short, as a full disk would.
            rlimit previous{};
            getrlimit(RLIMIT_FSIZE, &previous);
            const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
            rlimit small = previous;
            small.rlim_cur = 16;
            setrlimit(RLIMIT_FSIZE, &small);
            saved = SettingsFile::saveSettings(Settings(), "new.cmd");
            setrlimit(RLIMIT_FSIZE, &previous);
            std::signal(SIGXFSZ, previousHandler);
        }
        QVERIFY(!saved);
        QCOMPARE(saved.message(),
                 QStringLiteral("Ne peut créer le fichier QorCmd.ini") +
                     QString(readOnlyFolder ? QStringLiteral(" : l'accès au dossier est interdit.")
                                            : QStringLiteral(" : le fichier est trop grand pour "
                                                             "ce disque.")));
        QVERIFY(desktop.asked.isEmpty()); // the window says it, not the file
        QByteArray now;
        QVERIFY(TextFile::readBytes(dir.file("QorCmd.ini"), now));
        QCOMPARE(now, old);
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "test_settingsfile.moc"
