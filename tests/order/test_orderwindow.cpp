// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/textfile.h"
#include "order/orderwindow.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QTableView>
#include <QTextBlock>
#include <memory>

namespace {

// Built when used: the block labels are built from another file's constants.
QStringList twoOrders()
{
    return TestBooks::block(
               0, {.number = QStringLiteral("200001001"),
                   .date = QStringLiteral("03/01/2000"),
                   .code = QStringLiteral("10001"),
                   .body = {QStringLiteral("TTCN"), QStringLiteral("CMDEVis\t2\t\t\t\t1")}}) +
           TestBooks::block(
               1, {.number = QStringLiteral("200001002"),
                   .date = QStringLiteral("04/01/2000"),
                   .code = QStringLiteral("10002"),
                   .address = {QStringLiteral("Martin"), QString(), QString(), QString()},
                   .body = {QStringLiteral("TTCN"), QStringLiteral("CMDEClous\t1\t\t\t\t1")}});
}

} // namespace

class TestOrderWindow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TemporaryWorkingDir> m_dir;
    std::unique_ptr<FakePlatform> m_prompts;
    std::unique_ptr<OrderWindow> m_window;
    ModelTesters m_testers;

    OrderWindow &w() { return *m_window; }
    QTableView *grid() { return w().findChild<QTableView *>(QStringLiteral("Lines")); }
    QString label(const char *name) { return w().findChild<QLabel *>(QLatin1String(name))->text(); }
    QWidget *child(const char *name) { return w().findChild<QWidget *>(QLatin1String(name)); }

    // Keys go where a user's keys go: to the widget that has the focus (the cell editor once
    // the first key opened it).
    void type(const QString &text)
    {
        for (QChar ch : text) {
            QWidget *target = QApplication::focusWidget();
            QVERIFY(target);
            if (ch == QLatin1Char('\n'))
                QTest::keyClick(target, Qt::Key_Return);
            else
                QTest::keyClick(target, ch.toLatin1());
        }
    }
    void key(Qt::Key k)
    {
        QWidget *target = QApplication::focusWidget();
        QVERIFY(target);
        QTest::keyClick(target, k);
    }
    void focusCell(int row, int column)
    {
        grid()->setFocus();
        w().setCurrentGridCell(row, column);
        QCoreApplication::processEvents();
    }
    void clearFlags()
    {
        w().document().setFileModified(false);
        w().document().setOrderModified(false);
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<TemporaryWorkingDir>();
        m_prompts = std::make_unique<FakePlatform>(QDateTime(QDate(2000, 3, 14), QTime(9, 0)));
        m_window = std::make_unique<OrderWindow>();
        m_window->resize(1024, 700);
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        m_testers = testModels(m_window.get());
    }
    void cleanup()
    {
        m_testers.clear();
        m_window.reset();
        m_prompts.reset();
        m_dir.reset();
    }

    void activationShowsANewOrder()
    {
        // Activation shows order 0 of the empty book and leaves the file clean.
        QVERIFY(!w().document().fileModified());
        QVERIFY(w().document().orderModified());
        const OrderRecord shown = w().document().record();
        QCOMPARE(shown.number, QStringLiteral("200003001"));
        QCOMPARE(shown.date, QDate(2000, 3, 14));
        QCOMPARE(shown.paymentTerms, QStringLiteral("A réception"));
        QCOMPARE(label("DayName"), QStringLiteral("Mardi"));
        QCOMPARE(label("DayNumber"), QStringLiteral("14"));
        QCOMPARE(label("MonthName"), QStringLiteral("Mars"));
        QCOMPARE(label("Year"), QStringLiteral("2000"));
        QCOMPARE(w().windowTitle(), QStringLiteral("Commande"));

        // Showing an order again fills the controls: the file counts as modified.
        w().showCurrentOrder();
        QVERIFY(w().document().fileModified());
        QVERIFY(w().document().orderModified());
    }

    void numberFieldKeepsNinePositions()
    {
        auto *number = w().findChild<QLineEdit *>(QStringLiteral("OrderNumber"));
        number->setFocus();
        number->selectAll();
        type(QStringLiteral("12a3"));
        QCOMPARE(w().document().record().number, QStringLiteral("123      "));
        number->clear();
        QCOMPARE(w().document().record().number, QString(9, QLatin1Char(' ')));
    }

    void headerEditsMarkModified_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("number") << QStringLiteral("OrderNumber");
        QTest::newRow("address") << QStringLiteral("AddressLine2");
        QTest::newRow("terms") << QStringLiteral("PaymentTerms");
    }
    void headerEditsMarkModified()
    {
        QFETCH(QString, control);
        QWidget *widget = w().findChild<QWidget *>(control);
        widget->setFocus();
        clearFlags();
        key(Qt::Key_Home); // the number field is full: a key at its end changes nothing
        type(QStringLiteral("7"));
        QVERIFY(w().document().fileModified());
        QVERIFY(w().document().orderModified());
    }

    void controlsHaveAccessibleNames_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        const char *const names[][2] = {
            {"OrderNumber", "N° de cmde"},
            {"OrderDate", "Date"},
            {"SupplierCode", "Code four"},
            {"SupplierListButton", "Choisir le fournisseur"},
            {"PaymentTerms", "Conditions de réglement"},
            {"BeforeTaxOrder", "Commande H.T."},
            {"TaxIncludedOrder", "Commande TTC"},
            {"AddressLine1", "Coordonnées du fournisseur, ligne 1"},
            {"AddressLine4", "Coordonnées du fournisseur, ligne 4"},
            {"Lines", "Lignes de la commande"},
            {"Note", "Note"},
        };
        for (const auto &[control, name] : names)
            QTest::newRow(control) << QString::fromLatin1(control) << QString::fromUtf8(name);
    }
    void controlsHaveAccessibleNames()
    {
        // What a screen reader is told, not only the property.
        QFETCH(QString, control);
        QFETCH(QString, name);
        QAccessibleInterface *accessible =
            QAccessible::queryAccessibleInterface(w().findChild<QWidget *>(control));
        QVERIFY(accessible);
        // A control with a label for it is named by the label (on Linux an editable combo
        // box's own name is its text).
        const auto labels = accessible->relations(QAccessible::Label);
        QCOMPARE(labels.isEmpty() ? accessible->text(QAccessible::Name)
                                  : labels.first().first->text(QAccessible::Name),
                 name);
    }

    void pointBecomesCommaInNumberColumns_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("throughGrid"); // the first key reaches the grid, not an editor
        QTest::addColumn<QString>("expected");
        QTest::newRow("price, editor") << 2 << false << QStringLiteral("12,5");
        QTest::newRow("price, grid") << 2 << true << QStringLiteral(",5");
        QTest::newRow("quantity, grid") << 1 << true << QStringLiteral(",5");
        QTest::newRow("designation, editor") << 0 << false << QStringLiteral("12.5");
        QTest::newRow("designation, grid") << 0 << true << QStringLiteral(".5");
    }
    void pointBecomesCommaInNumberColumns()
    {
        QFETCH(int, column);
        QFETCH(bool, throughGrid);
        QFETCH(QString, expected);
        focusCell(1, column);
        if (throughGrid) {
            key(Qt::Key_Escape); // closes the cell editor: the grid itself takes the key
            QCOMPARE(QApplication::focusWidget(), grid());
            type(QStringLiteral(".5"));
        } else {
            type(QStringLiteral("12.5"));
        }
        key(Qt::Key_Tab);
        QCOMPARE(w().document().cell(1, column), expected);
        QCOMPARE(w().currentGridColumn(), column + 1);
    }

    void enterCompletesLine_data()
    {
        QTest::addColumn<int>("lastRow");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("expectedLastRow");
        QTest::addColumn<int>("expectedRow");
        QTest::addColumn<int>("expectedColumn");
        QTest::addColumn<bool>("completed");
        QTest::newRow("price, next free row") << 2 << 3 << 2 << 3 << 4 << 0 << true;
        QTest::newRow("discount, inside") << 5 << 2 << 3 << 5 << 3 << 0 << true;
        QTest::newRow("code, row 20") << 19 << 20 << 5 << 20 << 21 << 0 << true;
        QTest::newRow("inside 25 rows") << 25 << 4 << 4 << 25 << 5 << 0 << true;
        QTest::newRow("row 63 stays") << 2 << 63 << 2 << 63 << 63 << 0 << true;
        // The row is in use from its first cell typed on, Enter or not.
        QTest::newRow("quantity does nothing") << 2 << 3 << 1 << 3 << 3 << 1 << false;
        QTest::newRow("designation does nothing") << 2 << 3 << 0 << 3 << 3 << 0 << false;
    }
    void enterCompletesLine()
    {
        QFETCH(int, lastRow);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, expectedLastRow);
        QFETCH(int, expectedRow);
        QFETCH(int, expectedColumn);
        QFETCH(bool, completed);
        for (int r = 1; r <= lastRow; ++r)
            w().document().setCell(r, 0, QStringLiteral("L%1").arg(r));
        w().document().setCell(row, 0, QStringLiteral("Vis"));
        w().document().setCell(row, 1, QStringLiteral("2"));
        focusCell(row, column);
        clearFlags();
        if (column == 2)
            type(QStringLiteral("5"));
        key(Qt::Key_Return);

        QCOMPARE(w().document().lastRow(), expectedLastRow);
        QCOMPARE(w().currentGridRow(), expectedRow);
        QCOMPARE(w().currentGridColumn(), expectedColumn);
        QCOMPARE(w().document().fileModified(), completed);
        QCOMPARE(w().document().orderModified(), completed);
        QCOMPARE(w().document().cell(row, 5), completed ? QStringLiteral("1") : QString());
        // Recalculated: the amount cell is written and the totals are shown.
        QCOMPARE(w().document().cell(row, 4).isEmpty(), !completed);
        QCOMPARE(label("TotalBeforeTax").isEmpty(), !completed);
    }

    void enterKeepsTypedVatCode()
    {
        focusCell(1, 5);
        type(QStringLiteral("3\n"));
        QCOMPARE(w().document().cell(1, 5), QStringLiteral("3"));
        QCOMPARE(w().document().lastRow(), 1);
        QCOMPARE(w().currentGridRow(), 2);
    }

    void htExampleTypedThroughTheGrid()
    {
        focusCell(1, 0);
        type(QStringLiteral("Vis\t3\t12.5\t10\n"));
        QCOMPARE(w().document().cell(1, 2).trimmed(), QStringLiteral("12,50"));
        QVERIFY(w().document().cell(1, 2).startsWith(QLatin1Char(' '))); // right-aligned by spaces
        QCOMPARE(w().document().cell(1, 4).trimmed(), QStringLiteral("33,75"));
        QCOMPARE(w().document().cell(1, 5), QStringLiteral("1"));
        QCOMPARE(label("TotalBeforeTax"), QStringLiteral("33,75"));
        QCOMPARE(label("TotalVat"), QStringLiteral("6,95"));
        QCOMPARE(label("TotalIncludingTax"), QStringLiteral("40,70"));
        QCOMPARE(label("SecondCurrencyTotal"), QStringLiteral("6,21"));
        QCOMPARE(label("MainCurrency"), QStringLiteral("Francs"));
        QCOMPARE(label("SecondCurrency"), QStringLiteral("Euros"));
        QCOMPARE(grid()->model()->headerData(4, Qt::Horizontal).toString(),
                 QStringLiteral("Montant H.T."));
        QCOMPARE(w().currentGridRow(), 2);

        // TTC mode recalculates at once and renames the amount column.
        w().findChild<QAbstractButton *>(QStringLiteral("TaxIncludedOrder"))->click();
        QCOMPARE(grid()->model()->headerData(4, Qt::Horizontal).toString(),
                 QStringLiteral("Montant TTC"));
        QCOMPARE(label("TotalIncludingTax"), QStringLiteral("33,75"));

        // Euro mode, single currency: the captions follow the settings when an order is shown.
        w().settings().euroMode = 1;
        w().settings().singleCurrency = 1;
        w().showCurrentOrder();
        QCOMPARE(label("MainCurrency"), QStringLiteral("Euros"));
        QCOMPARE(label("SecondCurrency"), QString());
    }

    void overflowAbandonsTheCalculation()
    {
        w().document().setCell(1, 1, QStringLiteral("1E30"));
        w().document().setCell(1, 2, QStringLiteral("1E30"));
        const qsizetype asked = m_prompts->asked.size();
        w().calculateOrder();
        QCOMPARE(m_prompts->asked.size(), asked + 1);
        QCOMPARE(m_prompts->asked.last().text, QStringLiteral("Débordement flottant"));
    }

    void rsetPadsToTheColumnWidth()
    {
        const QFontMetrics metrics(grid()->font());
        const QString padded = w().leftPadded(QStringLiteral("12,50"), 120);
        QVERIFY(metrics.horizontalAdvance(padded) > 110);
        QVERIFY(metrics.horizontalAdvance(padded.mid(1)) <= 110);
        const QString wide(40, QLatin1Char('W'));
        QCOMPARE(w().leftPadded(wide, 120), wide);
    }

    void deleteLine_data()
    {
        QTest::addColumn<int>("lastRow");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("expected"); // designations of rows 1 to 6 afterwards
        QTest::addColumn<int>("expectedLastRow");
        QTest::addColumn<bool>("changed");
        QTest::newRow("row 2 of 5")
            << 5 << 2 << QStringList{"L1", "L3", "L4", "L5", "", ""} << 4 << true;
        QTest::newRow("last row") << 5 << 5 << QStringList{"L1", "L2", "L3", "L4", "", ""} << 4
                                  << true;
        QTest::newRow("past last row")
            << 5 << 6 << QStringList{"L1", "L2", "L3", "L4", "L5", ""} << 5 << false;
    }
    void deleteLine()
    {
        QFETCH(int, lastRow);
        QFETCH(int, row);
        QFETCH(QStringList, expected);
        QFETCH(int, expectedLastRow);
        QFETCH(bool, changed);
        for (int r = 1; r <= lastRow; ++r) {
            w().document().setCell(r, 0, QStringLiteral("L%1").arg(r));
            w().document().setCell(r, 5, QStringLiteral("1"));
        }
        focusCell(row, 0);
        clearFlags();
        w().deleteLine();
        QStringList designations;
        for (int r = 1; r <= 6; ++r)
            designations << w().document().cell(r, 0);
        QCOMPARE(designations, expected);
        QCOMPARE(w().document().lastRow(), expectedLastRow);
        QCOMPARE(w().document().fileModified(), changed);
        QCOMPARE(w().document().cell(lastRow, 5).isEmpty(), changed);
    }

    void deleteWithAllRowsInUseEmptiesRow63()
    {
        for (int r = 1; r <= 63; ++r)
            w().document().setCell(r, 0, QStringLiteral("L%1").arg(r));
        focusCell(10, 0);
        w().deleteLine();
        QCOMPARE(w().document().cell(62, 0), QStringLiteral("L63"));
        QCOMPARE(w().document().cell(63, 0), QString());
        QCOMPARE(w().document().lastRow(), 62);
    }

    void noteRefusesASixthLine()
    {
        auto *memo = w().findChild<QPlainTextEdit *>(QStringLiteral("Note"));
        memo->setFocus();
        type(QStringLiteral("a\nb\nc\nd\ne\nf"));
        QCOMPARE(memo->toPlainText(), QStringLiteral("a\nb\nc\nd\nef"));
        QVERIFY(w().document().noteEdited());
        QCOMPARE(w().document().record().note.size(), 5);
    }

    void pageKeysMoveBetweenOrders()
    {
        QVERIFY(TextFile::write(m_dir->file(QStringLiteral("deux.cmd")), TextLines(twoOrders())));
        QVERIFY(w().loadBook(m_dir->file(QStringLiteral("deux.cmd"))).ok());
        QCOMPARE(w().windowTitle(), QStringLiteral("deux.cmd"));
        QCOMPARE(w().document().record().supplierCode, QStringLiteral("10001"));
        QCOMPARE(w().document().lastRow(), 1);

        // Edit the designation and leave with Page Down while the cell is still being typed.
        focusCell(1, 0);
        type(QStringLiteral("Boulons"));
        key(Qt::Key_PageDown);
        QCOMPARE(w().book().currentOrder(), 1);
        QCOMPARE(w().document().record().supplierCode, QStringLiteral("10002"));
        const QStringList lines = w().book().lines().toStringList();
        QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^CMDEBoulons\t *2\t"))).size(), 1);
        QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^CMDEVis\t"))).size(), 0);
        QCOMPARE(w().document().cell(1, 0), QStringLiteral("Clous"));
        QCOMPARE(QApplication::focusWidget(), child("SupplierCode"));

        // Page Up in the note goes back; the key does not reach the note.
        auto *memo = w().findChild<QPlainTextEdit *>(QStringLiteral("Note"));
        memo->setFocus();
        key(Qt::Key_PageUp);
        QCOMPARE(w().book().currentOrder(), 0);
        QCOMPARE(w().document().cell(1, 0), QStringLiteral("Boulons"));
        QCOMPARE(w().document().cell(1, 1).trimmed(), QStringLiteral("2"));
        QVERIFY(!w().document().orderModified());
    }

    // What the grid shows on screen is what a fresh painting of the order shows, whichever
    // order of more, fewer or no lines came before.
    void gridShowsTheOrderStepped_data()
    {
        QTest::addColumn<QList<int>>("lineCounts"); // the orders' line counts, in book order
        QTest::newRow("fewer, more") << QList<int>{5, 2, 4};
        QTest::newRow("none between") << QList<int>{3, 0, 3};
        QTest::newRow("TTC heading") << QList<int>{-2, 2, -1}; // negative: a TTC order
    }
    void gridShowsTheOrderStepped()
    {
        QFETCH(QList<int>, lineCounts);
        QStringList lines;
        for (int k = 0; k < lineCounts.size(); ++k) {
            QStringList body{lineCounts.at(k) < 0 ? QStringLiteral("TTCY")
                                                  : QStringLiteral("TTCN")};
            for (int r = 0; r < qAbs(lineCounts.at(k)); ++r)
                body
                    << QStringLiteral("CMDEArticle %1-%2\t%3\t1,5\t\t\t1").arg(k).arg(r).arg(r + 1);
            lines += TestBooks::block(k, {.number = QStringLiteral("20000100%1").arg(k),
                                          .code = QStringLiteral("10001"),
                                          .body = body});
        }
        QVERIFY(TextFile::write(m_dir->file(QStringLiteral("pas.cmd")), TextLines(lines)));
        QVERIFY(w().loadBook(m_dir->file(QStringLiteral("pas.cmd"))).ok());
        QWidget *shown = grid(); // the lines and their headings
        // The window as last painted: every update it asked for done, timers of the view
        // included.
        const auto onScreen = [&] {
            for (int i = 0; i < 2; ++i) {
                QCoreApplication::sendPostedEvents();
                QCoreApplication::processEvents();
            }
            const QPoint at = shown->mapTo(shown->window(), QPoint());
            return shown->screen()
                ->grabWindow(shown->window()->winId(), at.x(), at.y(), shown->width(),
                             shown->height())
                .toImage()
                .convertToFormat(QImage::Format_RGB32);
        };
        onScreen();
        for (int k = 1; k < lineCounts.size(); ++k) {
            key(Qt::Key_PageDown);
            QCOMPARE(w().book().currentOrder(), k);
            QCOMPARE(onScreen(), shown->grab().toImage().convertToFormat(QImage::Format_RGB32));
        }
    }

    void invalidOrderIsNotWrittenBack()
    {
        QVERIFY(TextFile::write(m_dir->file(QStringLiteral("deux.cmd")), TextLines(twoOrders())));
        QVERIFY(w().loadBook(m_dir->file(QStringLiteral("deux.cmd"))).ok());
        auto *code = w().findChild<QLineEdit *>(QStringLiteral("SupplierCode"));
        code->clear(); // no supplier code: the edit is dropped
        w().nextOrder();
        QCOMPARE(w().book().currentOrder(), 1);
        QCOMPARE(w().book().lines().mid(0, 12), twoOrders().mid(0, 12));
    }

    void leavingTheCodeFieldLooksUpTheSupplier()
    {
        QVERIFY(TextFile::write(
            m_dir->file(QStringLiteral("Commande.fnr")),
            {QStringLiteral("<FOU>10023"), QStringLiteral("Quincaillerie Dubois"),
             QStringLiteral("3 rue Haute"), QStringLiteral("75001 Paris"), QString()}));
        m_window = std::make_unique<OrderWindow>(); // reads the supplier file on activation
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));

        child("SupplierCode")->setFocus();
        type(QStringLiteral("2x3"));
        clearFlags();
        QTest::keyClick(child("SupplierCode"), Qt::Key_Tab); // leaving the field looks the code up
        QVERIFY(!child("SupplierCode")->hasFocus());
        QCOMPARE(w().document().record().supplierCode, QStringLiteral("10023"));
        QCOMPARE(w().document().record().addressLines[0], QStringLiteral("Quincaillerie Dubois"));
        QCOMPARE(w().document().record().addressLines[2], QStringLiteral("75001 Paris"));
        QVERIFY(w().document().fileModified());
        QVERIFY(m_prompts->asked.isEmpty());

        // An unknown code asks before creating; "Non" leaves the address as it was.
        child("SupplierCode")->setFocus();
        qobject_cast<QLineEdit *>(child("SupplierCode"))->clear();
        type(QStringLiteral("5"));
        m_prompts->answer(Prompts::Answer::No);
        child("AddressLine2")->setFocus();
        QCOMPARE(m_prompts->texts(), QStringList{QStringLiteral("Créer le fournisseur ?")});
        QCOMPARE(w().document().record().supplierCode, QStringLiteral("10005"));
        QCOMPARE(w().document().record().addressLines[0], QStringLiteral("Quincaillerie Dubois"));
    }

    void resizeRules_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("addressLeft");
        QTest::addColumn<int>("totalsLeft");
        QTest::addColumn<int>("firstColumn");
        QTest::addColumn<int>("noteWidth");
        QTest::addColumn<bool>("calendarShown");
        QTest::newRow("1024") << 1024 << 714 << 624 << 584 << 588 << true;
        QTest::newRow("700") << 700 << 390 << 300 << 260 << 264 << false;
        QTest::newRow("800") << 800 << 490 << 400 << 360 << 364 << true;
    }
    void resizeRules()
    {
        QFETCH(int, width);
        QFETCH(int, addressLeft);
        QFETCH(int, totalsLeft);
        QFETCH(int, firstColumn);
        QFETCH(int, noteWidth);
        QFETCH(bool, calendarShown);
        w().resize(width, 600);
        QCOMPARE(child("AddressPanel")->x(), addressLeft);
        QCOMPARE(child("LowerPanel")->height(), 600 - 179);
        QCOMPARE(child("TotalsPanel")->x(), totalsLeft);
        QCOMPARE(grid()->columnWidth(0), firstColumn);
        const QList<int> others = {grid()->columnWidth(1), grid()->columnWidth(2),
                                   grid()->columnWidth(3), grid()->columnWidth(4),
                                   grid()->columnWidth(5)};
        QCOMPARE(others, (QList<int>{100, 120, 40, 120, 20}));
        QCOMPARE(child("Note")->width(), noteWidth);
        QCOMPARE(!child("CalendarPanel")->isHidden(), calendarShown);
        if (calendarShown) {
            QCOMPARE(child("CalendarPanel")->y(), 0);
            QCOMPARE(child("CalendarPanel")->x(),
                     child("HeaderPanel")->width() + (addressLeft - 446) / 2);
        }
    }

    void narrowWindowLeavesCalendarWhereItWas()
    {
        w().resize(1024, 600);
        const int left = child("CalendarPanel")->x();
        w().resize(700, 600);
        QCOMPARE(child("CalendarPanel")->x(), left);
        QVERIFY(child("CalendarPanel")->isHidden());
    }

    void deleteLineCommandFollowsGridFocus()
    {
        QSignalSpy enabled(&w(), &OrderWindow::deleteLineEnabledChanged);
        QSignalSpy bookCommands(&w(), &OrderWindow::bookCommandsWanted);
        child("AddressLine1")->setFocus();
        focusCell(2, 1); // the cell editor takes the focus: still inside the grid
        QCOMPARE(enabled.count(), 1);
        QCOMPARE(enabled.at(0).at(0).toBool(), true);
        QCOMPARE(bookCommands.count(), 1);
        child("AddressLine2")->setFocus();
        QCOMPARE(enabled.count(), 2);
        QCOMPARE(enabled.at(1).at(0).toBool(), false);

        w().newBook();
        QCOMPARE(enabled.last().at(0).toBool(), false);
        QCOMPARE(w().windowTitle(), QString());
        QVERIFY(!w().document().fileModified());
    }
};

QTEST_MAIN(TestOrderWindow)
#include "test_orderwindow.moc"
