#pragma once

#include <QString>
#include <QStringList>
#include <array>

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

// Hands the message to the desktop's mail program, through xdg-email; false when there is none
// to hand it to.
bool send(const Message &message);

} // namespace OrderMail
