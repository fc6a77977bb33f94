// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/findorderdialog.h"
#include "app/orderlistdialog.h"
#include "core/textfile.h"
#include "order/orderformat.h"
#include "order/orderwindow.h"
#include "testsupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>

using namespace OrderFormat;

namespace {

QStringList block(int index, const QString &number)
{
    return TestBooks::block(index,
                            {.number = number.leftJustified(9),
                             .date = QStringLiteral("01/12/1999"),
                             .code = QStringLiteral("1002") + QString::number(index),
                             .address = {QStringLiteral("Fournisseur ") + QString::number(index),
                                         QString(), QString(), QString()}});
}

QString numberOf(const TextLines &lines, int index)
{
    const qsizetype open = findBlock(lines, index);
    return open < 0 ? QString() : numberText(lines.at(open + 1));
}

// Runs `drive` on the modal dialog once it is up, from inside its event loop.
void whenModal(std::function<void(QDialog *)> drive)
{
    QTimer::singleShot(0, [drive] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        drive(dialog);
        if (dialog->isVisible()) {
            dialog->reject(); // the script left it open: do not hang the test
            QFAIL("the dialog was left open");
        }
    });
}

QListView *listOf(QWidget *dialog)
{
    return dialog->findChild<QListView *>(QStringLiteral("Orders"));
}

QRect entryRect(QListView *list, int row)
{
    return list->visualRect(list->model()->index(row, 0));
}

void clickEntry(QWidget *dialog, int row)
{
    QListView *list = listOf(dialog);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entryRect(list, row).center());
}

// A book of these lines, as the recovery file gives them.
std::unique_ptr<OrderBook> bookOf(const QStringList &lines)
{
    auto book = std::make_unique<OrderBook>();
    book->recover(QString(), TextLines(lines));
    return book;
}

void click(QWidget *dialog, const char *name)
{
    auto *button = dialog->findChild<QAbstractButton *>(QLatin1String(name));
    QVERIFY(button);
    button->click();
}

} // namespace

class TestOrderListWindows : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TemporaryWorkingDir> m_dir;
    std::unique_ptr<FakePlatform> m_desktop;
    std::unique_ptr<OrderWindow> m_window;
    std::unique_ptr<OrderListDialog> m_list;
    std::unique_ptr<FindOrderDialog> m_find;

    OrderWindow &w() { return *m_window; }

    // Orders 0, 1 and 2 stored in the file order 2, 0, 1, after the lines `before`; order
    // `shown` on screen.
    void loadBook(int shown, const QStringList &before = {})
    {
        const QString name = m_dir->file(QStringLiteral("c.cmd"));
        QVERIFY(TextFile::write(name, TextLines(before + block(2, QStringLiteral("199912001")) +
                                                block(0, QStringLiteral("199911005")) +
                                                block(1, QStringLiteral("19991200")))));
        QVERIFY(w().loadBook(name).ok());
        for (int k = 0; k < shown; ++k)
            w().nextOrder();
        w().document().setFileModified(false);
    }

    QString shownNumber() { return w().document().record().number.trimmed(); }

    void search(const QString &text, bool confirm)
    {
        whenModal([text, confirm](QDialog *dialog) {
            auto *field = dialog->findChild<QLineEdit *>(QStringLiteral("OrderNumber"));
            // The field takes the focus once the dialog is active.
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            QCOMPARE(QApplication::focusWidget(), field);
            field->selectAll();
            QTest::keyClicks(field, text);
            QTest::keyClick(field, confirm ? Qt::Key_Return : Qt::Key_Escape);
        });
        w().findOrder();
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<TemporaryWorkingDir>();
        m_desktop = std::make_unique<FakePlatform>(QDateTime(QDate(2000, 3, 14), QTime(9, 0)));
        m_window = std::make_unique<OrderWindow>();
        // The main window lends its list and search dialogs to the order window.
        m_list = std::make_unique<OrderListDialog>(m_window.get());
        m_find = std::make_unique<FindOrderDialog>(m_window.get());
        m_window->setListDialogs([this](const OrderBook &book) { return m_list->choose(book); },
                                 [this] { return m_find->ask(); });
        m_window->resize(1024, 700);
        m_window->show();
        m_window->activate();
    }
    void cleanup()
    {
        m_find.reset();
        m_list.reset();
        m_window.reset();
        m_desktop.reset();
        m_dir.reset();
    }

    void listMovesEntriesWithTheSelection()
    {
        OrderListDialog dialog;
        const auto book = bookOf(block(1, QStringLiteral("101")) + block(0, QStringLiteral("100")));
        dialog.load(*book);
        QListView *list = listOf(&dialog);
        QCOMPARE(list->model()->rowCount(), 2);
        QVERIFY(list->model()->index(0, 0).data().toString().startsWith(
            QStringLiteral("100        01/12/1999  10020")));
        QCOMPARE(dialog.chosenOrder(), -1);

        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        click(&dialog, "DownButton"); // nothing selected: nothing moves
        QCOMPARE(dialog.entryOrder(), (QList<int>{0, 1}));
        clickEntry(&dialog, 0);
        click(&dialog, "UpButton"); // the first cannot go up
        QCOMPARE(dialog.entryOrder(), (QList<int>{0, 1}));
        click(&dialog, "DownButton");
        QCOMPARE(dialog.entryOrder(), (QList<int>{1, 0}));
        QCOMPARE(dialog.chosenOrder(), 1);
        click(&dialog, "DownButton"); // the last cannot go down
        QCOMPARE(dialog.entryOrder(), (QList<int>{1, 0}));
        QCOMPARE(dialog.chosenOrder(), 1);
        click(&dialog, "UpButton");
        QCOMPARE(dialog.entryOrder(), (QList<int>{0, 1}));
        QCOMPARE(dialog.chosenOrder(), 0);

        // Filling again forgets the moves and the selection.
        const auto empty = bookOf({});
        dialog.load(*empty);
        QCOMPARE(list->model()->rowCount(), 0);
        QCOMPARE(dialog.chosenOrder(), -1);
    }

    void listEntriesShareOneHeightAndReachTheLongestText()
    {
        OrderListDialog dialog;
        QStringList lines = block(0, QStringLiteral("100")) + block(1, QStringLiteral("101")) +
                            block(2, QStringLiteral("102"));
        lines[findBlock(TextLines(lines), 1) + 5] =
            QString(120, QLatin1Char('W')); // a long address line
        const auto book = bookOf(lines);
        dialog.load(*book);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QListView *list = listOf(&dialog);
        for (int row = 0; row < list->model()->rowCount(); ++row)
            QCOMPARE(entryRect(list, row).height(), 16);
        const int longest =
            list->fontMetrics().horizontalAdvance(list->model()->index(1, 0).data().toString());
        QVERIFY(list->horizontalScrollBar()->maximum() + list->viewport()->width() >= longest);
        // Moving entries keeps every entry's height.
        clickEntry(&dialog, 2);
        click(&dialog, "UpButton");
        click(&dialog, "UpButton");
        QCOMPARE(dialog.entryOrder(), (QList<int>{2, 0, 1}));
        QCOMPARE(entryRect(list, 0).height(), 16);
    }

    void listCloses_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("chosen");
        QTest::newRow("Enter") << QStringLiteral("enter") << 1;
        QTest::newRow("Fermer") << QStringLiteral("button") << 1;
        QTest::newRow("double click") << QStringLiteral("double") << 1;
        QTest::newRow("close box") << QStringLiteral("close") << 1;
        QTest::newRow("Escape") << QStringLiteral("escape") << -1;
    }
    void listCloses()
    {
        QFETCH(QString, how);
        QFETCH(int, chosen);
        OrderListDialog dialog;
        const auto book = bookOf(block(0, QStringLiteral("100")) + block(1, QStringLiteral("101")));
        dialog.load(*book);
        whenModal([how](QDialog *d) {
            QListView *list = listOf(d);
            clickEntry(d, 1);
            if (how == QLatin1String("enter"))
                QTest::keyClick(list, Qt::Key_Return);
            else if (how == QLatin1String("button"))
                click(d, "CloseButton");
            else if (how == QLatin1String("double"))
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                                   entryRect(list, 1).center());
            else if (how == QLatin1String("close"))
                d->close();
            else
                QTest::keyClick(list, Qt::Key_Escape);
        });
        dialog.exec();
        QCOMPARE(dialog.chosenOrder(), chosen);
    }

    void listChoosesAnOrderAndRenumbers_data()
    {
        QTest::addColumn<QString>("pick"); // the entry's row clicked, or the key that goes to it
        QTest::addColumn<QString>("moves");
        QTest::addColumn<QStringList>("numbers"); // of orders 0, 1 and 2 afterwards
        QTest::addColumn<int>("chosen");
        const QStringList lastOnTop{"199912001", "199911005", "19991200"};
        QTest::newRow("click") << "2"
                               << "UpButton UpButton" << lastOnTop << 0;
        QTest::newRow("End") << "End"
                             << "UpButton UpButton" << lastOnTop << 0;
        QTest::newRow("Home") << "Home"
                              << "DownButton DownButton"
                              << QStringList{"19991200", "199912001", "199911005"} << 2;
        QTest::newRow("End, then Home")
            << "End Home"
            << "DownButton" << QStringList{"19991200", "199911005", "199912001"} << 1;
    }
    // An order moved in the list and chosen takes its new index and is shown.
    void listChoosesAnOrderAndRenumbers()
    {
        QFETCH(QString, pick);
        QFETCH(QString, moves);
        QFETCH(QStringList, numbers);
        QFETCH(int, chosen);
        loadBook(0);
        whenModal([&](QDialog *d) {
            QCOMPARE(listOf(d)->model()->rowCount(), 3);
            for (const QString &step : pick.split(QLatin1Char(' '))) {
                if (step == QLatin1String("Home") || step == QLatin1String("End"))
                    QTest::keyClick(listOf(d),
                                    step == QLatin1String("Home") ? Qt::Key_Home : Qt::Key_End);
                else
                    clickEntry(d, step.toInt());
            }
            for (const QString &button : moves.split(QLatin1Char(' ')))
                click(d, qPrintable(button));
            QTest::keyClick(listOf(d), Qt::Key_Return);
        });
        QTest::keyClick(&w(), Qt::Key_F2);
        const TextLines &lines = w().book().lines();
        for (int k = 0; k < 3; ++k)
            QCOMPARE(numberOf(lines, k), numbers.at(k));
        QVERIFY(w().document().fileModified());
        QCOMPARE(w().book().currentOrder(), chosen);
        QCOMPARE(shownNumber(), numbers.at(chosen));
    }

    void listEscapeKeepsTheOrderOnScreen_data()
    {
        QTest::addColumn<bool>("move");
        QTest::newRow("nothing moved") << false;
        QTest::newRow("entries moved") << true;
    }
    void listEscapeKeepsTheOrderOnScreen()
    {
        QFETCH(bool, move);
        loadBook(1);
        whenModal([move](QDialog *d) {
            clickEntry(d, 1);
            if (move)
                click(d, "UpButton"); // order 1 goes to the top
            QTest::keyClick(listOf(d), Qt::Key_Escape);
        });
        w().showOrderList();
        QCOMPARE(shownNumber(), QStringLiteral("19991200"));
        QCOMPARE(w().document().fileModified(), move);
        // The order on screen follows its block to its new index, so that writing it back
        // replaces its own block and not another order.
        QCOMPARE(w().book().currentOrder(), move ? 0 : 1);
        QCOMPARE(numberOf(w().book().lines(), w().book().currentOrder()),
                 QStringLiteral("19991200"));
        w().findChild<QLineEdit *>(QStringLiteral("AddressLine2"))
            ->setText(QStringLiteral("modifié"));
        w().writeBackOrder();
        const TextLines &lines = w().book().lines();
        QCOMPARE(lines.size(), 36);
        for (const char *number : {"199912001", "199911005", "19991200"})
            QVERIFY(findLine(lines, QStringLiteral("NUM%1").arg(QLatin1String(number), -9)) >= 0);
    }

    void searchShowsTheOrderWithThatNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<int>("expected"); // -1: the order on screen stays
        QTest::newRow("nine digits, last in the file") << QStringLiteral("199912001") << true << 2;
        QTest::newRow("stored with a trailing space") << QStringLiteral("19991200 ") << true << 1;
        QTest::newRow("eight digits") << QStringLiteral("19991200") << true << -1;
        QTest::newRow("unknown") << QStringLiteral("200001001") << true << -1;
        QTest::newRow("cancelled") << QStringLiteral("199912001") << false << -1;
        QTest::newRow("empty") << QString() << true << -1;
    }
    void searchShowsTheOrderWithThatNumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, confirm);
        QFETCH(int, expected);
        loadBook(0);
        search(text, confirm);
        QCOMPARE(w().book().currentOrder(), expected < 0 ? 0 : expected);
        QCOMPARE(shownNumber(), numberOf(w().book().lines(), expected < 0 ? 0 : expected));
        QVERIFY(m_desktop->asked.isEmpty());
    }

    void searchIgnoresANumberOutsideABlock()
    {
        // A line that looks like a number line but does not follow an opening label.
        loadBook(0, {QStringLiteral("NUM199912001")});
        search(QStringLiteral("199912001"), true);
        QCOMPARE(w().book().currentOrder(), 0);
    }

    void searchDialogRemembersItsField()
    {
        FindOrderDialog dialog;
        auto *field = dialog.findChild<QLineEdit *>(QStringLiteral("OrderNumber"));
        QCOMPARE(dialog.number(), QString());

        whenModal([field](QDialog *d) {
            QTest::keyClicks(field, QStringLiteral("199912001"));
            click(d, "OkButton");
        });
        dialog.exec();
        QCOMPARE(dialog.number(), QStringLiteral("199912001"));

        // The close box leaves the last outcome; the field kept its text.
        whenModal([field](QDialog *d) {
            QCOMPARE(field->text(), QStringLiteral("199912001"));
            d->close();
        });
        dialog.exec();
        QCOMPARE(dialog.number(), QStringLiteral("199912001"));

        whenModal([](QDialog *d) { click(d, "CancelButton"); });
        dialog.exec();
        QCOMPARE(dialog.number(), QString());
        whenModal([](QDialog *d) { d->close(); });
        dialog.exec();
        QCOMPARE(dialog.number(), QString());
        QCOMPARE(field->text(), QStringLiteral("199912001"));
    }
};

QTEST_MAIN(TestOrderListWindows)
#include "test_orderlist_gui.moc"
