// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/bookdrops.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace {

QStringList localFiles(const QMimeData *data)
{
    QStringList files;
    if (data && data->hasUrls())
        for (const QUrl &url : data->urls())
            if (url.isLocalFile())
                files << url.toLocalFile();
    return files;
}

} // namespace

BookDrops::BookDrops(QWidget *window) : QObject(window), m_window(window)
{
    m_window->setAcceptDrops(true);
    // A field under the mouse would take the drop for itself: every widget of the window is
    // watched, so the filter sits on the application.
    qApp->installEventFilter(this);
}

bool BookDrops::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    if (!watched->isWidgetType() || static_cast<QWidget *>(watched)->window() != m_window)
        return false;
    auto *drop = static_cast<QDropEvent *>(event);
    const QStringList files = localFiles(drop->mimeData());
    // Nothing opens behind a dialog that waits for an answer.
    if (files.isEmpty() || QApplication::activeModalWidget())
        return false;
    drop->acceptProposedAction();
    // Opened once the drop is over: the source of the drag waits for the drop's end, and the
    // opening may ask questions.
    if (type == QEvent::Drop)
        QMetaObject::invokeMethod(
            this, [this, files] { emit dropped(files); }, Qt::QueuedConnection);
    return true;
}
