// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/envelopepage.h"
#include "printing/orderpage.h"
#include "testsupport.h"

namespace {

// A grid row from its cells, from column 0 on.
OrderLine row(const QStringList &cells)
{
    OrderLine line;
    for (int i = 0; i < cells.size(); ++i)
        line.setCell(i, cells.at(i));
    return line;
}

OrderPageInput sampleOrder()
{
    OrderPageInput in;
    in.record.number = QStringLiteral("200003001");
    in.record.date = QDate(2000, 3, 4);
    in.record.paymentTerms = QStringLiteral("A 30 jours");
    in.record.addressLines = {QStringLiteral("Dupont SA"), QString(), QString(),
                              QStringLiteral("75001 Paris")};
    OrderLine first{QStringLiteral(" Vis "), QStringLiteral("   2"),   QStringLiteral(" 10,50 "),
                    QStringLiteral("  5"),   QStringLiteral(" 19,95"), QStringLiteral("1 ")};
    OrderLine third;
    third.designation = QStringLiteral("Clous");
    in.record.lines = {first, OrderLine(), third};
    in.lastRow = 3;
    in.totals = {QStringLiteral("22,95"), QStringLiteral("4,73"), QStringLiteral("27,68"),
                 QStringLiteral("4,22")};
    in.mainCurrency = QStringLiteral("Francs");
    in.secondCurrency = QStringLiteral("Euros");
    for (int i = 0; i < 7; ++i)
        in.companyLines[i] = QStringLiteral("Société %1").arg(i + 1);
    return in;
}

const PageItem *findText(const PageItems &items, const QString &text)
{
    for (const PageItem &item : items) {
        if (item.kind == PageItem::Text && item.text == text)
            return &item;
    }
    return nullptr;
}

bool has(const PageItems &items, const PageItem &item)
{
    return items.contains(item);
}

} // namespace

class TestOrderPage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void layersByPaperType_data()
    {
        QTest::addColumn<int>("paperType");
        QTest::addColumn<bool>("frame");
        QTest::addColumn<bool>("letterhead");
        QTest::newRow("plain") << 0 << true << true;
        QTest::newRow("letterhead") << 1 << true << false;
        QTest::newRow("pre-printed") << 2 << false << false;
        QTest::newRow("unknown value") << 7 << false << false;
    }
    void layersByPaperType()
    {
        QFETCH(int, paperType);
        QFETCH(bool, frame);
        QFETCH(bool, letterhead);
        const PageItems items = OrderPage::build(sampleOrder(), paperType).first();
        const auto lines = std::count_if(
            items.begin(), items.end(), [](const PageItem &i) { return i.kind != PageItem::Text; });
        QCOMPARE(lines, frame ? 13 : 0);
        if (frame) // the filled frame goes under everything else
            QCOMPARE(items.first(), PageItem::rect(20, 90, 190, 270));
        QCOMPARE(has(items, PageItem::textAt(108, 255, QStringLiteral("Total TTC"), 12, true)),
                 frame);
        QCOMPARE(has(items, PageItem::textAt(161, 92, QStringLiteral("Montant H.T."), 10, true)),
                 frame);
        const int edge = PageItem::ToEdge;
        QCOMPARE(has(items, PageItem::textAt(20, 0, "Société 1", 14, true).within(edge)),
                 letterhead);
        QCOMPARE(has(items, PageItem::textAt(20, 30, "Société 7", 10, true).within(edge)),
                 letterhead);
        QVERIFY(findText(items, QStringLiteral("Commande N° 200003001")));

        OrderPageInput expected = sampleOrder();
        expected.record.life.expected = QDate(2000, 3, 10);
        const PageItems withExpected = OrderPage::build(expected, paperType).first();
        QCOMPARE(bool(findText(withExpected, QStringLiteral("Livraison prévue le 10/03/2000"))),
                 frame);
        QVERIFY(!findText(items, QStringLiteral("Livraison prévue le 10/03/2000")));
    }

    void orderData()
    {
        OrderPageInput in = sampleOrder();
        in.record.includesVat = true;
        in.record.note = QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
        const Pages pages = OrderPage::build(in, 1);
        QCOMPARE(pages.size(), 1);
        const PageItems &items = pages.first();
        // Texts keep to their column, their box, or the printable area; amounts stay whole.
        const int edge = PageItem::ToEdge;
        const QList<PageItem> expected = {
            PageItem::textAt(161, 92, QStringLiteral("Montant TTC"), 10, true),
            PageItem::textAt(116, 60, QStringLiteral("Dupont SA"), 10).within(edge),
            PageItem::textAt(116, 75, QStringLiteral("75001 Paris"), 10).within(edge),
            PageItem::textAt(116, 84, QStringLiteral("Date 04/03/2000"), 12, true),
            PageItem::textAt(20, 84, QStringLiteral("Commande N° 200003001"), 12, true),
            PageItem::textAt(20, 273, QStringLiteral("Réglement : A 30 jours"), 10).within(edge),
            PageItem::textEndingAt(104, 248, QStringLiteral("22,95"), 12).within(28, true),
            PageItem::textEndingAt(104, 261, QStringLiteral("4,73"), 12).within(28, true),
            PageItem::textEndingAt(189, 248, "27,68 Francs", 12, true).within(48, true),
            PageItem::textEndingAt(189, 261, "4,22 Euros", 12, true).within(48, true),
            // Row k at 100 + 5k; numeric cells trimmed and ending at their column's edge.
            PageItem::textAt(22, 105, QStringLiteral(" Vis "), 12).within(92),
            PageItem::textEndingAt(124, 105, QStringLiteral("2"), 12).within(8, true),
            PageItem::textEndingAt(149, 105, QStringLiteral("10,50"), 12).within(23, true),
            PageItem::textEndingAt(159, 105, QStringLiteral("5"), 12).within(8, true),
            PageItem::textEndingAt(184, 105, QStringLiteral("19,95"), 12).within(23, true),
            PageItem::textAt(186, 105, QStringLiteral("1 "), 12).within(3, true),
            PageItem::textAt(22, 115, QStringLiteral("Clous"), 12).within(92),
            // The note ends at 215 and grows upwards.
            PageItem::textAt(22, 205, QStringLiteral("a"), 10).within(167),
            PageItem::textAt(22, 215, QStringLiteral("c"), 10).within(167),
        };
        for (const PageItem &item : expected)
            QVERIFY2(has(items, item), qPrintable(item.text));
        QVERIFY(!findText(items, QStringLiteral("Montant H.T.")));
        for (const PageItem &item : items)
            QVERIFY(item.y != 110); // row 2 is a blank band
    }

    // Every row once, in its band of its page, never on the totals band; the note after the
    // last row and never over one; the first page as a page of 28 rows is.
    void rowsFollowLastRowOverPages_data()
    {
        QTest::addColumn<int>("lastRow");
        QTest::addColumn<int>("noteLines");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QPoint>("firstNote"); // (page, y)
        QTest::addColumn<QPoint>("lastNote");
        const QPoint none;
        QTest::newRow("29 rows") << 29 << 0 << 2 << none << none;
        QTest::newRow("the whole grid") << 63 << 0 << 3 << none << none;
        QTest::newRow("note under the rows") << 10 << 5 << 1 << QPoint(0, 195) << QPoint(0, 215);
        QTest::newRow("note after the last row")
            << 20 << 5 << 1 << QPoint(0, 205) << QPoint(0, 225);
        QTest::newRow("note on a page of its own")
            << 28 << 1 << 2 << QPoint(1, 215) << QPoint(1, 215);
        QTest::newRow("note longer than a page")
            << 20 << 40 << 3 << QPoint(0, 205) << QPoint(2, 120);
    }
    void rowsFollowLastRowOverPages()
    {
        QFETCH(int, lastRow);
        QFETCH(int, noteLines);
        QFETCH(int, pages);
        QFETCH(QPoint, firstNote);
        QFETCH(QPoint, lastNote);
        OrderPageInput in = sampleOrder();
        in.lastRow = lastRow;
        in.record.lines.clear();
        for (int k = 1; k <= lastRow; ++k)
            in.record.lines << row({QStringLiteral("L%1").arg(k), QStringLiteral("1")});
        in.record.note.clear();
        for (int i = 1; i <= noteLines; ++i)
            in.record.note << QStringLiteral("N%1").arg(i);
        const Pages printed = OrderPage::build(in, 0);
        QCOMPARE(printed.size(), pages);

        QList<QPoint> notes;
        for (int p = 0; p < pages; ++p) {
            const PageItems &items = printed.at(p);
            QSet<int> bands; // rows and note lines start at 22
            for (const PageItem &item : items) {
                if (item.kind != PageItem::Text || item.x != 22 || item.y < 100)
                    continue;
                QVERIFY2(item.y >= 105 && item.y <= 240, qPrintable(item.text));
                QVERIFY2(!bands.contains(item.y), qPrintable(item.text));
                bands << item.y;
                if (item.text.startsWith(QLatin1Char('N')))
                    notes << QPoint(p, item.y);
            }
        }
        for (int k = 1; k <= lastRow; ++k) {
            const PageItem *designation =
                findText(printed.at((k - 1) / 28), QStringLiteral("L%1").arg(k));
            QVERIFY(designation);
            QCOMPARE(designation->y, 100 + 5 * ((k - 1) % 28 + 1));
        }
        QCOMPARE(notes.size(), noteLines);
        if (noteLines) {
            QCOMPARE(notes.first(), firstNote);
            QCOMPARE(notes.last(), lastNote);
        }

        // Above the totals band the first page is the page of the first 28 rows.
        const auto upper = [](PageItems items) {
            items.removeIf([](const PageItem &item) { return item.y >= 245; });
            return items;
        };
        if (lastRow > 28 && !noteLines) {
            in.lastRow = 28;
            QCOMPARE(upper(printed.first()), upper(OrderPage::build(in, 0).first()));
        }
    }

    void scaleUsesWholePixelsPerMillimetre_data()
    {
        QTest::addColumn<int>("widthPx");
        QTest::addColumn<int>("widthMm");
        QTest::addColumn<int>("factor");
        QTest::newRow("1200 dpi A4") << 9583 << 203 << 47;
        QTest::newRow("23.6 px/mm") << 4956 << 210 << 23;
        QTest::newRow("300 dpi") << 2398 << 203 << 11;
        QTest::newRow("no physical size") << 800 << 0 << 800;
    }
    void scaleUsesWholePixelsPerMillimetre()
    {
        QFETCH(int, widthPx);
        QFETCH(int, widthMm);
        QFETCH(int, factor);
        const PageScale scale = PageScale::forDevice(widthPx, widthMm, 2 * widthPx, 2 * widthMm);
        QCOMPARE(scale.deviceX(20), 20 * factor);
        QCOMPARE(scale.deviceY(90), 95 * (widthMm ? factor : 2 * widthPx)); // every y 5 mm lower
    }

    void envelope()
    {
        const OrderPageInput in = sampleOrder();
        // Every line within the envelope's printable area.
        const int edge = PageItem::ToEdge;
        const PageItems expected = {PageItem::textAt(5, 5, "Société 1", 10).within(edge),
                                    PageItem::textAt(5, 10, "Société 2", 10).within(edge),
                                    PageItem::textAt(5, 15, "Société 3", 10).within(edge),
                                    PageItem::textAt(5, 20, "Société 4", 10).within(edge),
                                    PageItem::textAt(110, 50, "Dupont SA", 10).within(edge),
                                    PageItem::textAt(110, 65, "75001 Paris", 10).within(edge)};
        QCOMPARE(EnvelopePage::build(in.companyLines, in.record.addressLines), expected);
        QCOMPARE(EnvelopePage::build(in.companyLines, {}), expected.mid(0, 4));
    }
};

QTEST_GUILESS_MAIN(TestOrderPage)
#include "test_orderpage.moc"
