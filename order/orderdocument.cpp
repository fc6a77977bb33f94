// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/orderdocument.h"

#include "core/clock.h"
#include "order/orderformat.h"

OrderDocument::OrderDocument(QObject *parent) : QObject(parent)
{
    // Until the view gives its own measure, a character counts one pixel.
    m_measure = [](const QString &text) { return int(text.size()); };
    m_book.updateNextNumber();
    m_clipboard.clear();
    m_record.lines.resize(GridRows);
}

QString OrderDocument::leftPadded(const QString &text, int width) const
{
    return OrderCalc::leftPadded(text, width, m_measure);
}

void OrderDocument::setListDialogs(ChooseFromList chooseFromList, AskOrderNumber askOrderNumber)
{
    m_chooseFromList = std::move(chooseFromList);
    m_askOrderNumber = std::move(askOrderNumber);
}

Status OrderDocument::startUp()
{
    // Order 0 of the empty book is a new order: nothing to decode or work out.
    const Status shown = showCurrentOrder();
    setFileModified(false);
    if (!shown)
        return shown;
    const Status suppliersRead = m_suppliers.loadSuppliers();
    m_company.loadCompany();
    return suppliersRead;
}

// ---- Flags and caption ----

void OrderDocument::setFlags(bool fileModified, bool orderModified)
{
    if (fileModified == m_fileModified && orderModified == m_orderModified)
        return;
    m_fileModified = fileModified;
    m_orderModified = orderModified;
    Q_EMIT modifiedChanged();
}

void OrderDocument::setFileModified(bool modified)
{
    setFlags(modified, m_orderModified);
}

void OrderDocument::setOrderModified(bool modified)
{
    setFlags(m_fileModified, modified);
}

void OrderDocument::markModified()
{
    setFlags(true, true);
}

bool OrderDocument::bookModified(bool &modified) const
{
    modified = m_fileModified;
    return modified;
}

void OrderDocument::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    Q_EMIT captionChanged(caption);
}

// ---- The user's edits of the order on screen ----

QString OrderDocument::cell(int row, int column) const
{
    return m_record.lines.value(row - 1).cell(column);
}

bool OrderDocument::setField(Field field, QString &value, const QString &text)
{
    if (value == text)
        return false;
    if (!mayChange()) {
        Q_EMIT fieldChanged(field); // the control shows the order's text again
        return false;
    }
    value = text;
    markModified();
    Q_EMIT fieldChanged(field);
    return true;
}

void OrderDocument::setNumber(const QString &number)
{
    const StepScope step(*this, Change::Number);
    setField(Field::Number, m_record.number, number.left(9).leftJustified(9, QLatin1Char(' ')));
}

void OrderDocument::setDate(const QDate &date)
{
    if (date == m_record.date)
        return;
    if (!mayChange()) {
        Q_EMIT fieldChanged(Field::Date);
        return;
    }
    const StepScope step(*this, Change::Date);
    m_record.date = date;
    markModified();
    Q_EMIT fieldChanged(Field::Date);
}

void OrderDocument::setSupplierCode(const QString &code)
{
    const StepScope step(*this, Change::SupplierCode);
    setField(Field::SupplierCode, m_record.supplierCode, code);
}

void OrderDocument::setPaymentTerms(const QString &terms)
{
    const StepScope step(*this, Change::PaymentTerms);
    setField(Field::PaymentTerms, m_record.paymentTerms, terms);
}

void OrderDocument::setAddressLine(int line, const QString &text)
{
    const StepScope step(*this, Change::Address, line + 1);
    if (line >= 0 && line < OrderRecord::AddressLineCount)
        setField(Field(int(Field::AddressLine1) + line), m_record.addressLines[line], text);
}

void OrderDocument::setAddress(const std::array<QString, OrderRecord::AddressLineCount> &address)
{
    const StepScope step(*this, Change::Address);
    for (int line = 0; line < OrderRecord::AddressLineCount; ++line)
        setAddressLine(line, address[line]);
}

Status OrderDocument::setIncludesVat(bool includesVat)
{
    if (includesVat == m_record.includesVat)
        return {};
    if (!mayChange()) {
        Q_EMIT fieldChanged(Field::IncludesVat);
        return {};
    }
    const StepScope step(*this, Change::PriceMode);
    m_record.includesVat = includesVat;
    markModified();
    Q_EMIT fieldChanged(Field::IncludesVat);
    return calculateOrder();
}

void OrderDocument::setNote(const QStringList &lines)
{
    if (lines == m_record.note)
        return;
    if (!mayChange()) {
        Q_EMIT fieldChanged(Field::Note);
        return;
    }
    const StepScope step(*this, Change::Note);
    m_record.note = lines;
    m_noteEdited = true;
    markModified();
    Q_EMIT fieldChanged(Field::Note);
}

bool OrderDocument::setCell(int row, int column, const QString &text)
{
    if (row < 1 || row > GridRows || column < 0 || column >= OrderLine::CellCount ||
        cell(row, column) == text)
        return false;
    if (!mayChange()) {
        Q_EMIT linesChanged(row, row); // the grid shows the cell's text again
        return false;
    }
    const StepScope step(*this, Change::Cell, row, column);
    m_record.lines[row - 1].setCell(column, text);
    // A row typed into is in use, Enter or not: it is written back, saved and printed.
    m_lastRow = qMax(m_lastRow, row);
    markModified();
    Q_EMIT linesChanged(row, row);
    return true;
}

void OrderDocument::setLines(const QList<OrderLine> &rows)
{
    int first = 0;
    int last = 0;
    for (int r = 0; r < GridRows; ++r) {
        if (rows.value(r) == m_record.lines.at(r))
            continue;
        m_record.lines[r] = rows.value(r);
        if (first == 0)
            first = r + 1;
        last = r + 1;
    }
    if (first > 0)
        Q_EMIT linesChanged(first, last);
}

Result<LineEntry::EnterOutcome> OrderDocument::completeLine(int column, int row)
{
    const StepScope step(*this, Change::Cell, row, column);
    QList<OrderLine> rows = m_record.lines;
    const LineEntry::EnterOutcome outcome = LineEntry::completeLine(column, row, rows, m_lastRow);
    if (!outcome.completed)
        return outcome;
    if (rows != m_record.lines && !mayChange()) {
        Q_EMIT linesChanged(row, row);
        return LineEntry::EnterOutcome{};
    }
    setLines(rows);
    if (const Status calculated = calculateOrder(); !calculated)
        return calculated.failure();
    markModified();
    m_lastRow = outcome.lastRow;
    return outcome;
}

bool OrderDocument::deleteLine(int row)
{
    const StepScope step(*this, Change::DeleteLine, row);
    QList<OrderLine> rows = m_record.lines;
    int lastRow = m_lastRow;
    if (!LineEntry::deleteLine(rows, row, lastRow) || !mayChange())
        return false;
    m_overflow.orderLineRemoved(row);
    m_record.life.lineRemoved(row);
    setLines(rows);
    m_lastRow = lastRow;
    markModified();
    return true;
}

// ---- Orders ----

void OrderDocument::showRecord(OrderRecord record)
{
    // As the fields show it: the number field keeps the digits, nine at most, the code field
    // five characters, the date picker no date before 14/09/1752; an empty note has no line.
    QString digits;
    for (const QChar c : std::as_const(record.number))
        if (c.isDigit())
            digits += c;
    record.number = digits.left(9).leftJustified(9, QLatin1Char(' '));
    record.supplierCode.truncate(5);
    if (!record.date.isValid())
        record.date = Clock::today();
    record.date = qMax(record.date, QDate(1752, 9, 14));
    if (record.note == QStringList{QString()})
        record.note.clear();
    record.lines.resize(GridRows);
    m_record = std::move(record);
    m_noteEdited = false;
    m_changeAgreed = false;
    Q_EMIT recordChanged();
    m_totals = OrderTotals();
    Q_EMIT totalsChanged();
}

Status OrderDocument::showCurrentOrder()
{
    setOrderModified(false);
    OrderRecord record;
    record.blockIndex = m_book.currentOrder();
    record.date = Clock::today();
    record.number = QString::number(m_book.nextOrderNumber());
    record.paymentTerms = m_settings.paymentTerms.value(0);
    // Emptying the fields counts as a change of the order.
    markModified();

    const Result<bool> decoded = m_book.readOrder(record, m_overflow, GridRows);
    if (!decoded) {
        showRecord(record); // what was read before the bad line stays shown
        return decoded.failure();
    }
    const bool found = *decoded;
    if (found)
        m_lastRow = int(record.lines.size());
    showRecord(record);
    if (found)
        if (const Status calculated = calculateOrder(); !calculated)
            return calculated;
    Q_EMIT orderShown(found);
    if (found)
        setOrderModified(false);
    return {};
}

bool OrderDocument::orderComplete() const
{
    if (m_record.supplierCode.isEmpty())
        return false;
    if (m_record.number.isEmpty() || m_record.number.at(0) == QLatin1Char(' '))
        return false;
    if (m_lastRow <= 0)
        return false;
    for (int r = 0; r < m_lastRow && r < m_record.lines.size(); ++r)
        if (!m_record.lines.at(r).designation.isEmpty())
            return true;
    return false;
}

bool OrderDocument::orderToWrite(OrderRecord &record) const
{
    if (!(m_orderModified || m_noteEdited) || !orderComplete())
        return false;
    record = m_record;
    record.lines = record.lines.mid(0, m_lastRow);
    return true;
}

void OrderDocument::writeBackOrder()
{
    if (m_noteEdited)
        setOrderModified(true);
    OrderRecord record;
    if (orderToWrite(record))
        m_book.writeOrder(record, m_overflow);
}

Status OrderDocument::moveTo(int index)
{
    writeBackOrder();
    m_book.setCurrentOrder(index);
    if (const Status shown = showCurrentOrder(); !shown)
        return shown;
    Q_EMIT supplierCodeWanted();
    return {};
}

Status OrderDocument::firstOrder()
{
    return moveTo(0);
}

Status OrderDocument::previousOrder()
{
    return moveTo(qMax(0, m_book.currentOrder() - 1));
}

Status OrderDocument::nextOrder()
{
    if (m_book.orderCount() < 2)
        return {};
    return moveTo(qMin(m_book.currentOrder() + 1, m_book.orderCount() - 1));
}

Status OrderDocument::lastOrder()
{
    if (m_book.orderCount() < 2)
        return {};
    return moveTo(m_book.orderCount() - 1);
}

Status OrderDocument::showOrder(int index)
{
    writeBackOrder();
    m_book.setCurrentOrder(index);
    return showCurrentOrder();
}

Status OrderDocument::addOrder()
{
    const StepScope step(*this, Change::AddOrder);
    writeBackOrder();
    if (const Status added = m_book.addOrder(); !added)
        return added;
    if (const Status shown = showCurrentOrder(); !shown)
        return shown;
    Q_EMIT supplierCodeWanted();
    return {};
}

Status OrderDocument::deleteOrder()
{
    const StepScope step(*this, Change::DeleteOrder);
    m_book.removeOrder();
    setFileModified(true);
    return showCurrentOrder();
}

void OrderDocument::copyOrder()
{
    OrderRecord record = m_record;
    record.lines.resize(m_lastRow);
    m_clipboard.copyFrom(record, m_overflow);
}

Status OrderDocument::pasteOrder()
{
    if (m_clipboard.isEmpty() || !mayChange())
        return {};
    const StepScope step(*this, Change::PasteOrder);
    OrderRecord record = m_record;
    m_clipboard.pasteInto(record, m_overflow);
    // The pasted rows are in use like typed ones, and they alone: the order is written with
    // the copied rows, the lines past the grid after the last one.
    m_lastRow =
        m_clipboard.linesPastGrid().isEmpty() ? int(m_clipboard.order().lines.size()) : GridRows;
    showRecord(record);
    markModified();
    return calculateOrder();
}

void OrderDocument::moveOrders(const QList<int> &entryOrder)
{
    const StepScope step(*this, Change::MoveOrders);
    if (m_book.renumber(entryOrder))
        setFileModified(true);
}

Status OrderDocument::showOrderList()
{
    writeBackOrder();
    if (!m_chooseFromList)
        return {};
    const OrderList::Choice choice = m_chooseFromList(m_book);
    moveOrders(choice.entryOrder);
    if (choice.chosen < 0)
        return {};
    m_book.setCurrentOrder(choice.chosen); // the chosen entry's place is its order's new index
    return showCurrentOrder();
}

Status OrderDocument::findOrder()
{
    writeBackOrder();
    if (!m_askOrderNumber)
        return {};
    const QString number = m_askOrderNumber();
    // A cancelled search gives an empty text: it must not find a bare "NUM" line.
    if (number.isEmpty())
        return {};
    const qsizetype found = m_book.findNumberLine(QStringLiteral("NUM") + number);
    if (found < 1)
        return {};
    const QString label = m_book.lines().at(found - 1);
    int index = 0;
    if (!label.startsWith(QLatin1String("<BLOC"), Qt::CaseInsensitive) ||
        !OrderFormat::tryOpenLabelIndex(label, index))
        return {};
    m_book.setCurrentOrder(index);
    return showCurrentOrder();
}

// ---- Calculation ----

Status OrderDocument::calculateOrder()
{
    return calculate(m_record.includesVat);
}

Status OrderDocument::calculateBeforeTax()
{
    return calculate(false);
}

Status OrderDocument::calculateIncludingTax()
{
    return calculate(true);
}

Status OrderDocument::calculate(bool includesVat)
{
    QList<OrderLine> rows = m_record.lines;
    const Settings used = OrderCalc::settingsFor(m_record, m_settings);
    const Result<OrderTotals> totals = includesVat
                                           ? OrderCalc::calculateIncludingTax(rows, used, m_measure)
                                           : OrderCalc::calculateBeforeTax(rows, used, m_measure);
    setLines(rows); // the rows done before an overflow keep their rewritten cells
    if (!totals)
        return totals.failure();
    m_totals = *totals;
    Q_EMIT totalsChanged();
    return {};
}

// ---- What is shown and printed ----

QString OrderDocument::mainCurrency() const
{
    return OrderCalc::settingsFor(m_record, m_settings).euroMode != 0 ? QStringLiteral("Euros")
                                                                      : QStringLiteral("Francs");
}

QString OrderDocument::secondCurrency() const
{
    const Settings used = OrderCalc::settingsFor(m_record, m_settings);
    if (used.singleCurrency != 0)
        return QString();
    return used.euroMode != 0 ? QStringLiteral("Francs") : QStringLiteral("Euros");
}

OrderPageInput OrderDocument::printedOrder() const
{
    OrderPageInput input;
    input.record = m_record;
    input.lastRow = m_lastRow;
    input.totals = m_totals;
    input.mainCurrency = mainCurrency();
    input.secondCurrency = secondCurrency();
    input.companyLines = m_company.details;
    return input;
}
