// SPDX-License-Identifier: GPL-3.0-or-later
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

// The row bands of a page are its slots 1 to 28, slot s at 100 + 5s.
struct Band {
    int page = 0;
    int slot = 0;
    int y() const { return 100 + 5 * slot; }
};

constexpr int NoteEndSlot = 23; // the note's last line at 215, as on a one-page order

// Where every row and every note line of the order goes.
struct Flow {
    QList<Band> rows;
    QList<Band> notes;
    int pages = 1;
};

Flow flow(const OrderPageInput &input)
{
    Flow f;
    for (int k = 0; k < input.lastRow; ++k)
        f.rows << Band{k / RowsPerPage, k % RowsPerPage + 1};
    int page = f.rows.isEmpty() ? 0 : f.rows.last().page;
    const int used = f.rows.isEmpty() ? 0 : f.rows.last().slot;
    const int n = int(input.record.note.size());
    if (n > 0) {
        // The note ends at 215 and grows upwards, but never over a row: after the last row
        // when they would meet, on a page of its own when it does not fit under it.
        int slot = used + 1;
        if (used + n <= RowsPerPage) {
            slot = qMax(used + 1, NoteEndSlot + 1 - n);
        } else if (n <= RowsPerPage) {
            ++page;
            slot = qMax(1, NoteEndSlot + 1 - n);
        }
        for (int i = 0; i < n; ++i, ++slot) {
            if (slot > RowsPerPage) { // a note longer than a page runs on
                ++page;
                slot = 1;
            }
            f.notes << Band{page, slot};
        }
    }
    f.pages = page + 1;
    return f;
}

// `withExpected`: the expected delivery, when set, goes under the order date, which moves up to
// make room above the frame; a pre-printed form has no place for it.
PageItems data(const OrderPageInput &input, const Flow &flow, int page, bool withExpected)
{
    const OrderRecord &r = input.record;
    const OrderTotals &t = input.totals;
    const bool last = page == flow.pages - 1;
    const bool numbered = flow.pages > 1;
    PageItems items;
    for (int i = 0; i < OrderRecord::AddressLineCount; ++i)
        addText(items,
                PageItem::textAt(116, 60 + 5 * i, r.addressLines[i], 10).within(PageItem::ToEdge));
    const bool expected = withExpected && r.life.expected.isValid();
    if (expected)
        items << PageItem::textAt(
            116, 85,
            QStringLiteral("Livraison prévue le ") + NumberText::formatDate(r.life.expected), 9);
    items << PageItem::textAt(116, expected ? 80 : 84,
                              QStringLiteral("Date ") + NumberText::formatDate(r.date), 12, true)
          << PageItem::textAt(20, 84, QStringLiteral("Commande N° ") + r.number, 12, true);
    if (last) {
        // The terms keep clear of the page number at the end of their line.
        items << PageItem::textAt(20, 273, QStringLiteral("Réglement : ") + r.paymentTerms, 10)
                     .within(numbered ? 150 : PageItem::ToEdge);
        // Amounts are narrowed to stay in their boxes, never cut.
        addText(items, PageItem::textEndingAt(104, 248, t.beforeTax, 12).within(28, true));
        addText(items, PageItem::textEndingAt(104, 261, t.vat, 12).within(28, true));
        items << PageItem::textEndingAt(
                     189, 248, t.includingTax + QLatin1Char(' ') + input.mainCurrency, 12, true)
                     .within(48, true)
              << PageItem::textEndingAt(
                     189, 261, t.secondCurrency + QLatin1Char(' ') + input.secondCurrency, 12, true)
                     .within(48, true);
    } else {
        items << PageItem::textEndingAt(189, 248, QStringLiteral("Suite page suivante"), 12, true)
                     .within(48);
    }
    if (numbered)
        items << PageItem::textEndingAt(
            189, 273, QStringLiteral("Page %1/%2").arg(page + 1).arg(flow.pages), 10);

    for (int k = 0; k < flow.rows.size(); ++k) {
        const Band band = flow.rows.at(k);
        if (band.page != page)
            continue;
        const OrderLine line = k < r.lines.size() ? r.lines.at(k) : OrderLine();
        const int y = band.y();
        addText(items, designation(y, line.designation));
        // The numeric cells carry leading spaces that right-align them on screen; they are
        // narrowed to keep off the column line on their left, never cut.
        addText(
            items,
            PageItem::textEndingAt(124, y, NumberText::trimmed(line.quantity), 12).within(8, true));
        addText(items, PageItem::textEndingAt(149, y, NumberText::trimmed(line.unitPrice), 12)
                           .within(23, true));
        addText(items, PageItem::textEndingAt(159, y, NumberText::trimmed(line.discountPercent), 12)
                           .within(8, true));
        addText(
            items,
            PageItem::textEndingAt(184, y, NumberText::trimmed(line.amount), 12).within(23, true));
        addText(items, PageItem::textAt(186, y, line.vatCode, 12).within(3, true));
    }

    for (int i = 0; i < flow.notes.size(); ++i) {
        const Band band = flow.notes.at(i);
        if (band.page == page) // within the frame
            addText(items, PageItem::textAt(22, band.y(), r.note.at(i), 10).within(167));
    }
    return items;
}

} // namespace

PageItems formItems(bool includesVat)
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

PageItems letterheadItems(const CompanyDetails &companyLines)
{
    PageItems items;
    addText(items, PageItem::textAt(20, 0, companyLines[0], 14, true).within(PageItem::ToEdge));
    for (int i = 1; i < 7; ++i)
        addText(items,
                PageItem::textAt(20, 5 * i, companyLines[i], 10, true).within(PageItem::ToEdge));
    return items;
}

PageItem designation(int y, const QString &text)
{
    // From 22 to a millimetre short of the quantity's column line at 115.
    return PageItem::textAt(22, y, text, 12).within(92);
}

Pages build(const OrderPageInput &input, int paperType)
{
    const Flow f = flow(input);
    Pages pages;
    for (int page = 0; page < f.pages; ++page) {
        PageItems items;
        if (paperType == PlainPaper || paperType == Letterhead)
            items << formItems(input.record.includesVat);
        if (paperType == PlainPaper)
            items << letterheadItems(input.companyLines);
        items << data(input, f, page, paperType == PlainPaper || paperType == Letterhead);
        pages << items;
    }
    return pages;
}

QString jobTitle(const QString &number)
{
    return QStringLiteral("Commande N° ") + number.trimmed();
}

} // namespace OrderPage
