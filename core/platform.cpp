// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform.h"

#include <QStandardPaths>

namespace {

Platform *installed = nullptr;

// The program without a desktop.
class NoDesktop final : public Platform {
public:
    Prompts::Answer ask(const Prompts::Request &request) override
    {
        switch (request.buttons) {
        case Prompts::Buttons::Ok:
            return Prompts::Answer::Ok;
        case Prompts::Buttons::OkCancel:
        case Prompts::Buttons::YesNoCancel:
            return Prompts::Answer::Cancel;
        case Prompts::Buttons::YesNo:
            return Prompts::Answer::No;
        }
        return Prompts::Answer::Cancel;
    }
    QString fileName(QWidget *, const FileRequest &) override { return QString(); }
    QPrinter *printer() override { return nullptr; }
    int askCopies(QWidget *) override { return 0; }
    bool setupPrinter(QWidget *) override { return false; }
    bool paperChosen() const override { return false; }
    void preview(QWidget *, const Paint &) override {}
    QDateTime now() override { return QDateTime::currentDateTime(); }
    // No reason of its own: the clock gives the general one.
    Status setTime(const QDateTime &) override { return Failure(QString()); }
    void startMailProgram(const QString &, const QStringList &, const MailEnded &ended) override
    {
        ended(MailOutcome::NoMailProgram, QString());
    }
    QString documentsFolder() override
    {
        return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    }
};

} // namespace

Platform::~Platform()
{
    if (installed == this)
        installed = nullptr;
}

Platform &Platform::current()
{
    static NoDesktop noDesktop;
    return installed ? *installed : noDesktop;
}

Platform *Platform::install(Platform *platform)
{
    Platform *previous = installed;
    installed = platform;
    return previous;
}
