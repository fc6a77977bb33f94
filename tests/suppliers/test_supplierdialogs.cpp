// SPDX-License-Identifier: GPL-3.0-or-later
#include "suppliers/companydialog.h"
#include "suppliers/supplierentrydialog.h"
#include "suppliers/supplierlistdialog.h"
#include "suppliers/supplierlookupflow.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// Runs `drive` once the dialog is shown modally.
template <typename Drive> void whenShown(QDialog &dialog, Drive drive)
{
    QTimer::singleShot(0, &dialog, [&dialog, drive] {
        QCOMPARE(QApplication::activeModalWidget(), &dialog);
        drive();
    });
}

QLineEdit *edit(const QWidget &dialog, int n)
{
    // n as the fields stand: the code then the address lines, or the company lines.
    const QString name = qobject_cast<const CompanyDialog *>(&dialog)
                             ? QStringLiteral("CompanyLine%1").arg(n)
                         : n == 1 ? QStringLiteral("SupplierCode")
                                  : QStringLiteral("AddressLine%1").arg(n - 1);
    return dialog.findChild<QLineEdit *>(name);
}

QAbstractButton *button(const QWidget &dialog, const char *name)
{
    return dialog.findChild<QAbstractButton *>(QLatin1String(name));
}

} // namespace

class TestSupplierDialogs : public QObject {
    Q_OBJECT
private slots:
    void quickEntry();
    void chooser();
    void company();
};

void TestSupplierDialogs::quickEntry()
{
    FakePlatform desktop;
    desktop.answer(Prompts::Answer::Yes);
    SupplierBook book;
    SupplierEntryDialog dialog;
    edit(dialog, 2)->setText("stale");
    // Enter in an address field confirms; the focus starts on the name.
    whenShown(dialog, [&] {
        QCOMPARE(edit(dialog, 1)->text(), QString("10002"));
        QVERIFY(edit(dialog, 2)->text().isEmpty());
        QCOMPARE(dialog.focusWidget(), edit(dialog, 2));
        QTest::keyClicks(edit(dialog, 2), "Martin");
        QTest::keyClicks(edit(dialog, 4), "Lyon");
        QTest::keyClick(edit(dialog, 5), Qt::Key_Return);
    });
    QString code = "*";
    std::array<QString, 4> address;
    QVERIFY(SupplierLookupFlow::supplierCodeLeft(code, address, book, dialog));
    QCOMPARE(code, QString("10002"));
    QCOMPARE(book.fileLines, QStringList({"<FOU>10002", "Martin", "", "Lyon", ""}));

    // After that OK, the close box leaves "confirmed" as it was...
    whenShown(dialog, [&] {
        QTest::keyClicks(edit(dialog, 2), "Durand");
        dialog.close();
    });
    code = "3";
    QVERIFY(SupplierLookupFlow::lookUpSupplier(code, address, book, dialog, true));
    QCOMPARE(address[0], QString("Durand"));
    // ...and Escape is "Annuler".
    whenShown(dialog, [&] {
        QTest::keyClicks(edit(dialog, 2), "Petit");
        QTest::keyClick(edit(dialog, 2), Qt::Key_Escape);
    });
    code = "4";
    QVERIFY(!SupplierLookupFlow::lookUpSupplier(code, address, book, dialog, true));
    QCOMPARE(book.fileLines.size(), 10);
}

void TestSupplierDialogs::chooser()
{
    FakePlatform desktop;
    SupplierBook book;
    book.fileLines = {"<FOU>10023", "Dupont", "", "", "", "<FOU>", "Sans code", "", "", ""};
    SupplierListDialog chooser;
    QListWidget *list = chooser.findChild<QListWidget *>(QStringLiteral("Suppliers"));

    // Cancelled, yet from now on an unknown code skips the question.
    whenShown(chooser, [&] { QTest::keyClick(list, Qt::Key_Escape); });
    QCOMPARE(SupplierLookupFlow::pickSupplier(chooser, book), QString());
    QVERIFY(book.chooserUsed);
    SupplierEntryDialog dialog;
    whenShown(dialog, [&] { button(dialog, "CancelButton")->click(); });
    QString code = "77";
    std::array<QString, 4> address;
    QVERIFY(!SupplierLookupFlow::lookUpSupplier(code, address, book, dialog));
    QCOMPARE(edit(dialog, 1)->text(), QString("10077"));
    QVERIFY(desktop.asked.isEmpty());

    whenShown(chooser, [&] {
        QCOMPARE(list->item(1)->text(), QString(" Sans code"));
        const QPoint at = list->visualItemRect(list->item(0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    });
    QCOMPARE(SupplierLookupFlow::pickSupplier(chooser, book), QString("10023"));
    // The item without a code gives no code.
    whenShown(chooser, [&] {
        list->setCurrentRow(1);
        button(chooser, "OkButton")->click();
    });
    QCOMPARE(SupplierLookupFlow::pickSupplier(chooser, book), QString());
}

void TestSupplierDialogs::company()
{
    TemporaryWorkingDir dir;
    const CompanyDetails before{"Qor", "a", "b", "c", "d", "e", "f"};
    Company company;
    company.details = before;
    CompanyDialog dialog;
    // An empty first field changes nothing, whatever else was typed.
    whenShown(dialog, [&] {
        edit(dialog, 1)->clear();
        QTest::keyClicks(edit(dialog, 2), "changed");
        button(dialog, "OkButton")->click();
    });
    editCompany(dialog, company);
    QCOMPARE(company.details, before);
    QVERIFY(!QFile::exists("Cmd.soc"));

    whenShown(dialog, [&] {
        QTest::keyClicks(edit(dialog, 1), " SA");
        QTest::keyClick(edit(dialog, 1), Qt::Key_Return);
        QVERIFY(dialog.isVisible()); // no default button
        for (int k = 1; k < 7; ++k)
            edit(dialog, k + 1)->clear();
        QTest::keyClicks(edit(dialog, 7), "fin");
        button(dialog, "OkButton")->click();
    });
    editCompany(dialog, company);
    QCOMPARE(company.details[0], QString("Qor SA"));
    QFile f("Cmd.soc");
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("Qor SA\r\n\r\n\r\n\r\n\r\n\r\nfin\r\n"));
}

QTEST_MAIN(TestSupplierDialogs)
#include "test_supplierdialogs.moc"
