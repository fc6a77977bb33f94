// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/bookfollowing.h"

#include "gui/application.h"
#include "order/orderwindow.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QTimer>

BookFollowing::BookFollowing(QWidget *window, OrderWindow &order, QMenu *fileMenu, QAction *after,
                             QLabel *notices)
    : QObject(window), m_order(order), m_notices(notices)
{
    m_writeAction = new QAction(QStringLiteral("Passer en écri&ture"), window);
    m_writeAction->setObjectName(QStringLiteral("TakeWritingAction"));
    m_writeAction->setStatusTip(
        QStringLiteral("Enregistrer dans le fichier ouvert en lecture seule, s'il est libre"));
    m_writeAction->setEnabled(false);
    connect(m_writeAction, &QAction::triggered, this,
            [this] { Application::run([this] { takeWriting(); }); });
    const QList<QAction *> entries = fileMenu->actions();
    fileMenu->insertAction(entries.value(entries.indexOf(after) + 1), m_writeAction);
    // The status bar offers it too, as a link in its message.
    connect(m_notices, &QLabel::linkActivated, this,
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

void BookFollowing::followBook()
{
    const OrderBook &book = m_order.book();
    const bool readOnly = !book.fileName().isEmpty() && book.isReadOnly();
    const std::optional<OrderFileLock::Holder> holder = readOnly ? book.fileHolder() : std::nullopt;
    m_writeAction->setEnabled(readOnly && !holder);
    if (!readOnly) {
        m_followNotice.clear();
        return;
    }
    QString notice;
    if (book.changedOnDisk()) {
        const QDateTime saved = QFileInfo(book.fileName()).lastModified();
        if (m_order.hasUnsavedChanges()) {
            notice = QStringLiteral("Carnet enregistré par un autre poste : il sera relu quand "
                                    "vos modifications seront enregistrées sous un autre nom");
        } else if (const Status read = m_order.reread(); !read) {
            // Said in the status bar, not in a box every few seconds.
            notice = read.message();
        } else {
            emit bookReplaced();
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
    m_notices->setText(notice);
}

void BookFollowing::takeWriting()
{
    if (!Application::succeeded(m_order.document().takeWriting()))
        return;
    emit captionChanged(m_order.windowTitle());
    emit bookReplaced();
    m_notices->setText(QStringLiteral("Le carnet est ouvert en écriture sur ce poste"));
}
