// SPDX-License-Identifier: GPL-3.0-or-later
// What a desktop program is expected to do beside its commands: the books opened last in the
// "Fichier" menu, books dropped on the window, the window's place kept from one run to the
// next, and a book shared by several desks followed on disk.
#include "app/mainwindow.h"

#include "app/bookdrops.h"
#include "app/bookfilecommands.h"
#include "app/orderfilename.h"
#include "app/recentbooks.h"
#include "app/windowplace.h"
#include "core/prompts.h"
#include "gui/application.h"
#include "order/orderwindow.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QTimer>
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
        Application::run([&] { m_files->openDropped(fileNames); });
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
    m_files->openAsked(fileName);
}

void MainWindow::bookInUse(const QString &fileName)
{
    RecentBooks::add(fileName);
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

void MainWindow::createBookFollowing(QMenu *fileMenu)
{
    FileWriteItem = new QAction(QStringLiteral("Passer en écri&ture"), this);
    FileWriteItem->setObjectName(QStringLiteral("FileWriteItem"));
    FileWriteItem->setStatusTip(
        QStringLiteral("Enregistrer dans le fichier ouvert en lecture seule, s'il est libre"));
    FileWriteItem->setEnabled(false);
    connect(FileWriteItem, &QAction::triggered, this,
            [this] { Application::run([this] { takeWriting(); }); });
    const QList<QAction *> entries = fileMenu->actions();
    fileMenu->insertAction(entries.value(entries.indexOf(FileSaveAsItem) + 1), FileWriteItem);
    // The status bar offers it too, as a link in its message.
    connect(m_hintPanel, &QLabel::linkActivated, this,
            [this] { Application::run([this] { takeWriting(); }); });
    // File system notices do not reach network folders: the file is looked at every few
    // seconds.
    m_followTimer = new QTimer(this);
    m_followTimer->setObjectName(QStringLiteral("FollowTimer"));
    m_followTimer->setInterval(3000);
    connect(m_followTimer, &QTimer::timeout, this, [this] {
        // Not under a dialog, which may show the book as it is (the order list).
        if (!QApplication::activeModalWidget() && !QApplication::activePopupWidget())
            Application::run([this] { followBook(); });
    });
    m_followTimer->start();
}

void MainWindow::followBook()
{
    if (!FileWriteItem)
        return; // not made yet
    const OrderBook &book = m_commande->book();
    const bool readOnly = !book.fileName().isEmpty() && book.isReadOnly();
    const std::optional<OrderFileLock::Holder> holder = readOnly ? book.fileHolder() : std::nullopt;
    FileWriteItem->setEnabled(readOnly && !holder);
    if (!readOnly) {
        m_followNotice.clear();
        return;
    }
    QString notice;
    if (book.changedOnDisk()) {
        const QDateTime saved = QFileInfo(book.fileName()).lastModified();
        if (m_commande->hasUnsavedChanges()) {
            notice = QStringLiteral("Carnet enregistré par un autre poste : il sera relu quand "
                                    "vos modifications seront enregistrées sous un autre nom");
        } else if (const Status read = m_commande->reread(); !read) {
            // Said in the status bar, not in a box every few seconds.
            notice = read.message();
        } else {
            m_files->bookReplaced();
            notice = QStringLiteral("Carnet relu : enregistré ") +
                     (holder ? QStringLiteral("par %1 ").arg(holder->desk) : QString()) +
                     QStringLiteral("à ") + saved.toString(QStringLiteral("HH:mm"));
        }
    }
    if (!holder)
        notice += (notice.isEmpty() ? QStringLiteral("Le") : QStringLiteral(" ; le")) +
                  QStringLiteral(" carnet est libre : <a href=\"#\">Fichier &gt; Passer en "
                                 "écriture</a>");
    // Said once: the panel shows the menus' hints in between.
    if (notice.isEmpty() || notice == m_followNotice)
        return;
    m_followNotice = notice;
    m_hintPanel->setText(notice);
}

void MainWindow::takeWriting()
{
    if (!Application::succeeded(m_commande->document().takeWriting()))
        return;
    showCaption(m_commande->windowTitle());
    m_files->bookReplaced();
    m_hintPanel->setText(QStringLiteral("Le carnet est ouvert en écriture sur ce poste"));
}
