#include "printing/ordermail.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace OrderMail {

namespace {

// xdg-email falls back to opening a "mailto:" link, which goes nowhere useful (or to a web
// browser) when no mail program is set: ask the desktop first.
bool hasMailProgram()
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return true; // cannot tell: let xdg-email try
    QProcess query;
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"),
                          QStringLiteral("x-scheme-handler/mailto")});
    if (!query.waitForFinished(5000)) {
        query.kill();
        query.waitForFinished();
        return true;
    }
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

bool startMailProgram(const QString &program, const QStringList &arguments)
{
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty() || !hasMailProgram())
        return false;
    // Detached: the message being written must outlive this program.
    return QProcess::startDetached(path, arguments);
}

Launcher &launcher()
{
    static Launcher l;
    return l;
}

} // namespace

Message forOrder(const QString &number, const std::array<QString, 4> &addressLines,
                 const QString &attachment)
{
    QStringList body;
    for (const QString &line : addressLines) {
        if (!line.trimmed().isEmpty())
            body << line.trimmed();
    }
    if (!body.isEmpty())
        body << QString();
    body << QStringLiteral("Veuillez trouver ci-joint notre commande N° ") + number.trimmed() +
                QLatin1Char('.');
    return {QStringLiteral("Commande N° ") + number.trimmed(), body.join(QLatin1Char('\n')),
            attachment};
}

QString pdfFileName(const QString &number)
{
    // Only characters every file system and mail program take as they are.
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9_-]+"));
    QString name = number.trimmed();
    name.replace(unsafe, QStringLiteral("_"));
    return QStringLiteral("Commande") + (name.isEmpty() ? QString() : QLatin1Char('-') + name) +
           QStringLiteral(".pdf");
}

QStringList arguments(const Message &message)
{
    return {QStringLiteral("--utf8"),
            QStringLiteral("--subject"),
            message.subject,
            QStringLiteral("--body"),
            message.body,
            QStringLiteral("--attach"),
            message.attachment};
}

bool send(const Message &message)
{
    const QString program = QStringLiteral("xdg-email");
    return launcher() ? launcher()(program, arguments(message))
                      : startMailProgram(program, arguments(message));
}

Launcher setLauncher(Launcher l)
{
    Launcher previous = std::move(launcher());
    launcher() = std::move(l);
    return previous;
}

} // namespace OrderMail
