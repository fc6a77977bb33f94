// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/promptrequest.h"
#include "core/result.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

class QPrinter;
class QWidget;

// Everything the program asks of the desktop: questions and messages, file names, the print
// dialogs and the printer, the time and setting it, and the mail program. The program installs
// the real desktop at start-up; tests install a fake that answers by script. Without either
// (a program with no windows) every question gets its escape answer, no file is chosen, nothing
// prints, the time is the computer's and cannot be set, and no mail program is there.
class Platform {
public:
    // An open or save dialog. The dialog never asks about overwriting: the caller asks once the
    // final name is known.
    struct FileRequest {
        bool save = false;
        QString caption;
        QString initialName;
        QString filter;
        // With several types in `filter` (";;" between them): where the dialog tells the type
        // the user chose.
        QString *chosenFilter = nullptr;
    };

    // Draws a page on the printer it is given.
    using Paint = std::function<void(QPrinter *)>;

    virtual ~Platform();

    // Shows a message or asks a question; the button chosen.
    virtual Prompts::Answer ask(const Prompts::Request &request) = 0;

    // The file the user chose; empty when the dialog was cancelled.
    virtual QString fileName(QWidget *parent, const FileRequest &request) = 0;

    // The program's printer, shared by every print command; nullptr when there is none at all.
    virtual QPrinter *printer() = 0;
    // Shows the print dialog; the number of copies asked, 0 when cancelled. The printer is left
    // set to one copy: the caller prints the order once per copy.
    virtual int askCopies(QWidget *parent) = 0;
    // Shows the printer set-up dialog; true when it was confirmed.
    virtual bool setupPrinter(QWidget *parent) = 0;
    // Whether the paper was chosen in the print or set-up dialog during this run.
    virtual bool paperChosen() const = 0;
    // Shows the print preview of the program's printer; `paint` draws the page, for the
    // preview and for printing from the preview alike.
    virtual void preview(QWidget *parent, const Paint &paint) = 0;

    virtual QDateTime now() = 0;
    // Sets the computer's clock from a universal time; the failure says why it was not set.
    virtual Status setTime(const QDateTime &utc) = 0;

    // What became of a message handed to the mail program: taken, no mail program to take it,
    // or the mail launcher failed (`reason` says how, in French).
    enum class MailOutcome { Taken, NoMailProgram, Failed };
    using MailEnded = std::function<void(MailOutcome outcome, const QString &reason)>;
    // Starts the mail program `program` with `arguments`. `ended` is told once what became of
    // the message, possibly after this returns: the launcher ends in its own time.
    virtual void startMailProgram(const QString &program, const QStringList &arguments,
                                  const MailEnded &ended) = 0;
    // The user's documents folder, for files the user is told to pick up.
    virtual QString documentsFolder() = 0;

    // The platform in use.
    static Platform &current();
    // Puts `platform` in use (nullptr: none) and gives back the one in use before. A platform
    // destroyed while in use is taken out of use.
    static Platform *install(Platform *platform);
};
