// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/fieldguard.h"
#include "suppliers/supplierwindow.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

QStringList rec(const QString &code, const QString &name, const QString &town = QString())
{
    return {"<FOU>" + code, name, "", town, ""};
}

QLineEdit *edit(const QWidget &window, int n)
{
    // n as the fields stand: the code, the address lines, then the search.
    const QString name = n == 1   ? QStringLiteral("SupplierCode")
                         : n == 6 ? QStringLiteral("SearchCode")
                                  : QStringLiteral("AddressLine%1").arg(n - 1);
    return window.findChild<QLineEdit *>(name);
}

QTableWidget *grid(const QWidget &window)
{
    return window.findChild<QTableWidget *>(QStringLiteral("Suppliers"));
}

QAbstractButton *button(const QWidget &window, const char *name)
{
    return window.findChild<QAbstractButton *>(QLatin1String(name));
}

// Runs the window on `lines` as the order window does; `drive` works it while it is shown.
template <typename Drive> QStringList run(SupplierWindow &window, QStringList lines, Drive drive)
{
    window.load(lines);
    QTimer::singleShot(0, &window, [&window, drive] {
        QCOMPARE(QApplication::activeModalWidget(), &window);
        drive();
        if (window.isVisible())
            button(window, "CloseButton")->click();
    });
    window.exec();
    window.apply(lines);
    return lines;
}

void clickRow(SupplierWindow &window, int row)
{
    QTableWidget *rows = grid(window);
    const QRect cell = rows->visualRect(rows->model()->index(row, 1));
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, cell.center());
}

} // namespace

class TestSupplierWindow : public QObject {
    Q_OBJECT
private slots:
    void closedAtOnce_data();
    void closedAtOnce();
    void deleting();
    void discardedAndUncountedChanges();
    void searchIsExact();
    void gridGrowsPastSixty();
    void addOpensBlankRowWithDigitCode();
    void escapeClosesAsFermerDoes();
    void newCodeHasFiveDigits();
};

void TestSupplierWindow::closedAtOnce_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("result");
    const QStringList sorted =
        QStringList{"note"} + rec("10002", "Dupont") + rec("10003", "dupont");
    QTest::newRow("sorted: untouched") << sorted << sorted;
    QTest::newRow("unsorted: rewritten in order")
        << rec("10005", "Zola", "Paris") + rec("10003", "Émile") + rec("10004", "Dupont")
        << rec("10004", "Dupont") + rec("10005", "Zola", "Paris") + rec("10003", "Émile");
    QTest::newRow("nameless and stray lines dropped")
        << QStringList{"note"} + rec("10009", "Zola") + rec("10002", "") + rec("10003", "Martin") +
               QStringList{"<FOU>1234567", "Long"}
        << rec("10003", "Martin") + rec("10009", "Zola");
}

void TestSupplierWindow::closedAtOnce()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, result);
    SupplierBook book;
    book.fileLines = lines;
    SupplierWindow window;
    QTimer::singleShot(0, &window, [&] { button(window, "CloseButton")->click(); });
    manageSuppliers(window, book);
    QCOMPARE(book.fileLines, result);
    QVERIFY(book.modified);
}

void TestSupplierWindow::deleting()
{
    SupplierWindow window;
    const QStringList one = rec("10002", "A");
    QCOMPARE(run(window, one, [&] { button(window, "DeleteButton")->click(); }), one);
    const QStringList result =
        run(window, rec("10002", "A") + rec("10003", "B") + rec("10004", "C"), [&] {
            clickRow(window, 1);
            button(window, "DeleteButton")->click();
            QCOMPARE(edit(window, 1)->text(), QString("10004"));
        });
    QCOMPARE(result, rec("10002", "A") + rec("10004", "C"));
}

void TestSupplierWindow::discardedAndUncountedChanges()
{
    SupplierWindow window;
    const QStringList lines = QStringList{"note"} + rec("10002", "Dupont") + rec("10003", "Martin");
    const QStringList result = run(window, lines, [&] {
        // Only Backspace and Delete, written back by Page Down: a change like any other.
        QTest::keyClick(edit(window, 2), Qt::Key_End);
        QTest::keyClick(edit(window, 2), Qt::Key_Backspace);
        QTest::keyClick(edit(window, 2), Qt::Key_Home);
        QTest::keyClick(edit(window, 2), Qt::Key_Delete);
        QTest::keyClick(edit(window, 2), Qt::Key_PageDown);
        QTest::keyClick(edit(window, 2), Qt::Key_PageDown);
        QCOMPARE(grid(window)->currentRow(), 1);
        QVERIFY(window.gridModified);
        // Typing followed by a click on another row, or by a search, is lost.
        QTest::keyClicks(edit(window, 2), "xyz");
        clickRow(window, 0);
        QCOMPARE(edit(window, 2)->text(), QString("upon"));
        QTest::keyClicks(edit(window, 3), "lost");
        edit(window, 6)->setText("10003");
        button(window, "SearchButton")->click();
        QVERIFY(edit(window, 3)->text().isEmpty());
        // Enter writes the fields back; the close box does not.
        QTest::keyClicks(edit(window, 4), "Lyon");
        QTest::keyClick(edit(window, 4), Qt::Key_Return);
        QVERIFY(window.isVisible());
        QTest::keyClicks(edit(window, 5), "lost");
        window.close();
    });
    QCOMPARE(result, rec("10002", "upon") + rec("10003", "Martin", "Lyon"));
}

void TestSupplierWindow::searchIsExact()
{
    FakePlatform desktop;
    SupplierWindow window;
    run(window, rec("10023", "A") + rec("10030", "B"), [&] {
        clickRow(window, 1);
        QTest::keyClicks(edit(window, 6), "23");
        QTest::keyClick(edit(window, 6), Qt::Key_Return);
        QCOMPARE(desktop.texts(), QStringList{"Fournisseur non trouvé"});
        QCOMPARE(grid(window)->currentRow(), 1);
    });
}

void TestSupplierWindow::gridGrowsPastSixty()
{
    QStringList lines;
    for (int i = 0; i < 61; ++i)
        lines += rec(QString::number(10002 + i), QStringLiteral("N%1").arg(i, 3, 10, QChar('0')));
    SupplierWindow window;
    window.load(lines);
    QCOMPARE(window.lastSupplierRow, 60);
    QCOMPARE(grid(window)->rowCount(), 65);
}

void TestSupplierWindow::addOpensBlankRowWithDigitCode()
{
    SupplierWindow window;
    // A former use leaves values in rows that the next list, cut short, no longer fills.
    window.load(rec("10002", "A", "Paris") + rec("10003", "B", "Lyon") + rec("10004", "C"));
    const QStringList result = run(window, {"<FOU>10009", "Z"}, [&] {
        button(window, "AddButton")->click();
        QCOMPARE(grid(window)->currentRow(), 1);
        QVERIFY(edit(window, 1)->text().isEmpty() && edit(window, 2)->text().isEmpty());
        QTest::keyClicks(edit(window, 1), "12a34567");
        QCOMPARE(edit(window, 1)->text(), QString("12345"));
        QTest::keyClicks(edit(window, 2), "Aa");
    });
    QCOMPARE(result, rec("10009", "Z") + rec("12345", "Aa"));
}

void TestSupplierWindow::escapeClosesAsFermerDoes()
{
    SupplierWindow window;
    bool closed = false;
    const QStringList lines = run(window, rec("10002", "Dupont"), [&] {
        QTest::keyClicks(edit(window, 4), "Lyon");
        QTest::keyClick(edit(window, 4), Qt::Key_Escape);
        closed = !window.isVisible();
    });
    QVERIFY(closed);
    QCOMPARE(lines, rec("10002", "Dupont", "Lyon"));
}

void TestSupplierWindow::newCodeHasFiveDigits()
{
    FakePlatform desktop;
    SupplierWindow window;
    const QStringList z = rec("10009", "Z");
    QStringList result = run(window, z, [&] {
        // Added and left untouched: no record, nothing to say.
        button(window, "AddButton")->click();
        button(window, "PreviousButton")->click();
        QCOMPARE(window.lastSupplierRow, 0);
        QVERIFY(desktop.asked.isEmpty());
        // "10*57" keeps its digits, and four digits are refused before the record is made.
        button(window, "AddButton")->click();
        QTest::keyClicks(edit(window, 1), "10*57");
        QTest::keyClicks(edit(window, 2), "Neuf");
        button(window, "CloseButton")->click();
        QVERIFY(window.isVisible());
        QCOMPARE(desktop.texts(), QStringList{"Le code fournisseur « 1057 » n'est pas valable : "
                                              "un code fournisseur a cinq chiffres."});
        QCOMPARE(window.focusWidget(), edit(window, 1));
        QTest::keyClick(edit(window, 1), Qt::Key_End);
        QTest::keyClicks(edit(window, 1), "8");
    });
    QCOMPARE(result, z + rec("10578", "Neuf"));

    // Refused, then left by the close box: no record either. A pasted code with a letter is
    // refused whole, and said.
    result = run(window, z, [&] {
        button(window, "AddButton")->click();
        QGuiApplication::clipboard()->setText(QStringLiteral("10a57\r\n"));
        QSignalSpy said(&FieldNotices::instance(), &FieldNotices::refused);
        QTest::keyClick(edit(window, 1), Qt::Key_Insert, Qt::ShiftModifier);
        QVERIFY(edit(window, 1)->text().isEmpty());
        QCOMPARE(said.value(0).value(0).toString(),
                 QStringLiteral("Texte refusé dans ce champ : 10a57"));
        QTest::keyClicks(edit(window, 1), "12");
        QTest::keyClicks(edit(window, 2), "Neuf");
        QTest::keyClick(edit(window, 2), Qt::Key_Return);
        QCOMPARE(desktop.asked.size(), 2);
        window.close();
    });
    QCOMPARE(result, z);
}

QTEST_MAIN(TestSupplierWindow)
#include "test_supplierwindow.moc"
