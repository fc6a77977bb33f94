// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/articlememory.h"

#include "core/numbertext.h"
#include "search/orderfields.h"
#include "search/searchindex.h"
#include "search/textfold.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace {

bool isWordChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || static_cast<uchar>(c) >= 0x80;
}

constexpr qsizetype SortAfter = 4096; // occurrences added before they are sorted in

} // namespace

ArticleMemory::ArticleMemory(SearchIndex &index) : m_index(index) {}

void ArticleMemory::rebuild()
{
    m_keys.clear();
    m_ids.clear();
    m_words.clear();
    m_sorted.clear();
    m_firstOf.clear();
    m_recent.clear();
    for (int index = 0; index < m_index.m_orders.size(); ++index)
        addOrder(index);
    sortOccurrences();
    m_words.clear();
    for (int article = 0; article < m_keys.size(); ++article) {
        const QByteArray &key = m_keys.at(article);
        for (qsizetype at = 0; at < key.size(); ++at)
            if (at == 0 || (isWordChar(key.at(at)) && !isWordChar(key.at(at - 1))))
                m_words.append({article, qint32(at)});
    }
    std::sort(m_words.begin(), m_words.end(), [this](const auto &a, const auto &b) {
        return QByteArrayView(m_keys.at(a.first)).sliced(a.second) <
               QByteArrayView(m_keys.at(b.first)).sliced(b.second);
    });
}

void ArticleMemory::orderChanged(int index)
{
    addOrder(index);
    if (m_recent.size() > SortAfter)
        sortOccurrences();
}

void ArticleMemory::orderRemoved(int index)
{
    // In place: the occurrences stay sorted by article.
    for (QList<Occurrence> *part : {&m_sorted, &m_recent})
        for (Occurrence &occurrence : *part)
            if (occurrence.order == index)
                occurrence.order = -1;
            else if (occurrence.order > index)
                --occurrence.order;
}

void ArticleMemory::ordersMoved(const QList<int> &to)
{
    for (QList<Occurrence> *part : {&m_sorted, &m_recent})
        for (Occurrence &occurrence : *part)
            occurrence.order = occurrence.order >= 0 ? to.value(occurrence.order, -1) : -1;
}

void ArticleMemory::addOrder(int index)
{
    const SearchIndex::Order &order = m_index.m_orders.at(index);
    if (order.open < 0)
        return;
    OrderFields::forEachLine(m_index.reader().lines(), order.open, order.end,
                             [&](qsizetype offset, int, QByteArrayView text) {
                                 const qsizetype tab = text.indexOf('\t');
                                 if (tab <= 0 || offset > std::numeric_limits<qint16>::max())
                                     return; // no designation
                                 TextFold::bytes(text.first(tab), m_key);
                                 if (m_key.isEmpty())
                                     return;
                                 m_recent.append({qint32(articleOf(m_key)), qint32(index),
                                                  qint16(offset), order.generation});
                             });
}

int ArticleMemory::articleOf(const QByteArray &key)
{
    const auto found = m_ids.constFind(key);
    if (found != m_ids.cend())
        return *found;
    const int article = int(m_keys.size());
    m_keys.append(QByteArray(key.constData(), key.size())); // a copy of its own size
    m_ids.insert(m_keys.last(), article);
    if (!m_firstOf.isEmpty())
        addWords(article); // after the first sort: into the sorted words at once
    return article;
}

void ArticleMemory::addWords(int article)
{
    const QByteArray &key = m_keys.at(article);
    for (qsizetype at = 0; at < key.size(); ++at) {
        if (at != 0 && !(isWordChar(key.at(at)) && !isWordChar(key.at(at - 1))))
            continue;
        const QByteArrayView word = QByteArrayView(key).sliced(at);
        const auto place = std::lower_bound(
            m_words.begin(), m_words.end(), word, [this](const auto &entry, QByteArrayView text) {
                return QByteArrayView(m_keys.at(entry.first)).sliced(entry.second) < text;
            });
        m_words.insert(place, {article, qint32(at)});
    }
}

int ArticleMemory::findArticle(const QString &designation) const
{
    return m_ids.value(TextFold::text(designation), -1);
}

bool ArticleMemory::live(const Occurrence &occurrence) const
{
    const QList<SearchIndex::Order> &orders = m_index.m_orders;
    return occurrence.order >= 0 && occurrence.order < orders.size() &&
           orders.at(occurrence.order).open >= 0 &&
           orders.at(occurrence.order).generation == occurrence.generation;
}

void ArticleMemory::sortOccurrences()
{
    QList<Occurrence> all;
    all.reserve(m_sorted.size() + m_recent.size());
    for (const QList<Occurrence> *part : {&m_sorted, &m_recent})
        for (const Occurrence &occurrence : *part)
            if (live(occurrence))
                all.append(occurrence);
    std::stable_sort(all.begin(), all.end(), [](const Occurrence &a, const Occurrence &b) {
        return a.article < b.article;
    });
    m_firstOf.fill(0, m_keys.size() + 1);
    for (const Occurrence &occurrence : all)
        ++m_firstOf[occurrence.article + 1];
    for (qsizetype a = 1; a < m_firstOf.size(); ++a)
        m_firstOf[a] += m_firstOf[a - 1];
    m_sorted = std::move(all);
    m_sorted.squeeze();
    m_recent.clear();
}

template <typename Visit> void ArticleMemory::forEachLine(int article, Visit &&visit) const
{
    if (article + 1 < m_firstOf.size())
        for (qint32 k = m_firstOf.at(article); k < m_firstOf.at(article + 1); ++k)
            if (live(m_sorted.at(k)))
                visit(m_sorted.at(k));
    for (const Occurrence &occurrence : m_recent)
        if (occurrence.article == article && live(occurrence))
            visit(occurrence);
}

QList<ArticleMemory::Entry> ArticleMemory::complete(QStringView typed, const QString &supplierCode,
                                                    int excluded, int limit)
{
    m_index.update();
    const QByteArray prefix = TextFold::text(typed);
    if (prefix.isEmpty())
        return {};
    const auto startsBefore = [&](const std::pair<qint32, qint32> &word, QByteArrayView text) {
        const QByteArrayView suffix = QByteArrayView(m_keys.at(word.first)).sliced(word.second);
        return suffix.first(qMin(suffix.size(), text.size())) < text;
    };
    QList<int> articles;
    for (auto it = std::lower_bound(m_words.cbegin(), m_words.cend(), prefix, startsBefore);
         it != m_words.cend() &&
         QByteArrayView(m_keys.at(it->first)).sliced(it->second).startsWith(prefix);
         ++it)
        articles.append(it->first);
    std::sort(articles.begin(), articles.end());
    articles.erase(std::unique(articles.begin(), articles.end()), articles.end());

    const qint32 supplier = m_index.supplierId(supplierCode);
    const QList<SearchIndex::Order> &orders = m_index.m_orders;
    struct Candidate {
        Occurrence line;
        bool own;
    };
    const auto newer = [this](const Occurrence &a, const Occurrence &b) {
        return a.order != b.order ? m_index.newer(a.order, b.order) : a.offset < b.offset;
    };
    QList<Candidate> candidates;
    for (const int article : articles) {
        std::optional<Occurrence> own;
        std::optional<Occurrence> any;
        forEachLine(article, [&](const Occurrence &occurrence) {
            if (occurrence.order == excluded)
                return;
            if (!any || newer(occurrence, *any))
                any = occurrence;
            if (supplier >= 0 && orders.at(occurrence.order).supplier == supplier &&
                (!own || newer(occurrence, *own)))
                own = occurrence;
        });
        if (any)
            candidates.append({own ? *own : *any, own.has_value()});
    }
    const auto before = [&](const Candidate &a, const Candidate &b) {
        return a.own != b.own ? a.own : newer(a.line, b.line);
    };
    const auto last = candidates.begin() + qMin<qsizetype>(limit, candidates.size());
    std::partial_sort(candidates.begin(), last, candidates.end(), before);
    candidates.erase(last, candidates.end());

    QList<Entry> entries;
    entries.reserve(candidates.size());
    for (const Candidate &candidate : std::as_const(candidates)) {
        const Line line{candidate.line.order, candidate.line.offset};
        const OrderLine cells = m_index.lineAt(line.order, line.offset);
        entries.append({NumberText::trimmed(cells.designation),
                        NumberText::trimmed(cells.unitPrice),
                        NumberText::trimmed(cells.discountPercent), m_index.dateText(line.order),
                        m_index.numberText(line.order), line, candidate.own});
    }
    return entries;
}

QList<ArticleMemory::Line> ArticleMemory::history(const QString &designation)
{
    m_index.update();
    QList<Occurrence> found;
    if (const int article = findArticle(designation); article >= 0)
        forEachLine(article, [&](const Occurrence &occurrence) { found.append(occurrence); });
    std::sort(found.begin(), found.end(), [this](const Occurrence &a, const Occurrence &b) {
        return a.order != b.order ? m_index.newer(a.order, b.order) : a.offset < b.offset;
    });
    QList<Line> lines;
    lines.reserve(found.size());
    for (const Occurrence &occurrence : std::as_const(found))
        lines.append({occurrence.order, occurrence.offset});
    return lines;
}

ArticleMemory::LastPrice ArticleMemory::lastPrice(const QString &designation,
                                                  const QString &supplierCode, int excluded)
{
    const qint32 supplier = m_index.supplierId(supplierCode);
    LastPrice own{{}, {}, true};
    LastPrice any;
    // Newest first: each price is read only while one is still wanted.
    const auto take = [](LastPrice &last, const Line &line) {
        if (last.line.order < 0)
            last.line = line;
        else if (last.before.order < 0 && line.order != last.line.order)
            last.before = line;
    };
    const auto done = [](const LastPrice &last) { return last.before.order >= 0; };
    for (const Line &line : history(designation)) {
        if (line.order == excluded)
            continue;
        const bool ofSupplier =
            supplier >= 0 && m_index.m_orders.at(line.order).supplier == supplier;
        if (!(ofSupplier && !done(own)) && done(any))
            continue;
        if (NumberText::trimmed(m_index.lineAt(line.order, line.offset).unitPrice).isEmpty())
            continue;
        take(any, line);
        if (ofSupplier)
            take(own, line);
        if (done(own))
            break;
    }
    return own.line.order >= 0 ? own : any;
}

qsizetype ArticleMemory::memoryUsed() const
{
    qsizetype bytes = 0;
    for (const QByteArray &key : m_keys)
        bytes += key.capacity() + 32; // the text and its allocation
    bytes += m_keys.capacity() * qsizetype(sizeof(QByteArray));
    bytes += m_ids.capacity() * qsizetype(sizeof(QByteArray) + sizeof(qint32) + 8);
    bytes += m_words.capacity() * qsizetype(sizeof(std::pair<qint32, qint32>));
    bytes += (m_sorted.capacity() + m_recent.capacity()) * qsizetype(sizeof(Occurrence));
    bytes += m_firstOf.capacity() * qsizetype(sizeof(qint32));
    return bytes;
}
