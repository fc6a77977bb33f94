// SPDX-License-Identifier: GPL-3.0-or-later
// The search window, the completion of designations and the price history, driven through
// the main window with the keys and the mouse as a user drives them.

#include "app/mainwindow.h"
#include "core/prompts.h"
#include "core/textfile.h"
#include "gui/application.h"
#include "order/orderwindow.h"
#include "search/searchresultsmodel.h"
#include "search/searchwindow.h"
#include "testsupport.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableView>
#include <QToolTip>
#include <memory>

namespace {

QStringList order(int index, const QString &number, const QString &date, const QString &code,
                  const QString &name, const QStringList &lines, const QString &note = {})
{
    TestBooks::Order o;
    o.number = number.leftJustified(9);
    o.date = date;
    o.code = code;
    o.address[0] = name;
    o.body = QStringList{QStringLiteral("TTCN")};
    for (const QString &line : lines)
        o.body << QStringLiteral("CMDE") + line;
    if (!note.isEmpty())
        o.body << QStringLiteral("MEMO") + note;
    return TestBooks::block(index, o);
}

// Whether a screen reader going down the accessibility tree from `node` meets, inside
// `popup`, an entry named `entry`.
bool said(QAccessibleInterface *node, const QObject *popup, const QString &entry,
          bool inside = false, int depth = 0)
{
    if (!node || depth > 12)
        return false;
    inside = inside || node->object() == popup;
    if (inside && node->text(QAccessible::Name) == entry)
        return true;
    for (int i = 0; i < node->childCount(); ++i)
        if (said(node->child(i), popup, entry, inside, depth + 1))
            return true;
    return false;
}

} // namespace

class TestSearchWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void searchFromTheKeyboard_data();
    void searchFromTheKeyboard();
    void typingAfterEnter_data();
    void typingAfterEnter();
    void completion_data();
    void completion();
    void lastPriceAndHistory();

private:
    QWindow *window() const { return QApplication::activeWindow()->windowHandle(); }
    void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(window(), Qt::Key(k), modifiers);
    }
    void type(const QString &text)
    {
        for (const QChar c : text)
            QTest::keyClick(window(), c.toLatin1());
    }
    void clickCell(int row, int column);
    QWidget *focused() const { return QApplication::focusWidget(); }
    template <typename W = QWidget> W *child(const char *name) const
    {
        return m_form->findChild<W *>(QLatin1String(name));
    }
    OrderWindow &orderWindow() const { return m_form->orderWindow(); }
    bool inGrid() const
    {
        QWidget *grid = child("Lines");
        return focused() == grid || grid->isAncestorOf(focused());
    }

    std::unique_ptr<TemporaryWorkingDir> m_dir;
    std::unique_ptr<FakePlatform> m_desktop;
    std::unique_ptr<MainWindow> m_form;
    ModelTesters m_testers;
};

void TestSearchWindows::init()
{
    m_dir = std::make_unique<TemporaryWorkingDir>();
    m_desktop = std::make_unique<FakePlatform>();
    const QString book = m_dir->file(QStringLiteral("book.cmd"));
    QVERIFY(TextFile::write(
        book, TextLines(order(0, "200001001", "05/01/2000", "10023", "Dupont",
                              {"Cartouche de toner\t1\t10,00\t\t10,00\t1"}) +
                        order(1, "200002001", "07/02/2000", "10024", "Martin",
                              {"Ramette A4\t10\t3,80\t10\t34,20\t1",
                               "Toner couleur\t1\t50,00\t\t50,00\t1"}) +
                        order(2, "200003001", "06/03/2000", "10023", "Dupont",
                              {"Ramette A4\t5\t4,20\t5\t19,95\t1"}, "toner livré le matin"))));
    m_form = std::make_unique<MainWindow>();
    m_form->show();
    QApplication::setActiveWindow(m_form.get());
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    m_testers = testModels(m_form.get());
    m_desktop->chooseFile(book);
    key(Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(m_form->fileName(), book);
}

void TestSearchWindows::cleanup()
{
    m_testers.clear();
    m_form.reset();
    m_desktop.reset();
    m_dir.reset();
}

void TestSearchWindows::clickCell(int row, int column)
{
    auto *grid = child<QTableView>("Lines");
    const QRect cell = grid->visualRect(grid->model()->index(row - 1, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTRY_VERIFY(focused() && focused()->objectName() == QLatin1String("CellEditor"));
}

void TestSearchWindows::searchFromTheKeyboard_data()
{
    QTest::addColumn<QString>("from");
    QTest::newRow("cell editor") << "CellEditor";
    QTest::newRow("note") << "Note";
}

void TestSearchWindows::searchFromTheKeyboard()
{
    QFETCH(QString, from);
    if (from == QLatin1String("Note"))
        QTest::mouseClick(child<QPlainTextEdit>("Note")->viewport(), Qt::LeftButton);
    else
        clickCell(1, 0);
    QTRY_COMPARE(focused()->objectName(), from);

    key(Qt::Key_F, Qt::ControlModifier);
    SearchWindow *search = m_form->searchWindow();
    QVERIFY(search);
    const ModelTesters testers = testModels(search);
    QTRY_COMPARE(QApplication::activeWindow(), search);
    QCOMPARE(focused()->objectName(), QStringLiteral("SearchField"));
    type(QStringLiteral("TONER"));

    // Newest first; the third order holds it in its note.
    auto *list = search->findChild<QTableView *>(QStringLiteral("Results"));
    auto *count = search->findChild<QLabel *>(QStringLiteral("Count"));
    QCOMPARE(count->text(), QStringLiteral("3 commandes"));
    // Every heading fits whole at the window's first width, its sort arrow included.
    for (int c = 0; c < list->model()->columnCount(); ++c)
        QVERIFY2(list->horizontalHeader()->sectionSize(c) >=
                     list->horizontalHeader()->sectionSizeHint(c),
                 qPrintable(list->model()->headerData(c, Qt::Horizontal).toString()));
    QStringList numbers;
    for (int row = 0; row < 3; ++row)
        numbers << list->model()->index(row, 0).data().toString();
    QCOMPARE(numbers, (QStringList{"200003001", "200002001", "200001001"}));

    // Enter shows the first one, the focus on the note, the search window still open.
    key(Qt::Key_Return);
    QCOMPARE(orderWindow().book().currentOrder(), 2);
    QTRY_COMPARE(QApplication::activeWindow(), m_form.get());
    QTRY_COMPARE(focused(), child("Note"));
    QVERIFY(search->isVisible());
    // F3 from the order window: the next one, the focus on its cell.
    key(Qt::Key_F3);
    QCOMPARE(orderWindow().book().currentOrder(), 1);
    QTRY_VERIFY(inGrid());
    QCOMPARE(orderWindow().currentGridRow(), 2);
    QCOMPARE(orderWindow().currentGridColumn(), 0);
    key(Qt::Key_F3, Qt::ShiftModifier);
    QCOMPARE(orderWindow().book().currentOrder(), 2);
    // Sorted by number, the row chosen stays on its order: Shift+F3 goes to the one above it.
    auto *header = list->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(0) + 5, 5));
    QCOMPARE(list->model()->index(0, 0).data().toString(), QStringLiteral("200001001"));
    QCOMPARE(list->currentIndex().row(), 2);
    key(Qt::Key_F3, Qt::ShiftModifier);
    QCOMPARE(orderWindow().book().currentOrder(), 1);

    // Back in the window: a supplier filter, then the list exported.
    key(Qt::Key_F, Qt::ControlModifier);
    QTRY_COMPARE(QApplication::activeWindow(), search);
    QTest::mouseClick(search->findChild<QLineEdit *>(QStringLiteral("SupplierFilter")),
                      Qt::LeftButton);
    type(QStringLiteral("dupont"));
    QCOMPARE(count->text(), QStringLiteral("2 commandes"));
    const QString csv = m_dir->file(QStringLiteral("trouvees"));
    m_desktop->chooseFile(csv);
    QTest::mouseClick(search->findChild<QWidget *>(QStringLiteral("ExportButton")), Qt::LeftButton);
    QStringList lines;
    QVERIFY(TextFile::read(csv + QStringLiteral(".csv"), lines));
    QCOMPARE(lines.size(), 3); // in the order shown, by number
    QCOMPARE(lines.at(2),
             QStringLiteral("200003001;06/03/2000;10023;Dupont;24,06;Brouillon;Note;toner "
                            "livr\u00c3\u00a9 le matin"));

    // Their state: all drafts.
    key(Qt::Key_T, Qt::AltModifier);
    QCOMPARE(focused()->objectName(), QStringLiteral("StateFilter"));
    key(Qt::Key_Down);
    QCOMPARE(count->text(), QStringLiteral("2 commandes"));
    key(Qt::Key_Down);
    QCOMPARE(count->text(), QStringLiteral("Aucune commande"));
    // Another book: no filter of this one is left, on screen either.
    m_desktop->unscripted = Prompts::Answer::No; // not saved
    m_form->findChild<QAction *>(QStringLiteral("NewAction"))->trigger();
    QCOMPARE(search->findChild<QComboBox *>(QStringLiteral("StateFilter"))->currentIndex(), 0);
    QVERIFY(search->findChild<QLineEdit *>(QStringLiteral("SupplierFilter"))->text().isEmpty());

    key(Qt::Key_Escape);
    QTRY_VERIFY(!search->isVisible());
}

void TestSearchWindows::typingAfterEnter_data()
{
    QTest::addColumn<QString>("from"); // where the focus was in the order window
    QTest::addColumn<QString>("query");
    QTest::addColumn<int>("order");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::newRow("cell, from the note") << "Note"
                                         << "couleur" << 1 << 2 << 0;
    QTest::newRow("row 1, from a cell") << "CellEditor"
                                        << "cartouche" << 0 << 1 << 0;
    QTest::newRow("price, from a cell") << "CellEditor"
                                        << "4,20" << 2 << 1 << 2;
    QTest::newRow("note, from a cell") << "CellEditor"
                                       << "matin" << 2 << 1 << -1;
}

// Enter on a result: the keys typed next go into the place found, whatever had the focus.
void TestSearchWindows::typingAfterEnter()
{
    QFETCH(QString, from);
    QFETCH(QString, query);
    QFETCH(int, order);
    QFETCH(int, row);
    QFETCH(int, column);
    if (from == QLatin1String("Note"))
        QTest::mouseClick(child<QPlainTextEdit>("Note")->viewport(), Qt::LeftButton);
    else
        clickCell(3, 1);
    QTRY_COMPARE(focused()->objectName(), from);
    key(Qt::Key_F, Qt::ControlModifier);
    QTRY_COMPARE(QApplication::activeWindow(), m_form->searchWindow());
    type(query);
    key(Qt::Key_Return);
    QCOMPARE(orderWindow().book().currentOrder(), order);
    QTRY_COMPARE(QApplication::activeWindow(), m_form.get());

    OrderRecord expected = orderWindow().document().record();
    type(QStringLiteral("987"));
    key(Qt::Key_Tab);
    if (column < 0)
        expected.note[row - 1].prepend(QStringLiteral("987"));
    else
        expected.lines[row - 1].setCell(column, QStringLiteral("987"));
    QCOMPARE(orderWindow().document().record().lines, expected.lines);
    QCOMPARE(orderWindow().document().record().note, expected.note);

    // The search finds the order by what was just typed, before it is written back.
    key(Qt::Key_F, Qt::ControlModifier);
    QTRY_COMPARE(QApplication::activeWindow(), m_form->searchWindow());
    type(QStringLiteral("987"));
    QCOMPARE(m_form->searchWindow()->results().rowCount(), 1);
    QCOMPARE(m_form->searchWindow()->results().orderAt(0), order);
}

void TestSearchWindows::completion_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Enter") << "Enter";
    QTest::newRow("mouse") << "mouse";
    QTest::newRow("Escape") << "Escape";
}

// An empty row of the first order (Dupont): the article Dupont had comes with its price.
void TestSearchWindows::completion()
{
    QFETCH(QString, how);
    clickCell(2, 0);
    type(QStringLiteral("RAM"));
    auto *popup = qobject_cast<QAbstractItemView *>(QApplication::activePopupWidget());
    QVERIFY(popup);
    QCOMPARE(popup->model()->rowCount(), 1);
    QCOMPARE(popup->model()->index(0, 0).data().toString(), QStringLiteral("Ramette A4"));
    QCOMPARE(popup->model()->index(0, 1).data().toString(), QStringLiteral("4,20"));
    // A screen reader finds the list and its entries from the window, as a combo box's.
    QVERIFY(said(QAccessible::queryAccessibleInterface(m_form.get()), popup, "Ramette A4"));

    if (how == QLatin1String("Enter")) {
        key(Qt::Key_Down);
        key(Qt::Key_Return);
    } else if (how == QLatin1String("mouse")) {
        QTest::mouseClick(popup->viewport(), Qt::LeftButton, {},
                          popup->visualRect(popup->model()->index(0, 0)).center());
    } else {
        key(Qt::Key_Escape);
    }
    QTRY_VERIFY(!popup->isVisible());
    QCOMPARE(focused()->objectName(), QStringLiteral("CellEditor"));
    const bool chosen = how != QLatin1String("Escape");
    QCOMPARE(qobject_cast<QLineEdit *>(focused())->text(),
             chosen ? QStringLiteral("Ramette A4") : QStringLiteral("RAM"));
    // The list closed, the keys are the grid's: Tab goes on to the quantity, left empty.
    key(Qt::Key_Tab);
    QCOMPARE(orderWindow().document().cell(2, 0),
             chosen ? QStringLiteral("Ramette A4") : QStringLiteral("RAM"));
    QVERIFY(orderWindow().document().cell(2, 1).isEmpty());
    QCOMPARE(orderWindow().document().cell(2, 2), chosen ? QStringLiteral("4,20") : QString());
    QCOMPARE(orderWindow().document().cell(2, 3), chosen ? QStringLiteral("5") : QString());
    QVERIFY(orderWindow().document().orderModified());
    // The choice is one step: one Ctrl+Z takes back the designation with its price.
    auto *undo = m_form->findChild<QAction *>(QStringLiteral("UndoAction"));
    QCOMPARE(undo->text(), chosen ? QStringLiteral("&Annuler le choix de l'article")
                                  : QStringLiteral("&Annuler la saisie de la ligne 2"));
    key(Qt::Key_Z, Qt::ControlModifier);
    for (const int column : {0, 2, 3})
        QVERIFY(orderWindow().document().cell(2, column).isEmpty());
    QVERIFY(!undo->isEnabled());
}

void TestSearchWindows::lastPriceAndHistory()
{
    // The first order (Dupont) on screen: the last price is that of its other order.
    clickCell(2, 0);
    type(QStringLiteral("Ramette A4"));
    key(Qt::Key_Escape);
    clickCell(2, 2);
    const QString note = QStringLiteral("Dernier prix : 4,20 le 06/03/2000 (commande 200003001)");
    QCOMPARE(child<QLabel>("HintPanel")->text(), note);
    QCOMPARE(focused()->toolTip(), note);
    // Over the cell without its editor, the tool tip says the same.
    clickCell(3, 0);
    auto *grid = child<QTableView>("Lines");
    const QRect cell = grid->visualRect(grid->model()->index(1, 2));
    QHelpEvent hover(QEvent::ToolTip, cell.center(), grid->viewport()->mapToGlobal(cell.center()));
    QApplication::sendEvent(grid->viewport(), &hover);
    QTRY_COMPARE(QToolTip::text(), note);

    // The cell's context menu, from the keyboard: "Historique des prix...".
    clickCell(2, 0);
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(5, 5),
                              focused()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(focused(), &menuKey);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QAction *history = menu->actions().last();
    QCOMPARE(history->text(), QStringLiteral("Historique des prix..."));
    QVERIFY(history->isEnabled());
    QVERIFY(said(QAccessible::queryAccessibleInterface(m_form.get()), menu, history->text()));
    history->trigger();
    menu->close();
    auto *window = m_form->findChild<QDialog *>(QStringLiteral("PriceHistoryWindow"));
    QVERIFY(window && window->isVisible());
    const ModelTesters testers = testModels(window);
    QTRY_COMPARE(QApplication::activeWindow(), window);
    auto *lines = window->findChild<QTableView *>(QStringLiteral("History"));
    QCOMPARE(lines->model()->rowCount(), 2);
    QCOMPARE(lines->model()->index(0, 1).data().toString(), QStringLiteral("200003001"));
    QCOMPARE(lines->model()->index(1, 4).data().toString(), QStringLiteral("3,80"));
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    QCOMPARE(orderWindow().book().currentOrder(), 1);
    QTRY_VERIFY(inGrid());
    QCOMPARE(orderWindow().currentGridRow(), 1);
    QCOMPARE(orderWindow().currentGridColumn(), 2);
    QVERIFY(window->isVisible());
}

// The program's own application object, so that errors reaching the event loop are caught as
// in the program.
int main(int argc, char *argv[])
{
    Application app(argc, argv);
    TestSearchWindows test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_search_windows.moc"
