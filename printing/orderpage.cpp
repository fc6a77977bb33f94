#include "printing/orderpage.h"

#include "core/numbertext.h"

namespace OrderPage {

namespace {

// An empty text draws nothing; leaving it out keeps the page to what is visible.
void addText(PageItems &items, const PageItem &item)
{
    if (!item.text.isEmpty())
        items << item;
}

} // namespace

PageItems Dessin(bool includesVat)
{
    PageItems items;
    items << PageItem::rect(20, 90, 190, 270);
    items << PageItem::line(20, 100, 190, 100) << PageItem::line(20, 245, 190, 245)
          << PageItem::line(115, 90, 115, 245) << PageItem::line(125, 90, 125, 245)
          << PageItem::line(150, 90, 150, 245) << PageItem::line(160, 90, 160, 245)
          << PageItem::line(185, 90, 185, 245) << PageItem::line(140, 245, 140, 270)
          << PageItem::line(140, 257, 190, 257) << PageItem::line(105, 245, 105, 270)
          << PageItem::line(75, 245, 75, 270) << PageItem::line(75, 257, 105, 257);

    const QString amountHeading =
        includesVat ? QStringLiteral("Montant TTC") : QStringLiteral("Montant H.T.");
    items << PageItem::textAt(22, 92, QStringLiteral("Désignation"), 10, true)
          << PageItem::textAt(116, 92, QStringLiteral("Qté"), 10, true)
          << PageItem::textAt(126, 92, QStringLiteral("Prix Unitaire"), 10, true)
          << PageItem::textAt(151, 92, QStringLiteral("R(%)"), 10, true)
          << PageItem::textAt(161, 92, amountHeading, 10, true)
          << PageItem::textAt(186, 92, QStringLiteral("T"), 10, true)
          << PageItem::textAt(50, 248, QStringLiteral("Total H.T."), 10, true)
          << PageItem::textAt(50, 261, QStringLiteral("Total TVA"), 10, true)
          << PageItem::textAt(108, 255, QStringLiteral("Total TTC"), 12, true);
    return items;
}

PageItems EnTete(const CompanyDetails &companyLines)
{
    PageItems items;
    addText(items, PageItem::textAt(20, 0, companyLines[0], 14, true));
    for (int i = 1; i < 7; ++i)
        addText(items, PageItem::textAt(20, 5 * i, companyLines[i], 10, true));
    return items;
}

PageItems ImpCmd(const OrderPageInput &input)
{
    const OrderRecord &r = input.record;
    const OrderTotals &t = input.totals;
    PageItems items;
    for (int i = 0; i < OrderRecord::AddressLineCount; ++i)
        addText(items, PageItem::textAt(116, 60 + 5 * i, r.AddressLines[i], 10));
    items << PageItem::textAt(116, 84, QStringLiteral("Date ") + NumberText::formatDate(r.Date), 12,
                              true)
          << PageItem::textAt(20, 84, QStringLiteral("Commande N° ") + r.Number, 12, true)
          << PageItem::textAt(20, 273, QStringLiteral("Réglement : ") + r.PaymentTerms, 10);
    addText(items, PageItem::textEndingAt(104, 248, t.BeforeTax, 12));
    addText(items, PageItem::textEndingAt(104, 261, t.Vat, 12));
    items << PageItem::textEndingAt(
                 189, 248, t.IncludingTax + QLatin1Char(' ') + input.mainCurrency, 12, true)
          << PageItem::textEndingAt(
                 189, 261, t.SecondCurrency + QLatin1Char(' ') + input.secondCurrency, 12, true);

    // Rows are not clipped to the frame: a long order runs over the totals band.
    for (int k = 1; k <= input.lastRow; ++k) {
        const OrderLine line = k <= r.Lines.size() ? r.Lines.at(k - 1) : OrderLine();
        const int y = 100 + 5 * k;
        addText(items, PageItem::textAt(22, y, line.Designation, 12));
        // The numeric cells carry leading spaces that right-align them on screen.
        addText(items, PageItem::textEndingAt(124, y, NumberText::trimmed(line.Quantity), 12));
        addText(items, PageItem::textEndingAt(149, y, NumberText::trimmed(line.UnitPrice), 12));
        addText(items,
                PageItem::textEndingAt(159, y, NumberText::trimmed(line.DiscountPercent), 12));
        addText(items, PageItem::textEndingAt(184, y, NumberText::trimmed(line.Amount), 12));
        addText(items, PageItem::textAt(186, y, line.VatCode, 12));
    }

    // The note is bottom-aligned: its last line is always at 215 and it grows upwards.
    const int n = int(r.Memo.size());
    for (int i = 0; i < n; ++i)
        addText(items, PageItem::textAt(22, 220 - 5 * n + 5 * i, r.Memo.at(i), 10));
    return items;
}

PageItems build(const OrderPageInput &input, int paperType)
{
    PageItems items;
    if (paperType == PlainPaper || paperType == Letterhead)
        items << Dessin(input.record.IncludesVat);
    if (paperType == PlainPaper)
        items << EnTete(input.companyLines);
    items << ImpCmd(input);
    return items;
}

QString jobTitle(const QString &number)
{
    return QStringLiteral("Commande N° ") + number.trimmed();
}

} // namespace OrderPage
