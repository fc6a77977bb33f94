// SPDX-License-Identifier: GPL-3.0-or-later
// Setting the clock through the system's time service, against a stand-in service reached over
// a private D-Bus connection: what is handed over, and what the user is told when the service
// is missing, refuses, or leaves the time to the network.

#include "gui/timedateservice.h"

#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusServer>
#include <QMutex>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

// What the stand-in service received.
struct SetTimeCall {
    qlonglong usecUtc = 0;
    bool relative = true;
    bool interactive = false;
    bool interactiveAuthorization = false;
};

} // namespace

// Plays the system's time service: reports its network-time state and answers SetTime with
// success or with the error it is told to give.
class FakeTimeDate : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.timedate1")
    Q_PROPERTY(bool CanNTP READ canNtp)
    Q_PROPERTY(bool NTP READ ntp)
public:
    bool canNtp() const { return m_canNtp; }
    bool ntp() const { return m_ntp; }

    void configure(bool canNtp, bool ntp, const QString &errorName)
    {
        QMutexLocker lock(&m_mutex);
        m_canNtp = canNtp;
        m_ntp = ntp;
        m_errorName = errorName;
        m_calls.clear();
    }
    QList<SetTimeCall> calls()
    {
        QMutexLocker lock(&m_mutex);
        return m_calls;
    }

public Q_SLOTS:
    Q_SCRIPTABLE void SetTime(qlonglong usecUtc, bool relative, bool interactive)
    {
        QMutexLocker lock(&m_mutex);
        m_calls.append(
            {usecUtc, relative, interactive, message().isInteractiveAuthorizationAllowed()});
        if (!m_errorName.isEmpty())
            sendErrorReply(m_errorName, QStringLiteral("refused"));
    }

private:
    QMutex m_mutex;
    bool m_canNtp = true;
    bool m_ntp = false;
    QString m_errorName;
    QList<SetTimeCall> m_calls;
};

// A private bus endpoint served from its own thread, so that the program's blocking calls are
// answered. With `offer` false, nothing answers on the time service's path.
class PeerServer : public QObject {
    Q_OBJECT
public:
    FakeTimeDate service;
    bool offer = true;
    QAtomicInt connections = 0;

    Q_INVOKABLE QString listen(const QString &folder)
    {
        auto *server = new QDBusServer(QStringLiteral("unix:tmpdir=") + folder, this);
        connect(server, &QDBusServer::newConnection, this, [this](const QDBusConnection &peer) {
            QDBusConnection connection(peer);
            if (offer)
                connection.registerObject(TimeDateService::Path, &service,
                                          QDBusConnection::ExportScriptableSlots |
                                              QDBusConnection::ExportAllProperties);
            connections.ref();
        });
        return server->address();
    }
};

class TestTimeDateService : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        m_server.moveToThread(&m_thread);
        m_server.service.moveToThread(&m_thread);
        m_thread.start();
        QVERIFY(m_folder.isValid());
    }

    void cleanupTestCase()
    {
        m_thread.quit();
        m_thread.wait();
    }

    void setTime_data()
    {
        QTest::addColumn<bool>("canNtp");
        QTest::addColumn<bool>("ntp");
        QTest::addColumn<QString>("errorName");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<QString>("reason");

        const QString refused = "Le système a refusé de régler l'horloge : il faut le mot de "
                                "passe de l'administrateur.";
        const QString network = "L'heure est réglée automatiquement par le réseau.";
        QTest::newRow("set") << true << false << QString() << true << QString();
        QTest::newRow("no network time on this system")
            << false << true << QString() << true << QString();
        QTest::newRow("network time on") << true << true << QString() << false << network;
        QTest::newRow("network time on meanwhile")
            << true << false << "org.freedesktop.timedate1.AutomaticTimeSyncEnabled" << true
            << network;
        QTest::newRow("password refused")
            << true << false << "org.freedesktop.DBus.Error.AccessDenied" << true << refused;
        QTest::newRow("nobody to ask the password")
            << true << false << "org.freedesktop.DBus.Error.InteractiveAuthorizationRequired"
            << true << refused;
        QTest::newRow("other failure")
            << true << false << "org.example.Broken" << true
            << "Impossible de régler l'horloge de l'ordinateur (refused).";
    }

    void setTime()
    {
        QFETCH(bool, canNtp);
        QFETCH(bool, ntp);
        QFETCH(QString, errorName);
        QFETCH(bool, asked);
        QFETCH(QString, reason);
        m_server.service.configure(canNtp, ntp, errorName);
        TimeDateService timeDate(connect("time"));

        const QDateTime utc(QDate(2024, 7, 14), QTime(8, 32, 7), Qt::UTC);
        const Status set = timeDate.setTime(utc);

        QCOMPARE(set.ok(), reason.isEmpty());
        if (!set)
            QCOMPARE(set.message(), reason + "\nL'horloge de l'ordinateur n'a pas été changée.");
        const QList<SetTimeCall> calls = m_server.service.calls();
        QCOMPARE(calls.size(), asked ? 1 : 0);
        if (asked) {
            QCOMPARE(calls[0].usecUtc, Q_INT64_C(1720945927000000));
            QVERIFY(!calls[0].relative);
            QVERIFY(calls[0].interactive);
            QVERIFY(calls[0].interactiveAuthorization);
        }
    }

    void missingService()
    {
        const QString missing = "Le service de l'heure du système est introuvable.\n"
                                "L'horloge de l'ordinateur n'a pas été changée.";
        const QDateTime utc(QDate(2024, 7, 14), QTime(8, 32, 7), Qt::UTC);

        // No bus at all.
        TimeDateService noBus(
            QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), "none"));
        const Status noBusSet = noBus.setTime(utc);
        QVERIFY(!noBusSet);
        QCOMPARE(noBusSet.message(), missing);

        // A bus on which nothing answers for the time.
        m_server.offer = false;
        TimeDateService nobody(connect("nobody"));
        const Status nobodySet = nobody.setTime(utc);
        QVERIFY(!nobodySet);
        QCOMPARE(nobodySet.message(), missing);
        m_server.offer = true;
    }

private:
    QDBusConnection connect(const char *name)
    {
        QString address;
        QMetaObject::invokeMethod(&m_server, "listen", Qt::BlockingQueuedConnection,
                                  Q_RETURN_ARG(QString, address), Q_ARG(QString, m_folder.path()));
        const int before = m_server.connections.loadAcquire();
        QDBusConnection peer = QDBusConnection::connectToPeer(address, QString::fromLatin1(name) +
                                                                           QString::number(before));
        [&] {
            QVERIFY2(peer.isConnected(), qPrintable(peer.lastError().message()));
            QTRY_VERIFY(m_server.connections.loadAcquire() > before);
        }();
        return peer;
    }

    QTemporaryDir m_folder;
    QThread m_thread;
    PeerServer m_server;
};

QTEST_GUILESS_MAIN(TestTimeDateService)
#include "test_timedateservice.moc"
