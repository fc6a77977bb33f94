// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>

class QWidget;

// Files dropped anywhere on a window: the window opens them, and no field of it takes their
// names as text.
class BookDrops : public QObject {
    Q_OBJECT
public:
    explicit BookDrops(QWidget *window);

Q_SIGNALS:
    void dropped(const QStringList &fileNames);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
};
