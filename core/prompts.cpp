// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/prompts.h"

#include "core/platform.h"

namespace Prompts {

Answer ask(const Request &request)
{
    return Platform::current().ask(request);
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
