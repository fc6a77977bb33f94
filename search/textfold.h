// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QStringView>

// Texts as the search compares them: Windows-1252 bytes in lower case, without accents, a
// ligature as its two letters ("œ" is "oe", "æ" "ae", "ß" "ss"), the curly apostrophe as "'".
// Spaces, the no-break space and control characters are one kind of space; TAB, which parts
// the cells of an order line, matches nothing typed.
namespace TextFold {

// One byte of the book, folded: one or two characters.
struct Folded {
    char c[2];
    quint8 size;
};
const Folded &byte(uchar b);

// What no folded byte of the book is: a character the files cannot hold becomes this.
constexpr char Unmatchable = '\x01';

// A text folded the same way, each run of spaces as one space, without spaces at either end.
QByteArray text(QStringView text);
// The same for bytes of the book, a TAB taken as a space; into `out`.
void bytes(QByteArrayView bytes, QByteArray &out);

} // namespace TextFold
