#include "core/prompts.h"

namespace Prompts {

namespace {

Handler &currentHandler()
{
    static Handler handler;
    return handler;
}

Answer escapeAnswer(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel:
        return Answer::Cancel;
    case Buttons::YesNo:
        return Answer::No;
    }
    return Answer::Cancel;
}

} // namespace

Handler setHandler(Handler handler)
{
    Handler previous = std::move(currentHandler());
    currentHandler() = std::move(handler);
    return previous;
}

Answer ask(const Request &request)
{
    if (!currentHandler())
        return escapeAnswer(request.buttons);
    return currentHandler()(request);
}

Answer warning(const QString &text, Buttons buttons, const QString &caption)
{
    return ask({Icon::Warning, buttons, caption, text});
}

void information(const QString &text, const QString &caption)
{
    ask({Icon::Information, Buttons::Ok, caption, text});
}

void error(const QString &text, const QString &caption)
{
    ask({Icon::Critical, Buttons::Ok, caption, text});
}

} // namespace Prompts
