// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

// The program's picture: an order form with its lines and the violet "Q" stamp, drawn from the
// same SVG file as the desktop icon, so it stays sharp at any size.
namespace ProgramPicture {

QPixmap pixmap(const QSize &size);
QIcon icon();

} // namespace ProgramPicture
