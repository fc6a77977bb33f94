// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/promptrequest.h"

#include <QString>

// Every message box of the program goes through here, to the platform in use (core/platform.h):
// the desktop shows a real message box, a test answers by script.
namespace Prompts {

Answer ask(const Request &request);

// The kinds the program uses.
Answer warning(const QString &text, Buttons buttons, const QString &caption = QString());
void information(const QString &text, const QString &caption = QString());
void error(const QString &text, const QString &caption = QString());

} // namespace Prompts
