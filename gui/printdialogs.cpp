// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/printdialogs.h"

#include <QPageSize>
#include <QPrinter>

namespace PrintDialogs {

Result<QPrinter *> printer()
{
    QPrinter *p = Platform::current().printer();
    if (!p)
        return Failure::noPrinter();
    return p;
}

QString printerName()
{
    const QPrinter *p = Platform::current().printer();
    return p ? p->printerName() : QString();
}

int askCopies(QWidget *parent)
{
    return qMax(0, Platform::current().askCopies(parent));
}

bool setupPrinter(QWidget *parent)
{
    return Platform::current().setupPrinter(parent);
}

QPageSize exportPageSize()
{
    const QPrinter *p = Platform::current().printer();
    return p && Platform::current().paperChosen() ? p->pageLayout().pageSize()
                                                  : QPageSize(QPageSize::A4);
}

void preview(QWidget *parent, const Paint &paint)
{
    Platform::current().preview(parent, paint);
}

} // namespace PrintDialogs
