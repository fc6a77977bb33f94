#pragma once

// The lines of one ordinary order block, as the order tests write them into their books.

#include "order/orderformat.h"

#include <QStringList>

inline QStringList orderBlock(int index, const QString &number, const QString &designation = "Vis",
                              bool close = true)
{
    QStringList lines{OrderFormat::BlockOpenLabel(index),
                      QStringLiteral("NUM") + number.leftJustified(9),
                      QStringLiteral("01/03/2000"),
                      QStringLiteral("10023"),
                      QStringLiteral("A réception"),
                      QStringLiteral("Dupont"),
                      QString(),
                      QString(),
                      QString(),
                      QStringLiteral("TTCN"),
                      QStringLiteral("CMDE") + designation + QStringLiteral("\t2\t10\t\t20\t1")};
    if (close)
        lines << OrderFormat::BlockCloseLabel(index);
    return lines;
}
