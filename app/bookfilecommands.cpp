// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/bookfilecommands.h"

#include "app/orderfilename.h"
#include "core/prompts.h"
#include "gui/application.h"
#include "gui/filedialogs.h"
#include "order/bookrecovery.h"
#include "order/orderwindow.h"

#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>

BookFileCommands::BookFileCommands(QWidget *window, OrderWindow &order)
    : QObject(window), m_window(window), m_order(order),
      m_recovery(std::make_unique<BookRecovery>())
{
    m_recoveryTimer = new QTimer(this);
    m_recoveryTimer->setObjectName(QStringLiteral("RecoveryTimer"));
    m_recoveryTimer->setInterval(3 * 60 * 1000);
    connect(m_recoveryTimer, &QTimer::timeout, this,
            [this] { Application::run([this] { keepRecovery(); }); });
    m_recoveryTimer->start();
}

BookFileCommands::~BookFileCommands() = default;

bool BookFileCommands::offerRecovery(const QString &startDir)
{
    QString name;
    QStringList lines;
    if (!m_recovery->start(startDir) || !m_recovery->pending() || !m_recovery->read(name, lines))
        return false;
    if (Prompts::warning(QStringLiteral("Récupérer les modifications non enregistrées ?"),
                         Prompts::Buttons::YesNo) != Prompts::Answer::Yes) {
        m_recovery->discard();
        return false;
    }
    // The order file stays as it is until the user saves.
    const Result<bool> recovered = m_order.recover(name, lines);
    if (!Application::succeeded(recovered))
        return true; // the start-up goes no further
    m_fileName = *recovered ? name : QString();
    emit commandsWanted();
    return true;
}

void BookFileCommands::keepRecovery()
{
    m_recovery->keep(m_fileName, m_order.document().snapshot());
}

void BookFileCommands::discardRecovery()
{
    m_recovery->discard();
}

void BookFileCommands::bookReplaced()
{
    m_recovery->setSaved(m_fileName, m_order.book().lines());
    m_recovery->discard();
    m_changeNoticed = false;
    emit replaced();
}

bool BookFileCommands::saveBook(const QString &fileName, OrderDocument::SaveWhen when)
{
    // A failed write leaves the book modified and the old file as it was.
    const Result<bool> saved = m_order.save(fileName, when);
    if (!saved.ok())
        return saveFailed(saved.failure());
    bookReplaced();
    return true;
}

bool BookFileCommands::saveFailed(const Failure &failure)
{
    // A book another desk took over is read-only now.
    emit captionChanged(m_order.windowTitle());
    return Application::reportOfferingSaveAs(failure) && saveAs();
}

bool BookFileCommands::fileChangedOnDisk()
{
    m_changeNoticed = true;
    const Prompts::Answer answer = Prompts::ask(
        {Prompts::Icon::Warning,
         Prompts::Buttons::Ok,
         QString(),
         QStringLiteral("Le fichier a été modifié hors de Qor Commande depuis son ouverture.\n"
                        "Il n'est pas remplacé : enregistrez vos modifications sous un autre nom, "
                        "ou relisez le fichier."),
         {QStringLiteral("Enregistrer sous..."), QStringLiteral("Relire le fichier")}});
    if (answer == Prompts::Answer::FirstAction)
        return saveAs();
    if (answer != Prompts::Answer::SecondAction)
        return false;
    if (m_order.hasUnsavedChanges() &&
        Prompts::warning(QStringLiteral("Relire le fichier et perdre les modifications non "
                                        "enregistrées ?"),
                         Prompts::Buttons::YesNo) != Prompts::Answer::Yes)
        return false;
    rereadBook();
    return false;
}

bool BookFileCommands::rereadBook()
{
    if (!Application::succeeded(m_order.reread()))
        return false;
    bookReplaced();
    return true;
}

void BookFileCommands::checkBookOnDisk()
{
    const OrderBook &book = m_order.book();
    if (m_changeNoticed || book.fileName().isEmpty() || book.isReadOnly() || !book.changedOnDisk())
        return;
    fileChangedOnDisk();
}

bool BookFileCommands::saveQuestion()
{
    bool modified = false;
    m_order.bookModified(modified);
    if (!modified)
        return true;
    const Prompts::Answer answer =
        Prompts::warning(QStringLiteral("Enregistrer changements dans ") +
                             OrderFileName::withoutFolder(m_fileName) + QStringLiteral(" ?"),
                         Prompts::Buttons::YesNoCancel);
    if (answer == Prompts::Answer::No)
        return true;
    if (answer != Prompts::Answer::Yes)
        return false;
    // As "&Enregistrer": a book without a name gets one first, and a cancelled name or a
    // refused replacement cancels the command.
    return save();
}

void BookFileCommands::newBook()
{
    if (!saveQuestion())
        return;
    m_fileName.clear();
    m_order.newBook();
    bookReplaced();
}

void BookFileCommands::openBook()
{
    if (!saveQuestion())
        return;
    const QString name = FileDialogs::getOpenFileName(m_window, QStringLiteral("Ouvrir"), QString(),
                                                      QStringLiteral("Commandes (*.cmd)"));
    if (name.isEmpty())
        return;
    openChosen(name);
}

void BookFileCommands::openAsked(const QString &fileName)
{
    if (saveQuestion())
        openChosen(fileName);
}

void BookFileCommands::openDropped(const QStringList &fileNames)
{
    // Refused before the save question, and the book in use keeps its name.
    if (fileNames.size() > 1) {
        Prompts::information(
            QStringLiteral("Un seul fichier de commandes (.cmd) s'ouvre à la fois."));
        return;
    }
    const QString fileName = fileNames.value(0);
    if (!OrderFileName::hasOrderExtension(fileName)) {
        Prompts::information(
            QStringLiteral("Type de fichier non valide : %1 n'est pas un fichier de commandes "
                           "(.cmd).")
                .arg(QFileInfo(fileName).fileName()));
        return;
    }
    openAsked(fileName);
}

void BookFileCommands::openRemembered(const QString &fileName)
{
    // The remembered name becomes the book's only when it is opened: an empty book saved under
    // it would overwrite the remembered file.
    m_fileName = fileName;
    // Enabled even when the file is gone, so that the new book can be saved.
    emit commandsWanted();
    // Without a word the user would take the empty book for the remembered one.
    if (!m_fileName.isEmpty() && !QFileInfo::exists(m_fileName))
        Prompts::information(QStringLiteral("Le fichier %1 n'existe pas").arg(m_fileName));
    // Not opened after all (another copy holds it): the new book must not take its name.
    if (bookOpened(m_order.loadBook(m_fileName)))
        emit opened(m_fileName);
    else
        m_fileName.clear();
    bookReplaced();
}

void BookFileCommands::openChosen(const QString &name)
{
    const QString previous = m_fileName;
    m_fileName = name;
    if (!OrderFileName::hasOrderExtension(m_fileName)) {
        m_fileName.clear();
        Prompts::information(QStringLiteral("Type de fichier non valide"));
        return;
    }
    if (!QFile::exists(m_fileName)) {
        Prompts::information(QStringLiteral("Le fichier n'existe pas"));
        return;
    }
    if (!bookOpened(m_order.loadBook(m_fileName))) {
        m_fileName = previous; // the book in use stays, under its name
        return;
    }
    bookReplaced();
    emit opened(m_fileName);
    emit commandsWanted();
}

bool BookFileCommands::bookOpened(const Result<bool> &loaded) const
{
    if (Application::succeeded(loaded))
        return *loaded;
    // A file that could not be read leaves the book as it was; a book read whose order could
    // not be shown is open all the same, so that the user can go to its other orders.
    return m_order.book().fileName() == m_fileName;
}

bool BookFileCommands::saveAs()
{
    // Until a new name is chosen and written, the book stays the file it was.
    const QString chosen =
        FileDialogs::getSaveFileName(m_window, QStringLiteral("Enregistrer sous"),
                                     QStringLiteral("*.cmd"), QStringLiteral("Commandes (*.cmd)"));
    if (chosen.isEmpty())
        return false;
    const QString name = OrderFileName::withOrderExtension(chosen);
    if (QFile::exists(name) && !replaceAllowed())
        return false;
    // The copy asked for is written even when the book has not changed since its last save.
    if (!saveBook(name, OrderDocument::SaveWhen::Always))
        return false;
    m_fileName = name;
    emit captionChanged(m_order.windowTitle());
    emit opened(m_fileName);
    return true;
}

bool BookFileCommands::save()
{
    if (m_fileName.isEmpty())
        return saveAs();
    const QString name = OrderFileName::withOrderExtension(m_fileName);
    const OrderBook &book = m_order.book();
    if (name == m_fileName && !book.isReadOnly() && book.changedOnDisk())
        return fileChangedOnDisk();
    if (name == m_fileName)
        return saveBook(name, OrderDocument::SaveWhen::Modified);
    // The book goes to a file of another name, which it must not replace unasked.
    if (QFile::exists(name) && !replaceAllowed())
        return false;
    if (!saveBook(name, OrderDocument::SaveWhen::Always))
        return false;
    m_fileName = name;
    return true;
}

bool BookFileCommands::replaceAllowed()
{
    return Prompts::warning(QStringLiteral("Ce fichier existe déjà"), Prompts::Buttons::OkCancel) ==
           Prompts::Answer::Ok;
}
