#include "gui/printdialogs.h"

#include <QPageSize>
#include <QPrinter>

namespace PrintDialogs {

QPrinter &printer()
{
    QPrinter *p = Platform::current().printer();
    if (!p)
        qFatal("No printer: the program runs without a desktop");
    return *p;
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
    return Platform::current().paperChosen() ? printer().pageLayout().pageSize()
                                             : QPageSize(QPageSize::A4);
}

void preview(QWidget *parent, const Paint &paint)
{
    Platform::current().preview(parent, paint);
}

} // namespace PrintDialogs
