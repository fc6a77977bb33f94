// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/numbertext.h"
#include "core/real48.h"
#include "core/textfile.h"
#include "order/bookview.h"
#include "order/orderformat.h"
#include "reports/purchasebook.h"
#include "reports/purchasecsv.h"
#include "reports/purchasereport.h"
#include "testsupport.h"

#include <QMap>
#include <cmath>
#include <random>

// Generated books whose totals the test works out on its own: exact integers where the order
// window's arithmetic is exact, long double where it divides, rounded half away from zero per
// order as its page shows it. Books are drawn so that no figure falls on a half cent. Each order
// keeps its page's VAT and the amount its prices were typed in; the third figure is the
// difference, and the VAT codes' figures, rounded each, give the cents they miss to those that
// lost most to rounding.
namespace {

constexpr long double euroRate = 6.55957L;
const long double Rates[3] = {20.6L, 0, 5.5L};
const long double OldRates[3] = {19.6L, 0, 5.5L}; // kept by the orders sent before a change

struct Expected {
    struct Cell {
        qint64 total = 0;
        QMap<int, qint64> periods; // period index -> cents
        qint64 previous = 0;
        int orders = 0; // in the period shown
        QString name;
        QDate latest;
    };
    QMap<QString, Cell> suppliers; // by code
    Cell unread;
    QMap<int, qint64> totals;
    qint64 grandTotal = 0;
    // By VAT group and rate as the heading shows it, then by period.
    QMap<std::pair<int, QString>, QMap<int, qint64>> base, vat;
    int orders = 0;
    int unreadDates = 0;
    int cancelled = 0; // in the period shown
    bool previousYear = false;
};

// Rounds half away from zero; false when the value is too near a half cent to tell.
bool roundCents(long double cents, qint64 &out)
{
    const long double fraction = std::fabs(cents - std::trunc(cents));
    if (std::fabs(fraction - 0.5L) < 1e-4L)
        return false;
    out = qint64(cents < 0 ? -std::floor(-cents + 0.5L) : std::floor(cents + 0.5L));
    return true;
}

struct OrderFigures {
    std::array<qint64, 3> main{}, second{}; // H.T., TVA, TTC
    std::array<qint64, 3> base{}, vat{};    // per group, main currency
    std::array<qint64, 3> base2{}, vat2{};  // per group, second currency
};

// The figures of one order from its rows (quantity, price in cents, discount, group, counted).
struct Row {
    int quantity;
    qint64 price;
    int discount;
    int group; // 0..2; -1: a row that counts in no group
};

// The groups' figures rounded each, then made to add up to `total` cent by cent.
bool shareOut(const std::array<long double, 3> &exact, qint64 total, std::array<qint64, 3> &out)
{
    for (int k = 0; k < 3; ++k)
        if (!roundCents(exact[k], out[k]))
            return false;
    qint64 missing = total - out[0] - out[1] - out[2];
    while (missing != 0) {
        const int step = missing > 0 ? 1 : -1;
        int best = -1;
        for (int k = 0; k < 3; ++k)
            if (exact[k] != 0 &&
                (best < 0 || (exact[k] - out[k]) * step > (exact[best] - out[best]) * step))
                best = k;
        out[best] += step;
        missing -= step;
    }
    return true;
}

bool figuresOf(const QList<Row> &rows, bool ttc, bool euroMode, const long double *rates,
               OrderFigures &f)
{
    std::array<long double, 3> t{0, 0, 0};
    for (const Row &r : rows)
        if (r.group >= 0)
            t[r.group] += (long double)r.quantity * r.price * (100 - r.discount) / 100;
    std::array<long double, 3> v{}, b{};
    for (int k = 0; k < 3; ++k) {
        v[k] = ttc ? t[k] - t[k] / (1 + rates[k] / 100) : t[k] * rates[k] / 100;
        b[k] = ttc ? t[k] - v[k] : t[k];
    }
    const long double vat = v[0] + v[1] + v[2];
    const long double lines = t[0] + t[1] + t[2];
    const long double ht = ttc ? lines - vat : lines;
    const long double incl = ttc ? lines : lines + vat;
    const auto other = [euroMode](long double cents) {
        return euroMode ? cents * euroRate : cents / euroRate;
    };
    // Main currency: the VAT and the typed amount as the page shows them; second currency:
    // the page's total including tax, and the VAT converted.
    if (!roundCents(vat, f.main[1]) || !roundCents(ttc ? incl : ht, f.main[ttc ? 2 : 0]) ||
        !roundCents(other(vat), f.second[1]) || !roundCents(other(incl), f.second[2]))
        return false;
    if (ttc)
        f.main[0] = f.main[2] - f.main[1];
    else
        f.main[2] = f.main[0] + f.main[1];
    f.second[0] = f.second[2] - f.second[1];
    std::array<long double, 3> b2{}, v2{};
    for (int k = 0; k < 3; ++k) {
        b2[k] = other(b[k]);
        v2[k] = other(v[k]);
    }
    return shareOut(b, f.main[0], f.base) && shareOut(v, f.main[1], f.vat) &&
           shareOut(b2, f.second[0], f.base2) && shareOut(v2, f.second[1], f.vat2);
}

QString money(qint64 cents)
{
    return QStringLiteral("%1,%2").arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0'));
}

struct Sample {
    unsigned seed;
    int orders;
    int ttcEvery;     // every n-th order has prices including tax (0: none)
    int damagedEvery; // every n-th order has a date line that is no date (0: none)
    bool euroMode;
    ReportChoice choice;
    int cancelledEvery = 0; // every n-th order was cancelled: it counts nowhere (0: none)
    QDate rateChange{};     // the orders before it were sent at the old rates (null: none)
};

// Writes the book and works out what the report must show for `sample.choice`.
QStringList generate(const Sample &sample, Expected &e)
{
    std::mt19937 random(sample.seed);
    const auto pick = [&random](int from, int to) {
        return std::uniform_int_distribution<int>(from, to)(random);
    };
    const int year = sample.choice.year;
    const int a = int(sample.choice.shown);
    const bool second = sample.choice.currency == Currency::Second;
    QStringList lines;
    for (int index = 0; index < sample.orders; ++index) {
        const bool ttc = sample.ttcEvery && index % sample.ttcEvery == 1;
        const bool damaged = sample.damagedEvery && index % sample.damagedEvery == 2;
        const QDate date(pick(2024, 2025), pick(1, 12), pick(1, 28));
        const int supplier = pick(0, 3);
        const bool old = date < sample.rateChange;
        const long double *rates = old ? OldRates : Rates;
        QList<Row> rows;
        OrderFigures f;
        do {
            rows.clear();
            for (int n = pick(1, 4); n > 0; --n)
                rows.append({pick(1, 9), pick(100, 99999), pick(0, 3) == 0 ? 20 : 0,
                             pick(0, 5) == 0 ? -1 : pick(0, 2)});
        } while (!figuresOf(rows, ttc, sample.euroMode, rates, f));

        OrderRecord r;
        r.number = QString::number(300000001 + index);
        r.date = date;
        r.supplierCode = QString::number(20001 + supplier);
        r.addressLines[0] = QStringLiteral("Fournisseur %1 de %2").arg(supplier).arg(date.year());
        r.includesVat = ttc;
        for (const Row &row : rows) {
            OrderLine l;
            l.designation = QStringLiteral("Article");
            l.unitPrice = money(row.price);
            l.discountPercent = row.discount ? QString::number(row.discount) : QString();
            // A row in no group: a quantity that is no number, or a code that is none.
            l.quantity = row.group < 0 && row.price % 2 ? QStringLiteral("trois")
                                                        : QString::number(row.quantity);
            l.vatCode = row.group < 0                        ? QStringLiteral("A")
                        : row.group == 0 && row.quantity % 2 ? QString()
                                                             : QString::number(row.group + 1);
            r.lines.append(l);
        }
        // Half the orders after the change were sent too: they keep the rates as typed.
        if (old || (sample.rateChange.isValid() && index % 2)) {
            r.life.sendings.append({date, OrderLife::Channel::Other});
            r.life.rates =
                OrderLife::Rates{euroRate, {rates[0], rates[1], rates[2]}, sample.euroMode, false};
        }
        const bool cancelled = sample.cancelledEvery && index % sample.cancelledEvery == 3;
        if (cancelled) {
            r.life.closing = OrderLife::Closing::Cancelled;
            r.life.closedOn = date;
        }
        QStringList block = OrderFormat::encodeBlock(r, index);
        if (damaged)
            block[2] = QStringLiteral("31/02/") + QString::number(date.year());
        lines += block;
        if (cancelled) {
            if (year == 0 || (!damaged && date.year() == year))
                ++e.cancelled;
            continue;
        }

        const qint64 amount = second ? f.second[a] : f.main[a];
        const QString code = r.supplierCode;
        Expected::Cell &cell = e.suppliers[code];
        // The latest dated order names the supplier; without any, the last order in the book.
        if (damaged ? !cell.latest.isValid() : !cell.latest.isValid() || date >= cell.latest) {
            if (!damaged)
                cell.latest = date;
            cell.name = r.addressLines[0];
        }
        // An order counts under the rates it has figures at.
        const auto addVat = [&](int period) {
            for (int k = 0; k < 3; ++k) {
                if (!f.base[k] && !f.vat[k] && !f.base2[k] && !f.vat2[k])
                    continue;
                const std::pair<int, QString> group{k, NumberText::rate(rates[k])};
                e.base[group][period] += second ? f.base2[k] : f.base[k];
                e.vat[group][period] += second ? f.vat2[k] : f.vat[k];
            }
        };
        if (damaged) {
            ++e.unreadDates;
            if (year != 0)
                continue;
            ++e.orders;
            e.unread.total += amount;
            e.grandTotal += amount;
            addVat(-1);
            continue;
        }
        if (year != 0 && date.year() == year - 1) {
            cell.previous += amount;
            e.previousYear = true;
            continue;
        }
        if (year != 0 && date.year() != year)
            continue;
        const int period = year ? date.month() - 1 : date.year() - 2024;
        ++e.orders;
        ++cell.orders;
        cell.total += amount;
        cell.periods[period] += amount;
        e.totals[period] += amount;
        e.grandTotal += amount;
        addVat(period);
    }
    return lines;
}

} // namespace

Q_DECLARE_METATYPE(Sample)

class TestPurchaseReport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void addsUp_data();
    void addsUp();
    void keptFiguresFollowChanges_data();
    void keptFiguresFollowChanges();
};

void TestPurchaseReport::addsUp_data()
{
    QTest::addColumn<Sample>("sample");
    const auto choice = [](int year, Amount amount, Currency currency) {
        return ReportChoice{year, amount, currency};
    };
    QTest::newRow("before tax, one year")
        << Sample{1, 60, 0, 0, false, choice(2025, Amount::BeforeTax, Currency::Main)};
    QTest::newRow("VAT against the previous year, cancelled orders")
        << Sample{2, 80, 0, 0, false, choice(2025, Amount::Vat, Currency::Main), 7};
    QTest::newRow("TTC orders, amounts including tax")
        << Sample{3, 80, 3, 0, false, choice(2025, Amount::IncludingTax, Currency::Main)};
    QTest::newRow("TTC orders, VAT taken out")
        << Sample{4, 80, 2, 0, false, choice(2024, Amount::Vat, Currency::Main)};
    QTest::newRow("damaged dates, every year, cancelled orders")
        << Sample{5, 70, 4, 7, false, choice(0, Amount::BeforeTax, Currency::Main), 5};
    QTest::newRow("damaged dates, one year")
        << Sample{6, 70, 0, 5, false, choice(2025, Amount::IncludingTax, Currency::Main)};
    QTest::newRow("francs book in euros")
        << Sample{7, 60, 3, 0, false, choice(2025, Amount::IncludingTax, Currency::Second)};
    QTest::newRow("euro book in francs, every year")
        << Sample{8, 60, 4, 9, true, choice(0, Amount::BeforeTax, Currency::Second)};
    QTest::newRow("VAT rate changed in July, sent orders kept the old one") << Sample{
        9, 80, 3, 0, false, choice(2025, Amount::Vat, Currency::Main), 0, QDate(2025, 7, 1)};
}

void TestPurchaseReport::addsUp()
{
    QFETCH(Sample, sample);
    Expected e;
    const QStringList lines = generate(sample, e);
    Settings settings;
    settings.euroMode = sample.euroMode ? 1 : 0;
    // As a settings file holds them: the 6-byte form's last digits differ from a rate typed.
    if (sample.rateChange.isValid())
        for (Real &rate : settings.vatRates)
            rate = *Real48::store(rate);
    const PurchaseBook book(BookView(TextLines(lines), settings));
    const PurchaseReport report(book, sample.choice);

    QCOMPARE(report.orderCount(), e.orders);
    QCOMPARE(report.unreadDates(), e.unreadDates);
    QCOMPARE(report.cancelled(), e.cancelled);
    QCOMPARE(report.hasEvolution(), e.previousYear);
    const QString covered =
        sample.choice.year ? QString::number(sample.choice.year) : QStringLiteral("Toutes");
    QVERIFY2(report.coverage().startsWith(covered + QStringLiteral(" : ") +
                                          QString::number(e.orders) + QStringLiteral(" commandes")),
             qPrintable(report.coverage()));

    // Suppliers, largest total first, then the orders without a date.
    qint64 before = std::numeric_limits<qint64>::max();
    int suppliers = 0;
    for (const PurchaseReport::Row &row : report.rows()) {
        if (row.unreadDates) {
            QCOMPARE(row.name, QStringLiteral("Date illisible"));
            QCOMPARE(row.total, e.unread.total);
            QCOMPARE(&row, &report.rows().last());
            continue;
        }
        ++suppliers;
        QVERIFY(row.total <= before);
        before = row.total;
        QVERIFY2(e.suppliers.contains(row.code), qPrintable(row.code));
        const Expected::Cell &cell = e.suppliers.value(row.code);
        QCOMPARE(row.name, cell.name);
        QCOMPARE(row.total, cell.total);
        for (int p = 0; p < report.periods().size(); ++p)
            QCOMPARE(row.cells.at(p), cell.periods.value(p));
        if (e.previousYear)
            QCOMPARE(row.previous, cell.previous);
    }
    QCOMPARE(suppliers, int(std::count_if(e.suppliers.cbegin(), e.suppliers.cend(),
                                          [](const Expected::Cell &c) { return c.orders > 0; })));
    QCOMPARE(report.rows().last().unreadDates, sample.choice.year == 0 && e.unreadDates > 0);
    QCOMPARE(report.totals().total, e.grandTotal);
    for (int p = 0; p < report.periods().size(); ++p)
        QCOMPARE(report.totals().cells.at(p), e.totals.value(p));

    // Per VAT code at each of its rates met (every code at least once, by code, then rate) and
    // period, the row without a date last.
    QList<std::pair<int, QString>> groups;
    for (const PurchaseReport::VatGroup &group : report.vatGroups()) {
        QVERIFY(groups.isEmpty() || groups.last().first < group.code - 1 ||
                (groups.last().first == group.code - 1 &&
                 report.vatGroups().at(groups.size() - 1).rate < group.rate));
        groups.append({group.code - 1, NumberText::rate(group.rate)});
    }
    QCOMPARE(groups.first().first, 0);
    QCOMPARE(groups.last().first, 2);
    for (const auto &group : e.base.keys())
        QVERIFY2(groups.contains(group), qPrintable(group.second));
    for (const PurchaseReport::VatRow &row : report.vatRows()) {
        const int period = row.unreadDates ? -1 : int(report.periods().indexOf(row.period));
        for (qsizetype c = 0; c < groups.size(); ++c) {
            QCOMPARE(row.base.value(c), e.base.value(groups.at(c)).value(period));
            QCOMPARE(row.vat.value(c), e.vat.value(groups.at(c)).value(period));
        }
    }
    for (qsizetype c = 0; c < groups.size(); ++c) {
        qint64 base = 0;
        for (qint64 v : e.base.value(groups.at(c)))
            base += v;
        QCOMPARE(report.vatTotals().base.value(c), base);
    }

    // The pages reconcile: on every row and total, H.T. + TVA = TTC, and the VAT page's bases
    // and VAT add up to the supplier page's H.T. and TVA.
    const auto with = [&](Amount amount) {
        ReportChoice choice = sample.choice;
        choice.shown = amount;
        return PurchaseReport(book, choice);
    };
    const PurchaseReport ht = with(Amount::BeforeTax);
    const PurchaseReport vat = with(Amount::Vat);
    const PurchaseReport ttc = with(Amount::IncludingTax);
    QCOMPARE(ht.rows().size(), ttc.rows().size());
    const auto reconciles = [](const PurchaseReport::Row &h, const PurchaseReport::Row &v,
                               const PurchaseReport::Row &t) {
        QCOMPARE(h.code, t.code);
        QCOMPARE(h.total + v.total, t.total);
        for (qsizetype p = 0; p < t.cells.size(); ++p)
            QCOMPARE(h.cells.at(p) + v.cells.at(p), t.cells.at(p));
    };
    // The rows of one supplier, found by code: two of them may have the same total.
    for (const PurchaseReport::Row &t : ttc.rows()) {
        const auto of = [&t](const PurchaseReport &r) {
            return *std::find_if(r.rows().cbegin(), r.rows().cend(), [&t](const auto &row) {
                return row.code == t.code && row.unreadDates == t.unreadDates;
            });
        };
        reconciles(of(ht), of(vat), t);
    }
    reconciles(ht.totals(), vat.totals(), ttc.totals());
    for (qsizetype p = 0; p < ttc.vatRows().size(); ++p) {
        const PurchaseReport::VatRow &row = ttc.vatRows().at(p);
        if (row.unreadDates)
            continue;
        QCOMPARE(row.totalBase(), ht.totals().cells.at(p));
        QCOMPARE(row.totalVat(), vat.totals().cells.at(p));
    }
    QCOMPARE(ttc.vatTotals().totalBase(), ht.totals().total);
    QCOMPARE(ttc.vatTotals().totalVat(), vat.totals().total);
}

// What the reports keep between two readings of a book (PurchaseBook::Cache, the CSV's rows)
// against a reading from nothing, after each kind of change.
void TestPurchaseReport::keptFiguresFollowChanges_data()
{
    QTest::addColumn<QString>("change");
    for (const char *change : {"nothing", "a quantity edited", "edited, then undone",
                               "an order cancelled", "two orders swapped", "a VAT rate changed"})
        QTest::newRow(change) << QString::fromLatin1(change);
}

void TestPurchaseReport::keptFiguresFollowChanges()
{
    QFETCH(QString, change);
    TextLines original;
    QVERIFY(TextFile::read(
        qEnvironmentVariable("QOR_TEST_DATA") + QStringLiteral("/reports/achats.cmd"), original));
    Settings settings;
    settings.euroMode = 1;
    TextLines lines = original;
    Settings changedSettings = settings;
    const qsizetype ramette = lines.indexOf(QStringLiteral("CMDERamette A4\t5\t4,9\t\t\t1"));
    QVERIFY(ramette > 0);
    if (change == QLatin1String("a quantity edited") ||
        change.startsWith(QLatin1String("edited"))) {
        lines.replace(ramette, QStringLiteral("CMDERamette A4\t7\t4,9\t\t\t1"));
    } else if (change == QLatin1String("an order cancelled")) {
        lines.insert(ramette + 2, TextLines({QStringLiteral("ANNU05/02/2026")}));
    } else if (change == QLatin1String("two orders swapped")) {
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (lines.at(i).contains(QLatin1String("BLOC0000")))
                lines.replace(i, QString(lines.at(i)).replace(QLatin1String("0000"), "0001"));
            else if (lines.at(i).contains(QLatin1String("BLOC0001")))
                lines.replace(i, QString(lines.at(i)).replace(QLatin1String("0001"), "0000"));
    }
    if (change == QLatin1String("a VAT rate changed"))
        changedSettings.vatRates[0] = 19.6L;

    // Read once as it was, then (for the undo, twice more) as it is.
    PurchaseBook::Cache cache;
    CsvFile first;
    (void)PurchaseBook(BookView(original, settings), &cache);
    PurchaseCsv::orderLines(BookView(original, settings), 0, first);
    if (change.startsWith(QLatin1String("edited"))) {
        (void)PurchaseBook(BookView(lines, changedSettings), &cache);
        CsvFile between;
        PurchaseCsv::orderLines(BookView(lines, changedSettings), 0, between);
        lines = original;
    }
    const BookView now(lines, changedSettings);
    const PurchaseBook kept(now, &cache);
    CsvFile keptCsv;
    PurchaseCsv::orderLines(now, 0, keptCsv);
    const PurchaseBook fresh(BookView(TextLines(lines.toStringList()), changedSettings));
    CsvFile other(CsvFile::Format::Standard); // a file of another format keeps nothing
    PurchaseCsv::orderLines(now, 0, other);
    CsvFile freshCsv;
    PurchaseCsv::orderLines(now, 0, freshCsv);

    QCOMPARE(kept.orders().size(), fresh.orders().size());
    for (qsizetype i = 0; i < fresh.orders().size(); ++i) {
        const PurchaseOrder &a = kept.orders().at(i);
        const PurchaseOrder &b = fresh.orders().at(i);
        QCOMPARE(a.blockIndex, b.blockIndex);
        QCOMPARE(a.number, b.number);
        QCOMPARE(a.cancelled, b.cancelled);
        QCOMPARE(a.supplier, b.supplier);
        for (const Currency in : {Currency::Main, Currency::Second}) {
            for (const Amount amount : {Amount::BeforeTax, Amount::Vat, Amount::IncludingTax})
                QCOMPARE(a.total(amount, in), b.total(amount, in));
            for (int g = 0; g < 3; ++g) {
                QCOMPARE(a.base(g, in), b.base(g, in));
                QCOMPARE(a.vat(g, in), b.vat(g, in));
                QCOMPARE(a.vatRate(g), b.vatRate(g));
            }
        }
    }
    QCOMPARE(kept.years(), fresh.years());
    QCOMPARE(QString::fromUtf8(keptCsv.bytes()), QString::fromUtf8(freshCsv.bytes()));
    QCOMPARE(keptCsv.bytes() == first.bytes(),
             change == QLatin1String("nothing") || change.startsWith(QLatin1String("edited")));
}

QTEST_GUILESS_MAIN(TestPurchaseReport)
#include "test_purchasereport.moc"
