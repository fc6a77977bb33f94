// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/purchasecsv.h"

#include "core/numbertext.h"
#include "pricing/ordercalc.h"
#include "reports/booksource.h"
#include "reports/reportroles.h"

#include <QAbstractItemModel>
#include <climits>

namespace PurchaseCsv {

namespace {

int noWidth(const QString &)
{
    return INT_MAX;
}

} // namespace

void orderLines(const BookSource &source, const Settings &settings, int year, CsvFile &csv)
{
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
    std::array<QString, 3> rates;
    for (int g = 0; g < 3; ++g)
        rates[g] = NumberText::rate(settings.VatRates[g]);

    source.forEachOrder([&](const BookSource::Order &order) {
        const OrderRecord &record = order.record;
        if (year != 0 && (!record.Date.isValid() || record.Date.year() != year))
            return;
        const QString date =
            record.Date.isValid() ? NumberText::formatDate(record.Date) : order.unreadDate;
        const auto orderFields = [&] {
            csv.text(record.Number).text(date).text(record.SupplierCode);
            csv.text(record.AddressLines[0]).text(record.PaymentTerms);
        };
        QList<OrderLine> rows = record.Lines;
        // Every line, those past the order window's rows too: each amount is its line's own.
        const Result<OrderAmounts> amounts =
            OrderCalc::amounts(rows, record.IncludesVat, settings, noWidth);
        bool any = false;
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const OrderLine &line = rows.at(i);
            if (line.isEmpty())
                continue;
            any = true;
            orderFields();
            csv.text(line.Designation).number(line.Quantity).number(line.UnitPrice);
            csv.number(line.DiscountPercent);
            const OrderAmounts::Row counted =
                amounts ? amounts->Rows.value(i) : OrderAmounts::Row();
            const std::optional<OrderCalc::Split> split =
                OrderCalc::splitRow(counted.Amount, counted.Group, record.IncludesVat, settings);
            if (split)
                csv.cents(NumberText::cents(split->BeforeTax));
            else
                csv.empty();
            csv.text(line.VatCode);
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
