// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/purchasecsv.h"

#include "core/numbertext.h"
#include "order/bookview.h"
#include "order/orderformat.h"
#include "order/orderstate.h"
#include "pricing/ordercalc.h"
#include "reports/reportroles.h"

#include <QAbstractItemModel>
#include <QHash>
#include <algorithm>
#include <optional>

namespace PurchaseCsv {

namespace {

QStringView trimmed(QStringView text)
{
    while (!text.isEmpty() && text.front().unicode() <= ' ')
        text = text.sliced(1);
    while (!text.isEmpty() && text.back().unicode() <= ' ')
        text.chop(1);
    return text;
}

// A price as typed, with two decimals at least as the grid shows prices ("12,5": "12,50"),
// and every decimal it was typed with ("0,045").
QString priceText(QStringView typed)
{
    QString text = typed.toString();
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    const qsizetype digits = comma < 0 ? text.size() : comma;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (i != comma && !text.at(i).isDigit() && !(i == 0 && text.at(0) == u'-'))
            return text; // an exponent, or no number: written as it stands
    if (digits == 0 || (digits == 1 && text.at(0) == u'-'))
        return text;
    if (comma < 0)
        text += QLatin1Char(',');
    while (text.size() - text.indexOf(QLatin1Char(',')) < 3)
        text += QLatin1Char('0');
    return text;
}

} // namespace

namespace {

// The rows of each order as last written, kept for the next export: an order whose block has
// not changed is not worked out nor formatted again, and a book not changed at all is not even
// read. For one format and the settings the amounts were worked out with.
struct Written {
    QDate date; // null when the date line is no date
    QByteArray rows;
};
struct Kept {
    CsvFile::Format format = CsvFile::Format::Spreadsheet;
    std::array<Real, 6> settings{};
    QHash<BookView::Digest, Written> byDigest;
    TextLines lines;
    QList<Written> last; // by block index
};

Kept &kept()
{
    static Kept cache;
    return cache;
}

// The rows of one order: its fields written once, then copied on each of its lines.
void writeOrder(const BookView::Order &order, const Settings &settings, CsvFile &csv)
{
    const OrderRecord &record = order.record;
    // A sent order with the rates it was sent with; one kept in the other currency in the
    // file's currency, at its own euro rate.
    Settings used = OrderCalc::settingsFor(record, settings);
    const bool swapped = (used.euroMode != 0) != (settings.euroMode != 0);
    used.singleCurrency = 0;
    const auto money = [&](Real amount) {
        if (!swapped)
            return std::optional<Real>(amount);
        return OrderCalc::inSecondCurrency(amount, used);
    };
    std::array<QString, 3> rates;
    for (int g = 0; g < 3; ++g)
        rates[g] = NumberText::rate(used.vatRates[g]);
    const QString date =
        record.date.isValid() ? NumberText::formatDate(record.date) : order.unreadDate;
    // The state needs the lines only when goods were received.
    QString state;
    if (record.life.receptions.isEmpty()) {
        state = OrderState::name(OrderState::state(record));
    } else {
        OrderRecord withLines = record;
        for (qsizetype i = 0; i < order.lineCount(); ++i)
            withLines.lines.append(OrderFormat::splitLine(order.lineTexts.at(i).mid(4)));
        state = OrderState::name(OrderState::state(withLines));
    }
    qsizetype fieldsFrom = -1;
    qsizetype fieldsTo = -1;
    const auto orderFields = [&] {
        if (fieldsFrom >= 0) {
            csv.again(fieldsFrom, fieldsTo);
            return;
        }
        fieldsFrom = csv.bytes().size();
        csv.text(record.number).text(date).text(record.supplierCode);
        csv.text(record.addressLines[0]).text(record.paymentTerms);
        fieldsTo = csv.bytes().size();
    };
    // Every line, those past the order window's rows too: each amount is its line's own.
    const Result<OrderAmounts> amounts = order.amounts(order.lineCount(), used);
    std::array<QStringView, OrderLine::CellCount> cells;
    bool any = false;
    for (qsizetype i = 0; i < order.lineCount(); ++i) {
        cells = order.cells(i);
        if (std::all_of(cells.cbegin(), cells.cend(),
                        [](QStringView cell) { return cell.isEmpty(); }))
            continue;
        any = true;
        orderFields();
        // The figures as typed, without the spaces that right-align them in the grid: the
        // price is the one the amount was worked out from, to its last decimal.
        csv.text(cells[OrderLine::DesignationCell]);
        csv.number(trimmed(cells[OrderLine::QuantityCell]));
        const QStringView price = trimmed(cells[OrderLine::UnitPriceCell]);
        Real typed = 0;
        if (swapped && NumberText::tryToReal(price, typed))
            csv.cents(NumberText::cents(money(typed).value_or(0)));
        else
            csv.number(priceText(price));
        csv.number(trimmed(cells[OrderLine::DiscountCell]));
        const OrderAmounts::Row counted = amounts ? amounts->rows.value(i) : OrderAmounts::Row();
        std::optional<OrderCalc::Split> split =
            OrderCalc::splitRow(counted.amount, counted.group, record.includesVat, used);
        if (split && swapped) {
            const std::optional<Real> beforeTax = money(split->beforeTax);
            const std::optional<Real> vat = money(split->vat);
            const std::optional<Real> includingTax = money(split->includingTax);
            split.reset();
            if (beforeTax && vat && includingTax)
                split = OrderCalc::Split{*beforeTax, *vat, *includingTax};
        }
        if (split)
            csv.cents(NumberText::cents(split->beforeTax));
        else
            csv.empty();
        // A row the calculation read has the VAT code it was counted under.
        const QStringView code = cells[OrderLine::VatCell];
        csv.text(code.isEmpty() && counted.group == 0 ? QStringView(u"1") : code);
        if (split)
            csv.number(rates[counted.group])
                .cents(NumberText::cents(split->vat))
                .cents(NumberText::cents(split->includingTax));
        else
            csv.empty().empty().empty();
        csv.text(state);
        csv.endRow();
    }
    if (!any) {
        orderFields();
        for (int k = 0; k < 9; ++k)
            csv.empty();
        csv.text(state);
        csv.endRow();
    }
}

} // namespace

void orderLines(const BookView &source, int year, CsvFile &csv)
{
    const Settings &settings = source.settings();
    const QString unit = settings.euroMode != 0 ? QStringLiteral(" (€)") : QStringLiteral(" (F)");
    for (const QString &heading :
         QStringList{QStringLiteral("N° de commande"), QStringLiteral("Date"),
                     QStringLiteral("Code fournisseur"), QStringLiteral("Fournisseur"),
                     QStringLiteral("Conditions de règlement"), QStringLiteral("Désignation"),
                     QStringLiteral("Quantité"), QStringLiteral("Prix unitaire") + unit,
                     QStringLiteral("Remise (%)"), QStringLiteral("Montant H.T.") + unit,
                     QStringLiteral("Code TVA"), QStringLiteral("Taux TVA (%)"),
                     QStringLiteral("Montant TVA") + unit, QStringLiteral("Montant TTC") + unit,
                     QStringLiteral("État")})
        csv.text(heading);
    csv.endRow();

    Kept &cache = kept();
    const std::array<Real, 6> used{settings.vatRates[0],    settings.vatRates[1],
                                   settings.vatRates[2],    settings.euroRate,
                                   Real(settings.euroMode), Real(settings.singleCurrency)};
    if (cache.format != csv.format() || cache.settings != used) {
        cache = Kept();
        cache.format = csv.format();
        cache.settings = used;
    }
    const auto covered = [year](const QDate &date) {
        return year == 0 || (date.isValid() && date.year() == year);
    };
    if (cache.lines.isSharedWith(source.lines())) {
        qsizetype size = csv.bytes().size();
        for (const Written &order : std::as_const(cache.last))
            size += order.rows.size();
        csv.reserve(size);
        for (const Written &order : std::as_const(cache.last))
            if (covered(order.date))
                csv.appendRows(order.rows);
        return;
    }
    QHash<BookView::Digest, Written> seen;
    seen.reserve(cache.byDigest.size());
    QList<Written> last;
    last.reserve(source.orderCount());
    source.forEachBlock([&](int, BookView::Digest digest, const BookView::Decode &decode) {
        auto found = cache.byDigest.constFind(digest);
        Written written;
        if (found != cache.byDigest.cend()) {
            written = *found;
            if (covered(written.date))
                csv.appendRows(written.rows);
        } else {
            const BookView::Order order = decode();
            written.date = order.record.date;
            // An order of another year is written too, for the next export to keep.
            const qsizetype from = csv.bytes().size();
            writeOrder(order, settings, csv);
            written.rows = csv.bytes().sliced(from);
            if (!covered(written.date))
                csv.truncate(from);
        }
        seen.insert(digest, written);
        last.append(written);
    });
    cache.byDigest = std::move(seen);
    cache.lines = source.lines();
    cache.last = std::move(last);
}

void table(const QAbstractItemModel &model, CsvFile &csv)
{
    const int columns = model.columnCount();
    for (int c = 0; c < columns; ++c) {
        const QVariant heading = model.headerData(c, Qt::Horizontal, ReportRoles::ExportHeader);
        csv.text((heading.isValid() ? heading : model.headerData(c, Qt::Horizontal)).toString());
    }
    csv.endRow();
    for (int r = 0; r < model.rowCount(); ++r) {
        for (int c = 0; c < columns; ++c) {
            const QModelIndex index = model.index(r, c);
            const QVariant cents = index.data(ReportRoles::Cents);
            const QVariant percent = index.data(ReportRoles::Percent);
            if (cents.isValid())
                csv.cents(cents.toLongLong());
            else if (percent.isValid())
                csv.number(QString::number(percent.toDouble(), 'f', 1)
                               .replace(QLatin1Char('.'), QLatin1Char(',')));
            else
                csv.text(index.data().toString());
        }
        csv.endRow();
    }
}

} // namespace PurchaseCsv
