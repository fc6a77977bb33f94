// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/orderrecord.h"
#include "core/result.h"
#include "core/textlines.h"

#include <QHash>
#include <QStringList>
#include <QStringView>
#include <array>

// The layout of one order's block in an order file, and its decoding and encoding.
namespace OrderFormat {

constexpr int MaxOrders = 10000;   // four label digits: indexes 0 to 9999
constexpr int MaxTextLength = 255; // text after "NUM" as read

QString blockIndex(int index);      // "0007"
QString blockOpenLabel(int index);  // "<BLOC0007>"
QString blockCloseLabel(int index); // "</BLOC0007>"

bool isOpenLabel(const QString &line);  // begins with "<BLOC"
bool isCloseLabel(const QString &line); // begins with "</BLOC"
// The same for a line as the file holds it (TextLines::bytes()).
bool isOpenLabel(QByteArrayView line);
bool isCloseLabel(QByteArrayView line);

// The index carried by an opening label (characters 6 to 9) or a closing label (7 to 10);
// the integer conversion failure when they are not digits.
Result<int> openLabelIndex(const QString &line);
Result<int> closeLabelIndex(const QString &line);
// As openLabelIndex(), only saying whether it worked.
bool tryOpenLabelIndex(const QString &line, int &index);

// Position of the first line equal to `label`, letter case ignored, from `from` on; -1 if none.
qsizetype findLine(const TextLines &lines, const QString &label, qsizetype from = 0);
inline qsizetype findBlock(const TextLines &lines, int index)
{
    return findLine(lines, blockOpenLabel(index));
}

// Position of the first opening label of every index found in `lines` (labels compared as
// findLine does). One pass, for the operations that look up many blocks.
QHash<int, qsizetype> firstBlockPositions(const TextLines &lines);

// The index of a line that is an opening label (letter case ignored), or -1 for any other line.
int blockStartIndex(QByteArrayView line);
// The same for a closing label.
int blockEndIndex(QByteArrayView line);
// One past the last line of the block that opens at `open`: after its closing label, or, when
// that label is missing, where the next opening label stands or the list ends. A block cut
// short never runs on into the blocks behind it. `closed` tells which way it ended.
qsizetype blockEnd(const TextLines &lines, qsizetype open, bool *closed = nullptr);

// The "NUM" number text of a line +1, from its fourth character on, trimmed.
QString numberText(const QString &numLine);

// The lines of a block that the order on screen does not hold, to be written back in their
// place: lines of kinds this program does not read (a later version's, a hand edit's), and
// the order lines past the grid's. Each is anchored to the lines the program writes.
struct KeptLines {
    enum Place : qint8 {
        AfterHeader,   // after the fixed lines and the H.T./TTC line
        AfterLine,     // after order line `line` (from 1)
        AfterLines,    // after the last order line, before the note
        AfterNoteLine, // after note line `line` (from 1)
        AfterNote,     // after the last note line
    };
    struct Anchor {
        Place place = AfterHeader;
        int line = 0;
        bool operator==(const Anchor &other) const = default;
    };

    TextLines lines;
    QList<Anchor> anchors; // one per line

    bool isEmpty() const { return lines.isEmpty(); }
    void clear();
    // The order lines past the grid, as the book holds them.
    TextLines orderLines() const;
    // Those order lines replaced by `orderLines`, the other kept lines left where they are.
    void replaceOrderLines(const TextLines &orderLines);
    // Order line `line` was deleted: the lines after the ones below it follow them up.
    void orderLineRemoved(int line);
    friend bool operator==(const KeptLines &a, const KeptLines &b)
    {
        return a.anchors == b.anchors && a.lines == b.lines;
    }
};

// A line of an order's sending, as the block holds it, and a line of any event that takes an
// order out of its draft state: a sending, a reception, its settling or its cancelling. For the
// readers that pass over blocks without decoding them.
bool isSendingLine(QByteArrayView line);
bool isEventLine(QByteArrayView line);

// The lines of an order's life as the block holds them after its note: "ENVO" + date + TAB +
// how for each sending ("IMPRIMEE", "PDF", "COURRIEL", "AUTRE"), "PREV" + expected date,
// "RECU" + date + TAB-separated "row=quantity" for each reception, "SOLD" or "ANNU" + date,
// "MODI" + date of the first change after the last sending, "TAUX" + the euro rate, the three VAT
// rates, "EUROS" or "FRANCS" and the currencies shown (1 or 2), TAB-separated, that the order
// was first sent with.
QStringList lifeLines(const OrderLife &life);

// Splits the text after "CMDE" into six cells.
OrderLine splitLine(const QString &text);
// The same cells as views into `text`, for a reader of many lines.
using CellViews = std::array<QStringView, OrderLine::CellCount>;
CellViews splitCells(QStringView text);
QString joinLine(const OrderLine &line); // "CMDE" + cells joined by TAB

// Decodes the block of `index` into `record`, whose fields the caller has set to the values of
// a new order (number, date, default payment terms). Gives false when there is no block.
// Every line up to the block's end (blockEnd()) is read, "CMDE" and "MEMO" lines whatever
// their length. A date line that is not a date gives the date failure; the fields decoded
// before it stay in `record`.
Result<bool> decode(const TextLines &lines, int index, OrderRecord &record);
// As decode(), for the block of `index` found opening at `open` (-1: there is none). With
// `kept`, only the first `rows` order lines go into `record`: the "CMDE" lines after them and
// the lines of other kinds go into `kept` as the file holds them, for appendBlock() to write
// back untouched in their place.
// With `unreadDate`, a date line that is not a date is no failure: its text goes there, the
// record's date is left null and the rest of the block is decoded. With `lineTexts`, the
// order lines are not split into `record`: each "CMDE" line goes there whole, for
// splitCells() from its fifth character on.
Result<bool> decodeAt(const TextLines &lines, qsizetype open, int index, OrderRecord &record,
                      KeptLines *kept = nullptr, qsizetype rows = 0, QString *unreadDate = nullptr,
                      QStringList *lineTexts = nullptr);

// Removes the block of `index` (the lines blockEnd() gives).
void removeBlock(TextLines &lines, int index);

// The lines of the block of `index` for `record`: every line of `record.lines` is written.
QStringList encodeBlock(const OrderRecord &record, int index);
// Appends the block of `index` for `record` to `lines`, with the lines of `kept` (decodeAt())
// copied as they stand in their place. A kept line anchored past the order's last order or
// note line follows that last line.
void appendBlock(TextLines &lines, const OrderRecord &record, int index,
                 const KeptLines &kept = {});

// Replaces the block of `index` by the one for `record` (and `kept`), appended at the end of
// the list.
void encode(TextLines &lines, int index, const OrderRecord &record, const KeptLines &kept = {});

} // namespace OrderFormat
