// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/programpicture.h"

#include "gui/iconfiles.h"

#include <QPainter>
#include <QSvgRenderer>

namespace ProgramPicture {

QPixmap pixmap(const QSize &size)
{
    QPixmap result(size);
    result.fill(Qt::transparent);
    QSvgRenderer picture(IconFiles::path(QStringLiteral("program")));
    QPainter p(&result);
    picture.render(&p, QRectF(QPointF(), QSizeF(size)));
    return result;
}

QIcon icon()
{
    QIcon result;
    for (int side : {16, 24, 32, 48, 64, 128})
        result.addPixmap(pixmap(QSize(side, side)));
    return result;
}

} // namespace ProgramPicture
