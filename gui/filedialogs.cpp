#include "gui/filedialogs.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QTreeView>

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

// Qt's own dialog opens too small for its columns, and sizes them for English texts ("677
// octets" ends up as "677…ets"): it opens at a readable size with columns wide enough for the
// French texts, and within a run it comes back as the user left it (size, columns, folder).
QString showDialog(QWidget *parent, const Request &request)
{
    static QByteArray lastState;
    static QSize lastSize;

    QFileDialog dialog(parent, request.caption, request.initialName, request.filter);
    dialog.setObjectName(QStringLiteral("FileDialog"));
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The caller asks about overwriting once the final name is known.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (lastState.isEmpty()) {
        if (auto *view = dialog.findChild<QTreeView *>(QStringLiteral("treeView"))) {
            const QFontMetrics metrics(view->font());
            const int margin = 3 * metrics.averageCharWidth();
            const QStringList widest = {QStringLiteral("1 023 octets"),
                                        QStringLiteral("document texte brut"),
                                        QStringLiteral("31 déc. 2026 23:59:59")};
            for (int column = 1; column <= widest.size(); ++column)
                view->header()->resizeSection(
                    column, metrics.horizontalAdvance(widest.at(column - 1)) + margin);
            view->header()->setSectionResizeMode(0, QHeaderView::Stretch);
        }
    } else {
        dialog.restoreState(lastState);
        if (!request.initialName.isEmpty())
            dialog.selectFile(request.initialName);
    }
    QSize size = lastSize;
    if (!size.isValid()) {
        size = QSize(860, 540);
        if (const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
            size = size.boundedTo(screen->availableSize() * 9 / 10);
    }
    dialog.resize(size);

    const bool chosen = dialog.exec() == QDialog::Accepted;
    lastState = dialog.saveState();
    lastSize = dialog.size();
    const QStringList files = dialog.selectedFiles();
    return chosen && !files.isEmpty() ? files.first() : QString();
}

QString answer(QWidget *parent, const Request &request)
{
    State &s = state();
    s.requests.append(request);
    if (!s.answers.isEmpty())
        return s.answers.takeFirst();
    if (s.scripted)
        return QString();
    return showDialog(parent, request);
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
