// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/orderformat.h"

#include "core/numbertext.h"
#include "core/textfile.h"

#include <algorithm>
#include <climits>

namespace OrderFormat {

namespace {

const QString OpenPrefix = QStringLiteral("<BLOC");
const QString ClosePrefix = QStringLiteral("</BLOC");
const QString NumPrefix = QStringLiteral("NUM");
const QString LinePrefix = QStringLiteral("CMDE");
const QString MemoPrefix = QStringLiteral("MEMO");
const QString VatPrefix = QStringLiteral("TTC");
const QChar Tab = QLatin1Char('\t');

QString lineAt(const TextLines &lines, qsizetype i, qsizetype end)
{
    // A block cut short reads empty lines past its end, never those of the next block.
    return i < end ? lines.at(i) : QString();
}

// The lines of an order's life, after its note. Each kind stands once but sendings and
// receptions; a line this version would not write the same way is kept as an unknown one.
constexpr char SentKind[] = "ENVO";
constexpr char ExpectedKind[] = "PREV";
constexpr char ReceivedKind[] = "RECU";
constexpr char SettledKind[] = "SOLD";
constexpr char CancelledKind[] = "ANNU";
constexpr char ChangedKind[] = "MODI";
constexpr char RatesKind[] = "TAUX";
const QString SentPrefix = QString::fromLatin1(SentKind);
const QString ExpectedPrefix = QString::fromLatin1(ExpectedKind);
const QString ReceivedPrefix = QString::fromLatin1(ReceivedKind);
const QString SettledPrefix = QString::fromLatin1(SettledKind);
const QString CancelledPrefix = QString::fromLatin1(CancelledKind);
const QString ChangedPrefix = QString::fromLatin1(ChangedKind);
const QString RatesPrefix = QString::fromLatin1(RatesKind);

QString channelWord(OrderLife::Channel channel)
{
    switch (channel) {
    case OrderLife::Channel::Printed:
        return QStringLiteral("IMPRIMEE");
    case OrderLife::Channel::Pdf:
        return QStringLiteral("PDF");
    case OrderLife::Channel::Email:
        return QStringLiteral("COURRIEL");
    case OrderLife::Channel::Other:
        break;
    }
    return QStringLiteral("AUTRE");
}

QString sentLine(const OrderLife::Sending &sending)
{
    return SentPrefix + NumberText::formatDate(sending.date) + Tab + channelWord(sending.channel);
}

QString receivedLine(const OrderLife::Reception &reception)
{
    QString line = ReceivedPrefix + NumberText::formatDate(reception.date);
    for (const OrderLife::Received &received : reception.quantities)
        line += Tab + QString::number(received.row) + QLatin1Char('=') +
                TextFile::oneLine(received.quantity);
    return line;
}

// The rates as the user typed them: the order keeps them so (OrderCalc::ratesOf).
QString ratesLine(const OrderLife::Rates &rates)
{
    QString line = RatesPrefix + NumberText::rate(rates.euroRate);
    for (const Real rate : rates.vatRates)
        line += Tab + NumberText::rate(rate);
    return line + Tab + (rates.euros ? QStringLiteral("EUROS") : QStringLiteral("FRANCS")) + Tab +
           (rates.singleCurrency ? QStringLiteral("1") : QStringLiteral("2"));
}

bool readRates(const QString &line, OrderLife::Rates &rates)
{
    const QStringList parts = line.mid(4).split(Tab);
    if (parts.size() != 6 || !NumberText::tryToReal(parts[0], rates.euroRate))
        return false;
    for (int k = 0; k < 3; ++k)
        if (!NumberText::tryToReal(parts[k + 1], rates.vatRates[k]))
            return false;
    rates.euros = parts[4] == QLatin1String("EUROS");
    rates.singleCurrency = parts[5] == QLatin1String("1");
    return ratesLine(rates) == line;
}

bool readDate(const QString &text, QDate &date)
{
    return NumberText::tryToDate(text, date) && date.isValid() &&
           NumberText::formatDate(date) == text;
}

// Decodes a life line into `life`; false when it is none, or one this version would not write
// back as it stands.
bool decodeLifeLine(const QString &line, OrderLife &life)
{
    const QString kind = line.left(4);
    const QString rest = line.mid(4);
    QDate date;
    if (kind == SentPrefix) {
        const QStringList parts = rest.split(Tab);
        if (parts.size() != 2 || !readDate(parts[0], date))
            return false;
        for (const auto channel : {OrderLife::Channel::Printed, OrderLife::Channel::Pdf,
                                   OrderLife::Channel::Email, OrderLife::Channel::Other})
            if (channelWord(channel) == parts[1]) {
                life.sendings.append({date, channel});
                return true;
            }
        return false;
    }
    if (kind == ReceivedPrefix) {
        const QStringList parts = rest.split(Tab);
        if (!readDate(parts[0], date))
            return false;
        OrderLife::Reception reception{date, {}};
        for (qsizetype k = 1; k < parts.size(); ++k) {
            const qsizetype equals = parts[k].indexOf(QLatin1Char('='));
            bool rowRead = false;
            const int row = parts[k].left(equals).toInt(&rowRead);
            Real quantity = 0;
            if (equals < 0 || !rowRead || row < 1 ||
                !NumberText::tryToReal(parts[k].mid(equals + 1), quantity))
                return false;
            reception.quantities.append({row, parts[k].mid(equals + 1)});
        }
        if (receivedLine(reception) != line)
            return false;
        life.receptions.append(reception);
        return true;
    }
    if (kind == RatesPrefix) {
        OrderLife::Rates rates;
        if (life.rates || !readRates(line, rates))
            return false;
        life.rates = rates;
        return true;
    }
    QDate *single = nullptr;
    if (kind == ExpectedPrefix)
        single = &life.expected;
    else if (kind == ChangedPrefix)
        single = &life.changedAfterSending;
    else if ((kind == SettledPrefix || kind == CancelledPrefix) &&
             life.closing == OrderLife::Closing::Open)
        single = &life.closedOn;
    if (!single || !single->isNull() || !readDate(rest, date))
        return false;
    *single = date;
    if (kind == SettledPrefix)
        life.closing = OrderLife::Closing::Settled;
    else if (kind == CancelledPrefix)
        life.closing = OrderLife::Closing::Cancelled;
    return true;
}

bool maybeLifeLine(QByteArrayView bytes)
{
    return bytes.size() > 4 && (isEventLine(bytes) || bytes.startsWith(ExpectedKind) ||
                                bytes.startsWith(ChangedKind) || bytes.startsWith(RatesKind));
}

} // namespace

bool isSendingLine(QByteArrayView line)
{
    return line.startsWith(SentKind);
}

bool isEventLine(QByteArrayView line)
{
    return line.startsWith(SentKind) || line.startsWith(ReceivedKind) ||
           line.startsWith(SettledKind) || line.startsWith(CancelledKind);
}

QStringList lifeLines(const OrderLife &life)
{
    QStringList lines;
    for (const OrderLife::Sending &sending : life.sendings)
        lines << sentLine(sending);
    if (life.rates)
        lines << ratesLine(*life.rates);
    if (!life.expected.isNull())
        lines << ExpectedPrefix + NumberText::formatDate(life.expected);
    for (const OrderLife::Reception &reception : life.receptions)
        lines << receivedLine(reception);
    if (life.closing != OrderLife::Closing::Open)
        lines << (life.closing == OrderLife::Closing::Settled ? SettledPrefix : CancelledPrefix) +
                     NumberText::formatDate(life.closedOn);
    if (!life.changedAfterSending.isNull())
        lines << ChangedPrefix + NumberText::formatDate(life.changedAfterSending);
    return lines;
}

QString blockIndex(int index)
{
    return QString(QStringLiteral("000") + QString::number(index)).right(4);
}

QString blockOpenLabel(int index)
{
    return OpenPrefix + blockIndex(index) + QLatin1Char('>');
}

QString blockCloseLabel(int index)
{
    return ClosePrefix + blockIndex(index) + QLatin1Char('>');
}

bool isOpenLabel(const QString &line)
{
    return line.startsWith(OpenPrefix);
}

bool isCloseLabel(const QString &line)
{
    return line.startsWith(ClosePrefix);
}

// Most lines do not begin with '<': they are passed over on their first byte.
bool isOpenLabel(QByteArrayView line)
{
    return !line.isEmpty() && line.front() == '<' && line.startsWith("<BLOC");
}

bool isCloseLabel(QByteArrayView line)
{
    return !line.isEmpty() && line.front() == '<' && line.startsWith("</BLOC");
}

Result<int> openLabelIndex(const QString &line)
{
    return NumberText::toInteger(line.mid(5, 4));
}

Result<int> closeLabelIndex(const QString &line)
{
    return NumberText::toInteger(line.mid(6, 4));
}

bool tryOpenLabelIndex(const QString &line, int &index)
{
    return NumberText::tryToInteger(line.mid(5, 4), index);
}

qsizetype findLine(const TextLines &lines, const QString &label, qsizetype from)
{
    for (qsizetype i = from; i < lines.size(); ++i)
        if (lines.equalsIgnoringCase(i, label))
            return i;
    return -1;
}

QHash<int, qsizetype> firstBlockPositions(const TextLines &lines)
{
    QHash<int, qsizetype> positions;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int index = blockStartIndex(lines.bytes(i));
        if (index >= 0 && !positions.contains(index))
            positions.insert(index, i);
    }
    return positions;
}

// Labels are ASCII, and no character of the code page but an ASCII letter has an ASCII letter
// for its other case: bytes compare as the lines would.
namespace {

// The four digits of a label's index standing at `at`, or -1.
int labelDigits(QByteArrayView line, qsizetype at)
{
    int index = 0;
    for (qsizetype k = at; k < at + 4; ++k) {
        const char c = line.at(k);
        if (c < '0' || c > '9')
            return -1;
        index = index * 10 + (c - '0');
    }
    return index;
}

} // namespace

int blockStartIndex(QByteArrayView line)
{
    if (line.size() != 10 || line.at(9) != '>' ||
        line.first(5).compare("<BLOC", Qt::CaseInsensitive) != 0)
        return -1;
    return labelDigits(line, 5);
}

int blockEndIndex(QByteArrayView line)
{
    if (line.size() != 11 || line.at(10) != '>' ||
        line.first(6).compare("</BLOC", Qt::CaseInsensitive) != 0)
        return -1;
    return labelDigits(line, 6);
}

qsizetype blockEnd(const TextLines &lines, qsizetype open, bool *closed)
{
    // A whole book's blocks are walked at every report: the label is compared as a number.
    const int index = blockStartIndex(lines.bytes(open));
    qsizetype i = open + 1;
    for (; i < lines.size(); ++i) {
        const QByteArrayView line = lines.bytes(i);
        if (index >= 0 && line.size() == 11 && blockEndIndex(line) == index) {
            if (closed)
                *closed = true;
            return i + 1;
        }
        if (blockStartIndex(line) >= 0)
            break;
    }
    if (closed)
        *closed = false;
    return i;
}

QString numberText(const QString &numLine)
{
    return NumberText::trimmed(numLine.mid(3, MaxTextLength));
}

CellViews splitCells(QStringView text)
{
    CellViews cells;
    QStringView rest = text;
    for (int n = 0; n < OrderLine::CellCount - 1; ++n) {
        const qsizetype tab = rest.indexOf(Tab);
        if (tab < 0)
            continue; // a missing separator gives an empty cell and leaves the rest whole
        cells[n] = rest.first(tab);
        rest = rest.sliced(tab + 1);
    }
    cells[OrderLine::CellCount - 1] = rest;
    return cells;
}

OrderLine splitLine(const QString &text)
{
    OrderLine line;
    const CellViews cells = splitCells(text);
    for (int n = 0; n < OrderLine::CellCount; ++n)
        line.setCell(n, cells[n].toString());
    return line;
}

QString joinLine(const OrderLine &line)
{
    QString text = LinePrefix;
    for (int n = 0; n < OrderLine::CellCount; ++n) {
        if (n > 0)
            text += Tab;
        text += TextFile::oneLine(line.cell(n)); // a TAB in a cell would make it two
    }
    return text;
}

Result<bool> decode(const TextLines &lines, int index, OrderRecord &record)
{
    return decodeAt(lines, findBlock(lines, index), index, record);
}

Result<bool> decodeAt(const TextLines &lines, qsizetype open, int index, OrderRecord &record,
                      KeptLines *kept, qsizetype rows, QString *unreadDate, QStringList *lineTexts)
{
    if (open < 0)
        return false;
    record.blockIndex = index;
    bool closed = false;
    // The block's own lines, without its closing label.
    const qsizetype end = blockEnd(lines, open, &closed) - (closed ? 1 : 0);

    const QString number = numberText(lineAt(lines, open + 1, end));
    if (!number.isEmpty())
        record.number = number;
    const QString dateLine = lineAt(lines, open + 2, end);
    const Result<QDate> date = NumberText::toDate(dateLine);
    if (date) {
        record.date = *date;
    } else if (unreadDate) {
        record.date = QDate();
        *unreadDate = dateLine;
    } else {
        return date.failure();
    }
    record.supplierCode = lineAt(lines, open + 3, end);
    const QString terms = lineAt(lines, open + 4, end);
    if (!terms.isEmpty())
        record.paymentTerms = terms;
    for (int k = 0; k < OrderRecord::AddressLineCount; ++k)
        record.addressLines[k] = lineAt(lines, open + 5 + k, end);

    qsizetype first = open + 9;
    const QString vatLine = lineAt(lines, first, end);
    if (vatLine.startsWith(VatPrefix)) {
        record.includesVat = vatLine.mid(3, 1) == QLatin1String("Y");
        ++first;
    }
    // The whole block: a long order's last lines are as much the order as its first ones.
    if (kept)
        kept->clear();
    qsizetype orderLines = 0;
    qsizetype notes = 0;
    for (qsizetype i = first; i < end; ++i) {
        const QByteArrayView bytes = lines.bytes(i);
        if (bytes.startsWith("MEMO")) {
            record.note.append(lines.at(i).mid(4));
            ++notes;
            continue;
        }
        if (maybeLifeLine(bytes) && decodeLifeLine(lines.at(i), record.life))
            continue;
        const bool orderLine = bytes.startsWith("CMDE");
        if (orderLine)
            ++orderLines;
        if (orderLine && (!kept || orderLines <= rows)) {
            if (lineTexts)
                lineTexts->append(lines.at(i));
            else
                record.lines.append(splitLine(lines.at(i).mid(4)));
            continue;
        }
        if (!kept)
            continue;
        // Anchored to the known line before it; those past the grid stay after the order.
        KeptLines::Anchor anchor;
        if (orderLine || (notes == 0 && orderLines > rows))
            anchor = {KeptLines::AfterLines, 0};
        else if (notes > 0)
            anchor = {KeptLines::AfterNoteLine, int(notes)};
        else if (orderLines > 0)
            anchor = {KeptLines::AfterLine, int(orderLines)};
        kept->lines.appendLine(lines, i);
        kept->anchors.append(anchor);
    }
    // A line after the last order or note line stays after it, however many the user adds.
    if (kept)
        for (KeptLines::Anchor &anchor : kept->anchors) {
            if (anchor.place == KeptLines::AfterLine && anchor.line == orderLines)
                anchor = {KeptLines::AfterLines, 0};
            else if (anchor.place == KeptLines::AfterNoteLine && anchor.line == notes)
                anchor = {KeptLines::AfterNote, 0};
        }
    return true;
}

void removeBlock(TextLines &lines, int index)
{
    const qsizetype open = findBlock(lines, index);
    if (open < 0)
        return;
    lines.remove(open, blockEnd(lines, open) - open);
}

namespace {

// The block's lines up to its last order line, and those after it.
QStringList blockHead(const OrderRecord &record, int index)
{
    QStringList head;
    head.reserve(10 + record.lines.size());
    // Lines are read back by position: no field may bring a line end of its own.
    using TextFile::oneLine;
    head << blockOpenLabel(index) << NumPrefix + oneLine(record.number)
         << NumberText::formatDate(record.date) << oneLine(record.supplierCode)
         << oneLine(record.paymentTerms);
    for (const QString &address : record.addressLines)
        head << oneLine(address);
    head << (record.includesVat ? QStringLiteral("TTCY") : QStringLiteral("TTCN"));
    for (const OrderLine &line : record.lines)
        head << joinLine(line);
    return head;
}

QStringList blockTail(const OrderRecord &record, int index)
{
    QStringList tail;
    tail.reserve(record.note.size() + 1);
    for (const QString &memo : record.note)
        tail << MemoPrefix + TextFile::noteLine(memo);
    // After every line an older reader looks at.
    tail << lifeLines(record.life);
    tail << blockCloseLabel(index);
    return tail;
}

} // namespace

QStringList encodeBlock(const OrderRecord &record, int index)
{
    return blockHead(record, index) + blockTail(record, index);
}

void appendBlock(TextLines &lines, const OrderRecord &record, int index, const KeptLines &kept)
{
    const QStringList head = blockHead(record, index);
    const QStringList tail = blockTail(record, index);
    if (kept.isEmpty()) {
        lines += head;
        lines += tail;
        return;
    }
    // Each kept line goes into a slot between the written lines: 0 after the header, r after
    // order line r, orderLines + n after note line n.
    const int orderLines = int(record.lines.size());
    const int notes = int(record.note.size());
    const auto slotOf = [&](const KeptLines::Anchor &anchor) {
        switch (anchor.place) {
        case KeptLines::AfterHeader:
            return 0;
        case KeptLines::AfterLine:
            return qMin(anchor.line, orderLines);
        case KeptLines::AfterLines:
            return orderLines;
        case KeptLines::AfterNoteLine:
            return orderLines + qMin(anchor.line, notes);
        case KeptLines::AfterNote:
            return orderLines + notes;
        }
        return orderLines + notes;
    };
    QList<std::pair<int, qsizetype>> order;
    order.reserve(kept.lines.size());
    for (qsizetype k = 0; k < kept.lines.size(); ++k)
        order.append({slotOf(kept.anchors.value(k)), k});
    std::stable_sort(order.begin(), order.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });

    auto next = order.cbegin();
    const auto keptUpTo = [&](int slot) {
        for (; next != order.cend() && next->first <= slot; ++next)
            lines.appendLine(kept.lines, next->second);
    };
    const qsizetype headerLines = head.size() - orderLines;
    lines += head.mid(0, headerLines);
    keptUpTo(0);
    for (int r = 1; r <= orderLines; ++r) {
        lines << head.at(headerLines + r - 1);
        keptUpTo(r);
    }
    for (int n = 1; n <= notes; ++n) {
        lines << tail.at(n - 1);
        keptUpTo(orderLines + n);
    }
    keptUpTo(INT_MAX);
    lines += tail.mid(notes);
}

void encode(TextLines &lines, int index, const OrderRecord &record, const KeptLines &kept)
{
    removeBlock(lines, index);
    appendBlock(lines, record, index, kept);
}

void KeptLines::clear()
{
    lines.clear();
    anchors.clear();
}

TextLines KeptLines::orderLines() const
{
    TextLines found;
    for (qsizetype k = 0; k < lines.size(); ++k)
        if (lines.bytes(k).startsWith("CMDE"))
            found.appendLine(lines, k);
    return found;
}

void KeptLines::replaceOrderLines(const TextLines &orderLines)
{
    KeptLines result;
    const auto appendNew = [&] {
        for (qsizetype k = 0; k < orderLines.size(); ++k) {
            result.lines.appendLine(orderLines, k);
            result.anchors.append({AfterLines, 0});
        }
    };
    // The new order lines come before the lines kept after the old ones.
    bool placed = false;
    for (qsizetype k = 0; k < lines.size(); ++k) {
        if (lines.bytes(k).startsWith("CMDE"))
            continue;
        const Anchor anchor = anchors.value(k);
        if (!placed && anchor.place >= AfterLines) {
            appendNew();
            placed = true;
        }
        result.lines.appendLine(lines, k);
        result.anchors.append(anchor);
    }
    if (!placed)
        appendNew();
    *this = std::move(result);
}

void KeptLines::orderLineRemoved(int line)
{
    for (Anchor &anchor : anchors)
        if (anchor.place == AfterLine && anchor.line >= line)
            --anchor.line;
}

} // namespace OrderFormat
