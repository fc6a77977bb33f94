#pragma once

#include <QString>
#include <functional>

// Every message box of the program goes through here. The windows install a handler that
// shows a real message box; tests install one that answers by script.
namespace Prompts {

enum class Icon { Information, Warning, Question, Critical };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

struct Request {
    Icon icon = Icon::Information;
    Buttons buttons = Buttons::Ok;
    QString caption;
    QString text;
};

using Handler = std::function<Answer(const Request &)>;

// Installs the handler and gives back the previous one. Without a handler every question is
// answered by its escape button (Non, Annuler or OK).
Handler setHandler(Handler handler);

Answer ask(const Request &request);

// The kinds the program uses.
Answer warning(const QString &text, Buttons buttons, const QString &caption = QString());
void information(const QString &text, const QString &caption = QString());
void error(const QString &text, const QString &caption = QString());

} // namespace Prompts
