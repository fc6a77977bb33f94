// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/desktopplatform.h"

#include "gui/timedateservice.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QTreeView>
#include <memory>
#include <utility>

namespace {

QString defaultCaption(Prompts::Icon icon)
{
    switch (icon) {
    case Prompts::Icon::Information:
        return QStringLiteral("Information");
    case Prompts::Icon::Warning:
        return QStringLiteral("Avertissement");
    case Prompts::Icon::Question:
        return QStringLiteral("Confirmation");
    case Prompts::Icon::Critical:
        return QStringLiteral("Erreur");
    }
    return QString();
}

QMessageBox::Icon boxIcon(Prompts::Icon icon)
{
    switch (icon) {
    case Prompts::Icon::Information:
        return QMessageBox::Information;
    case Prompts::Icon::Warning:
        return QMessageBox::Warning;
    case Prompts::Icon::Question:
        return QMessageBox::Question;
    case Prompts::Icon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

void hideSplashScreens()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->windowType() == Qt::SplashScreen && window->isVisible())
            window->hide();
    }
}

// Qt starts every printer on A4 whatever paper the queue is set to; take the queue's own.
void usePrinterPaper(QPrinter &p)
{
    const QPageSize paper = QPrinterInfo(p).defaultPageSize();
    if (p.outputFormat() == QPrinter::NativeFormat && paper.isValid())
        p.setPageSize(paper);
}

// xdg-email falls back to opening a "mailto:" link, which goes nowhere useful (or to a web
// browser) when no mail program is set: ask the desktop first.
bool hasMailProgram()
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return true; // cannot tell: let the mail launcher try
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

// How long a mail launcher is watched for a failure.
constexpr int MailLauncherWatchMs = 10000;

// Why the mail launcher failed, from how it ended (xdg-utils say 3 when no program can open
// the message).
QString launcherFailure(QProcess::ExitStatus status, int code)
{
    if (status == QProcess::CrashExit)
        return QStringLiteral("le programme de messagerie s'est arrêté brutalement");
    if (code == 3)
        return QStringLiteral("aucun programme de messagerie ne sait ouvrir le message");
    return QStringLiteral("le programme de messagerie a échoué (code %1)").arg(code);
}

} // namespace

DesktopPlatform::DesktopPlatform() = default;
DesktopPlatform::~DesktopPlatform() = default;

Prompts::Answer DesktopPlatform::ask(const Prompts::Request &request)
{
    hideSplashScreens();
    QMessageBox box(QApplication::activeWindow());
    box.setIcon(boxIcon(request.icon));
    box.setWindowTitle(request.caption.isEmpty() ? defaultCaption(request.icon) : request.caption);
    box.setText(request.text);

    struct Choice {
        QString text;
        QMessageBox::ButtonRole role;
        Prompts::Answer answer;
    };
    QList<Choice> choices;
    switch (request.buttons) {
    case Prompts::Buttons::Ok:
        choices = {{QStringLiteral("OK"), QMessageBox::AcceptRole, Prompts::Answer::Ok}};
        break;
    case Prompts::Buttons::OkCancel:
        choices = {{QStringLiteral("OK"), QMessageBox::AcceptRole, Prompts::Answer::Ok},
                   {QStringLiteral("Annuler"), QMessageBox::RejectRole, Prompts::Answer::Cancel}};
        break;
    case Prompts::Buttons::YesNo:
        choices = {{QStringLiteral("&Oui"), QMessageBox::YesRole, Prompts::Answer::Yes},
                   {QStringLiteral("&Non"), QMessageBox::NoRole, Prompts::Answer::No}};
        break;
    case Prompts::Buttons::YesNoCancel:
        choices = {{QStringLiteral("&Oui"), QMessageBox::YesRole, Prompts::Answer::Yes},
                   {QStringLiteral("&Non"), QMessageBox::NoRole, Prompts::Answer::No},
                   {QStringLiteral("Annuler"), QMessageBox::RejectRole, Prompts::Answer::Cancel}};
        break;
    }

    const Prompts::Answer actionAnswers[] = {Prompts::Answer::FirstAction,
                                             Prompts::Answer::SecondAction};
    const qsizetype actions = qMin(request.actions.size(), qsizetype(2));
    for (qsizetype i = 0; i < actions; ++i)
        choices.insert(i, {request.actions.at(i), QMessageBox::ActionRole, actionAnswers[i]});
    QList<QPushButton *> buttons;
    for (const Choice &choice : choices)
        buttons << box.addButton(choice.text, choice.role);
    // Enter answers as before the actions were offered: they are never taken by accident.
    box.setDefaultButton(buttons.at(actions));
    box.setEscapeButton(buttons.last());

    box.exec();
    // Closing the box with its close box counts as Escape.
    const qsizetype chosen = buttons.indexOf(static_cast<QPushButton *>(box.clickedButton()));
    return chosen < 0 ? choices.last().answer : choices.at(chosen).answer;
}

// Qt's own dialog opens too small for its columns, and sizes them for English texts ("677
// octets" ends up as "677…ets"): it opens at a readable size with columns wide enough for the
// French texts.
QString DesktopPlatform::fileName(QWidget *parent, const FileRequest &request)
{
    QFileDialog dialog(parent, request.caption, request.initialName, request.filter);
    dialog.setObjectName(QStringLiteral("FileDialog"));
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The caller asks about overwriting once the final name is known.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (m_fileDialogState.isEmpty()) {
        if (auto *view = dialog.findChild<QTreeView *>(QStringLiteral("treeView"))) {
            const QFontMetrics metrics(view->font());
            const int margin = 3 * metrics.averageCharWidth();
            const QStringList widest = {QStringLiteral("1 023 octets"),
                                        QStringLiteral("document texte brut"),
                                        QStringLiteral("31 déc. 2026 23:59:59")};
            for (int column = 1; column <= widest.size(); ++column)
                view->header()->resizeSection(
                    column, metrics.horizontalAdvance(widest.at(column - 1)) + margin);
            view->header()->setSectionResizeMode(0, QHeaderView::Stretch);
        }
    } else {
        dialog.restoreState(m_fileDialogState);
        if (!request.initialName.isEmpty())
            dialog.selectFile(request.initialName);
    }
    QSize size = m_fileDialogSize;
    if (!size.isValid()) {
        size = QSize(860, 540);
        if (const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
            size = size.boundedTo(screen->availableSize() * 9 / 10);
    }
    dialog.resize(size);

    const bool chosen = dialog.exec() == QDialog::Accepted;
    if (request.chosenFilter)
        *request.chosenFilter = dialog.selectedNameFilter();
    m_fileDialogState = dialog.saveState();
    m_fileDialogSize = dialog.size();
    const QStringList files = dialog.selectedFiles();
    return chosen && !files.isEmpty() ? files.first() : QString();
}

QPrinter *DesktopPlatform::printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        usePrinterPaper(*m_printer);
        m_printer->setFullPage(true);
    }
    return m_printer.get();
}

int DesktopPlatform::askCopies(QWidget *parent)
{
    QPrinter &p = *printer();
    p.setCopyCount(1);
    const QString printerBefore = p.printerName();
    const QPageSize paperBefore = p.pageLayout().pageSize();
    QPrintDialog dialog(&p, parent);
    dialog.setWindowTitle(QStringLiteral("Imprimer"));
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    // Another printer chosen without touching the paper prints on that printer's own paper.
    if (p.printerName() != printerBefore && p.pageLayout().pageSize().isEquivalentTo(paperBefore))
        usePrinterPaper(p);
    m_paperChosen = true;
    const int copies = p.copyCount();
    // Each copy is a print run of its own; the printer must not multiply them again.
    p.setCopyCount(1);
    return copies;
}

bool DesktopPlatform::setupPrinter(QWidget *parent)
{
    QPageSetupDialog dialog(printer(), parent);
    dialog.setWindowTitle(QStringLiteral("Configuration de l'imprimante"));
    const bool accepted = dialog.exec() == QDialog::Accepted;
    m_paperChosen = m_paperChosen || accepted;
    return accepted;
}

void DesktopPlatform::preview(QWidget *parent, const Paint &paint)
{
    QPrinter &p = *printer();
    p.setFullPage(true);
    QPrintPreviewDialog dialog(&p, parent);
    dialog.setWindowTitle(QStringLiteral("Aperçu avant impression"));
    if (parent) // large enough to read the page
        dialog.resize(parent->window()->size() * 0.85);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, paint);
    dialog.exec();
}

QDateTime DesktopPlatform::now()
{
    return QDateTime::currentDateTime();
}

Status DesktopPlatform::setTime(const QDateTime &utc)
{
    return TimeDateService().setTime(utc);
}

void DesktopPlatform::startMailProgram(const QString &program, const QStringList &arguments,
                                       const MailEnded &ended)
{
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty() || !hasMailProgram()) {
        ended(MailOutcome::NoMailProgram, QString());
        return;
    }
    // The launcher ends once the mail program has the message, with an error when none could
    // take it. One that still runs after a while has started a mail program in the foreground,
    // which has the message; the message being written must outlive this program, so the
    // launcher is never waited for.
    auto *launcher = new QProcess(qApp);
    // A mail program it runs may talk for as long as it runs: nobody reads that.
    launcher->setStandardOutputFile(QProcess::nullDevice());
    launcher->setStandardErrorFile(QProcess::nullDevice());
    auto told = std::make_shared<bool>(false);
    const auto tell = [ended, told](MailOutcome outcome, const QString &reason) {
        if (!std::exchange(*told, true))
            ended(outcome, reason);
    };
    QObject::connect(launcher, &QProcess::finished, launcher,
                     [launcher, tell](int code, QProcess::ExitStatus status) {
                         if (status == QProcess::NormalExit && code == 0)
                             tell(MailOutcome::Taken, QString());
                         else
                             tell(MailOutcome::Failed, launcherFailure(status, code));
                         launcher->deleteLater();
                     });
    QObject::connect(launcher, &QProcess::errorOccurred, launcher,
                     [launcher, tell](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         tell(MailOutcome::Failed,
                              QStringLiteral("le programme de messagerie n'a pas pu être lancé"));
                         launcher->deleteLater();
                     });
    QTimer::singleShot(MailLauncherWatchMs, launcher,
                       [tell] { tell(MailOutcome::Taken, QString()); });
    launcher->start(path, arguments);
}

QString DesktopPlatform::documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}
