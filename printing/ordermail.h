// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform.h"

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

// Hands the message to the desktop's mail program, through xdg-email; `ended` is told what
// became of it.
void send(const Message &message, const Platform::MailEnded &ended);

// Where the order's PDF is kept for a message: beside the book when it has a name, in the
// user's documents folder otherwise, and there too when the book's folder cannot take it. The
// file must last: the mail program may read it only when the message is sent.
QStringList pdfFolders(const QString &bookFileName);

} // namespace OrderMail
