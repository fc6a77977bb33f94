// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;
class OrderWindow;

// The purchase reports of the open book: the statistics window, and every order line as CSV.
namespace ReportCommands {

// "S&tatistiques des achats...": the order on screen is written back first, as before the
// order list; an order the user chooses in the window is then shown in the order window.
void showStatistics(QWidget *parent, OrderWindow &order);

// "E&xporter les commandes en CSV...": the save dialog at once, then every order line.
void exportOrders(QWidget *parent, OrderWindow &order);

} // namespace ReportCommands
