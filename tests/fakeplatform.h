// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The desktop of the tests: questions and file dialogs answered by script, a clock that stands
// still, a clock setting and a mail program that only record, printing on a PDF file and a
// documents folder of its own. Every request is kept for the test to look at. Nothing reaches
// the machine's screen, clock, printers or mail program.

#include "core/platform.h"

#include <QDate>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <QTime>
#include <optional>

#ifdef QT_PRINTSUPPORT_LIB
#include <QPageSize>
#include <QPrinter>
#include <memory>
#endif

// Takes the place of the platform in use for its life.
class FakePlatform : public Platform {
public:
    FakePlatform() : m_previous(Platform::install(this)) {}
    explicit FakePlatform(const QDateTime &at) : FakePlatform() { moment = at; }
    ~FakePlatform() override { Platform::install(m_previous); }
    FakePlatform(const FakePlatform &) = delete;
    FakePlatform &operator=(const FakePlatform &) = delete;

    // Questions: answered in turn from `answers`, by `unscripted` once they are used up. With
    // `messageBoxes` set they go to that platform's real message boxes instead.
    QList<Prompts::Answer> answers;
    Prompts::Answer unscripted = Prompts::Answer::Cancel;
    QList<Prompts::Request> asked;
    Platform *messageBoxes = nullptr;
    void answer(Prompts::Answer a) { answers.append(a); }
    QStringList texts() const
    {
        QStringList t;
        for (const auto &r : asked)
            t << r.text;
        return t;
    }

    // File dialogs: answered in turn from `fileNames` (an empty name cancels), cancelled once
    // they are used up. With `fileDialogs` set, that platform's real dialogs answer then.
    QStringList fileNames;
    QList<FileRequest> fileRequests;
    Platform *fileDialogs = nullptr;
    void chooseFile(const QString &name) { fileNames.append(name); }
    // The type chosen in a dialog that offers several, in turn; the first one offered when
    // none is scripted.
    QStringList chosenFilters;

    // Printing: on `printerInUse` when the test gives one, on a PDF file otherwise. The print
    // dialog asks for `copies`; the set-up dialog is confirmed when `setupConfirmed`; the
    // preview draws on `previewPrinter` when there is one. `noPrinter`: none at all, as
    // without a desktop.
    QPrinter *printerInUse = nullptr;
    bool noPrinter = false;
    int copies = 0;
    int copiesAsked = 0;
    bool setupConfirmed = false;
    int setupsAsked = 0;
    bool paperWasChosen = false;
    QPrinter *previewPrinter = nullptr;
    int previews = 0;

    // The clock shows `moment`; setting it records the time, or fails with `timeRefusal`.
    QDateTime moment{QDate(2000, 3, 14), QTime(9, 0)};
    QList<QDateTime> timesSet;
    std::optional<Failure> timeRefusal;

    // The mail program: each launch is recorded; `mailProgram` says whether there is one, and
    // the launcher fails with `mailFailure` when it is set.
    struct MailLaunch {
        QString program;
        QStringList arguments;
    };
    QList<MailLaunch> mails;
    bool mailProgram = true;
    std::optional<QString> mailFailure;

    // The documents folder: `documents`, or a folder of the fake's own when it is empty.
    QString documents;

    Prompts::Answer ask(const Prompts::Request &request) override
    {
        asked.append(request);
        if (messageBoxes)
            return messageBoxes->ask(request);
        return answers.isEmpty() ? unscripted : answers.takeFirst();
    }

    QString fileName(QWidget *parent, const FileRequest &request) override
    {
        fileRequests.append(request);
        if (request.chosenFilter)
            *request.chosenFilter = !chosenFilters.isEmpty()
                                        ? chosenFilters.takeFirst()
                                        : request.filter.section(QStringLiteral(";;"), 0, 0);
        if (!fileNames.isEmpty())
            return fileNames.takeFirst();
        return fileDialogs ? fileDialogs->fileName(parent, request) : QString();
    }

    QPrinter *printer() override
    {
        if (noPrinter)
            return nullptr;
        if (printerInUse)
            return printerInUse;
#ifdef QT_PRINTSUPPORT_LIB
        if (!m_pdf) {
            m_pdf = std::make_unique<QPrinter>(QPrinter::HighResolution);
            m_pdf->setOutputFormat(QPrinter::PdfFormat);
            m_pdf->setOutputFileName(m_pdfFolder.filePath(QStringLiteral("printed.pdf")));
            m_pdf->setPageSize(QPageSize(QPageSize::A4));
            m_pdf->setFullPage(true);
        }
        return m_pdf.get();
#else
        return nullptr;
#endif
    }
    int askCopies(QWidget *) override
    {
        ++copiesAsked;
        return copies;
    }
    bool setupPrinter(QWidget *) override
    {
        ++setupsAsked;
        return setupConfirmed;
    }
    bool paperChosen() const override
    {
        return paperWasChosen;
    }
    void preview(QWidget *, const Paint &paint) override
    {
        ++previews;
        if (previewPrinter)
            paint(previewPrinter);
    }

    QDateTime now() override
    {
        return moment;
    }
    Status setTime(const QDateTime &utc) override
    {
        if (timeRefusal)
            return *timeRefusal;
        timesSet.append(utc);
        return {};
    }

    void startMailProgram(const QString &program, const QStringList &arguments,
                          const MailEnded &ended) override
    {
        mails.append({program, arguments});
        if (!mailProgram)
            ended(MailOutcome::NoMailProgram, QString());
        else if (mailFailure)
            ended(MailOutcome::Failed, *mailFailure);
        else
            ended(MailOutcome::Taken, QString());
    }
    QString documentsFolder() override
    {
        return documents.isEmpty() ? m_documents.path() : documents;
    }

private:
    Platform *m_previous;
    QTemporaryDir m_documents;
#ifdef QT_PRINTSUPPORT_LIB
    QTemporaryDir m_pdfFolder;
    std::unique_ptr<QPrinter> m_pdf;
#endif
};
