// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/purchasecsv.h"

#include "core/numbertext.h"
#include "order/bookview.h"
#include "pricing/ordercalc.h"
#include "reports/reportroles.h"

#include <QAbstractItemModel>
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

void orderLines(const BookView &source, int year, CsvFile &csv)
{
    const Settings &settings = source.settings();
    const QString unit = settings.EuroMode != 0 ? QStringLiteral(" (€)") : QStringLiteral(" (F)");
    for (const QString &heading :
         QStringList{QStringLiteral("N° de commande"), QStringLiteral("Date"),
                     QStringLiteral("Code fournisseur"), QStringLiteral("Fournisseur"),
                     QStringLiteral("Conditions de règlement"), QStringLiteral("Désignation"),
                     QStringLiteral("Quantité"), QStringLiteral("Prix unitaire") + unit,
                     QStringLiteral("Remise (%)"), QStringLiteral("Montant H.T.") + unit,
                     QStringLiteral("Code TVA"), QStringLiteral("Taux TVA (%)"),
                     QStringLiteral("Montant TVA") + unit, QStringLiteral("Montant TTC") + unit})
        csv.text(heading);
    csv.endRow();

    source.forEachOrder([&](const BookView::Order &order) {
        const OrderRecord &record = order.record;
        if (year != 0 && (!record.Date.isValid() || record.Date.year() != year))
            return;
        // A sent order with the rates it was sent with; one kept in the other currency in the
        // file's currency, at its own euro rate.
        Settings used = OrderCalc::settingsFor(record, settings);
        const bool swapped = (used.EuroMode != 0) != (settings.EuroMode != 0);
        used.SingleCurrency = 0;
        const auto money = [&](Real amount) {
            if (!swapped)
                return std::optional<Real>(amount);
            return OrderCalc::inSecondCurrency(amount, used);
        };
        std::array<QString, 3> rates;
        for (int g = 0; g < 3; ++g)
            rates[g] = NumberText::rate(used.VatRates[g]);
        const QString date =
            record.Date.isValid() ? NumberText::formatDate(record.Date) : order.unreadDate;
        const auto orderFields = [&] {
            csv.text(record.Number).text(date).text(record.SupplierCode);
            csv.text(record.AddressLines[0]).text(record.PaymentTerms);
        };
        // Every line, those past the order window's rows too: each amount is its line's own.
        std::array<QStringView, OrderLine::CellCount> cells;
        const Result<OrderAmounts> amounts = OrderCalc::amounts(
            order.lineCount(),
            [&](qsizetype i) {
                cells = order.cells(i);
                return OrderCalc::LineCells{
                    cells[OrderLine::QuantityCell], cells[OrderLine::UnitPriceCell],
                    cells[OrderLine::DiscountCell], cells[OrderLine::VatCell]};
            },
            record.IncludesVat, used);
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
            const OrderAmounts::Row counted =
                amounts ? amounts->Rows.value(i) : OrderAmounts::Row();
            std::optional<OrderCalc::Split> split =
                OrderCalc::splitRow(counted.Amount, counted.Group, record.IncludesVat, used);
            if (split && swapped) {
                const std::optional<Real> beforeTax = money(split->BeforeTax);
                const std::optional<Real> vat = money(split->Vat);
                const std::optional<Real> includingTax = money(split->IncludingTax);
                split.reset();
                if (beforeTax && vat && includingTax)
                    split = OrderCalc::Split{*beforeTax, *vat, *includingTax};
            }
            if (split)
                csv.cents(NumberText::cents(split->BeforeTax));
            else
                csv.empty();
            // A row the calculation read has the VAT code it was counted under.
            const QStringView code = cells[OrderLine::VatCell];
            csv.text(code.isEmpty() && counted.Group == 0 ? QStringView(u"1") : code);
            if (split)
                csv.number(rates[counted.Group])
                    .cents(NumberText::cents(split->Vat))
                    .cents(NumberText::cents(split->IncludingTax));
            else
                csv.empty().empty().empty();
            csv.endRow();
        }
        if (!any) {
            orderFields();
            for (int k = 0; k < 9; ++k)
                csv.empty();
            csv.endRow();
        }
    });
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
