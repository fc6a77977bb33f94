// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>

class QAction;
class QMenu;
class QWidget;

// The books opened last, numbered entries of the "&Fichier" menu, read again each time the
// menu opens. An entry whose file is gone is told and taken off the list.
class RecentBooksMenu : public QObject {
    Q_OBJECT
public:
    // The entries go into fileMenu before `before`, apart from the commands above them.
    RecentBooksMenu(QWidget *window, QMenu *fileMenu, QAction *before);

    void add(const QString &fileName); // the book opened or saved: first of the list

Q_SIGNALS:
    void chosen(const QString &fileName); // an entry whose file still exists

private:
    void showEntries();
    void open(const QString &fileName);

    QAction *m_separator = nullptr;
    QList<QAction *> m_entries;
};
