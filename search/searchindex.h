// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "order/booklistener.h"
#include "order/bookview.h"
#include "order/orderstate.h"
#include "search/foldedpattern.h"
#include "search/searchquery.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <limits>
#include <memory>
#include <optional>
#include <utility>

class ArticleMemory;

// Which orders a search keeps besides its words: a date range (either end open), a
// supplier, by its code or its name, and a state. An order whose date is no date is outside
// any range.
struct SearchFilter {
    QDate from;
    QDate to;
    QString supplier;
    std::optional<OrderState::State> state;
    bool isEmpty() const
    {
        return !from.isValid() && !to.isValid() && supplier.trimmed().isEmpty() && !state;
    }
    bool operator==(const SearchFilter &other) const = default;
};

// What the search knows of the book: where each order's block stands, its date, number and
// supplier, and the articles ordered (ArticleMemory). The texts themselves are read from the
// book's lines at each search, so the index holds little more than a few numbers per order.
//
// The book tells it of each change through its BookListener side; the work is done when the
// index is next used (update()), so that writing orders back costs nothing more.
//
// The search sees the order on screen as it stands, edits included, as it would be written
// back (BookView::editedBlock); the articles and the order lines' places are the book's.
class SearchIndex : public QObject, public BookListener {
    Q_OBJECT
public:
    explicit SearchIndex(BookView reader, QObject *parent = nullptr);
    ~SearchIndex() override;

    // BookListener
    void blockChanged(int index) override;
    void blockRemoved(int index) override;
    void blocksRenumbered(const QList<int> &from) override;
    void bookReset() override;

    const BookView &reader() const { return m_reader; }
    ArticleMemory &articles();

    // Brings the index up to date with the book: built whole after a reset, the blocks found
    // again after they moved, the orders written since read again.
    void update();
    // Order slots: the indexes 0 to count() - 1.
    int count();

    static constexpr qint32 NoDay = std::numeric_limits<qint32>::min();
    struct Order {
        qint32 open = -1; // the line of its opening label; -1: no block
        qint32 end = -1;  // one past its last line
        qint32 day = NoDay;
        qint32 supplier = -1; // see supplierId()
        qint64 number = -1;   // the "NUM" text as a number; -1 when it is none
        quint16 generation = 0;
        qint8 state = -1; // OrderState::State, once asked; -1 until then
    };
    // The order of `index` as the index knows it, its place in the lines checked.
    const Order &order(int index);
    // Whether order `a` is newer than `b`: by date (no date counts oldest), then number.
    bool newer(int a, int b) const;
    qint32 supplierId(const QString &code) const { return m_supplierIds.value(code.trimmed(), -1); }

    // The order of `index` as the search sees it: the order on screen with its edits, every
    // other one as the index knows it.
    Order seenOrder(int index) { return seen(index).order; }
    // That order decoded and worked out, as the order window shows it.
    BookView::Shown show(int index);
    // Where that order stands (OrderState), worked out once per reading of the order.
    OrderState::State state(int index);

    // The texts of an order's fixed lines, as the order window shows them (trimmed), the
    // order on screen with its edits.
    QString numberText(int index);
    QString dateText(int index);
    QString supplierCode(int index);
    QString supplierName(int index);
    // The cells of the order line standing `offset` lines after the block's opening label.
    OrderLine lineAt(int index, qsizetype offset);
    // The grid row (from 1) of that order line.
    int rowOf(int index, qsizetype offset);

    // The orders that hold every term of `query` and pass `filter`, taken from `within` when
    // it is given, else from the whole book; in index order or that of `within`.
    QList<int> find(const SearchQuery &query, const SearchFilter &filter,
                    const QList<int> *within = nullptr);
    bool matches(int index, const SearchQuery &query, const SearchFilter &filter);

    // The first place of the order that holds the query's first term, with its text trimmed
    // and where each term stands in that text (start, length).
    struct Hit {
        OrderPlace place;
        QString text;
        QList<std::pair<qsizetype, qsizetype>> spans;
    };
    Hit firstHit(int index, const SearchQuery &query);

    // Bytes the index takes in memory.
    qsizetype memoryUsed() const;

Q_SIGNALS:
    // The order was written again: what is shown of it is to be read again.
    void orderChanged(int index);
    // The order on screen was edited, or is another one: what the search sees of the order
    // is to be read again. The book's lines did not change.
    void orderEdited(int index);
    // Orders went, came back or took other indexes: `from` holds, for each index now, the
    // index its order had before, or -1 for an order to be looked at again (new, written
    // again). What was known of an order moves with it.
    void ordersMoved(const QList<int> &from);
    // The book is another one: every result is to be found again.
    void bookReplaced();

private:
    friend class ArticleMemory;

    void build();
    // Tells where the orders went; the order on screen is looked at again when `from` does
    // not reach it (a new order, not written yet).
    void emitMoved(QList<int> from);
    void locateBlocks();
    void readOrder(int index);
    void readFields(Order &order, const TextLines &lines);
    void shownOrderEdited();
    void readEdited();
    struct Seen {
        const TextLines &lines;
        const Order &order;
    };
    // Valid until the index is next used.
    Seen seen(int index);

    BookView m_reader;
    QList<Order> m_orders;
    QHash<QString, qint32> m_supplierIds;
    bool m_built = false;
    bool m_moved = false; // blocks may stand elsewhere: locate them before use
    QSet<int> m_changed;  // orders written since the last update
    std::unique_ptr<ArticleMemory> m_articles;
    // The order on screen as it would be written back, its block alone in its lines.
    bool m_editedStale = true;
    int m_editedIndex = -1; // none: the order on screen is the book's
    Order m_edited;
    TextLines m_editedBlock;
};
