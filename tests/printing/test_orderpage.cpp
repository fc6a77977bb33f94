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
    in.record.Number = QStringLiteral("200003001");
    in.record.Date = QDate(2000, 3, 4);
    in.record.PaymentTerms = QStringLiteral("A 30 jours");
    in.record.AddressLines = {QStringLiteral("Dupont SA"), QString(), QString(),
                              QStringLiteral("75001 Paris")};
    OrderLine first{QStringLiteral(" Vis "), QStringLiteral("   2"),   QStringLiteral(" 10,50 "),
                    QStringLiteral("  5"),   QStringLiteral(" 19,95"), QStringLiteral("1 ")};
    OrderLine third;
    third.Designation = QStringLiteral("Clous");
    in.record.Lines = {first, OrderLine(), third};
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
        const PageItems items = OrderPage::build(sampleOrder(), paperType);
        const auto lines = std::count_if(
            items.begin(), items.end(), [](const PageItem &i) { return i.kind != PageItem::Text; });
        QCOMPARE(lines, frame ? 13 : 0);
        if (frame) // the filled frame goes under everything else
            QCOMPARE(items.first(), PageItem::rect(20, 90, 190, 270));
        QCOMPARE(has(items, PageItem::textAt(108, 255, QStringLiteral("Total TTC"), 12, true)),
                 frame);
        QCOMPARE(has(items, PageItem::textAt(161, 92, QStringLiteral("Montant H.T."), 10, true)),
                 frame);
        QCOMPARE(has(items, PageItem::textAt(20, 0, QStringLiteral("Société 1"), 14, true)),
                 letterhead);
        QCOMPARE(has(items, PageItem::textAt(20, 30, QStringLiteral("Société 7"), 10, true)),
                 letterhead);
        QVERIFY(findText(items, QStringLiteral("Commande N° 200003001")));
    }

    void orderData()
    {
        OrderPageInput in = sampleOrder();
        in.record.IncludesVat = true;
        in.record.Memo = QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
        const PageItems items = OrderPage::build(in, 1);
        const QList<PageItem> expected = {
            PageItem::textAt(161, 92, QStringLiteral("Montant TTC"), 10, true),
            PageItem::textAt(116, 60, QStringLiteral("Dupont SA"), 10),
            PageItem::textAt(116, 75, QStringLiteral("75001 Paris"), 10),
            PageItem::textAt(116, 84, QStringLiteral("Date 04/03/2000"), 12, true),
            PageItem::textAt(20, 84, QStringLiteral("Commande N° 200003001"), 12, true),
            PageItem::textAt(20, 273, QStringLiteral("Réglement : A 30 jours"), 10),
            PageItem::textEndingAt(104, 248, QStringLiteral("22,95"), 12),
            PageItem::textEndingAt(104, 261, QStringLiteral("4,73"), 12),
            PageItem::textEndingAt(189, 248, QStringLiteral("27,68 Francs"), 12, true),
            PageItem::textEndingAt(189, 261, QStringLiteral("4,22 Euros"), 12, true),
            // Row k at 100 + 5k; numeric cells trimmed and ending at their column's edge.
            PageItem::textAt(22, 105, QStringLiteral(" Vis "), 12),
            PageItem::textEndingAt(124, 105, QStringLiteral("2"), 12),
            PageItem::textEndingAt(149, 105, QStringLiteral("10,50"), 12),
            PageItem::textEndingAt(159, 105, QStringLiteral("5"), 12),
            PageItem::textEndingAt(184, 105, QStringLiteral("19,95"), 12),
            PageItem::textAt(186, 105, QStringLiteral("1 "), 12),
            PageItem::textAt(22, 115, QStringLiteral("Clous"), 12),
            // The note ends at 215 and grows upwards.
            PageItem::textAt(22, 205, QStringLiteral("a"), 10),
            PageItem::textAt(22, 215, QStringLiteral("c"), 10),
        };
        for (const PageItem &item : expected)
            QVERIFY2(has(items, item), qPrintable(item.text));
        QVERIFY(!findText(items, QStringLiteral("Montant H.T.")));
        for (const PageItem &item : items)
            QVERIFY(item.y != 110); // row 2 is a blank band
    }

    void rowsFollowLastRowUnclipped()
    {
        OrderPageInput in = sampleOrder();
        in.lastRow = 0; // an order without lines: no row band at all
        for (const PageItem &item : OrderPage::build(in, 0))
            QVERIFY2(item.y < 105 || item.y >= 245, qPrintable(item.text));
        in.lastRow = 1;
        QVERIFY(!findText(OrderPage::build(in, 2), QStringLiteral("Clous")));
        in.lastRow = 30; // rows past the list print blank; row 30 would cross the totals band
        in.record.Lines << QList<OrderLine>(26) << row({QStringLiteral("L30")});
        QCOMPARE(findText(OrderPage::build(in, 2), QStringLiteral("L30"))->y, 250);
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
        QCOMPARE(scale.Mh(20), 20 * factor);
        QCOMPARE(scale.Mv(90), 95 * (widthMm ? factor : 2 * widthPx)); // every y 5 mm lower
    }

    void envelope()
    {
        const OrderPageInput in = sampleOrder();
        const PageItems expected = {PageItem::textAt(5, 5, QStringLiteral("Société 1"), 10),
                                    PageItem::textAt(5, 10, QStringLiteral("Société 2"), 10),
                                    PageItem::textAt(5, 15, QStringLiteral("Société 3"), 10),
                                    PageItem::textAt(5, 20, QStringLiteral("Société 4"), 10),
                                    PageItem::textAt(110, 50, QStringLiteral("Dupont SA"), 10),
                                    PageItem::textAt(110, 65, QStringLiteral("75001 Paris"), 10)};
        QCOMPARE(EnvelopePage::build(in.companyLines, in.record.AddressLines), expected);
        QCOMPARE(EnvelopePage::build(in.companyLines, {}), expected.mid(0, 4));
    }
};

QTEST_GUILESS_MAIN(TestOrderPage)
#include "test_orderpage.moc"
