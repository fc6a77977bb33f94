// SPDX-License-Identifier: GPL-3.0-or-later
// What a desktop program is expected to do beside its commands: the books opened last in the
// "Fichier" menu, books dropped on the window, and the window's place kept from one run to the
// next.
#include "app/mainwindow.h"

#include "app/bookdrops.h"
#include "app/orderfilename.h"
#include "app/recentbooks.h"
#include "app/windowplace.h"
#include "core/prompts.h"
#include "gui/application.h"

#include <QAction>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QWindow>

void MainWindow::createRecentBooks(QMenu *fileMenu)
{
    m_recentSeparator = new QAction(this);
    m_recentSeparator->setSeparator(true);
    fileMenu->insertAction(FileExitItem, m_recentSeparator);
    // The list stands apart from the commands above it; with no books, "&Quitter" keeps this
    // separator alone (the menu folds two in a row into one).
    fileMenu->insertSeparator(m_recentSeparator);
    for (int i = 0; i < RecentBooks::Count; ++i) {
        auto *entry = new QAction(this);
        entry->setObjectName(QStringLiteral("FileRecentItem%1").arg(i + 1));
        connect(entry, &QAction::triggered, this, [this, entry] {
            const QString fileName = entry->data().toString();
            Application::run([&] { openRecent(fileName); });
        });
        fileMenu->insertAction(m_recentSeparator, entry);
        m_recentBooks << entry;
    }
    // Read again each time: another copy of the program may have opened books since.
    connect(fileMenu, &QMenu::aboutToShow, this, &MainWindow::showRecentBooks);
    showRecentBooks();
}

void MainWindow::acceptBookDrops()
{
    auto *drops = new BookDrops(this);
    connect(drops, &BookDrops::dropped, this, [this](const QStringList &fileNames) {
        Application::run([&] { openDropped(fileNames); });
    });
}

void MainWindow::showRecentBooks()
{
    const QStringList books = RecentBooks::list();
    for (int i = 0; i < m_recentBooks.size(); ++i) {
        QAction *entry = m_recentBooks.at(i);
        const QString book = books.value(i);
        entry->setVisible(!book.isEmpty());
        entry->setData(book);
        // A "&" of the name is shown, not taken for a mnemonic.
        QString name = QFileInfo(book).fileName();
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        entry->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
        entry->setStatusTip(book);
    }
    m_recentSeparator->setVisible(!books.isEmpty());
}

void MainWindow::openRecent(const QString &fileName)
{
    // Told before the save question: nothing would be opened after it.
    if (!QFileInfo::exists(fileName)) {
        RecentBooks::remove(fileName);
        showRecentBooks();
        Prompts::information(QStringLiteral("Le fichier %1 n'existe plus.").arg(fileName));
        return;
    }
    if (saveQuestion())
        openChosen(fileName);
}

void MainWindow::openDropped(const QStringList &fileNames)
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
    if (saveQuestion())
        openChosen(fileName);
}

void MainWindow::bookInUse()
{
    RecentBooks::add(MainFileName);
    showRecentBooks();
}

void MainWindow::restorePlace()
{
    const std::optional<WindowPlace> kept = WindowPlace::load();
    if (!kept) {
        setWindowState(windowState() | Qt::WindowMaximized);
        return;
    }
    QList<WindowPlace::Screen> screens; // the primary first
    for (const QScreen *screen : QGuiApplication::screens()) {
        const WindowPlace::Screen known{screen->name(), screen->availableGeometry()};
        if (screen == QGuiApplication::primaryScreen())
            screens.prepend(known);
        else
            screens.append(known);
    }
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    setGeometry(kept->placed(screens));
    if (kept->maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void MainWindow::keepPlace() const
{
    WindowPlace place;
    const QWindow *window = windowHandle();
    place.screen = window && window->screen() ? window->screen()->name() : QString();
    place.normal = isMaximized() || isFullScreen() ? normalGeometry() : geometry();
    place.maximized = isMaximized();
    place.save();
}
