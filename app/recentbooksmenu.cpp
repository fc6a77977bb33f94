// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/recentbooksmenu.h"

#include "app/recentbooks.h"
#include "core/prompts.h"
#include "gui/application.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

RecentBooksMenu::RecentBooksMenu(QWidget *window, QMenu *fileMenu, QAction *before)
    : QObject(window)
{
    m_separator = new QAction(window);
    m_separator->setSeparator(true);
    fileMenu->insertAction(before, m_separator);
    // The list stands apart from the commands above it; with no books, "&Quitter" keeps this
    // separator alone (the menu folds two in a row into one).
    fileMenu->insertSeparator(m_separator);
    for (int i = 0; i < RecentBooks::Count; ++i) {
        auto *entry = new QAction(window);
        entry->setObjectName(QStringLiteral("RecentBookAction%1").arg(i + 1));
        connect(entry, &QAction::triggered, this, [this, entry] {
            const QString fileName = entry->data().toString();
            Application::run([&] { open(fileName); });
        });
        fileMenu->insertAction(m_separator, entry);
        m_entries << entry;
    }
    // Read again each time: another copy of the program may have opened books since.
    connect(fileMenu, &QMenu::aboutToShow, this, &RecentBooksMenu::showEntries);
    showEntries();
}

void RecentBooksMenu::add(const QString &fileName)
{
    RecentBooks::add(fileName);
    showEntries();
}

void RecentBooksMenu::showEntries()
{
    const QStringList books = RecentBooks::list();
    for (int i = 0; i < m_entries.size(); ++i) {
        QAction *entry = m_entries.at(i);
        const QString book = books.value(i);
        entry->setVisible(!book.isEmpty());
        entry->setData(book);
        // A "&" of the name is shown, not taken for a mnemonic.
        QString name = QFileInfo(book).fileName();
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        entry->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
        entry->setStatusTip(book);
    }
    m_separator->setVisible(!books.isEmpty());
}

void RecentBooksMenu::open(const QString &fileName)
{
    // Told before the save question: nothing would be opened after it.
    if (!QFileInfo::exists(fileName)) {
        RecentBooks::remove(fileName);
        showEntries();
        Prompts::information(QStringLiteral("Le fichier %1 n'existe plus.").arg(fileName));
        return;
    }
    emit chosen(fileName);
}
