// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/searchindex.h"

#include "core/numbertext.h"
#include "core/textfile.h"
#include "order/orderformat.h"
#include "search/articlememory.h"
#include "search/orderfields.h"
#include "search/textfold.h"

#include <QVarLengthArray>

namespace {

QString trimmedText(QByteArrayView bytes)
{
    return NumberText::trimmed(TextFile::decode(bytes));
}

qint64 numberOf(QByteArrayView digits)
{
    digits = digits.trimmed();
    if (digits.isEmpty() || digits.size() > 18)
        return -1;
    qint64 value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

SearchIndex::SearchIndex(BookView reader, QObject *parent)
    : QObject(parent), m_reader(reader), m_articles(std::make_unique<ArticleMemory>(*this))
{
    m_reader.followEdits(this, [this] { shownOrderEdited(); });
}

SearchIndex::~SearchIndex() = default;

ArticleMemory &SearchIndex::articles()
{
    update();
    return *m_articles;
}

void SearchIndex::blockChanged(int index)
{
    m_changed.insert(index);
    m_editedStale = true;
    m_moved = true; // the block went to the end of the lines, and those behind it moved up
    Q_EMIT orderChanged(index);
}

void SearchIndex::blockRemoved(int index)
{
    // The entries behind it move down with their orders: nothing is read again.
    if (m_built && index >= 0 && index < m_orders.size()) {
        m_orders.removeAt(index);
        m_articles->orderRemoved(index);
        QSet<int> changed;
        for (const int written : std::as_const(m_changed))
            if (written != index)
                changed.insert(written > index ? written - 1 : written);
        m_changed = std::move(changed);
    }
    m_moved = true; // the lines behind its block moved up
    QList<int> from(m_reader.orderCount());
    for (int now = 0; now < from.size(); ++now)
        from[now] = now < index ? now : now + 1;
    emitMoved(std::move(from));
}

void SearchIndex::blocksRenumbered(const QList<int> &from)
{
    // The entries move with their orders; only the blocks new or written again are read.
    if (m_built) {
        QList<Order> orders(from.size());
        QList<int> to(m_orders.size(), -1);
        QSet<int> changed;
        for (int index = 0; index < from.size(); ++index) {
            const int was = from.at(index);
            if (was >= 0 && was < m_orders.size() && to.at(was) < 0) {
                orders[index] = m_orders.at(was);
                to[was] = index;
                if (m_changed.contains(was))
                    changed.insert(index);
            } else {
                changed.insert(index);
            }
        }
        // Nothing above throws into a changed index.
        m_articles->ordersMoved(to);
        m_orders = std::move(orders);
        m_changed = std::move(changed);
    }
    m_moved = true;
    m_editedStale = true;
    emitMoved(from);
}

void SearchIndex::emitMoved(QList<int> from)
{
    if (const int shown = m_reader.currentOrder(); shown >= from.size())
        from.insert(from.size(), shown + 1 - from.size(), -1);
    Q_EMIT ordersMoved(from);
}

void SearchIndex::bookReset()
{
    m_built = false;
    m_editedStale = true;
    m_orders.clear();
    m_supplierIds.clear();
    Q_EMIT bookReplaced();
}

void SearchIndex::shownOrderEdited()
{
    const int was = m_editedIndex;
    const int now = m_reader.currentOrder();
    m_editedStale = true;
    Q_EMIT orderEdited(now);
    if (was >= 0 && was != now)
        Q_EMIT orderEdited(was);
}

void SearchIndex::readEdited()
{
    m_editedStale = false;
    m_editedIndex = -1;
    m_edited = Order();
    m_editedBlock = TextLines();
    int index = -1;
    if (!m_reader.editedBlock(m_editedBlock, index))
        return;
    m_editedIndex = index;
    m_edited.open = 0;
    m_edited.end = qint32(m_editedBlock.size());
    readFields(m_edited, m_editedBlock);
}

void SearchIndex::update()
{
    if (m_editedStale)
        readEdited();
    if (!m_built) {
        build();
        return;
    }
    if (m_moved)
        locateBlocks();
    if (m_changed.isEmpty())
        return;
    const QSet<int> changed = std::exchange(m_changed, {});
    for (const int index : changed) {
        if (index >= m_orders.size())
            m_orders.resize(index + 1);
        readOrder(index);
        m_articles->orderChanged(index);
    }
}

int SearchIndex::count()
{
    update();
    return int(m_orders.size());
}

void SearchIndex::build()
{
    m_orders.clear();
    m_supplierIds.clear();
    m_changed.clear();
    locateBlocks();
    for (int index = 0; index < m_orders.size(); ++index)
        readOrder(index);
    m_built = true;
    m_articles->rebuild();
}

// One pass over the lines, as OrderFormat::blockEnd() reads a block: an order is the first
// block of its index, up to its closing label or the next opening label.
void SearchIndex::locateBlocks()
{
    const TextLines &lines = m_reader.lines();
    if (m_orders.size() < m_reader.orderCount())
        m_orders.resize(m_reader.orderCount());
    for (Order &order : m_orders)
        order.open = order.end = -1;
    int reading = -1; // the index of the block being read
    int first = -1;   // the same, when it is the first block of its index
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArrayView line = lines.bytes(i);
        if (line.isEmpty() || line.front() != '<')
            continue;
        if (const int index = OrderFormat::blockStartIndex(line); index >= 0) {
            if (first >= 0)
                m_orders[first].end = qint32(i);
            reading = index;
            first = -1;
            if (index >= m_orders.size())
                m_orders.resize(index + 1);
            if (m_orders.at(index).open < 0) {
                m_orders[index].open = qint32(i);
                first = index;
            }
        } else if (reading >= 0 && OrderFormat::blockEndIndex(line) == reading) {
            if (first >= 0)
                m_orders[first].end = qint32(i + 1);
            reading = first = -1;
        }
    }
    if (first >= 0)
        m_orders[first].end = qint32(lines.size());
    m_moved = false;
}

void SearchIndex::readOrder(int index)
{
    Order &order = m_orders[index];
    ++order.generation;
    readFields(order, m_reader.lines());
}

void SearchIndex::readFields(Order &order, const TextLines &lines)
{
    order.state = -1;
    order.day = NoDay;
    order.number = -1;
    order.supplier = -1;
    if (order.open < 0)
        return;
    const auto line = [&](int k) {
        return order.open + k < order.end ? lines.bytes(order.open + k) : QByteArrayView();
    };
    if (line(1).size() > 3)
        order.number = numberOf(line(1).sliced(3));
    QDate date;
    if (NumberText::tryToDate(TextFile::decode(line(2)), date))
        order.day = qint32(date.toJulianDay());
    const QString code = trimmedText(line(3));
    auto id = m_supplierIds.constFind(code);
    if (id == m_supplierIds.cend())
        id = m_supplierIds.insert(code, qint32(m_supplierIds.size()));
    order.supplier = *id;
}

const SearchIndex::Order &SearchIndex::order(int index)
{
    update();
    static const Order none;
    if (index < 0 || index >= m_orders.size())
        return none;
    // Lines removed before the blocks (blank lines dropped at saving) move them all.
    const qint32 open = m_orders.at(index).open;
    const TextLines &lines = m_reader.lines();
    if (open >= 0 &&
        (open >= lines.size() || OrderFormat::blockStartIndex(lines.bytes(open)) != index))
        locateBlocks();
    return m_orders.at(index);
}

SearchIndex::Seen SearchIndex::seen(int index)
{
    const Order &o = order(index); // brings the order on screen up to date too
    if (index >= 0 && index == m_editedIndex)
        return {m_editedBlock, m_edited};
    return {m_reader.lines(), o};
}

BookView::Shown SearchIndex::show(int index)
{
    const Seen s = seen(index);
    return m_reader.show(s.lines, s.order.open, index);
}

OrderState::State SearchIndex::state(int index)
{
    const Seen s = seen(index);
    if (s.order.open < 0)
        return OrderState::State::Draft;
    Order &known = index == m_editedIndex ? m_edited : m_orders[index];
    if (known.state >= 0)
        return OrderState::State(known.state);
    // Without a line saying it was sent, received, settled or cancelled, an order is a draft:
    // most orders of a book, told without decoding them.
    bool lived = false;
    for (qint32 i = s.order.end - 1; i > s.order.open && !lived; --i) {
        const QByteArrayView line = s.lines.bytes(i);
        lived = OrderFormat::isEventLine(line);
    }
    const OrderState::State state =
        lived ? OrderState::state(m_reader.show(s.lines, s.order.open, index).record)
              : OrderState::State::Draft;
    known.state = qint8(state);
    return state;
}

bool SearchIndex::newer(int a, int b) const
{
    const Order &x = m_orders.at(a);
    const Order &y = m_orders.at(b);
    if (x.day != y.day)
        return x.day > y.day;
    if (x.number != y.number)
        return x.number > y.number;
    return a > b;
}

namespace {

QByteArrayView fixedLine(const TextLines &lines, const SearchIndex::Order &order, int k)
{
    return order.open >= 0 && order.open + k < order.end ? lines.bytes(order.open + k)
                                                         : QByteArrayView();
}

} // namespace

QString SearchIndex::numberText(int index)
{
    const Seen s = seen(index);
    const QByteArrayView line = fixedLine(s.lines, s.order, 1);
    return line.size() > 3 ? trimmedText(line.sliced(3)) : QString();
}

QString SearchIndex::dateText(int index)
{
    const Seen s = seen(index);
    return trimmedText(fixedLine(s.lines, s.order, 2));
}

QString SearchIndex::supplierCode(int index)
{
    const Seen s = seen(index);
    return trimmedText(fixedLine(s.lines, s.order, 3));
}

QString SearchIndex::supplierName(int index)
{
    const Seen s = seen(index);
    return trimmedText(fixedLine(s.lines, s.order, 5));
}

OrderLine SearchIndex::lineAt(int index, qsizetype offset)
{
    const QByteArrayView line = fixedLine(m_reader.lines(), order(index), int(offset));
    if (!line.startsWith("CMDE"))
        return {};
    return OrderFormat::splitLine(TextFile::decode(line.sliced(4)));
}

int SearchIndex::rowOf(int index, qsizetype offset)
{
    const Order &o = order(index);
    int found = 0;
    if (o.open >= 0)
        OrderFields::forEachLine(m_reader.lines(), o.open, o.end,
                                 [&](qsizetype at, int row, QByteArrayView) {
                                     if (at == offset)
                                         found = row;
                                 });
    return found;
}

QList<int> SearchIndex::find(const SearchQuery &query, const SearchFilter &filter,
                             const QList<int> *within)
{
    update();
    QList<int> found;
    if (within) {
        for (const int index : *within)
            if (matches(index, query, filter))
                found.append(index);
        return found;
    }
    // A new order on screen has no block yet.
    const int indexes = qMax(int(m_orders.size()), m_editedIndex + 1);
    for (int index = 0; index < indexes; ++index)
        if (matches(index, query, filter))
            found.append(index);
    return found;
}

bool SearchIndex::matches(int index, const SearchQuery &query, const SearchFilter &filter)
{
    const Seen s = seen(index);
    const Order &o = s.order;
    if (o.open < 0)
        return false;
    if (filter.from.isValid() || filter.to.isValid()) {
        if (o.day == NoDay || (filter.from.isValid() && o.day < filter.from.toJulianDay()) ||
            (filter.to.isValid() && o.day > filter.to.toJulianDay()))
            return false;
    }
    const TextLines &lines = s.lines;
    if (!filter.supplier.trimmed().isEmpty()) {
        const FoldedPattern supplier(TextFold::text(filter.supplier));
        if (!supplier.isIn(fixedLine(lines, o, 3)) && !supplier.isIn(fixedLine(lines, o, 5)))
            return false;
    }
    const QList<FoldedPattern> &terms = query.terms();
    QVarLengthArray<bool, 16> found(terms.size());
    std::fill(found.begin(), found.end(), false);
    qsizetype missing = terms.size();
    const bool words =
        missing == 0 ||
        OrderFields::forEach(lines, o.open, o.end, [&](const OrderPlace &, QByteArrayView text) {
            for (qsizetype t = 0; t < terms.size(); ++t) {
                if (!found[t] && terms.at(t).isIn(text)) {
                    found[t] = true;
                    --missing;
                }
            }
            return missing == 0;
        });
    // The state needs the whole order decoded: asked last, once `s` is no longer used.
    return words && (!filter.state || state(index) == *filter.state);
}

SearchIndex::Hit SearchIndex::firstHit(int index, const SearchQuery &query)
{
    Hit hit;
    const Seen s = seen(index);
    const Order &o = s.order;
    if (o.open < 0 || query.isEmpty())
        return hit;
    // The place of the first word typed, the one the user looks for first; the other words
    // found in the same text are shown with it.
    const FoldedPattern &first = query.terms().first();
    OrderFields::forEach(s.lines, o.open, o.end, [&](const OrderPlace &place, QByteArrayView text) {
        if (!first.isIn(text))
            return false;
        QList<std::pair<qsizetype, qsizetype>> spans;
        for (const FoldedPattern &term : query.terms()) {
            qsizetype length = 0;
            for (qsizetype at = term.indexIn(text, 0, &length); at >= 0;
                 at = term.indexIn(text, at + length, &length))
                spans.append({at, length});
        }
        // Shown without the spaces that right-align numbers.
        qsizetype lead = 0;
        while (lead < text.size() && uchar(text.at(lead)) <= ' ')
            ++lead;
        hit.place = place;
        hit.text = TextFile::decode(text.sliced(lead)).trimmed();
        std::sort(spans.begin(), spans.end());
        for (auto &[start, length] : spans) {
            start -= lead;
            length = qMin(length, hit.text.size() - start);
            if (length > 0)
                hit.spans.append({start, length});
        }
        return true;
    });
    return hit;
}

qsizetype SearchIndex::memoryUsed() const
{
    return m_orders.capacity() * qsizetype(sizeof(Order)) +
           m_supplierIds.capacity() * qsizetype(sizeof(QString) + 2 * sizeof(qint32) + 16) +
           m_articles->memoryUsed();
}
