// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// A message box as the program asks for it. Apart from the functions that ask (core/prompts.h),
// which go through the platform (core/platform.h), because the platform answers these.
namespace Prompts {

enum class Icon { Information, Warning, Question, Critical };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
// FirstAction and SecondAction: the buttons of Request::actions.
enum class Answer { Ok, Cancel, Yes, No, FirstAction, SecondAction };

struct Request {
    Icon icon = Icon::Information;
    Buttons buttons = Buttons::Ok;
    QString caption;
    QString text;
    // Up to two commands offered before the buttons ("Enregistrer sous...").
    QStringList actions = {};
};

// Asks a question: core operations that need an answer are given one of these by their caller.
using Handler = std::function<Answer(const Request &)>;

} // namespace Prompts
