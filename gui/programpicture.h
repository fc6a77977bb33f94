#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

// The program's picture: an order form with its lines and the violet "Q" stamp. Painted rather
// than loaded, so it needs no image plug-in and stays sharp at any size.
namespace ProgramPicture {

QPixmap pixmap(const QSize &size);
QIcon icon();

} // namespace ProgramPicture
