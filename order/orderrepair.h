// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/textlines.h"

#include <QList>

// The block structure of an order file as it stands, damaged or not, and the two ways of
// mending it on loading: the repair the user accepts (blocks closed and put in index order),
// and the merging of an order written more than once. Both are one pass over the lines, and
// neither loses a block that is whole in the file: a copy goes only when another copy of the
// same order holds the same lines; a different order that carries a used index gets a free one.
namespace OrderRepair {

// One block as found in the file: from its opening label to its closing label, or, when that
// label is missing, up to the next opening label or the end of the list.
struct Block {
    qsizetype open = 0; // position of the opening label
    qsizetype end = 0;  // one past the last line
    int index = 0;
    bool closed = false;
};

// Every block of the list, in file order. Lines outside blocks belong to none.
QList<Block> blocks(const TextLines &lines);

// True unless every line beginning with "<BLOC" or "</BLOC" is, exactly as the program writes
// it, the opening or closing label of a closed block: a block lacks its closing label, a label
// is damaged or stray, or the labels do not balance.
bool isDamaged(const TextLines &lines);

// The repaired book: every block in index order (blocks of one index in file order), each
// closed by its label; copies of one order merged as mergeDuplicates() does; lines outside
// blocks, blank lines trailing a block cut short and stray labels inside blocks dropped.
TextLines repaired(const TextLines &lines);

// Merges the copies of an order, leaving every other line in place: of the blocks sharing an
// index, the last whole one keeps it; a copy with the same lines, or a block cut short whose
// lines begin that copy's, goes; a copy with other lines gets the lowest free index. False
// when nothing changed.
bool mergeDuplicates(TextLines &lines);

// Closes the gaps between the blocks' indexes (0, 1, 2, 4, 5 become 0 to 4), keeping their
// order, by rewriting the labels of the blocks that move down in place; every other line
// stays. Gives the number of indexes the blocks then take: one past the highest.
int closeGaps(TextLines &lines);

} // namespace OrderRepair
