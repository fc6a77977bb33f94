// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class OrderWindow;
class QAction;
class QLabel;
class QMenu;
class QTimer;
class QWidget;

// Two desks on one book. A book open read-only follows its file: read again when another desk
// saved it (unless something here is not saved), and offered for writing, by "Passer en
// écri&ture" and by a link in the status bar, once that desk closed it. What happens is told in
// the status bar.
class BookFollowing : public QObject {
    Q_OBJECT
public:
    // The command goes into fileMenu after `after`; `notices` is the status bar's panel.
    BookFollowing(QWidget *window, OrderWindow &order, QMenu *fileMenu, QAction *after,
                  QLabel *notices);

    // Looks at the book's file; run every few seconds and whenever the book was replaced.
    void followBook();
    // A read-only book takes its file once nobody holds it.
    void takeWriting();

Q_SIGNALS:
    // The book was read again or taken for writing: what is in memory is what is on disk.
    void bookReplaced();
    void captionChanged(const QString &title); // the order window's caption, shown again

private:
    OrderWindow &m_order;
    QLabel *m_notices;
    QAction *m_writeAction = nullptr;
    QTimer *m_followTimer = nullptr;
    QString m_followNotice; // what followBook() last said
};
