// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/textlines.h"

#include "core/codepage.h"

#include <QIODevice>
#include <algorithm>
#include <cstring>

TextLines::TextLines(const QStringList &lines)
{
    append(lines);
}

TextLines::TextLines(std::initializer_list<QString> lines)
{
    for (const QString &line : lines)
        append(line);
}

TextLines TextLines::fromBytes(const QByteArray &bytes)
{
    TextLines lines;
    lines.m_bytes = bytes;
    TextFile::forEachLine(bytes, [&lines](qsizetype from, qsizetype size) {
        lines.m_spans.append({from, qint32(size), -1});
        lines.m_used += size;
    });
    return lines;
}

QString TextLines::at(qsizetype i) const
{
    const Span &s = m_spans.at(i);
    if (s.text >= 0)
        return m_texts.at(s.text);
    return TextFile::decode(QByteArrayView(m_bytes.constData() + s.offset, s.size));
}

bool TextLines::equalsIgnoringCase(qsizetype i, QStringView text) const
{
    const Span &s = m_spans.at(i);
    if (s.text >= 0)
        return at(i).compare(text, Qt::CaseInsensitive) == 0;
    if (s.size != text.size())
        return false;
    // Labels and order numbers are ASCII: compared here without decoding the line.
    const char *line = m_bytes.constData() + s.offset;
    for (qsizetype k = 0; k < s.size; ++k) {
        const char16_t b = static_cast<unsigned char>(line[k]);
        const char16_t c = text[k].unicode();
        if (b >= 0x80 || c >= 0x80)
            return at(i).compare(text, Qt::CaseInsensitive) == 0;
        // In ASCII only letters have another case, and it differs by this one bit.
        if (b != c && ((b | 0x20) != (c | 0x20) || (b | 0x20) < u'a' || (b | 0x20) > u'z'))
            return false;
    }
    return true;
}

bool TextLines::sameLine(qsizetype i, qsizetype j) const
{
    const Span &a = m_spans.at(i);
    const Span &b = m_spans.at(j);
    if (a.text >= 0 || b.text >= 0)
        return at(i) == at(j);
    return bytes(i) == bytes(j);
}

qsizetype TextLines::indexOf(const QString &line, qsizetype from) const
{
    // A line that has its bytes equals only lines with those bytes; one that has not, only
    // lines kept as text.
    QByteArray coded(line.size(), Qt::Uninitialized);
    const bool plain = TextFile::encodeInto(line, coded.data());
    for (qsizetype i = qMax<qsizetype>(from, 0); i < size(); ++i) {
        const bool asText = m_spans.at(i).text >= 0;
        if (plain ? !asText && bytes(i) == coded : asText && at(i) == line)
            return i;
    }
    return -1;
}

qsizetype TextLines::count(const QString &line) const
{
    qsizetype n = 0;
    for (qsizetype i = indexOf(line); i >= 0; i = indexOf(line, i + 1))
        ++n;
    return n;
}

QStringList TextLines::mid(qsizetype from, qsizetype length) const
{
    const qsizetype end = length < 0 ? size() : qMin(size(), from + length);
    QStringList list;
    for (qsizetype i = qMax<qsizetype>(from, 0); i < end; ++i)
        list.append(at(i));
    return list;
}

QStringList TextLines::toStringList() const
{
    return mid(0);
}

TextLines::Span TextLines::store(QStringView line)
{
    const qsizetype offset = m_bytes.size();
    m_bytes.resize(offset + line.size() + 2);
    char *out = m_bytes.data() + offset;
    const bool coded = TextFile::encodeInto(line, out);
    out[line.size()] = '\r';
    out[line.size() + 1] = '\n';
    m_used += line.size();
    qint32 text = -1;
    if (!coded) {
        text = qint32(m_texts.size());
        m_texts.append(line.toString());
    }
    return {offset, qint32(line.size()), text};
}

void TextLines::append(const QString &line)
{
    dropUnused();
    m_spans.append(store(line));
}

void TextLines::append(const QStringList &lines)
{
    dropUnused();
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size();
    m_bytes.reserve(m_bytes.size() + size);
    m_spans.reserve(m_spans.size() + lines.size());
    for (const QString &line : lines)
        m_spans.append(store(line));
}

TextLines::Span TextLines::copy(const TextLines &other, qsizetype i)
{
    const Span s = other.m_spans.at(i);
    if (s.text >= 0)
        return store(other.m_texts.at(s.text));
    const qsizetype offset = m_bytes.size();
    m_bytes.resize(offset + s.size + 2);
    char *out = m_bytes.data() + offset;
    std::memcpy(out, other.m_bytes.constData() + s.offset, size_t(s.size));
    out[s.size] = '\r';
    out[s.size + 1] = '\n';
    m_used += s.size;
    return {offset, s.size, -1};
}

void TextLines::appendLine(const TextLines &other, qsizetype i)
{
    dropUnused(); // first: the line may be one of these, whose bytes this moves
    m_spans.append(copy(other, i));
}

TextLines TextLines::slice(qsizetype from, qsizetype count) const
{
    TextLines part;
    part.m_spans.reserve(count);
    for (qsizetype i = from; i < from + count; ++i)
        part.m_spans.append(part.copy(*this, i));
    return part;
}

void TextLines::insert(qsizetype i, const TextLines &other)
{
    dropUnused();
    QList<Span> spans;
    spans.reserve(other.size());
    for (qsizetype k = 0; k < other.size(); ++k)
        spans.append(copy(other, k));
    m_spans.insert(i, spans.size(), Span{});
    std::copy(spans.cbegin(), spans.cend(), m_spans.begin() + i);
}

void TextLines::replaceLine(qsizetype i, const TextLines &other, qsizetype j)
{
    dropUnused();
    m_used -= m_spans.at(i).size;
    m_spans[i] = copy(other, j);
}

void TextLines::prepend(const QString &line)
{
    dropUnused();
    m_spans.prepend(store(line));
}

void TextLines::replace(qsizetype i, const QString &line)
{
    dropUnused();
    m_used -= m_spans.at(i).size;
    m_spans[i] = store(line);
}

void TextLines::remove(qsizetype i, qsizetype n)
{
    for (qsizetype k = i; k < i + n; ++k)
        m_used -= m_spans.at(k).size;
    m_spans.remove(i, n);
}

void TextLines::clear()
{
    *this = TextLines();
}

void TextLines::reserve(qsizetype lines, qsizetype bytes)
{
    m_spans.reserve(lines);
    m_bytes.reserve(bytes + 2 * lines);
}

void TextLines::dropUnused()
{
    // Lines written over or removed leave their bytes behind; once they outweigh the lines
    // still in use, the lines are copied together. Edits are small, so this is seldom.
    const qsizetype needed = m_used + 2 * size();
    if (m_bytes.size() - needed <= qMax<qsizetype>(needed, 64 * 1024))
        return;
    QByteArray bytes;
    bytes.reserve(needed + needed / 4);
    QStringList texts;
    for (Span &s : m_spans) {
        const qsizetype offset = bytes.size();
        bytes.append(m_bytes.constData() + s.offset, s.size);
        bytes.append("\r\n", 2);
        s.offset = offset;
        if (s.text >= 0) {
            texts.append(m_texts.at(s.text));
            s.text = qint32(texts.size() - 1);
        }
    }
    m_bytes = std::move(bytes);
    m_texts = std::move(texts);
}

template <typename Piece> bool TextLines::forEachPiece(Piece &&piece) const
{
    // A run of lines that follow each other in the buffer, each with its CR LF, is given as
    // it lies; other lines are put together with their line end in a buffer of their own.
    const char *const bytes = m_bytes.constData();
    const qsizetype total = m_bytes.size();
    qsizetype runStart = 0;
    qsizetype runEnd = 0;
    QByteArray staged;
    constexpr qsizetype StagedSize = 256 * 1024;
    const auto flushRun = [&] {
        const bool ok =
            runEnd == runStart || piece(QByteArrayView(bytes + runStart, runEnd - runStart));
        runStart = runEnd = 0;
        return ok;
    };
    const auto flushStaged = [&] {
        const bool ok = staged.isEmpty() || piece(QByteArrayView(staged));
        staged.resize(0);
        return ok;
    };
    for (const Span &s : m_spans) {
        const qsizetype end = s.offset + s.size;
        if (end + 2 <= total && bytes[end] == '\r' && bytes[end + 1] == '\n') {
            if (runEnd != runStart && s.offset == runEnd) {
                runEnd = end + 2;
                continue;
            }
            if (!flushRun() || !flushStaged())
                return false;
            runStart = s.offset;
            runEnd = end + 2;
            continue;
        }
        if (!flushRun())
            return false;
        if (staged.size() + s.size + 2 > StagedSize && !flushStaged())
            return false;
        if (staged.capacity() == 0)
            staged.reserve(StagedSize);
        staged.append(bytes + s.offset, s.size);
        staged.append("\r\n", 2);
    }
    return flushRun() && flushStaged();
}

QByteArray TextLines::join() const
{
    QByteArray file;
    file.reserve(m_used + 2 * size());
    forEachPiece([&file](QByteArrayView piece) {
        file.append(piece);
        return true;
    });
    return file;
}

bool TextLines::writeTo(QIODevice &device) const
{
    return forEachPiece([&device](QByteArrayView piece) {
        return device.write(piece.data(), piece.size()) == piece.size();
    });
}

bool operator==(const TextLines &a, const TextLines &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a.m_spans.at(i).text >= 0 || b.m_spans.at(i).text >= 0) {
            if (a.at(i) != b.at(i))
                return false;
        } else if (a.bytes(i) != b.bytes(i)) {
            return false;
        }
    }
    return true;
}

bool operator==(const TextLines &a, const QStringList &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a.at(i) != b.at(i))
            return false;
    return true;
}
