#pragma once

#include "core/textlines.h"

#include <QList>

// Where the lines an order book is searched by stand: the opening labels of its blocks and the
// "NUM" lines, in file order. Its answers are those of a search from the top of the lines (the
// first line equal to the text, letter case ignored), without reading the whole book for each one.
//
// It shares the list it was built from, so that any other change to that list (a new list,
// or a line rewritten, which then copies the list's positions) is noticed, and the index built
// again in one pass on the next search. The book's own frequent changes are reported through a
// Change instead, so that writing an order back or adding one never reads the whole book.
class BookIndex {
public:
    // First line equal to the opening label of `index`; -1 if none.
    qsizetype findBlock(const TextLines &lines, int index);
    // First line equal to `numberLine` ("NUM" and an order number); -1 if none.
    qsizetype findNumberLine(const TextLines &lines, const QString &numberLine);
    // Positions of the lines beginning with "NUM", whatever its case, in file order.
    QList<qsizetype> numberLines(const TextLines &lines);

    // Forgets the lines (before the book rewrites them in a way it does not report).
    void invalidate();

    // A change the book makes to its lines, reported as it goes. While it lasts the index
    // lets go of the lines, so that changing them does not copy them; it is not searched
    // meanwhile.
    class Change {
    public:
        Change(BookIndex &index, TextLines &lines);
        ~Change();
        Change(const Change &) = delete;
        Change &operator=(const Change &) = delete;

        void removed(qsizetype from, qsizetype count); // lines from `from` on were removed
        void appended(qsizetype from);                 // lines from `from` on were appended

    private:
        BookIndex &m_index;
        TextLines &m_lines;
    };

private:
    enum class Kind : quint8 { Open, Number };
    // Eight bytes: a book has tens of thousands of them (and never 2^31 lines: each one
    // takes more than 24 bytes of memory).
    struct Entry {
        qint32 position;
        qint16 index; // label index; 0 for a number line
        Kind kind;
    };

    void update(const TextLines &lines);
    void scan(const TextLines &lines, qsizetype from);
    qsizetype find(const TextLines &lines, Kind kind, int index, const QString &text);

    QList<Entry> m_entries;
    TextLines m_lines;    // the lines indexed, shared with the book
    qsizetype m_size = 0; // their number
    bool m_built = false;
};
