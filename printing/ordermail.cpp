// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/ordermail.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace OrderMail {

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

void send(const Message &message, const Platform::MailEnded &ended)
{
    Platform::current().startMailProgram(QStringLiteral("xdg-email"), arguments(message), ended);
}

QStringList pdfFolders(const QString &bookFileName)
{
    QStringList folders;
    if (!bookFileName.isEmpty())
        folders << QFileInfo(bookFileName).absolutePath();
    const QString documents = Platform::current().documentsFolder();
    if (!documents.isEmpty() && !folders.contains(documents))
        folders << documents;
    return folders;
}

} // namespace OrderMail
