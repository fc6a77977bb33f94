// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Qt leaves popup windows out of the accessibility tree, so a screen reader walking it from the
// window never meets a context menu or a completion list. A window given here lists, after its
// own controls, the menus open over its controls and the popups lent to it while they are shown,
// as a combo box lists its own list.
namespace PopupAccess {

// For a plain QWidget only: its accessible interface takes the place of the widget's own.
void install(QWidget *owner);
// `popup`, a window without a parent (a completer's list), is said among `owner`'s children.
void lend(QWidget *owner, QWidget *popup);

} // namespace PopupAccess
