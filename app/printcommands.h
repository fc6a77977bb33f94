// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;
class OrderWindow;

// The current order beyond the printer: shown as it will print, written to a PDF file, or
// attached to a new message of the desktop's mail program. All three draw the same page as
// "Imprimer commande", on the paper type chosen in the page set-up.
namespace PrintCommands {

void preview(QWidget *parent, OrderWindow &order);
void exportPdf(QWidget *parent, OrderWindow &order);
void mail(OrderWindow &order);

} // namespace PrintCommands
