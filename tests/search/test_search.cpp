// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/csvfile.h"
#include "core/numbertext.h"
#include "core/textfile.h"
#include "order/orderdocument.h"
#include "search/articlememory.h"
#include "search/searchindex.h"
#include "search/searchresultsmodel.h"
#include "testsupport.h"

#include <QPoint>
#include <QtTest>
#include <tuple>

namespace {

// An order of the template block with its own number, date, supplier, lines and note, and
// what became of it (lines of four capitals, as they stand).
QStringList order(int index, const QString &number, const QString &date, const QString &code,
                  const QString &name, const QStringList &lines, const QStringList &note = {},
                  const QString &terms = QStringLiteral("A réception"),
                  const QStringList &life = {})
{
    TestBooks::Order o{number.leftJustified(9), date, code, terms, {name, {}, {}, {}},
                       {QStringLiteral("TTCN")}};
    for (const QString &line : lines)
        o.body << QStringLiteral("CMDE") + line;
    for (const QString &line : note)
        o.body << QStringLiteral("MEMO") + line;
    o.body += life;
    return TestBooks::block(index, o);
}

// A book opened in a document whose search index listens to it.
struct Book {
    TemporaryWorkingDir dir;
    FakePlatform desktop{QDateTime(QDate(2000, 5, 2), QTime(9, 0))};
    OrderDocument document;
    SearchIndex index{BookView(document)};

    explicit Book(const QList<QStringList> &orders)
    {
        document.setBookListener(&index);
        QStringList lines;
        for (const QStringList &o : orders)
            lines += o;
        const QString name = dir.file(QStringLiteral("c.cmd"));
        if (!TextFile::write(name, TextLines(lines)) || !document.loadBook(name).ok())
            QTest::qFail("the book was not opened", __FILE__, __LINE__);
    }
};

QList<QStringList> everyKind()
{
    return {order(0, "200001001", "01/03/2000", "10023", "Dupont SARL",
                  {"Cartouche de toner noir\t2\t      12,50\t\t      25,00\t1",
                   "Œufs frais\t1\t3,00\t\t3,00\t1"},
                  {"Livrer à l'accueil"}, "Réglement à 30 jours"),
            order(1, "200002001", "15/02/2000", "10024", "Martin & Fils",
                  {"Ramette A4\t10\t4,20\t5\t39,90\t3", "Agrafes 24/6\t1\t2,00\t\t2,00\t1"},
                  {"Façade côté cour"}, "A réception",
                  {"ENVO01/03/2000\tAUTRE", "RECU05/03/2000\t1=10"}),
            // Damaged: its date is no date, its cells no numbers.
            order(2, "200003001", "31/02/2000", "10023", "Dupont SARL",
                  {"Toner couleur\tdeux\tdouze\t\t\t1"}),
            order(3, "200004001", "10/04/2000", "10025", "Leroy",
                  {"vis sans tabulation", "Boîte de 100 vis à bois\t1\t=SUM(A1)\t\t\t1"}, {},
                  "A réception", {"ENVO11/04/2000\tCOURRIEL"})};
}

// Orders that all hold "zeta", each in another place, with their dates, numbers, suppliers and
// totals spread, ties and orders without a date or a total among them.
QList<QStringList> manyOrders(int count)
{
    QList<QStringList> orders;
    for (int i = 0; i < count; ++i) {
        const bool damaged = i % 37 == 5; // no date, so no total either
        const QString date =
            damaged ? QStringLiteral("31/02/2001")
                    : QDate(2001, 1, 1).addDays(i * 7 % 300).toString(QStringLiteral("dd/MM/yyyy"));
        const QString name = QStringList{"Zeta Dupont", "martin", "Martin", "Leroy"}.at(i % 4);
        QStringList lines;
        for (int row = 1; row <= i % 6 + 1; ++row)
            lines << QStringLiteral("Article %1\t%2\t%3,50\t\t\t1").arg(row).arg(row).arg(i % 23);
        if (i % 5 == 1)
            lines[i % lines.size()].replace(QStringLiteral("Article"), QStringLiteral("zeta"));
        orders << order(i, QString::number(200100000 + i % 250), date,
                        "1002" + QString::number(i % 4), name, lines,
                        {i % 5 == 2 ? "Note zeta" : "Note"},
                        i % 5 == 3 || i % 4 != 0 ? "Zeta 30 jours" : "A réception");
    }
    return orders;
}

} // namespace

class TestSearch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void matching_data();
    void matching();
    void resultsFollowTheBook();
    void sortedByEveryColumn_data();
    void sortedByEveryColumn();
    void articles();
    void csv_data();
    void csv();
};

void TestSearch::matching_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<SearchFilter>("filter");
    QTest::addColumn<QList<int>>("found");
    QTest::addColumn<QString>("where");    // of the first order found
    QTest::addColumn<QStringList>("bold"); // in it
    const SearchFilter none;
    const QList<int> nothing;
    QTest::newRow("word in a designation, damaged order too")
        << "toner" << none << QList<int>{0, 2} << "Désignation, ligne 1 : Cartouche de toner noir"
        << QStringList{"toner"};
    QTest::newRow("letter case") << "TONER" << none << QList<int>{0, 2} << "" << QStringList();
    QTest::newRow("accents ignored")
        << "reglement" << none << QList<int>{0} << "Conditions : Réglement à 30 jours"
        << QStringList{"Réglement"};
    QTest::newRow("accent typed") << "réglement" << none << QList<int>{0} << "" << QStringList();
    QTest::newRow("oe finds œ") << "oeufs" << none << QList<int>{0}
                                << "Désignation, ligne 2 : Œufs frais" << QStringList{"Œufs"};
    QTest::newRow("œ finds œ") << "ŒUF" << none << QList<int>{0} << "" << QStringList();
    QTest::newRow("ç and ô in the note")
        << "facade cote" << none << QList<int>{1} << "Note : Façade côté cour"
        << QStringList{"Façade", "côté"};
    QTest::newRow("words in different fields")
        << "toner dupont" << none << QList<int>{0, 2} << "" << QStringList();
    QTest::newRow("every word needed") << "toner martin" << none << nothing << "" << QStringList();
    QTest::newRow("words in any order")
        << "noir cartouche" << none << QList<int>{0}
        << "Désignation, ligne 1 : Cartouche de toner noir" << QStringList{"Cartouche", "noir"};
    QTest::newRow("phrase") << "\"toner noir\"" << none << QList<int>{0} << "" << QStringList();
    QTest::newRow("phrase in another order")
        << "\"noir toner\"" << none << nothing << "" << QStringList();
    QTest::newRow("phrase never spans two cells")
        << "\"ramette a4 10\"" << none << nothing << "" << QStringList();
    QTest::newRow("amount as shown") << "12,50" << none << QList<int>{0}
                                     << "Prix unitaire, ligne 1 : 12,50" << QStringList{"12,50"};
    QTest::newRow("a point is a point") << "12.50" << none << nothing << "" << QStringList();
    QTest::newRow("no wildcard") << "vis*" << none << nothing << "" << QStringList();
    QTest::newRow("text without separators")
        << "sans tabulation" << none << QList<int>{3} << "Code TVA, ligne 1 : vis sans tabulation"
        << QStringList{"sans", "tabulation"};
    QTest::newRow("a formula is text") << "=sum" << none << QList<int>{3} << "" << QStringList();
    QTest::newRow("number") << "200004001" << none << QList<int>{3} << "N° : 200004001"
                            << QStringList{"200004001"};
    QTest::newRow("date") << "15/02" << none << QList<int>{1} << "" << QStringList();
    QTest::newRow("nothing typed") << "" << none << nothing << "" << QStringList();
    QTest::newRow("supplier by name")
        << "" << SearchFilter{{}, {}, "dupont", {}} << QList<int>{0, 2} << "" << QStringList();
    QTest::newRow("supplier by code")
        << "vis" << SearchFilter{{}, {}, "10025", {}} << QList<int>{3} << "" << QStringList();
    QTest::newRow("dates: an order without one is outside")
        << "" << SearchFilter{QDate(2000, 3, 1), QDate(2000, 4, 30), {}, {}} << QList<int>{0, 3}
        << "" << QStringList();
    QTest::newRow("open end") << "toner" << SearchFilter{{}, QDate(2000, 3, 1), {}, {}}
                              << QList<int>{0} << "" << QStringList();
    using State = OrderState::State;
    QTest::newRow("state: drafts, a damaged order too")
        << "" << SearchFilter{{}, {}, {}, State::Draft} << QList<int>{0, 2} << "" << QStringList();
    QTest::newRow("state: sent") << "vis" << SearchFilter{{}, {}, {}, State::Sent} << QList<int>{3}
                                 << "" << QStringList();
    QTest::newRow("state: a line still due")
        << "" << SearchFilter{{}, {}, {}, State::PartlyReceived} << QList<int>{1} << ""
        << QStringList();
    QTest::newRow("state and words")
        << "toner" << SearchFilter{{}, {}, {}, State::Sent} << nothing << "" << QStringList();
}

void TestSearch::matching()
{
    QFETCH(QString, query);
    QFETCH(SearchFilter, filter);
    QFETCH(QList<int>, found);
    QFETCH(QString, where);
    QFETCH(QStringList, bold);
    Book book(everyKind());
    SearchResultsModel results(book.index);
    results.setFilter(filter);
    results.setQuery(query);
    QList<int> orders;
    for (int row = 0; row < results.rowCount(); ++row)
        orders << results.orderAt(row);
    std::sort(orders.begin(), orders.end());
    QCOMPARE(orders, found);
    if (where.isEmpty())
        return;
    const int row = results.rowOfOrder(found.first());
    const QModelIndex cell = results.index(row, SearchResultsModel::WhereColumn);
    const QString shown = cell.data().toString();
    QCOMPARE(shown, where);
    QStringList hits;
    for (const QPoint &span : cell.data(SearchResultsModel::HitSpansRole).value<QList<QPoint>>())
        hits << shown.mid(span.x(), span.y());
    QCOMPARE(hits, bold);
}

// Edited on screen, written back, deleted, moved in the list, another book: the rows are
// never stale.
void TestSearch::resultsFollowTheBook()
{
    Book book(everyKind());
    SearchResultsModel results(book.index);
    const ModelTesters testers = testModels(&results);
    const auto where = [&](int row) {
        return results.index(row, SearchResultsModel::WhereColumn).data().toString();
    };

    // The order on screen is searched as it stands, before it is written back.
    results.setQuery(QStringLiteral("zorglub"));
    book.document.setNote({QStringLiteral("Livrer à l'accueil zorglub")});
    QCOMPARE(results.rowCount(), 1);
    QCOMPARE(where(0), QStringLiteral("Note : Livrer à l'accueil zorglub"));
    book.document.setNote({QStringLiteral("Livrer au hangar nord")});
    QCOMPARE(results.rowCount(), 0);
    results.setQuery(QStringLiteral("accueil"));
    QCOMPARE(results.rowCount(), 0);
    // Not followed (the window hidden), the rows wait until they are.
    results.setFollowing(false);
    book.document.setNote({QStringLiteral("Livrer à l'accueil")});
    QCOMPARE(results.rowCount(), 0);
    results.setFollowing(true);
    QCOMPARE(results.rowCount(), 1);

    results.setQuery(QStringLiteral("vis"));
    results.sort(SearchResultsModel::NumberColumn, Qt::AscendingOrder);
    const QPersistentModelIndex held = results.index(0, 0);
    const auto numbers = [&] {
        QStringList shown;
        for (int row = 0; row < results.rowCount(); ++row)
            shown << results.index(row, SearchResultsModel::NumberColumn).data().toString();
        return shown;
    };
    QCOMPARE(numbers(), QStringList{"200004001"});

    // Order 1, sent, gets a line of screws and is written back: found, newest first.
    QVERIFY(book.document.showOrder(1).ok());
    book.desktop.answer(Prompts::Answer::Yes); // "La modifier quand même ?"
    QVERIFY(
        book.document.setCell(2, OrderLine::DesignationCell, QStringLiteral("Vis de fixation")));
    book.document.writeBackOrder();
    QCOMPARE(numbers(), (QStringList{"200002001", "200004001"}));
    QCOMPARE(results.orderAt(held.row()), 3);
    QCOMPARE(where(0), QStringLiteral("Désignation, ligne 2 : Vis de fixation"));
    results.sort(SearchResultsModel::DateColumn, Qt::DescendingOrder);
    QCOMPARE(book.index.articles().complete(u"fix", QString(), -1, 5).value(0).designation,
             QStringLiteral("Vis de fixation"));

    // Whatever renumbered the orders, the index that followed is the one a fresh reading of the
    // book makes.
    const auto sameAsFresh = [&] {
        SearchIndex fresh{BookView(book.document)};
        QCOMPARE(book.index.count(), fresh.count());
        for (int i = 0; i < fresh.count(); ++i) {
            const SearchIndex::Order &kept = book.index.order(i);
            const SearchIndex::Order &read = fresh.order(i);
            QCOMPARE(std::tuple(kept.open, kept.end, kept.day, kept.number),
                     std::tuple(read.open, read.end, read.day, read.number));
            QCOMPARE(book.index.supplierCode(i), fresh.supplierCode(i));
        }
        for (const char16_t *typed : {u"vis", u"a", u"toner", u"cartouche"}) {
            const auto shown = [typed](SearchIndex &index) {
                QStringList entries;
                for (const ArticleMemory::Entry &e :
                     index.articles().complete(typed, "10024", -1, 9))
                    entries << e.designation + e.number + QString::number(e.line.order);
                return entries;
            };
            QCOMPARE(shown(book.index), shown(fresh));
        }
        // The searches made before the moves, kept, find what a fresh index finds.
        const QString query = results.queryText();
        for (const char16_t *typed : {u"vis", u"a", u"toner", u"cartouche", u"façade"}) {
            results.setQuery(QString::fromUtf16(typed));
            QList<int> rows;
            for (int row = 0; row < results.rowCount(); ++row)
                rows << results.orderAt(row);
            std::sort(rows.begin(), rows.end());
            QCOMPARE(rows, fresh.find(SearchQuery(results.queryText()), {}));
        }
        results.setQuery(query);
    };
    sameAsFresh();

    // Order 0 deleted: the others take lower indexes, the rows still show theirs.
    QVERIFY(book.document.showOrder(0).ok());
    const OrderDocument::State beforeDeletion = book.document.state();
    QVERIFY(book.document.deleteOrder().ok());
    QCOMPARE(numbers(), (QStringList{"200004001", "200002001"}));
    QCOMPARE(results.orderAt(0), 2);
    sameAsFresh();
    // Undone and done again.
    const OrderDocument::State afterDeletion = book.document.state();
    QVERIFY(book.document.restore(beforeDeletion).ok());
    QCOMPARE(results.orderAt(0), 3);
    sameAsFresh();
    QVERIFY(book.document.restore(afterDeletion).ok());
    QCOMPARE(results.orderAt(0), 2);
    sameAsFresh();
    // A copy pasted over another order.
    book.document.copyOrder();
    QVERIFY(book.document.showOrder(2).ok());
    QVERIFY(book.document.pasteOrder().ok());
    book.document.writeBackOrder();
    sameAsFresh();
    // Undone while the rows are not followed.
    results.setFollowing(false);
    QVERIFY(book.document.restore(afterDeletion).ok());
    results.setFollowing(true);
    sameAsFresh();

    // The list's moves renumber the orders.
    book.document.setListDialogs(
        [](const OrderBook &) {
            return OrderList::Choice{{2, 1, 0}, -1};
        },
        {});
    QVERIFY(book.document.showOrderList().ok());
    QCOMPARE(results.orderAt(0), 0);
    QCOMPARE(numbers(), (QStringList{"200004001", "200002001"}));
    sameAsFresh();

    // Another book: nothing of this one is left.
    QVERIFY(book.document.newBook().ok());
    QCOMPARE(results.rowCount(), 0);
    QVERIFY(results.queryText().isEmpty());
    QVERIFY(book.index.find(SearchQuery(QStringLiteral("vis")), {}).isEmpty());
}

void TestSearch::sortedByEveryColumn_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<Qt::SortOrder>("order");
    for (int column = 0; column < SearchResultsModel::ColumnCount; ++column)
        for (const Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder})
            QTest::addRow("%d %s", column, order == Qt::AscendingOrder ? "up" : "down")
                << column << order;
}

// Several hundred results sorted by a column, then an order on screen edited so that it moves:
// the rows stand sorted, newest first among equals, and a row held keeps its order.
void TestSearch::sortedByEveryColumn()
{
    QFETCH(int, column);
    QFETCH(Qt::SortOrder, order);
    Book book(manyOrders(400));
    SearchResultsModel results(book.index);
    const ModelTesters testers = testModels(&results);
    results.setQuery(QStringLiteral("zeta"));
    QCOMPARE(results.rowCount(), 400);
    const QPersistentModelIndex held = results.index(123, column);
    const int heldOrder = results.orderAt(123);
    results.sort(column, order);

    const auto isSorted = [&] {
        const auto key = [&](int row) -> std::tuple<qint64, QString, Real> {
            const auto text = [&](int c) { return results.index(row, c).data().toString(); };
            const OrderPlace place = results.placeAt(row);
            Real total = -1e300L;
            switch (column) {
            case SearchResultsModel::NumberColumn:
                return {text(column).toLongLong(), {}, 0};
            case SearchResultsModel::SupplierColumn:
                return {0, text(column).toCaseFolded(), 0};
            case SearchResultsModel::TotalColumn:
                if (!text(column).isEmpty())
                    (void)NumberText::tryToReal(text(column), total);
                return {0, {}, total};
            case SearchResultsModel::StateColumn:
                for (int state = 0; state <= int(OrderState::State::Cancelled); ++state)
                    if (OrderState::name(OrderState::State(state)) == text(column))
                        return {state, {}, 0};
                return {-1, {}, 0};
            case SearchResultsModel::WhereColumn:
                return {int(place.field) * 10000 + place.row * 10 + place.column, {}, 0};
            }
            return {};
        };
        const auto age = [&](int row) {
            const QDate date = QDate::fromString(
                results.index(row, SearchResultsModel::DateColumn).data().toString(),
                QStringLiteral("dd/MM/yyyy"));
            return std::pair(date.isValid() ? date.toJulianDay() : -1e9,
                             results.index(row, 0).data().toString().toLongLong());
        };
        for (int row = 1; row < results.rowCount(); ++row) {
            const auto a = key(row - 1);
            const auto b = key(row);
            const bool tie = a == b;
            if (!tie && (order == Qt::AscendingOrder ? b < a : a < b))
                return false;
            const bool newestFirst =
                column != SearchResultsModel::DateColumn || order == Qt::DescendingOrder;
            if (tie && (newestFirst ? age(row - 1) < age(row) : age(row) < age(row - 1)))
                return false;
        }
        return true;
    };
    QVERIFY(isSorted());
    QCOMPARE(results.orderAt(held.row()), heldOrder);

    // The order on screen (the first one) changed everywhere it is sorted by.
    const QPersistentModelIndex edited = results.index(results.rowOfOrder(0), column);
    QVERIFY(book.document.setCell(3, OrderLine::DesignationCell, QStringLiteral("zeta")));
    book.document.setNumber(QStringLiteral("299999999"));
    book.document.setDate(QDate(2030, 1, 1));
    book.document.setAddressLine(0, QStringLiteral("AAA"));
    QVERIFY(book.document.setCell(1, OrderLine::UnitPriceCell, QStringLiteral("999,00")));
    QCOMPARE(results.rowCount(), 400);
    QVERIFY(isSorted());
    QCOMPARE(results.orderAt(edited.row()), 0);
    QCOMPARE(results.orderAt(held.row()), heldOrder);
    QCOMPARE(results.index(edited.row(), SearchResultsModel::WhereColumn).data().toString(),
             QStringLiteral("Désignation, ligne 3 : zeta"));
}

void TestSearch::articles()
{
    const QString ream = QStringLiteral("Ramette A4\t1\t%1\t%2\t\t1");
    Book book({order(0, "200001001", "05/01/2000", "10023", "Dupont", {ream.arg("4,00", "")}),
               order(1, "200002001", "07/02/2000", "10024", "Martin", {ream.arg("3,80", "10")}),
               order(2, "200003001", "06/03/2000", "10023", "Dupont",
                     {ream.arg("4,20", "5"), "Rame de calque\t1\t\t\t\t1"}),
               order(3, "200004001", "10/04/2000", "10024", "Martin",
                     {"Agrafes\t1\t2\t\t\t1", ream.arg("", "")})});
    ArticleMemory &articles = book.index.articles();
    const auto designations = [&](const QString &typed, const QString &supplier) {
        QStringList shown;
        for (const ArticleMemory::Entry &entry : articles.complete(typed, supplier, -1, 10))
            shown << entry.designation + QLatin1Char(' ') + entry.number;
        return shown;
    };
    // The order's supplier first, then the others, each newest first; any word's start.
    QCOMPARE(designations("ram", "10023"),
             (QStringList{"Ramette A4 200003001", "Rame de calque 200003001"}));
    QCOMPARE(designations("RAM", "10024"),
             (QStringList{"Ramette A4 200004001", "Rame de calque 200003001"}));
    QCOMPARE(designations("a4", "10023"), QStringList{"Ramette A4 200003001"});
    QCOMPARE(designations("amette", "10023"), QStringList());
    QCOMPARE(designations("calque", "10023").size(), 1);

    // The last price: the supplier's newest line with a price, and the one before it.
    const auto price = [&](const ArticleMemory::Line &line) {
        return line.order < 0 ? QString() : book.index.lineAt(line.order, line.offset).unitPrice;
    };
    ArticleMemory::LastPrice last = articles.lastPrice("ramette a4", "10023", -1);
    QVERIFY(last.ownSupplier);
    QCOMPARE(price(last.line) + '|' + price(last.before), QStringLiteral("4,20|4,00"));
    last = articles.lastPrice("Ramette A4", "10024", -1); // its last line has no price
    QCOMPARE(price(last.line) + '|' + price(last.before), QStringLiteral("3,80|"));
    last = articles.lastPrice("Ramette A4", "10099", -1); // never had it: any supplier's
    QVERIFY(!last.ownSupplier);
    QCOMPARE(price(last.line) + '|' + price(last.before), QStringLiteral("4,20|3,80"));
    last = articles.lastPrice("Ramette A4", "10023", 2); // the order on screen left out
    QCOMPARE(price(last.line) + '|' + price(last.before), QStringLiteral("4,00|"));

    QList<int> history;
    for (const ArticleMemory::Line &line : articles.history("Ramette A4"))
        history << line.order;
    QCOMPARE(history, (QList<int>{3, 2, 1, 0}));
}

void TestSearch::csv_data()
{
    QTest::addColumn<CsvFile::Format>("dialect");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QByteArray>("bytes");
    const auto french = CsvFile::Format::Spreadsheet;
    QTest::newRow("plain") << french << QStringList{"Vis", "été"} << "   12,50"
                           << QByteArray("\xEF\xBB\xBFVis;\xC3\xA9t\xC3\xA9;12,50\r\n");
    QTest::newRow("quoted") << french << QStringList{"a;b", "dit \"oui\"", "2\nlignes"} << "-3"
                            << QByteArray(
                                   "\xEF\xBB\xBF\"a;b\";\"dit \"\"oui\"\"\";\"2\nlignes\";-3\r\n");
    QTest::newRow("formulas") << french << QStringList{"=SUM(A1)", "+1", "-x", "@a"} << "=1+1"
                              << QByteArray("\xEF\xBB\xBF'=SUM(A1);'+1;'-x;'@a;'=1+1\r\n");
    QTest::newRow("standard") << CsvFile::Format::Standard << QStringList{"a,b", "c;d"} << "4,20"
                              << QByteArray("\"a,b\",c;d,4.20\r\n");
}

void TestSearch::csv()
{
    QFETCH(CsvFile::Format, dialect);
    QFETCH(QStringList, texts);
    QFETCH(QString, number);
    QFETCH(QByteArray, bytes);
    CsvFile file(dialect);
    for (const QString &text : texts)
        file.text(text);
    file.number(number).endRow();
    QCOMPARE(file.bytes(), bytes);
}

QTEST_GUILESS_MAIN(TestSearch)
#include "test_search.moc"
