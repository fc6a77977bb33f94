// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform.h"

#include <QByteArray>
#include <QSize>
#include <memory>

// The real desktop: message boxes with French buttons ("&Oui", "&Non", "Annuler", "OK"), Qt's
// file dialogs at a readable size, the print, set-up and preview dialogs on the program's
// printer, the computer's clock set through the system's time service, and the desktop's mail
// program. The program installs one at start-up (Platform::install).
class DesktopPlatform final : public Platform {
public:
    DesktopPlatform();
    ~DesktopPlatform() override;

    // The first button is the default one and Escape gives the last (Non, Annuler or OK), as
    // the program's questions expect. A start-up window on screen hides first: it stays on top
    // and would cover the message.
    Prompts::Answer ask(const Prompts::Request &request) override;

    // Within a run the dialog comes back as the user left it (size, columns, folder).
    QString fileName(QWidget *parent, const FileRequest &request) override;

    QPrinter *printer() override;
    int askCopies(QWidget *parent) override;
    bool setupPrinter(QWidget *parent) override;
    bool paperChosen() const override { return m_paperChosen; }
    void preview(QWidget *parent, const Paint &paint) override;

    QDateTime now() override;
    Status setTime(const QDateTime &utc) override;

    // Asks the desktop first whether a mail program is set, then watches how the launcher
    // ends, without waiting for it.
    void startMailProgram(const QString &program, const QStringList &arguments,
                          const MailEnded &ended) override;
    // The user's documents folder, else the home folder.
    QString documentsFolder() override;

private:
    std::unique_ptr<QPrinter> m_printer;
    bool m_paperChosen = false;
    QByteArray m_fileDialogState;
    QSize m_fileDialogSize;
};
