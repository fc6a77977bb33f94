#pragma once

#include <QString>
#include <functional>

// Every message box of the program goes through here, to the platform in use (core/platform.h):
// the desktop shows a real message box, a test answers by script.
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

// Asks a question: core operations that need an answer are given one of these by their caller.
using Handler = std::function<Answer(const Request &)>;

Answer ask(const Request &request);

// The kinds the program uses.
Answer warning(const QString &text, Buttons buttons, const QString &caption = QString());
void information(const QString &text, const QString &caption = QString());
void error(const QString &text, const QString &caption = QString());

} // namespace Prompts
