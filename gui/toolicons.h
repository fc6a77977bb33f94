// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

// Icons of the tool bar: the desktop theme's when it has them, else the style's standard ones,
// else the program's own SVG icons (gui/icons/) for the commands the style has nothing for.
namespace ToolIcons {

enum class Kind {
    NewFile,
    Open,
    Save,
    Copy,
    Paste,
    Find,
    First,
    Previous,
    Next,
    Last,
    NewOrder,
    Calculate,
    Print,
    Envelope,
    PrintPreview,
    FindInOrders,
    Undo,
    Redo,
    AwaitedOrders
};

QIcon icon(Kind kind);

} // namespace ToolIcons
