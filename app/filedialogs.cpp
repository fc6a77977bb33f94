#include "app/filedialogs.h"

#include <QFileDialog>

namespace FileDialogs {

namespace {

struct State {
    QList<QString> answers;
    QList<Request> requests;
    bool scripted = false;
};

State &state()
{
    static State s;
    return s;
}

QString answer(QWidget *parent, const Request &request)
{
    State &s = state();
    s.requests.append(request);
    if (!s.answers.isEmpty())
        return s.answers.takeFirst();
    if (s.scripted)
        return QString();
    if (request.save)
        return QFileDialog::getSaveFileName(parent, request.caption, request.initialName,
                                            request.filter, nullptr,
                                            QFileDialog::DontConfirmOverwrite);
    return QFileDialog::getOpenFileName(parent, request.caption, request.initialName,
                                        request.filter);
}

} // namespace

QString getOpenFileName(QWidget *parent, const QString &caption, const QString &initialName,
                        const QString &filter)
{
    return answer(parent, {false, caption, initialName, filter});
}

QString getSaveFileName(QWidget *parent, const QString &caption, const QString &initialName,
                        const QString &filter)
{
    return answer(parent, {true, caption, initialName, filter});
}

void queueAnswer(const QString &fileName)
{
    state().answers.append(fileName);
}

void setScripted(bool scripted)
{
    state().scripted = scripted;
}

void reset()
{
    state() = State();
}

const QList<Request> &requests()
{
    return state().requests;
}

} // namespace FileDialogs
