#pragma once

// The lines of one ordinary order block, as the order tests write them into their books.

#include "testsupport.h"

// Numbers are padded to nine characters, as the program writes them.
inline QStringList orderBlock(int index, const QString &number, const QString &designation = "Vis",
                              bool close = true)
{
    return TestBooks::block(index, number.leftJustified(9), designation, close);
}
