#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <functional>

// An order sent by e-mail: the desktop's mail program opens a new message with the order as a
// PDF attachment and the supplier's address in the body, for the user to address and send.
namespace OrderMail {

struct Message {
    QString subject;
    QString body;
    QString attachment; // path of the PDF file
};

Message forOrder(const QString &number, const std::array<QString, 4> &addressLines,
                 const QString &attachment);

// A file name for the order's PDF, from its number: "Commande-200003001.pdf".
QString pdfFileName(const QString &number);

// The arguments of xdg-email for the message.
QStringList arguments(const Message &message);

// Hands the message to the desktop's mail program; false when there is none to hand it to.
bool send(const Message &message);

// Starts `program` with `arguments`, true when a mail program took the message. Tests put their
// own in, so that no mail program is ever started; the default one runs xdg-email.
using Launcher = std::function<bool(const QString &program, const QStringList &arguments)>;
Launcher setLauncher(Launcher launcher); // gives back the previous one; empty = the default

} // namespace OrderMail
