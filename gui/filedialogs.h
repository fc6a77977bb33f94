#pragma once

#include <QList>
#include <QString>

class QWidget;

// The open and save dialogs of the program. Tests queue the names the next dialogs give; an
// empty name stands for a cancelled dialog. While names are queued (or scripting is on) no
// real dialog is shown.
namespace FileDialogs {

struct Request {
    bool save = false;
    QString caption;
    QString initialName;
    QString filter;
};

QString getOpenFileName(QWidget *parent, const QString &caption, const QString &initialName,
                        const QString &filter);
// The dialog never asks about overwriting: the caller asks once the final name is known.
QString getSaveFileName(QWidget *parent, const QString &caption, const QString &initialName,
                        const QString &filter);

// Test side.
void queueAnswer(const QString &fileName);
void setScripted(bool scripted);  // on: an empty queue answers "cancelled"
void reset();                     // empties the queue and the log, scripting off
const QList<Request> &requests(); // every dialog asked for since reset()

} // namespace FileDialogs
