// SPDX-License-Identifier: GPL-3.0-or-later
// The program driven from the keyboard and the mouse as a user drives it: keys go to the main
// window and reach whatever has the focus, menus open with Alt and a mnemonic, and the real
// message boxes and dialogs take the focus before they are answered.

#include "app/mainwindow.h"
#include "app/orderlistdialog.h"
#include "core/prompts.h"
#include "core/textfile.h"
#include "gui/application.h"
#include "gui/desktopplatform.h"
#include "order/booklistener.h"
#include "order/orderwindow.h"
#include "testsupport.h"
#include "utilities/helpwindow.h"
#include "utilities/splashscreen.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <functional>
#include <memory>

namespace {

QStringList orderBlock(int index, const QString &code, const QString &name,
                       const QString &designation)
{
    return TestBooks::block(
        index, {.number = QStringLiteral("20000300") + QString::number(index + 1),
                .code = code,
                .address = {name, QStringLiteral("3 rue Haute"), QString(), QString()},
                .body = {QStringLiteral("TTCN"),
                         QStringLiteral("CMDE") + designation + QStringLiteral("\t2\t10\t\t20\t1"),
                         QStringLiteral("CMDEEcrous\t4\t1\t\t4\t1")}});
}

// An order of supplier 10023 with the address the supplier file gives.
QStringList dupontOrder()
{
    return orderBlock(0, QStringLiteral("10023"), QStringLiteral("Dupont"), QStringLiteral("Vis"));
}

QByteArray contents(const QString &fileName)
{
    QByteArray bytes;
    (void)TextFile::readBytes(fileName, bytes);
    return bytes;
}

// Answers the modal windows as a user would, once each has taken the focus: a message box by
// the button the script names (Escape once the script is used up), any other dialog by
// `dialog` or else by Escape. Runs inside the modal loop of the window it answers. Like a
// window manager, it makes the main window active again once no shown window is.
class ModalAnswerer : public QObject {
public:
    struct Seen {
        QString caption;
        QString text;
        bool hadFocus = false;
    };

    ModalAnswerer()
    {
        connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::look);
        m_timer.start(5);
    }

    QStringList buttons; // e.g. "&Non", "Annuler"
    std::function<void(QWidget *)> dialog;
    std::function<void()> whenSeen; // looks at the screen while the window is up
    QPointer<QWidget> mainWindow;
    QList<Seen> seen;

    QStringList texts() const
    {
        QStringList t;
        for (const Seen &s : seen)
            t << s.text;
        return t;
    }

private:
    void look()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) {
            const QWidget *active = QApplication::activeWindow();
            if (mainWindow && mainWindow->isVisible() && (!active || !active->isVisible()))
                QApplication::setActiveWindow(mainWindow);
            return;
        }
        QWidget *focus = QApplication::focusWidget();
        const bool hasFocus = focus && focus->window() == modal;
        // A user answers what is in front and has the keyboard; give it a moment to get there.
        if (!hasFocus && ++m_waits < 100)
            return;
        m_waits = 0;
        auto *box = qobject_cast<QMessageBox *>(modal);
        seen.append({modal->windowTitle(), box ? box->text() : QString(), hasFocus});
        if (whenSeen)
            whenSeen();
        if (box && !buttons.isEmpty()) {
            const QString wanted = buttons.takeFirst();
            for (QAbstractButton *button : box->buttons())
                if (button->text() == wanted)
                    return button->click();
            qWarning("no button %s", qPrintable(wanted));
        }
        if (!box && dialog)
            return dialog(modal);
        QTest::keyClick(modal, Qt::Key_Escape);
    }

    QTimer m_timer;
    int m_waits = 0;
};

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void quitFromMenuWithCodeOnScreen_data();
    void quitFromMenuWithCodeOnScreen();
    void focusTakenElsewhereIsNotLeavingTheField_data();
    void focusTakenElsewhereIsNotLeavingTheField();
    void tabLeavesTheField();
    void tabGoesRoundTheOrderWindow();
    void deleteLineFromKeyboardMenu();
    void cellEditGoesOnAfterMenuAndBox();
    void rowTypedWithoutEnterIsKept_data();
    void rowTypedWithoutEnterIsKept();
    void everyRowTypedWithEnterIsKept();
    void numberCellEditedFromItsMiddle_data();
    void numberCellEditedFromItsMiddle();
    void copyNewOrderPaste_data();
    void copyNewOrderPaste();
    void orderStepsUndoneAndRedone_data();
    void orderStepsUndoneAndRedone();
    void undoRedoBackAndForth_data();
    void undoRedoBackAndForth();
    void shortcutsWhereverTheFocusIs_data();
    void shortcutsWhereverTheFocusIs();
    void fieldsKeepTextCopyKeys();
    void pastedTextKeepsTheFiles_data();
    void pastedTextKeepsTheFiles();
    void startupMessageNotCoveredBySplash();
    void awaitedOrdersAndTheLateCount();
    void fileDialogsReadable();

private:
    // True when the book is open and saved, the focus in the code field.
    bool start(const QList<QStringList> &orders);
    void openAndSave(const QList<QStringList> &orders);
    QWindow *window() const { return m_form->windowHandle(); }
    void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(window(), Qt::Key(k), modifiers);
    }
    void type(const QString &text)
    {
        for (QChar c : text)
            QTest::keyClick(window(), c.toLatin1());
    }
    void menu(char mnemonic, char item);
    void clickCell(int row, int column);
    // The designations of the first order of the book as saved.
    QStringList savedDesignations() const;
    template <typename W = QWidget> W *child(const char *name) const
    {
        return m_form->findChild<W *>(QLatin1String(name));
    }
    QWidget *focused() const { return QApplication::focusWidget(); }
    const OrderBook &book() const { return m_form->orderWindow().book(); }
    OrderDocument &document() const { return m_form->orderWindow().document(); }

    std::unique_ptr<TemporaryWorkingDir> m_dir;
    std::unique_ptr<ModalAnswerer> m_modals;
    std::unique_ptr<DesktopPlatform> m_real; // its message boxes, answered by m_modals
    std::unique_ptr<FakePlatform> m_desktop;
    std::unique_ptr<MainWindow> m_form;
    QString m_book;
    QByteArray m_suppliers;
};

void TestKeyboard::init()
{
    m_dir = std::make_unique<TemporaryWorkingDir>();
    m_real = std::make_unique<DesktopPlatform>();
    m_desktop = std::make_unique<FakePlatform>();
    m_desktop->messageBoxes = m_real.get();
    m_modals = std::make_unique<ModalAnswerer>();
    // Supplier 10023 has the address its orders show; 10024 has another one.
    QVERIFY(
        TextFile::write(SupplierBook::FileName, {"<FOU>10023", "Dupont", "3 rue Haute", "", "",
                                                 "<FOU>10024", "Martin", "Quai Bas", "Lyon", ""}));
    m_suppliers = contents(SupplierBook::FileName);
}

void TestKeyboard::cleanup()
{
    m_form.reset();
    m_modals.reset();
    m_desktop.reset();
    m_real.reset();
    m_dir.reset();
}

bool TestKeyboard::start(const QList<QStringList> &orders)
{
    openAndSave(orders);
    return !QTest::currentTestFailed();
}

// Opens a book of the given orders with Ctrl+O and saves it with Ctrl+S: nothing is left to
// save, and the focus is in the supplier code field as after every order shown.
void TestKeyboard::openAndSave(const QList<QStringList> &orders)
{
    QStringList lines;
    for (const QStringList &order : orders)
        lines << order;
    m_book = m_dir->file(QStringLiteral("book.cmd"));
    QVERIFY(TextFile::write(m_book, TextLines(lines)));

    m_form = std::make_unique<MainWindow>();
    m_form->show();
    m_modals->mainWindow = m_form.get();
    QApplication::setActiveWindow(m_form.get());
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    m_desktop->chooseFile(m_book);
    key(Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(m_form->fileName(), m_book);
    key(Qt::Key_S, Qt::ControlModifier);
    bool modified = true;
    QVERIFY(!m_form->orderWindow().bookModified(modified));
    QCOMPARE(focused(), child("SupplierCode"));
    m_modals->seen.clear();
}

// Alt and the menu's mnemonic, then the item's mnemonic.
void TestKeyboard::menu(char mnemonic, char item)
{
    // A dialog that just closed gives the main window back its activation a moment later:
    // Alt goes to the active window.
    QTRY_COMPARE(QApplication::activeWindow(), m_form.get());
    key(Qt::Key_A + (mnemonic - 'a'), Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget());
    if (item)
        key(Qt::Key_A + (item - 'a'));
}

void TestKeyboard::clickCell(int row, int column)
{
    auto *grid = child<QTableView>("Lines");
    const QRect cell = grid->visualRect(grid->model()->index(row - 1, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTRY_VERIFY(focused() && focused()->objectName() == QLatin1String("CellEditor"));
}

void TestKeyboard::quitFromMenuWithCodeOnScreen_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("code without a supplier") << "10099";
    QTest::newRow("supplier with another address") << "10024";
    QTest::newRow("supplier with the order's address") << "10023";
}

void TestKeyboard::quitFromMenuWithCodeOnScreen()
{
    QFETCH(QString, code);
    QVERIFY(start({orderBlock(0, code, QStringLiteral("Dupont"), QStringLiteral("Vis"))}));
    const QByteArray saved = contents(m_book);

    menu('f', 'q');

    QTRY_VERIFY(!m_form->isVisible());
    QCOMPARE(m_modals->texts(), QStringList());
    QCOMPARE(child<QLineEdit>("AddressLine1")->text(), QStringLiteral("Dupont"));
    QCOMPARE(contents(m_book), saved);
    QCOMPARE(contents(SupplierBook::FileName), m_suppliers);
}

void TestKeyboard::focusTakenElsewhereIsNotLeavingTheField_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("menu opened and closed") << "menu";
    QTest::newRow("message box") << "box";
    QTest::newRow("dialog") << "dialog";
    QTest::newRow("another window") << "window";
}

void TestKeyboard::focusTakenElsewhereIsNotLeavingTheField()
{
    QFETCH(QString, how);
    QVERIFY(start({dupontOrder(), orderBlock(1, QStringLiteral("10023"), QStringLiteral("Dupont"),
                                             QStringLiteral("Clou"))}));
    // An unknown code typed, the field not left yet.
    auto *code = child<QLineEdit>("SupplierCode");
    key(Qt::Key_End);
    key(Qt::Key_Backspace);
    type(QStringLiteral("9"));
    QCOMPARE(code->text(), QStringLiteral("10029"));

    if (how == QLatin1String("menu")) {
        menu('d', 0);
        key(Qt::Key_Escape);
        key(Qt::Key_Escape);
    } else if (how == QLatin1String("box")) {
        // "S&upprimer commande" asks first; the question takes the focus and is cancelled.
        m_modals->buttons << QStringLiteral("Annuler");
        menu('d', 'u');
        QTRY_COMPARE(m_modals->seen.size(), 1);
        QCOMPARE(m_modals->seen.first().text,
                 QStringLiteral("Confirmer suppression de la Commande ?"));
        QVERIFY(m_modals->seen.first().hadFocus);
    } else if (how == QLatin1String("dialog")) {
        menu('u', 'a'); // the calculator, closed with Escape
        QTRY_COMPARE(m_modals->seen.size(), 1);
        QCOMPARE(m_modals->seen.first().caption, QStringLiteral("Calculatrice"));
        QVERIFY(m_modals->seen.first().hadFocus);
    } else {
        menu('a', 'i'); // the help window comes in front, and Escape closes it
        QTRY_COMPARE(QApplication::activeWindow(), &m_form->help());
        QTest::keyClick(m_form->help().windowHandle(), Qt::Key_Escape);
        QVERIFY(!m_form->help().isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), m_form.get());
    }

    QTRY_COMPARE(focused(), code);
    const int questions = how == QLatin1String("box") || how == QLatin1String("dialog") ? 1 : 0;
    QCOMPARE(m_modals->seen.size(), questions);
    QCOMPARE(code->text(), QStringLiteral("10029"));
    QCOMPARE(book().orderCount(), 2);

    // Leaving it for real asks the question, once.
    m_modals->buttons << QStringLiteral("&Non");
    key(Qt::Key_Tab);
    QTRY_COMPARE(m_modals->seen.size(), questions + 1);
    QCOMPARE(m_modals->seen.last().text, QStringLiteral("Créer le fournisseur ?"));
    QVERIFY(m_modals->seen.last().hadFocus);
    QTRY_COMPARE(focused(), child("PaymentTerms"));
}

void TestKeyboard::tabLeavesTheField()
{
    QVERIFY(start({dupontOrder()}));
    auto *code = child<QLineEdit>("SupplierCode");
    code->selectAll();
    type(QStringLiteral("24"));
    key(Qt::Key_Tab);

    // Completed and looked up: the address of supplier 10024, the order and file modified.
    QCOMPARE(code->text(), QStringLiteral("10024"));
    QCOMPARE(child<QLineEdit>("AddressLine1")->text(), QStringLiteral("Martin"));
    QCOMPARE(child<QLineEdit>("AddressLine3")->text(), QStringLiteral("Lyon"));
    QVERIFY(document().fileModified());
    QVERIFY(m_modals->seen.isEmpty());

    // Shift+Tab back and out again with nothing typed: the lookup finds the same address.
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(focused(), code);
    document().setFileModified(false);
    key(Qt::Key_Tab);
    QCOMPARE(child<QLineEdit>("AddressLine1")->text(), QStringLiteral("Martin"));
    QVERIFY(!document().fileModified());

    // With the question answered "&Non" the supplier block stays as it was; a click on the
    // note leaves the field as well.
    QTest::mouseClick(code, Qt::LeftButton);
    QCOMPARE(focused(), code);
    code->selectAll();
    type(QStringLiteral("77"));
    m_modals->buttons << QStringLiteral("&Non");
    QTest::mouseClick(child("Note"), Qt::LeftButton);
    QTRY_COMPARE(m_modals->texts(), QStringList{"Créer le fournisseur ?"});
    QCOMPARE(code->text(), QStringLiteral("10077"));
    QCOMPARE(child<QLineEdit>("AddressLine1")->text(), QStringLiteral("Martin"));
    QTRY_COMPARE(focused(), child("Note"));
}

// Tab from the note comes back to the order number; the kinds of order are one stop between
// the payment terms and the address, not one of them after the note.
void TestKeyboard::tabGoesRoundTheOrderWindow()
{
    QVERIFY(start({dupontOrder()}));
    QTest::mouseClick(child("Note"), Qt::LeftButton);
    key(Qt::Key_Tab);
    QCOMPARE(focused(), child("OrderNumber"));
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(focused(), child("Note"));

    // The two kinds of order are one stop, the arrow keys choosing between them.
    child("PaymentTerms")->setFocus(Qt::TabFocusReason);
    key(Qt::Key_Tab);
    QCOMPARE(focused(), child("BeforeTaxOrder"));
    key(Qt::Key_Tab);
    QCOMPARE(focused(), child("AddressLine1"));
}

void TestKeyboard::deleteLineFromKeyboardMenu()
{
    QVERIFY(start({dupontOrder()}));
    auto *deleteLine = m_form->findChild<QAction *>(QStringLiteral("DeleteLineAction"));
    QVERIFY(!deleteLine->isEnabled());

    clickCell(1, 0);
    QVERIFY(deleteLine->isEnabled());
    // Opened from the keyboard, the menu shows the command enabled, and it runs.
    menu('d', 0);
    QVERIFY(deleteLine->isEnabled());
    key(Qt::Key_E);
    QTRY_VERIFY(!QApplication::activePopupWidget());
    QCOMPARE(m_form->orderWindow().document().cell(1, 0), QStringLiteral("Ecrous"));
    QVERIFY(m_form->orderWindow().document().cell(2, 0).isEmpty());
    QCOMPARE(document().lastRow(), 1);
    QVERIFY(document().fileModified());

    // The focus is back in the grid, where the command stays enabled until it leaves.
    QWidget *grid = child("Lines");
    QTRY_VERIFY(focused() == grid || grid->isAncestorOf(focused()));
    menu('d', 0);
    key(Qt::Key_Escape);
    key(Qt::Key_Escape);
    QVERIFY(deleteLine->isEnabled());
    QTest::mouseClick(child("AddressLine2"), Qt::LeftButton);
    QVERIFY(!deleteLine->isEnabled());
}

void TestKeyboard::cellEditGoesOnAfterMenuAndBox()
{
    QVERIFY(start({dupontOrder()}));
    clickCell(3, 0);
    type(QStringLiteral("Boul"));
    // A look at a menu, and a question answered "Annuler", between two keys.
    menu('d', 0);
    key(Qt::Key_Escape);
    key(Qt::Key_Escape);
    QTRY_VERIFY(focused() && focused()->objectName() == QLatin1String("CellEditor"));
    m_modals->buttons << QStringLiteral("Annuler");
    menu('d', 'u');
    QTRY_COMPARE(m_modals->seen.size(), 1);
    QVERIFY(m_modals->seen.first().hadFocus);
    QTRY_VERIFY(focused() && focused()->objectName() == QLatin1String("CellEditor"));
    type(QStringLiteral("ons"));
    QTest::mouseClick(child("AddressLine2"), Qt::LeftButton);

    QCOMPARE(m_form->orderWindow().document().cell(3, 0), QStringLiteral("Boulons"));
    QVERIFY(document().orderModified());
    QCOMPARE(book().orderCount(), 1);
}

void TestKeyboard::rowTypedWithoutEnterIsKept_data()
{
    QTest::addColumn<QString>("leave");
    QTest::newRow("Ctrl+S") << QStringLiteral("save");
    QTest::newRow("Page Down, then Ctrl+S") << QStringLiteral("next");
    QTest::newRow("quit, changes saved") << QStringLiteral("quit");
}

// A row the user typed into is part of the order, completed with Enter or not.
void TestKeyboard::rowTypedWithoutEnterIsKept()
{
    QFETCH(QString, leave);
    QVERIFY(start({dupontOrder(), orderBlock(1, QStringLiteral("10024"), QStringLiteral("Martin"),
                                             QStringLiteral("Clou"))}));
    clickCell(3, 0);
    type(QStringLiteral("Boulons"));
    if (leave == QLatin1String("next"))
        key(Qt::Key_PageDown);
    if (leave == QLatin1String("quit")) {
        m_modals->buttons << QStringLiteral("&Oui");
        menu('f', 'q');
        QTRY_VERIFY(!m_form->isVisible());
    } else {
        key(Qt::Key_S, Qt::ControlModifier);
    }
    QCOMPARE(savedDesignations(), (QStringList{"Vis", "Ecrous", "Boulons"}));
}

QStringList TestKeyboard::savedDesignations() const
{
    QStringList lines;
    OrderRecord written;
    if (!TextFile::read(m_book, lines) || !*OrderFormat::decode(TextLines(lines), 0, written))
        return {QStringLiteral("(unreadable)")};
    QStringList designations;
    for (const OrderLine &line : std::as_const(written.lines))
        designations << line.designation;
    return designations;
}

// Line after line as a user types them, each ended with Enter, up to the last row the order
// holds: Enter there keeps the cursor on that row and says the order is full.
void TestKeyboard::everyRowTypedWithEnterIsKept()
{
    QVERIFY(start({dupontOrder()}));
    QStringList designations{QStringLiteral("Vis"), QStringLiteral("Ecrous")};
    clickCell(3, 0);
    for (int row = 3; row <= OrderDocument::GridRows; ++row) {
        designations << QStringLiteral("Article %1").arg(row);
        type(designations.last());
        key(Qt::Key_Tab);
        type(QStringLiteral("2"));
        key(Qt::Key_Tab);
        type(QStringLiteral("1,5"));
        key(Qt::Key_Return);
        QCOMPARE(m_form->orderWindow().currentGridRow(), qMin(row + 1, OrderDocument::GridRows));
    }
    QCOMPARE(m_form->orderWindow().currentGridColumn(), 0);
    QCOMPARE(child<QLabel>("HintPanel")->text(),
             QStringLiteral("La commande est complète : 63 lignes au plus."));
    key(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(savedDesignations(), designations);
    QCOMPARE(child<QLabel>("TotalBeforeTax")->text(),
             QStringLiteral("207,00")); // 24,00 + 61 x 3,00
}

// A click in the middle of a number cell, keys typed there, Enter: the cell holds what its
// editor showed, without the spaces that right-align the number; a text that is not a number
// is marked and said.
void TestKeyboard::numberCellEditedFromItsMiddle_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("cell");   // trimmed; as it was when nothing is typed
    QTest::addColumn<QString>("amount"); // Enter in the quantity works nothing out
    QTest::addColumn<QString>("notice");
    // Left with Tab: Enter would complete the line, a change of its own.
    QTest::newRow("price left untouched") << 2 << ""
                                          << "10,00"
                                          << "20,00"
                                          << "";
    QTest::newRow("digit before the price") << 2 << "1"
                                            << "110,00"
                                            << "220,00"
                                            << "";
    QTest::newRow("second price") << 2 << "48,20 "
                                  << "48,20 10,00"
                                  << "0,00"
                                  << "Prix unitaire : « 48,20 10,00 » n'est pas un nombre";
    QTest::newRow("letter in the quantity") << 1 << "a"
                                            << "a2"
                                            << "20,00"
                                            << "Quantité : « a2 » n'est pas un nombre";
    QTest::newRow("discount with its sign") << 3 << "5 %"
                                            << "5 %"
                                            << "20,00"
                                            << "Remise : « 5 % » n'est pas un nombre";
}

void TestKeyboard::numberCellEditedFromItsMiddle()
{
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, cell);
    QFETCH(QString, notice);
    QVERIFY(start({dupontOrder()}));
    const QString before = document().cell(1, column);
    clickCell(1, column);
    // Clicked once it is on screen, where the user sees the number.
    QCoreApplication::processEvents();
    QTest::mouseClick(focused(), Qt::LeftButton, {}, focused()->rect().center());
    type(typed);
    key(typed.isEmpty() ? Qt::Key_Tab : Qt::Key_Return);

    const QString after = document().cell(1, column);
    if (typed.isEmpty()) {
        QCOMPARE(after, before);
        QVERIFY(!document().orderModified());
    }
    QCOMPARE(after.trimmed(), cell);
    QTEST(document().cell(1, OrderLine::AmountCell).trimmed(), "amount");
    const auto *status = child<QLabel>("HintPanel");
    QTRY_VERIFY2(notice.isEmpty() ? !status->text().contains(QStringLiteral("nombre"))
                                  : status->text() == notice,
                 qPrintable(status->text()));
    // Marked in the grid: the cell's background is not the grid's.
    auto *grid = child<QTableView>("Lines");
    const QRect rect = grid->visualRect(grid->model()->index(0, column));
    const QColor shown = grid->viewport()->grab().toImage().pixelColor(
        rect.center().x() * grid->devicePixelRatio(), (rect.top() + 1) * grid->devicePixelRatio());
    QCOMPARE(shown != grid->palette().color(QPalette::Base), !notice.isEmpty());
}

void TestKeyboard::copyNewOrderPaste_data()
{
    QTest::addColumn<QList<int>>("indexes"); // of the book's blocks
    QTest::addColumn<QStringList>("more");   // lines at the end of the last order
    QTest::newRow("one order") << QList<int>{0} << QStringList();
    // Left by another copy of the file or a damage: the labels balance, nothing is repaired.
    QTest::newRow("index 3 missing") << QList<int>{0, 1, 2, 4, 5} << QStringList();
    // 65 order lines, two past the grid, a note of 80 lines, and a line of a kind the program
    // does not read, which stays with its order.
    QStringList more;
    for (int row = 3; row <= 65; ++row)
        more << QStringLiteral("CMDELigne %1\t1\t%1\t\t%1\t1").arg(row);
    for (int line = 1; line <= 80; ++line)
        more << QStringLiteral("MEMONote %1").arg(line);
    more << QStringLiteral("REFDevis n° 4711");
    QTest::newRow("long order") << QList<int>{0, 1} << more;
}

void TestKeyboard::copyNewOrderPaste()
{
    QFETCH(QList<int>, indexes);
    QFETCH(QStringList, more);
    QList<QStringList> orders;
    QStringList designations;
    for (const int index : indexes) {
        designations << QStringLiteral("Vis %1").arg(index);
        orders << orderBlock(index, QStringLiteral("10024"), QStringLiteral("Martin"),
                             designations.last());
    }
    const QString closing = orders.last().takeLast();
    orders.last() << more << closing;
    QVERIFY(start(orders));
    const int count = int(indexes.size());
    QGuiApplication::clipboard()->setText(QStringLiteral("texte"));

    // "&Dernier" shows the last order of the book.
    menu('d', 'd');
    QTRY_COMPARE(book().currentOrder(), count - 1);
    QCOMPARE(m_form->orderWindow().document().cell(1, 0), designations.last());
    key(Qt::Key_C, Qt::ControlModifier);
    // "&Nouvelle commande": an empty order with the next number.
    menu('d', 'n');
    QTRY_COMPARE(book().currentOrder(), count);
    QCOMPARE(focused(), child("SupplierCode"));
    QVERIFY(child<QLineEdit>("SupplierCode")->text().isEmpty());
    QVERIFY(m_form->orderWindow().document().cell(1, 0).isEmpty());
    QCOMPARE(child<QLineEdit>("OrderNumber")->text(),
             QStringLiteral("20000300%1").arg(indexes.last() + 2));
    key(Qt::Key_V, Qt::ControlModifier);

    // The new order holds the copied one; the field did not take the desktop's clipboard.
    QCOMPARE(child<QLineEdit>("SupplierCode")->text(), QStringLiteral("10024"));
    QCOMPARE(child<QLineEdit>("AddressLine1")->text(), QStringLiteral("Martin"));
    QCOMPARE(m_form->orderWindow().document().cell(1, 0), designations.last());
    QVERIFY(m_modals->seen.isEmpty());

    // Saved with Ctrl+S, the book holds every order and the copy, which stepping all reach.
    key(Qt::Key_S, Qt::ControlModifier);
    QStringList lines;
    QVERIFY(TextFile::read(m_book, lines));
    for (const QString &designation : designations)
        QCOMPARE(
            lines.filter(QRegularExpression(QStringLiteral("^CMDE") + designation + '\t')).size(),
            designation == designations.last() ? 2 : 1);
    QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^<BLOC"))).size(), count + 1);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("texte"));
    // Every order line is in the copy, and the whole note in what was copied; the copy keeps
    // its own note, and the line of another kind stays in the copied order alone.
    OrderRecord copied;
    OrderRecord copy;
    QVERIFY(*OrderFormat::decode(TextLines(lines), count - 1, copied));
    QVERIFY(*OrderFormat::decode(TextLines(lines), count, copy));
    const auto designationsOf = [](const OrderRecord &record) {
        QStringList texts;
        for (const OrderLine &line : record.lines)
            texts << line.designation;
        return texts;
    };
    QCOMPARE(designationsOf(copy), designationsOf(copied));
    QCOMPARE(m_form->orderWindow().document().clipboard().order().note, copied.note);
    QVERIFY(copy.note.isEmpty());
    QCOMPARE(lines.filter(QStringLiteral("REF")).size(), more.filter(QStringLiteral("REF")).size());
    menu('d', 'r');
    for (const QString &designation : designations + QStringList{designations.last()}) {
        QCOMPARE(m_form->orderWindow().document().cell(1, 0), designation);
        key(Qt::Key_PageDown);
    }
    QCOMPARE(book().currentOrder(), count);
}

// The commands on whole orders, undone and redone from the keyboard: the book and the order on
// screen go back byte for byte, and forward to what the command made.
void TestKeyboard::orderStepsUndoneAndRedone_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("undoText");
    QTest::newRow("delete order") << "delete"
                                  << "&Annuler la suppression de la commande";
    QTest::newRow("new order") << "new"
                               << "&Annuler l'ajout d'une commande";
    QTest::newRow("paste over an order") << "paste"
                                         << "&Annuler le collage de la commande";
    QTest::newRow("delete line") << "line"
                                 << "&Annuler l'effacement de la ligne 1";
    QTest::newRow("move orders") << "move"
                                 << "&Annuler le déplacement des commandes";
    QTest::newRow("cell, then the next order") << "cell"
                                               << "&Annuler la saisie de la ligne 1";
}

void TestKeyboard::orderStepsUndoneAndRedone()
{
    QFETCH(QString, command);
    QFETCH(QString, undoText);
    // Bytes a round trip through text could change: no-break space, euro sign, an undefined
    // byte, a TAB in the note.
    QStringList odd = orderBlock(1, "10024", "Martin", QString::fromUtf8("Vis\u00A0\u20AC\u0081"));
    odd.insert(odd.size() - 1, QStringLiteral("MEMOA\tB"));
    QVERIFY(start({dupontOrder(), odd, orderBlock(2, "10023", "Dupont", "Clous")}));
    key(Qt::Key_C, Qt::ControlModifier); // order 0, to paste over the order with odd bytes
    key(Qt::Key_PageDown);
    const QByteArray before = book().lines().join();
    const OrderRecord shown = document().record();
    const bool modified = document().fileModified(); // showing an order marks the book
    auto *undo = m_form->findChild<QAction *>(QStringLiteral("UndoAction"));

    if (command == "delete") {
        m_modals->buttons << QStringLiteral("OK");
        menu('d', 'u');
    } else if (command == "new") {
        menu('d', 'n');
    } else if (command == "paste") {
        key(Qt::Key_V, Qt::ControlModifier);
    } else if (command == "line") {
        clickCell(1, 0);
        menu('d', 'e');
    } else if (command == "move") {
        m_modals->dialog = [](QWidget *list) {
            auto *entries = list->findChild<QAbstractItemView *>();
            const QRect second = entries->visualRect(entries->model()->index(1, 0));
            QTest::mouseClick(entries->viewport(), Qt::LeftButton, {}, second.center());
            QTest::mouseClick(list->findChild<QAbstractButton *>(QStringLiteral("UpButton")),
                              Qt::LeftButton);
            QTest::keyClick(entries, Qt::Key_Escape);
        };
        key(Qt::Key_F2);
    } else {
        clickCell(1, 0);
        type("Z");
        key(Qt::Key_PageDown);
    }
    QTRY_VERIFY(!QApplication::activeModalWidget());
    QCOMPARE(undo->text(), undoText);
    QTRY_COMPARE(QApplication::activeWindow(), m_form.get());
    const QByteArray after = document().snapshot().join();

    key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(book().lines().join(), before);
    QCOMPARE(document().record(), shown);
    QCOMPARE(book().currentOrder(), 1);
    QCOMPARE(document().fileModified(), modified);
    key(Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(document().snapshot().join(), after);
    QVERIFY(document().fileModified());
    QCOMPARE(undo->text(), undoText);
}

// Ctrl+Z and Ctrl+Y pressed in turn or in a row: each key costs the step it takes back, the
// book's journal holds the same changes whatever the keys, and Ctrl+S writes what is shown. A
// key that runs out of memory half way leaves everything as it was and says so.
void TestKeyboard::undoRedoBackAndForth_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("failing"); // the key whose restore runs out of memory; -1: none
    const QString zy = QStringLiteral("zy");
    QTest::newRow("an order deleted, back and forth") << "delete" << zy.repeated(20) << -1;
    QTest::newRow("thirty notes, undone") << "notes" << QString(32, 'z') + "yy" << -1;
    QTest::newRow("out of memory half way") << "delete"
                                            << "zyzyzy" << 2;
}

void TestKeyboard::undoRedoBackAndForth()
{
    QFETCH(QString, steps);
    QFETCH(QString, keys);
    QFETCH(int, failing);
    QVERIFY(start({dupontOrder(), orderBlock(1, "10024", "Martin", "Clous"),
                   orderBlock(2, "10023", "Dupont", "Ecrous"),
                   orderBlock(3, "10024", "Martin", "Pointes")}));
    QList<QByteArray> states{document().snapshot().join()}; // by the history's place
    if (steps == "delete") {
        key(Qt::Key_PageDown);
        states = {document().snapshot().join()};
        m_modals->buttons << QStringLiteral("OK");
        menu('d', 'u');
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QTRY_COMPARE(QApplication::activeWindow(), m_form.get());
        states << document().snapshot().join();
    } else {
        for (int k = 1; k <= 30; ++k) {
            if (k > 1) {
                key(Qt::Key_PageDown);
                states << document().snapshot().join();
            }
            QTest::mouseClick(child("Note"), Qt::LeftButton);
            type(QStringLiteral(" n%1").arg(k));
        }
        states << document().snapshot().join();
    }

    // Fails the book's listener once, after the lines went back.
    struct FailingListener : BookListener {
        BookListener *inner = nullptr;
        bool armed = false;
        void blockChanged(int index) override { inner->blockChanged(index); }
        void blockRemoved(int index) override { inner->blockRemoved(index); }
        void blocksRenumbered(const QList<int> &from) override
        {
            if (std::exchange(armed, false))
                throw std::bad_alloc();
            inner->blocksRenumbered(from);
        }
        void bookReset() override { inner->bookReset(); }
    } listener;
    listener.inner = book().listener();
    document().setBookListener(&listener);
    auto *undo = child<QAction>("UndoAction");

    m_modals->seen.clear();
    const qsizetype journal = book().journalSize();
    qsizetype at = states.size() - 1;
    for (qsizetype k = 0; k < keys.size(); ++k) {
        const QString undoText = undo->text();
        listener.armed = k == failing;
        if (listener.armed)
            m_modals->buttons << QStringLiteral("OK");
        key(keys.at(k) == 'z' ? Qt::Key_Z : Qt::Key_Y, Qt::ControlModifier);
        if (k == failing) {
            QTRY_COMPARE(QApplication::activeWindow(), m_form.get());
            QCOMPARE(m_modals->texts(),
                     QStringList{"Mémoire insuffisante : l'opération a été abandonnée."});
            QCOMPARE(undo->text(), undoText);
        } else {
            at = qBound<qsizetype>(0, at + (keys.at(k) == 'z' ? -1 : 1), states.size() - 1);
        }
        QCOMPARE(book().journalSize(), journal);
        QCOMPARE(document().snapshot().join(), states.at(at));
    }
    document().setBookListener(listener.inner);
    key(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(contents(m_book), states.at(at));
}

void TestKeyboard::shortcutsWhereverTheFocusIs_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("shortcut");
    for (const char *control : {"SupplierCode", "OrderNumber", "OrderDate", "PaymentTerms",
                                "AddressLine1", "CellEditor", "Note"})
        for (const char *shortcut : {"Ctrl+C", "Ctrl+V", "Ctrl+S", "Ctrl+O", "F9", "F2"})
            QTest::addRow("%s, %s", control, shortcut) << control << shortcut;
}

void TestKeyboard::shortcutsWhereverTheFocusIs()
{
    QFETCH(QString, control);
    QFETCH(QString, shortcut);
    QVERIFY(start({dupontOrder(), orderBlock(1, QStringLiteral("10024"), QStringLiteral("Martin"),
                                             QStringLiteral("Clou"))}));
    OrderWindow &order = m_form->orderWindow();
    // The first order is copied, the second one shown.
    key(Qt::Key_C, Qt::ControlModifier);
    key(Qt::Key_PageDown);
    QCOMPARE(book().currentOrder(), 1);

    // The focus goes into the control with a click.
    const bool inGrid = control == QLatin1String("CellEditor");
    QWidget *grid = child("Lines");
    QPointer<QWidget> target;
    if (inGrid) {
        clickCell(2, 1);
        target = focused();
    } else {
        target = child(control.toLatin1().constData());
        if (auto *combo = qobject_cast<QComboBox *>(target.data()))
            target = combo->lineEdit();
        if (auto *date = qobject_cast<QDateEdit *>(target.data()))
            target = date->findChild<QLineEdit *>();
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(4, 4));
    }
    QTRY_VERIFY(target->hasFocus());
    QGuiApplication::clipboard()->setText(QStringLiteral("texte"));
    const auto shown = [&] {
        return inGrid
                   ? order.document().cell(2, 1)
                   : target->property("text").toString() + target->property("plainText").toString();
    };
    const QString shownBefore = shown();
    order.document().setFileModified(shortcut == QLatin1String("Ctrl+S"));
    child<QLabel>("TotalBeforeTax")->clear();
    m_modals->dialog = [](QWidget *dialog) { dialog->close(); };

    QTest::keySequence(window(), QKeySequence::fromString(shortcut));

    if (shortcut == QLatin1String("Ctrl+C")) {
        QCOMPARE(order.document().clipboard().order().supplierCode, QStringLiteral("10024"));
    } else if (shortcut == QLatin1String("Ctrl+V")) {
        QCOMPARE(child<QLineEdit>("SupplierCode")->text(), QStringLiteral("10023"));
        QCOMPARE(child<QLineEdit>("AddressLine1")->text(), QStringLiteral("Dupont"));
        QCOMPARE(order.document().cell(1, 0), QStringLiteral("Vis"));
    } else if (shortcut == QLatin1String("Ctrl+S")) {
        QVERIFY(!order.document().fileModified());
    } else if (shortcut == QLatin1String("Ctrl+O")) {
        QCOMPARE(m_desktop->fileRequests.size(), 2);
    } else if (shortcut == QLatin1String("F9")) {
        QVERIFY(!child<QLabel>("TotalBeforeTax")->text().isEmpty());
    } else if (shortcut == QLatin1String("F2")) {
        QTRY_COMPARE(m_modals->seen.size(), 1);
        QCOMPARE(m_modals->seen.first().caption, QStringLiteral("Liste des commandes"));
        QVERIFY(m_modals->seen.first().hadFocus);
    }
    if (shortcut != QLatin1String("Ctrl+V") && shortcut != QLatin1String("F2")) {
        // The control did not take the keys, and it keeps the focus (in the grid the cell
        // editor closes, as before every command).
        QTRY_VERIFY(inGrid ? focused() == grid || grid->isAncestorOf(focused())
                           : target->hasFocus());
        QCOMPARE(shown(), shownBefore);
    }
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("texte"));
}

void TestKeyboard::fieldsKeepTextCopyKeys()
{
    QVERIFY(start({dupontOrder()}));
    QTest::mouseClick(child("AddressLine1"), Qt::LeftButton);
    key(Qt::Key_Home);
    key(Qt::Key_End, Qt::ShiftModifier);
    key(Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Dupont"));
    QTest::mouseClick(child("Note"), Qt::LeftButton);
    key(Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(child<QPlainTextEdit>("Note")->toPlainText(), QStringLiteral("Dupont"));

    // Their context menus name those keys, not the ones the menu commands take.
    const QString copyKeys =
        QKeySequence(Qt::CTRL | Qt::Key_Insert).toString(QKeySequence::NativeText);
    const QString pasteKeys =
        QKeySequence(Qt::SHIFT | Qt::Key_Insert).toString(QKeySequence::NativeText);
    for (const char *field : {"AddressLine1", "Note"}) {
        QWidget *control = child(field);
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                  control->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(qobject_cast<QAbstractScrollArea *>(control)
                                    ? qobject_cast<QAbstractScrollArea *>(control)->viewport()
                                    : control,
                                &menuKey);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY2(menu, field);
        QStringList keys;
        for (const QAction *entry : menu->actions())
            keys << entry->text().section(QLatin1Char('\t'), 1);
        menu->close();
        QVERIFY2(keys.contains(copyKeys), qPrintable(keys.join(QLatin1Char(' '))));
        QVERIFY2(keys.contains(pasteKeys), qPrintable(keys.join(QLatin1Char(' '))));
        for (const QAction *command : m_form->findChildren<QAction *>())
            if (!command->shortcut().isEmpty() && command->isEnabled())
                QVERIFY2(!keys.contains(command->shortcut().toString(QKeySequence::NativeText)),
                         qPrintable(command->objectName()));
    }
}

void TestKeyboard::pastedTextKeepsTheFiles_data()
{
    QTest::addColumn<QString>("place");  // the order window's grid or fields, or a dialog
    QTest::addColumn<QString>("field");  // its object name
    QTest::addColumn<QString>("pasted"); // over the field's whole text
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<QString>("line"); // how a line of the file begins
    QTest::addColumn<QString>("word"); // in the status bar
    const QString book = QStringLiteral("book.cmd");
    const QString settings = QStringLiteral("QorCmd.ini");
    QTest::newRow("cell") << "grid"
                          << ""
                          << "Stylo\tbleu\nx3"
                          << "Stylo bleu x3" << book << 13 << "CMDEStylo bleu x3\t"
                          << "";
    QTest::newRow("address") << "order"
                             << "AddressLine2"
                             << "8 quai Voltaire\r\nBP 12"
                             << "8 quai Voltaire BP 12" << book << 13 << "8 quai Voltaire BP 12"
                             << "";
    QTest::newRow("address, no ≥") << "order"
                                   << "AddressLine2"
                                   << "≥ 5"
                                   << "3 rue Haute" << book << 13 << "3 rue Haute"
                                   << "Caractère non pris en charge : ≥";
    QTest::newRow("note, no emoji") << "order"
                                    << "Note"
                                    << "a\tb\nc 😀"
                                    << "" << book << 13 << "CMDEEcrous"
                                    << "Caractère non pris en charge : 😀";
    QTest::newRow("supplier") << "suppliers"
                              << "AddressLine1"
                              << "Garage Lenoir\nSARL"
                              << "Garage Lenoir SARL" << SupplierBook::FileName << 10
                              << "Garage Lenoir SARL"
                              << "";
    QTest::newRow("company") << "company"
                             << "CompanyLine1"
                             << "\tQor\tSARL\r\n"
                             << "Qor SARL" << Company::FileName << 7 << "Qor SARL"
                             << "";
    QTest::newRow("payment term") << "parameters"
                                  << "PaymentTerm1"
                                  << "A 30 jours\nfin de mois"
                                  << "A 30 jours fin de mois" << settings << 14
                                  << "A 30 jours fin de mois"
                                  << "";
    QTest::newRow("rate, no sign") << "parameters"
                                   << "VatRate1"
                                   << "-5,5"
                                   << "20,60" << settings << 14 << " 2.0600000000"
                                   << "Caractère refusé dans ce champ : -";
    QTest::newRow("rate, spreadsheet cell") << "parameters"
                                            << "VatRate1"
                                            << "7\n"
                                            << "7" << settings << 14 << " 7.00000000000000E+0000"
                                            << "";
    QTest::newRow("rate, point") << "parameters"
                                 << "VatRate1"
                                 << "2.5"
                                 << "2,5" << settings << 14 << " 2.50000000000000E+0000"
                                 << "";
}

// A real paste over the whole text of a field, then the order saved or the dialog confirmed:
// what the file holds after quitting is what the field showed, on one line.
void TestKeyboard::pastedTextKeepsTheFiles()
{
    QFETCH(QString, place);
    QFETCH(QString, field);
    QFETCH(QString, pasted);
    QFETCH(QString, shown);
    QFETCH(QString, file);
    QFETCH(int, lineCount);
    QFETCH(QString, line);
    QFETCH(QString, word);
    QVERIFY(start({dupontOrder()}));
    QGuiApplication::clipboard()->setText(pasted);
    QString onScreen;
    if (place == QLatin1String("grid") || place == QLatin1String("order")) {
        if (place == QLatin1String("grid"))
            clickCell(2, 0);
        else
            QTest::mouseClick(child(field.toLatin1().constData()), Qt::LeftButton);
        key(Qt::Key_Home);
        key(Qt::Key_End, Qt::ShiftModifier);
        key(Qt::Key_Insert, Qt::ShiftModifier); // Ctrl+V is the menu's "Coller" here
        onScreen =
            focused()->property("text").toString() + focused()->property("plainText").toString();
        key(Qt::Key_S, Qt::ControlModifier);
    } else {
        m_modals->dialog = [&](QWidget *dialog) {
            auto *edit = dialog->findChild<QLineEdit *>(field);
            QTest::mouseClick(edit, Qt::LeftButton);
            QWindow *keys = dialog->windowHandle();
            const bool suppliers = place == QLatin1String("suppliers");
            if (suppliers)
                QTest::keyClick(keys, Qt::Key_X); // a typed change, which the window counts
            QTest::keyClick(keys, Qt::Key_Home);
            QTest::keyClick(keys, Qt::Key_End, Qt::ShiftModifier);
            QTest::keyClick(keys, Qt::Key_V, Qt::ControlModifier);
            onScreen = edit->text();
            // "OK"; the supplier window keeps the record with Enter and closes with "Fermer".
            if (suppliers)
                QTest::keyClick(keys, Qt::Key_Return);
            QTest::mouseClick(dialog->findChild<QPushButton *>(suppliers
                                                                   ? QStringLiteral("CloseButton")
                                                                   : QStringLiteral("OkButton")),
                              Qt::LeftButton);
        };
        menu('p', place == QLatin1String("suppliers") ? 'f'
                  : place == QLatin1String("company") ? 's'
                                                      : 'c');
        QTRY_COMPARE(m_modals->seen.size(), 1);
    }
    QCOMPARE(onScreen, shown);
    const QString status = child<QLabel>("HintPanel")->text();
    QVERIFY2(word.isEmpty() ? !status.contains(QStringLiteral("Caractère")) : status == word,
             qPrintable(status));

    m_modals->buttons << QStringLiteral("&Non"); // should the book be asked about
    menu('f', 'q');
    QTRY_VERIFY(!m_form->isVisible());
    QStringList lines;
    QVERIFY(TextFile::read(m_dir->file(file), lines));
    QCOMPARE(lines.size(), lineCount);
    QVERIFY2(std::any_of(lines.cbegin(), lines.cend(),
                         [&](const QString &l) { return l.startsWith(line); }),
             qPrintable(lines.join(QLatin1Char('|'))));
}

void TestKeyboard::startupMessageNotCoveredBySplash()
{
    // A folder named like the supplier file cannot be read: the start-up says so.
    QVERIFY(QFile::remove(SupplierBook::FileName));
    QVERIFY(QDir().mkdir(SupplierBook::FileName));
    auto splash = std::make_unique<SplashScreen>();
    splash->showNow();
    bool splashShown = true;
    m_modals->whenSeen = [&] { splashShown = splash->isVisible(); };

    m_form = std::make_unique<MainWindow>();

    QCOMPARE(m_modals->seen.size(), 1);
    QVERIFY(m_modals->seen.first().text.contains(SupplierBook::FileName));
    QVERIFY(m_modals->seen.first().hadFocus);
    QVERIFY(!splashShown);
    // With the splash gone, the message boxes are shown as before.
    splash.reset();
    m_modals->whenSeen = {};
    Prompts::information(QStringLiteral("Suite"));
    QCOMPARE(m_modals->texts().last(), QStringLiteral("Suite"));
}

// The awaited orders from the Document menu, Enter showing one of them; the status bar counts
// the late ones after a reception and when the day changes.
void TestKeyboard::awaitedOrdersAndTheLateCount()
{
    // The test's clock says 14/03/2000.
    const auto sent = [](int index, const QString &expected) {
        QStringList block = orderBlock(index, QStringLiteral("10023"), QStringLiteral("Dupont"),
                                       QStringLiteral("Vis"));
        block.insert(block.size() - 1, QStringLiteral("ENVO01/03/2000\tAUTRE"));
        block.insert(block.size() - 1, QStringLiteral("PREV") + expected);
        return block;
    };
    if (!start(
            {dupontOrder(), sent(1, "10/03/2000"), sent(2, "13/03/2000"), sent(3, "20/03/2000")}))
        return;
    auto *late = child<QLabel>("LatePanel");
    QTRY_COMPARE(late->text(), QStringLiteral("2 commandes en retard"));
    QVERIFY(late->isVisible());

    menu('d', 'm');
    auto *window = child<QDialog>("AwaitedOrdersWindow");
    QTRY_VERIFY(window && window->isVisible());
    auto *list = window->findChild<QTableView *>(QStringLiteral("AwaitedOrders"));
    QTRY_COMPARE(focused(), list);
    const auto numbers = [list] {
        QStringList shown;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            shown << list->model()->index(row, 0).data().toString();
        return shown;
    };
    QCOMPARE(numbers(), (QStringList{"200003002", "200003003", "200003004"}));
    QCOMPARE(list->model()->index(1, 4).data(Qt::AccessibleTextRole).toString(),
             QStringLiteral("1 jour de retard"));
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_COMPARE(book().currentOrder(), 2);
    QVERIFY(window->isVisible());

    // Received in full from the menu: it leaves the list and the count.
    m_modals->dialog = [](QWidget *dialog) {
        dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    };
    QApplication::setActiveWindow(m_form.get());
    menu('d', 'i');
    QTRY_COMPARE(late->text(), QStringLiteral("1 commande en retard"));
    QTRY_COMPARE(numbers(), (QStringList{"200003002", "200003004"}));
    key(Qt::Key_PageDown); // written back into the book
    QTRY_COMPARE(book().currentOrder(), 3);

    // A week later, the last one is late too.
    m_desktop->moment = m_desktop->moment.addDays(7);
    QTRY_COMPARE_WITH_TIMEOUT(late->text(), QStringLiteral("2 commandes en retard"), 3000);
    QCOMPARE(numbers(), (QStringList{"200003002", "200003004"}));
    QCOMPARE(list->model()->index(1, 4).data().toString(), QStringLiteral("1"));

    // Exported as shown.
    const QString csv = m_dir->file(QStringLiteral("attente.csv"));
    m_desktop->chooseFile(csv);
    QTest::mouseClick(window->findChild<QWidget *>(QStringLiteral("ExportButton")), Qt::LeftButton);
    QStringList lines;
    QVERIFY(TextFile::read(csv, lines));
    QCOMPARE(lines.mid(1), (QStringList{"200003002;Dupont;01/03/2000;10/03/2000;11;24,00",
                                        "200003004;Dupont;01/03/2000;20/03/2000;1;24,00"}));
}

void TestKeyboard::fileDialogsReadable()
{
    QVERIFY(start({dupontOrder()}));
    m_desktop->fileDialogs = m_real.get(); // the real dialogs from now on
    QList<QSize> sizes;
    int sizeColumn = 0;
    m_modals->dialog = [&](QWidget *dialog) {
        sizes << dialog->size();
        auto *view = dialog->findChild<QTreeView *>(QStringLiteral("treeView"));
        sizeColumn = view ? view->header()->sectionSize(1) : 0;
        dialog->resize(1000, 640); // the user makes it larger, then cancels
        QTest::keyClick(dialog, Qt::Key_Escape);
    };

    key(Qt::Key_O, Qt::ControlModifier);
    QTRY_COMPARE(sizes.size(), 1);
    // Larger than Qt's own 629 x 412 (on the test's small screen too).
    QVERIFY(sizes.first().width() >= 700 && sizes.first().height() >= 500);
    QVERIFY(sizeColumn >
            QFontMetrics(m_form->font()).horizontalAdvance(QStringLiteral("677 octets")));
    QCOMPARE(m_form->fileName(), m_book);

    // The next one, the save dialog included, comes back as it was left.
    menu('f', 's');
    QTRY_COMPARE(sizes.size(), 2);
    QCOMPARE(sizes.last(), QSize(1000, 640));
}

// The program's own application object, so that errors reaching the event loop are caught as
// in the program.
int main(int argc, char *argv[])
{
    Application app(argc, argv);
    TestKeyboard test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_keyboard.moc"
