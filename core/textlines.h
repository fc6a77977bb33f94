// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <initializer_list>
#include <iterator>

class QIODevice;

// The lines of a text file as the file holds them: Windows-1252 bytes side by side in one
// buffer, each line a span of it. A line becomes a QString only when it is read as text, so
// that a book of hundreds of thousands of lines takes little more memory than its file, and
// writing it back is a copy of its bytes.
//
// Each line is kept followed by CR LF wherever it can be, so that runs of lines in file order
// are written as they lie in the buffer.
//
// A line given with a character that has no Windows-1252 byte keeps its text: it reads back
// as it was given, and is written with '?' in that place as every file is (its bytes() are
// those written). Copies share their data until one of them changes.
class TextLines {
public:
    TextLines() = default;
    // A list of lines in and out (toStringList), named where it is done: a list decodes every
    // line, which on a whole book is no small cost.
    explicit TextLines(const QStringList &lines);
    TextLines(std::initializer_list<QString> lines);

    // The lines of a file's bytes, split as every file is read (TextFile::forEachLine); the
    // bytes are kept as they are, not copied.
    static TextLines fromBytes(const QByteArray &bytes);

    qsizetype size() const { return m_spans.size(); }
    qsizetype count() const { return size(); }
    bool isEmpty() const { return m_spans.isEmpty(); }
    // Bytes of all the lines, line ends left out.
    qsizetype textSize() const { return m_used; }

    QString at(qsizetype i) const;
    // A copy of the line, const so that `lines[i] = text` does not compile: replace() changes
    // a line.
    const QString operator[](qsizetype i) const { return at(i); }
    QString value(qsizetype i) const { return i >= 0 && i < size() ? at(i) : QString(); }
    QString first() const { return at(0); }
    QString last() const { return at(size() - 1); }
    // The line as it is written to the file, without its line end.
    QByteArrayView bytes(qsizetype i) const
    {
        const Span &s = m_spans.at(i);
        return QByteArrayView(m_bytes.constData() + s.offset, s.size);
    }
    // True when line `i` reads as `text`, letter case ignored as QString::compare does.
    bool equalsIgnoringCase(qsizetype i, QStringView text) const;
    // True when lines `i` and `j` hold the same text.
    bool sameLine(qsizetype i, qsizetype j) const;

    qsizetype indexOf(const QString &line, qsizetype from = 0) const;
    bool contains(const QString &line) const { return indexOf(line) >= 0; }
    qsizetype count(const QString &line) const;
    QStringList mid(qsizetype from, qsizetype length = -1) const;
    QStringList toStringList() const;

    void append(const QString &line);
    void append(const QStringList &lines);
    // Line `i` of `other`, copied as it stands.
    void appendLine(const TextLines &other, qsizetype i);
    // Lines `from` to `from + count - 1`, as they stand.
    TextLines slice(qsizetype from, qsizetype count) const;
    // The lines of `other`, as they stand, put before line `i` (at the end when `i` is size()).
    void insert(qsizetype i, const TextLines &other);
    // Line `i` replaced by line `j` of `other`, as it stands.
    void replaceLine(qsizetype i, const TextLines &other, qsizetype j);
    TextLines &operator+=(const QStringList &lines)
    {
        append(lines);
        return *this;
    }
    TextLines &operator<<(const QString &line)
    {
        append(line);
        return *this;
    }
    void prepend(const QString &line);
    void replace(qsizetype i, const QString &line);
    void remove(qsizetype i, qsizetype n = 1);
    void removeFirst() { remove(0); }
    void removeLast() { remove(size() - 1); }
    void clear();
    // Room for `lines` lines holding `bytes` bytes in all.
    void reserve(qsizetype lines, qsizetype bytes = 0);

    // The file's bytes: every line followed by CR LF.
    QByteArray join() const;
    // Writes join() to `device`, mostly straight from the lines' own buffer; false when a
    // write failed.
    bool writeTo(QIODevice &device) const;

    // True when `other` is this very list, unchanged since one was copied from the other.
    bool isSharedWith(const TextLines &other) const
    {
        return m_spans.constData() == other.m_spans.constData() && size() == other.size();
    }

    friend bool operator==(const TextLines &a, const TextLines &b);
    friend bool operator==(const TextLines &a, const QStringList &b);

    class const_iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = QString;
        using difference_type = qsizetype;
        using pointer = void;
        using reference = QString;

        const_iterator(const TextLines *lines, qsizetype i) : m_lines(lines), m_i(i) {}
        QString operator*() const { return m_lines->at(m_i); }
        const_iterator &operator++()
        {
            ++m_i;
            return *this;
        }
        bool operator==(const const_iterator &other) const { return m_i == other.m_i; }

    private:
        const TextLines *m_lines;
        qsizetype m_i;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

private:
    // Sixteen bytes a line: a line is never 2 GiB long (the whole file is held in memory).
    struct Span {
        qsizetype offset;
        qint32 size;
        qint32 text; // position in m_texts of a line with characters outside the code page; -1
    };

    Span store(QStringView line);
    // Stores line `i` of `other`, which may be this list, as it stands.
    Span copy(const TextLines &other, qsizetype i);
    void dropUnused();
    // Calls piece(QByteArrayView) with the bytes of join(), in order and in few pieces; stops
    // at the first call that gives false.
    template <typename Piece> bool forEachPiece(Piece &&piece) const;

    QByteArray m_bytes;
    QList<Span> m_spans;
    QStringList m_texts;
    qsizetype m_used = 0; // bytes of m_bytes that lines still use
};
