// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/timedateservice.h"

#include <QDBusArgument>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QEventLoop>
#include <QVariantMap>

const QString TimeDateService::Service = QStringLiteral("org.freedesktop.timedate1");
const QString TimeDateService::Path = QStringLiteral("/org/freedesktop/timedate1");
const QString TimeDateService::Interface = QStringLiteral("org.freedesktop.timedate1");

namespace {

// Every refusal ends by saying that nothing changed.
QString refusal(const QString &why)
{
    return why + QStringLiteral("\nL'horloge de l'ordinateur n'a pas été changée.");
}

QString missingService()
{
    return refusal(QStringLiteral("Le service de l'heure du système est introuvable."));
}

QString networkTime()
{
    return refusal(QStringLiteral("L'heure est réglée automatiquement par le réseau."));
}

QString notAllowed()
{
    return refusal(QStringLiteral("Le système a refusé de régler l'horloge : il faut le mot de "
                                  "passe de l'administrateur."));
}

} // namespace

TimeDateService::TimeDateService(const QDBusConnection &bus, int timeoutMs)
    : m_bus(bus), m_timeoutMs(timeoutMs)
{
}

Status TimeDateService::setTime(const QDateTime &utc)
{
    if (!m_bus.isConnected()) {
        return Failure(missingService());
    }

    // With the network keeping the time, the service refuses any other: say so before the
    // system asks for a password in vain.
    QDBusMessage ask = QDBusMessage::createMethodCall(
        Service, Path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"));
    ask << Interface;
    const QDBusMessage properties = m_bus.call(ask, QDBus::Block);
    if (properties.type() == QDBusMessage::ErrorMessage) {
        return Failure(reasonFor(QDBusError(properties)));
    }
    const auto values = qdbus_cast<QVariantMap>(properties.arguments().value(0));
    if (values.value(QStringLiteral("CanNTP")).toBool() &&
        values.value(QStringLiteral("NTP")).toBool()) {
        return Failure(networkTime());
    }

    QDBusMessage set =
        QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("SetTime"));
    // Microseconds since the epoch, absolute; interactive so that the desktop may ask for the
    // administrator's password.
    set << qlonglong(utc.toMSecsSinceEpoch()) * 1000 << false << true;
    set.setInteractiveAuthorizationAllowed(true);
    // The windows keep painting, and take no input, while the password is asked for. The
    // watcher tells the end of the call even when it came before the loop started.
    const QDBusPendingCall pending = m_bus.asyncCall(set, m_timeoutMs);
    QDBusPendingCallWatcher watcher(pending);
    if (!watcher.isFinished()) {
        QEventLoop loop;
        QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    const QDBusMessage reply = watcher.reply();
    if (reply.type() == QDBusMessage::ErrorMessage) {
        return Failure(reasonFor(QDBusError(reply)));
    }
    return {};
}

QString TimeDateService::reasonFor(const QDBusError &error)
{
    switch (error.type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::NoServer:
    case QDBusError::Disconnected:
    case QDBusError::UnknownObject:
    case QDBusError::UnknownInterface:
    case QDBusError::UnknownMethod:
        return missingService();
    case QDBusError::AccessDenied:
        return notAllowed();
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut:
        return refusal(QStringLiteral("Le service de l'heure du système n'a pas répondu."));
    default:
        break;
    }
    const QString name = error.name();
    if (name == QLatin1String("org.freedesktop.timedate1.AutomaticTimeSyncEnabled"))
        return networkTime();
    if (name == QLatin1String("org.freedesktop.DBus.Error.InteractiveAuthorizationRequired") ||
        name.startsWith(QLatin1String("org.freedesktop.PolicyKit1.Error.")))
        return notAllowed();
    // No service to start, or a system without one.
    if (name == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner") ||
        name.startsWith(QLatin1String("org.freedesktop.DBus.Error.Spawn.")) ||
        name.startsWith(QLatin1String("org.freedesktop.systemd1.")))
        return missingService();
    return refusal(QStringLiteral("Impossible de régler l'horloge de l'ordinateur (%1).")
                       .arg(error.message()));
}
