// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

class SearchIndex;

// The articles the book's orders hold, by their designation (letter case, accents and spaces
// ignored), with every order line that holds each: for the completion of designations, the
// last prices and the price history. Order lines are found again in the book's lines; the
// memory holds a few numbers for each.
class ArticleMemory {
public:
    explicit ArticleMemory(SearchIndex &index);

    // Built from every order of the index.
    void rebuild();
    // The order was read again by the index: its lines are taken again.
    void orderChanged(int index);
    // The order went, and those behind it took the index before their own.
    void orderRemoved(int index);
    // The orders took other indexes: order i went to to[i], or went altogether when -1.
    void ordersMoved(const QList<int> &to);

    // An order line of the book: its order and its place from the block's opening label.
    struct Line {
        int order = -1;
        qsizetype offset = 0;
        bool operator==(const Line &other) const = default;
    };

    // An entry of the completion list: the article as its line says it.
    struct Entry {
        QString designation;
        QString unitPrice;
        QString discount;
        QString date;
        QString number;
        Line line;
        bool ownSupplier = false; // ordered from the supplier asked about
    };
    // The articles with a word that `typed` begins (case and accents ignored): those ordered
    // from `supplierCode` first, then the others, each newest first; at most `limit` of them.
    // The lines of order `excluded` (the one on screen) are left out.
    QList<Entry> complete(QStringView typed, const QString &supplierCode, int excluded, int limit);

    // Whether an order line of the book holds the article.
    bool knows(const QString &designation) const { return findArticle(designation) >= 0; }
    // Every line of the article, newest first.
    QList<Line> history(const QString &designation);

    // The article's last price from `supplierCode`, or from any supplier when that one never
    // had it, leaving out order `excluded`: the newest line with a unit price, and the price
    // of the order before it.
    struct LastPrice {
        Line line;   // order -1: none
        Line before; // order -1: none
        bool ownSupplier = false;
    };
    LastPrice lastPrice(const QString &designation, const QString &supplierCode, int excluded);

    qsizetype memoryUsed() const;

private:
    struct Occurrence {
        qint32 article;
        qint32 order;
        qint16 offset;
        quint16 generation;
    };

    void addOrder(int index);
    int articleOf(const QByteArray &key);
    int findArticle(const QString &designation) const;
    bool live(const Occurrence &occurrence) const;
    // Calls visit(occurrence) for every live line of `article`.
    template <typename Visit> void forEachLine(int article, Visit &&visit) const;
    void sortOccurrences();
    // Whether the word starting at `at` of article `article`'s key begins with `prefix`, or
    // sorts before it.
    int compareWord(const std::pair<qint32, qint32> &word, QByteArrayView prefix) const;
    void addWords(int article);

    SearchIndex &m_index;
    QList<QByteArray> m_keys;                 // folded designation of each article
    QHash<QByteArray, qint32> m_ids;          // and back
    QList<std::pair<qint32, qint32>> m_words; // (article, start of a word in its key), by text
    QList<Occurrence> m_sorted;               // by article
    QList<qint32> m_firstOf;                  // for each sorted article, its first occurrence
    QList<Occurrence> m_recent;               // added since the last sort
    QByteArray m_key;                         // scratch
};
