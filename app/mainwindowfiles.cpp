// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's file commands: new, open, save and save as, with the save question, and the
// recovery file kept for a book that is not saved.
#include "app/mainwindow.h"

#include "app/orderfilename.h"
#include "core/prompts.h"
#include "gui/application.h"
#include "gui/filedialogs.h"
#include "order/bookrecovery.h"
#include "order/orderwindow.h"

#include <QFile>
#include <QFileInfo>

bool MainWindow::offerRecovery()
{
    QString name;
    QStringList lines;
    if (!m_recovery->start(StartDir) || !m_recovery->pending() || !m_recovery->read(name, lines))
        return false;
    if (Prompts::warning(QStringLiteral("Récupérer les modifications non enregistrées ?"),
                         Prompts::Buttons::YesNo) != Prompts::Answer::Yes) {
        m_recovery->discard();
        return false;
    }
    // The order file stays as it is until the user saves.
    const Result<bool> recovered = m_commande->recover(name, lines);
    if (!Application::succeeded(recovered))
        return true; // the start-up goes no further
    MainFileName = *recovered ? name : QString();
    enableBookCommands();
    return true;
}

void MainWindow::keepRecovery()
{
    m_recovery->keep(MainFileName, m_commande->document().snapshot());
}

void MainWindow::bookReplaced()
{
    m_recovery->setSaved(MainFileName, m_commande->book().lines());
    m_recovery->discard();
    m_changeNoticed = false;
    followBook();
}

bool MainWindow::saveBook(const QString &fileName, OrderDocument::SaveWhen when)
{
    // A failed write leaves the book modified and the old file as it was.
    const Result<bool> saved = m_commande->save(fileName, when);
    if (!saved.ok())
        return saveFailed(saved.failure());
    bookReplaced();
    return true;
}

bool MainWindow::saveFailed(const Failure &failure)
{
    showCaption(m_commande->windowTitle()); // a book another desk took over is read-only now
    return Application::reportOfferingSaveAs(failure) && SaveAs();
}

bool MainWindow::fileChangedOnDisk()
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
        return SaveAs();
    if (answer != Prompts::Answer::SecondAction)
        return false;
    if (m_commande->hasUnsavedChanges() &&
        Prompts::warning(QStringLiteral("Relire le fichier et perdre les modifications non "
                                        "enregistrées ?"),
                         Prompts::Buttons::YesNo) != Prompts::Answer::Yes)
        return false;
    rereadBook();
    return false;
}

bool MainWindow::rereadBook()
{
    if (!Application::succeeded(m_commande->reread()))
        return false;
    bookReplaced();
    return true;
}

bool MainWindow::saveQuestion()
{
    bool modified = false;
    m_commande->bookModified(modified);
    if (!modified)
        return true;
    const Prompts::Answer answer =
        Prompts::warning(QStringLiteral("Enregistrer changements dans ") +
                             OrderFileName::withoutFolder(MainFileName) + QStringLiteral(" ?"),
                         Prompts::Buttons::YesNoCancel);
    if (answer == Prompts::Answer::No)
        return true;
    if (answer != Prompts::Answer::Yes)
        return false;
    // As "&Enregistrer": a book without a name gets one first, and a cancelled name or a
    // refused replacement cancels the command.
    return save();
}

void MainWindow::newBook()
{
    if (!saveQuestion())
        return;
    MainFileName.clear();
    m_commande->newBook();
    bookReplaced();
}

void MainWindow::openBook()
{
    if (!saveQuestion())
        return;
    const QString name = FileDialogs::getOpenFileName(this, QStringLiteral("Ouvrir"), QString(),
                                                      QStringLiteral("Commandes (*.cmd)"));
    if (name.isEmpty())
        return;
    openChosen(name);
}

void MainWindow::openAtStart(const QString &fileName)
{
    // Named from the working directory of the start, whatever happens to it later.
    m_startFile = fileName.isEmpty() ? QString() : QFileInfo(fileName).absoluteFilePath();
}

void MainWindow::openChosen(const QString &name)
{
    const QString previous = MainFileName;
    MainFileName = name;
    if (!OrderFileName::hasOrderExtension(MainFileName)) {
        MainFileName.clear();
        Prompts::information(QStringLiteral("Type de fichier non valide"));
        return;
    }
    if (!QFile::exists(MainFileName)) {
        Prompts::information(QStringLiteral("Le fichier n'existe pas"));
        return;
    }
    if (!bookOpened(m_commande->loadBook(MainFileName))) {
        MainFileName = previous; // the book in use stays, under its name
        return;
    }
    bookReplaced();
    bookInUse();
    enableBookCommands();
}

bool MainWindow::bookOpened(const Result<bool> &loaded) const
{
    if (Application::succeeded(loaded))
        return *loaded;
    // A file that could not be read leaves the book as it was; a book read whose order could
    // not be shown is open all the same, so that the user can go to its other orders.
    return m_commande->book().fileName() == MainFileName;
}

bool MainWindow::SaveAs()
{
    // Until a new name is chosen and written, the book stays the file it was.
    const QString chosen =
        FileDialogs::getSaveFileName(this, QStringLiteral("Enregistrer sous"),
                                     QStringLiteral("*.cmd"), QStringLiteral("Commandes (*.cmd)"));
    if (chosen.isEmpty())
        return false;
    const QString name = OrderFileName::withOrderExtension(chosen);
    if (QFile::exists(name) && !replaceAllowed())
        return false;
    // The copy asked for is written even when the book has not changed since its last save.
    if (!saveBook(name, OrderDocument::SaveWhen::Always))
        return false;
    MainFileName = name;
    showCaption(m_commande->windowTitle());
    bookInUse();
    return true;
}

bool MainWindow::save()
{
    if (MainFileName.isEmpty())
        return SaveAs();
    const QString name = OrderFileName::withOrderExtension(MainFileName);
    const OrderBook &book = m_commande->book();
    if (name == MainFileName && !book.isReadOnly() && book.changedOnDisk())
        return fileChangedOnDisk();
    if (name == MainFileName)
        return saveBook(name, OrderDocument::SaveWhen::Modified);
    // The book goes to a file of another name, which it must not replace unasked.
    if (QFile::exists(name) && !replaceAllowed())
        return false;
    if (!saveBook(name, OrderDocument::SaveWhen::Always))
        return false;
    MainFileName = name;
    return true;
}

bool MainWindow::replaceAllowed()
{
    return Prompts::warning(QStringLiteral("Ce fichier existe déjà"), Prompts::Buttons::OkCancel) ==
           Prompts::Answer::Ok;
}
