// SPDX-License-Identifier: GPL-3.0-or-later
// The controls of the order window and of the supplier, company and parameters dialogs, changed
// as a user changes them: the save writes exactly that change, and quitting after another change
// does not lose it.

#include "app/mainwindow.h"
#include "core/numbertext.h"
#include "core/real48.h"
#include "core/textfile.h"
#include "gui/application.h"
#include "order/bookview.h"
#include "order/orderwindow.h"
#include "printing/recordingprinter.h"
#include "reports/purchasebook.h"
#include "reports/purchasecsv.h"
#include "settings/settingsfile.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <functional>
#include <memory>

namespace {

const QString Book = QStringLiteral("book.cmd");
const QStringList Files{Book, SupplierBook::FileName, Company::FileName, SettingsFile::fileName()};

// The order was sent to the old address of supplier 10023: the supplier file has moved on.
// Built when used: the block labels are built from another file's constants.
QStringList order()
{
    return TestBooks::block(0, {.address = {"Dupont", "12 rue des Halles", "75001 Paris", ""},
                                .body = {"TTCN", "CMDEVis\t2\t10,00\t\t20,00\t1",
                                         "CMDEEcrous\t4\t1,00\t\t4,00\t1", "MEMOLivrer le matin"}});
}
const QStringList Suppliers{"<FOU>10023", "Dupont", "3 avenue Foch", "69002 Lyon", "",
                            "<FOU>10024", "Martin", "Quai Bas",      "Lyon",       ""};
const QStringList companyLines{"Quincaillerie Moderne",
                               "12 place du Marché",
                               "75002 Paris",
                               "Tél. 01 23 45 67 89",
                               "",
                               "",
                               ""};

// The lines with the cells of an order line without the spaces that right-align its numbers on
// screen.
QStringList trimmedCells(QStringList lines)
{
    for (QString &line : lines)
        if (line.startsWith(QLatin1String("CMDE"))) {
            QStringList cells = line.split(QLatin1Char('\t'));
            for (QString &cell : cells)
                cell = cell.trimmed();
            line = cells.join(QLatin1Char('\t'));
        }
    return lines;
}

QStringList linesOf(const QString &file)
{
    QStringList lines;
    (void)TextFile::read(file, lines);
    return trimmedCells(lines);
}

// An order line is found by its first cells.
bool matches(const QString &line, const QString &from)
{
    return line == from || (from.endsWith(QLatin1Char('\t')) && line.startsWith(from));
}

// The lines with each `from` replaced by its `to`, in order, each one after the one before.
QStringList changed(QStringList lines, const QStringList &from, const QStringList &to)
{
    qsizetype at = 0;
    for (qsizetype k = 0; k < from.size(); ++k) {
        while (at < lines.size() && !matches(lines.at(at), from.at(k)))
            ++at;
        if (at == lines.size())
            break;
        lines[at] = to.at(k) + lines.at(at).mid(from.at(k).size());
        ++at;
    }
    return lines;
}

} // namespace

class Session;
// A user's change; `again` says it is the second one.
using Change = std::function<void(Session &, bool again)>;
Q_DECLARE_METATYPE(Change)

// The book and the side files, written before the program starts. The settings name the
// book, as the program writes them when it ends.
struct StartFiles {
    explicit StartFiles(const TemporaryWorkingDir &dir)
    {
        (void)TextFile::write(Book, TextLines(order()));
        (void)TextFile::write(SupplierBook::FileName, TextLines(Suppliers));
        (void)TextFile::write(Company::FileName, TextLines(companyLines));
        // Rates as the program keeps them, and the euro converter's own rate.
        Settings settings;
        settings.converterRate = 655957;
        for (Real *rate : {&settings.euroRate, &settings.vatRates[0], &settings.vatRates[1],
                           &settings.vatRates[2]})
            Real48::tryStore(*rate, *rate);
        QVERIFY(SettingsFile::saveSettings(settings, dir.file(Book)));
    }
};

// The program on a saved book, driven from the keyboard and the mouse.
class Session {
public:
    Session()
    {
        desktop.unscripted = Prompts::Answer::Yes; // the save question when quitting
        form.show();
        QApplication::setActiveWindow(&form);
        if (!QTest::qWaitForWindowActive(&form))
            return;
        desktop.chooseFile(dir.file(Book));
        key(Qt::Key_O, Qt::ControlModifier);
        key(Qt::Key_S, Qt::ControlModifier);
    }

    QWindow *window() const { return form.windowHandle(); }
    void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(window(), Qt::Key(k), modifiers);
    }
    void type(const QString &text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    template <typename W = QWidget> W *child(const char *name) const
    {
        return form.findChild<W *>(QLatin1String(name));
    }
    void click(QWidget *widget)
    {
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(4, 4));
        QTRY_VERIFY(widget->hasFocus() || widget->isAncestorOf(QApplication::focusWidget()));
    }
    // Clicks into the field and puts the cursor at its end.
    void clickEnd(const char *name)
    {
        click(child(name));
        key(Qt::Key_End);
    }
    void paste(const QString &text)
    {
        QGuiApplication::clipboard()->setText(text);
        key(Qt::Key_Insert, Qt::ShiftModifier); // Ctrl+V is the order command "Coller"
    }
    void clickCell(int row, int column)
    {
        auto *grid = child<QTableView>("Lines");
        const QRect cell = grid->visualRect(grid->model()->index(row - 1, column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTRY_VERIFY(QApplication::focusWidget()->objectName() == QLatin1String("CellEditor"));
    }
    // A command of the "&Document" menu by its letter; the reception dialog is accepted as it
    // comes, with what is due.
    void documentCommand(char item)
    {
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [] {
            if (QWidget *dialog = QApplication::activeModalWidget())
                if (auto *box = dialog->findChild<QDialogButtonBox *>())
                    box->button(QDialogButtonBox::Ok)->click();
        });
        poll.start(5);
        key(Qt::Key_D, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        key(Qt::Key_A + (item - 'a'));
        QTRY_VERIFY(!QApplication::activePopupWidget() && !QApplication::activeModalWidget());
        QApplication::setActiveWindow(&form);
    }
    // Opens a dialog from the "&Paramètres" menu and works it while it is shown; `close` is
    // the button that closes it.
    void inDialog(char item, const std::function<void(QWidget &)> &work, const char *close)
    {
        QTRY_COMPARE(QApplication::activeWindow(), &form);
        bool worked = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (worked || !dialog || !dialog->isAncestorOf(QApplication::focusWidget()))
                return;
            worked = true;
            work(*dialog);
            QTest::mouseClick(dialog->findChild<QAbstractButton *>(QLatin1String(close)),
                              Qt::LeftButton);
        });
        poll.start(5);
        key(Qt::Key_P, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        key(Qt::Key_A + (item - 'a'));
        QTRY_VERIFY(worked && !QApplication::activeModalWidget());
        // As a window manager does once the dialog is gone.
        QApplication::setActiveWindow(&form);
    }

    TemporaryWorkingDir dir;
    FakePlatform desktop;
    StartFiles files{dir};
    MainWindow form;
};

namespace {

// A field of a dialog: clicked into, the cursor at its end.
QLineEdit &field(QWidget &dialog, const char *name)
{
    auto *edit = dialog.findChild<QLineEdit *>(QLatin1String(name));
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_End);
    return *edit;
}

} // namespace

class TestChangesKept : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void savedAndAskedAbout_data();
    void savedAndAskedAbout();
    void undoneAndRedone_data() { savedAndAskedAbout_data(); }
    void undoneAndRedone();
    void codeThatCannotBeStoredIsRefused();
    void lifeFromTheDocumentMenu_data();
    void lifeFromTheDocumentMenu();
    void sentOrderStaysAsSent_data();
    void sentOrderStaysAsSent();
};

void TestChangesKept::savedAndAskedAbout_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("from");
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("second");
    using S = Session;

    // The order window. The focus starts in the supplier code, so every change but the
    // code's own leaves the code field untouched: the order keeps its address.
    QTest::newRow("number, Backspace and a digit") << Change([](S &s, bool again) {
        s.clickEnd("OrderNumber");
        s.key(Qt::Key_Backspace);
        s.type(again ? "7" : "9");
    }) << Book << QStringList{"NUM200003001"} << QStringList{"NUM200003009"}
                                                   << QStringList{"NUM200003007"};
    QTest::newRow("date, a choice") << Change([](S &s, bool) {
        s.click(s.child("OrderDate")->findChild<QLineEdit *>()); // on the day
        s.key(Qt::Key_Up);
    }) << Book << QStringList{"01/03/2000"}
                                    << QStringList{"02/03/2000"} << QStringList{"03/03/2000"};
    QTest::newRow("code, typed and Tab")
        << Change([](S &s, bool again) {
               s.click(s.child("SupplierCode"));
               qobject_cast<QLineEdit *>(s.child("SupplierCode"))->selectAll();
               s.type(again ? "23" : "24");
               s.key(Qt::Key_Tab);
           })
        << Book << QStringList{"10023", "Dupont", "12 rue des Halles", "75001 Paris"}
        << QStringList{"10024", "Martin", "Quai Bas", "Lyon"}
        << QStringList{"10023", "Dupont", "3 avenue Foch", "69002 Lyon"};
    QTest::newRow("code, Backspace alone") << Change([](S &s, bool) {
        s.clickEnd("SupplierCode");
        s.key(Qt::Key_Backspace);
        s.desktop.answer(Prompts::Answer::No); // "Créer le fournisseur ?"
        s.click(s.child("AddressLine2"));
    }) << Book << QStringList{"10023"} << QStringList{"11002"}
                                           << QStringList{"11100"};
    QTest::newRow("terms, a choice from the list") << Change([](S &s, bool) {
        s.click(s.child("SupplierCode"));
        s.key(Qt::Key_Tab);
        s.key(Qt::Key_Down);
    }) << Book << QStringList{"A réception"} << QStringList{"Réglement à 30 jours"}
                                                   << QStringList{"Réglement à 60 jours"};
    QTest::newRow("kind of order, a choice") << Change([](S &s, bool again) {
        s.click(s.child(again ? "BeforeTaxOrder" : "TaxIncludedOrder"));
    }) << Book << QStringList{"TTCN"} << QStringList{"TTCY"}
                                             << QStringList{"TTCN"};
    QTest::newRow("address, typed") << Change([](S &s, bool) {
        s.clickEnd("AddressLine2");
        s.type(" bis");
    }) << Book << QStringList{"12 rue des Halles"}
                                    << QStringList{"12 rue des Halles bis"}
                                    << QStringList{"12 rue des Halles bis bis"};
    QTest::newRow("address, Backspace alone") << Change([](S &s, bool) {
        s.clickEnd("AddressLine3");
        s.key(Qt::Key_Backspace);
    }) << Book << QStringList{"75001 Paris"} << QStringList{"75001 Pari"}
                                              << QStringList{"75001 Par"};
    QTest::newRow("address, a paste") << Change([](S &s, bool again) {
        s.clickEnd("AddressLine4");
        s.paste(again ? "-2" : "BP 12");
    }) << Book << QStringList{""} << QStringList{"BP 12"}
                                      << QStringList{"BP 12-2"};
    QTest::newRow("grid cell, typed") << Change([](S &s, bool again) {
        s.clickCell(3, 0); // a cell opens its editor when it becomes the current one
        s.clickCell(1, 0);
        s.type(again ? "Clous" : "Boulons");
    }) << Book << QStringList{"CMDEVis\t"}
                                      << QStringList{"CMDEBoulons\t"} << QStringList{"CMDEClous\t"};
    QTest::newRow("grid cell, Backspace alone") << Change([](S &s, bool) {
        s.clickCell(3, 0);
        s.clickCell(2, 0);
        s.key(Qt::Key_End);
        s.key(Qt::Key_Backspace);
    }) << Book << QStringList{"CMDEEcrous\t"} << QStringList{"CMDEEcrou\t"}
                                                << QStringList{"CMDEEcro\t"};
    QTest::newRow("note, typed") << Change([](S &s, bool again) {
        s.clickEnd("Note");
        s.type(again ? " bis" : " (urgent)");
    }) << Book << QStringList{"MEMOLivrer le matin"}
                                 << QStringList{"MEMOLivrer le matin (urgent)"}
                                 << QStringList{"MEMOLivrer le matin (urgent) bis"};
    QTest::newRow("note, a paste") << Change([](S &s, bool) {
        s.clickEnd("Note");
        s.paste("!");
    }) << Book << QStringList{"MEMOLivrer le matin"}
                                   << QStringList{"MEMOLivrer le matin!"}
                                   << QStringList{"MEMOLivrer le matin!!"};

    // The supplier window ("Fermer"), the company dialog and the parameters ("OK").
    QTest::newRow("supplier, a paste and Enter") << Change([](S &s, bool again) {
        s.inDialog(
            'f',
            [again](QWidget &w) {
                QLineEdit &street = field(w, "AddressLine2");
                street.selectAll();
                QGuiApplication::clipboard()->setText(again ? "1 rue Basse" : "9 rue Neuve");
                QTest::keyClick(&street, Qt::Key_V, Qt::ControlModifier);
                QTest::keyClick(&street, Qt::Key_Return);
            },
            "CloseButton");
    }) << SupplierBook::FileName << QStringList{"3 avenue Foch"}
                                                 << QStringList{"9 rue Neuve"}
                                                 << QStringList{"1 rue Basse"};
    QTest::newRow("supplier, Backspace alone") << Change([](S &s, bool) {
        s.inDialog(
            'f', [](QWidget &w) { QTest::keyClick(&field(w, "AddressLine3"), Qt::Key_Backspace); },
            "CloseButton");
    }) << SupplierBook::FileName << QStringList{"69002 Lyon"}
                                               << QStringList{"69002 Lyo"}
                                               << QStringList{"69002 Ly"};
    QTest::newRow("supplier, Delete alone") << Change([](S &s, bool) {
        s.inDialog(
            'f',
            [](QWidget &w) {
                QLineEdit &street = field(w, "AddressLine2");
                QTest::keyClick(&street, Qt::Key_Home);
                QTest::keyClick(&street, Qt::Key_Delete);
            },
            "CloseButton");
    }) << SupplierBook::FileName << QStringList{"3 avenue Foch"}
                                            << QStringList{" avenue Foch"}
                                            << QStringList{"avenue Foch"};
    QTest::newRow("company, typed") << Change([](S &s, bool) {
        s.inDialog(
            's', [](QWidget &w) { QTest::keyClicks(&field(w, "CompanyLine5"), "x"); }, "OkButton");
    }) << Company::FileName << QStringList{""}
                                    << QStringList{"x"} << QStringList{"xx"};
    QTest::newRow("company, Backspace alone") << Change([](S &s, bool) {
        s.inDialog(
            's', [](QWidget &w) { QTest::keyClick(&field(w, "CompanyLine3"), Qt::Key_Backspace); },
            "OkButton");
    }) << Company::FileName << QStringList{"75002 Paris"}
                                              << QStringList{"75002 Pari"}
                                              << QStringList{"75002 Par"};
    QTest::newRow("VAT rate, typed") << Change([](S &s, bool again) {
        s.inDialog(
            'c',
            [again](QWidget &w) {
                QLineEdit &rate = field(w, "VatRate1");
                rate.selectAll();
                QTest::keyClicks(&rate, again ? "8" : "7");
            },
            "OkButton");
    }) << SettingsFile::fileName() << QStringList{NumberText::scientific(*Real48::store(20.6L))}
                                     << QStringList{NumberText::scientific(7)}
                                     << QStringList{NumberText::scientific(8)};
    QTest::newRow("payment term, a paste") << Change([](S &s, bool) {
        s.inDialog(
            'c',
            [](QWidget &w) {
                QGuiApplication::clipboard()->setText("!");
                QTest::keyClick(&field(w, "PaymentTerm5"), Qt::Key_V, Qt::ControlModifier);
            },
            "OkButton");
    }) << SettingsFile::fileName() << QStringList{"En votre aimable réglement"}
                                           << QStringList{"En votre aimable réglement!"}
                                           << QStringList{"En votre aimable réglement!!"};
    QTest::newRow("currency, a choice")
        << Change([](S &s, bool again) {
               s.inDialog(
                   'c',
                   [again](QWidget &w) {
                       QTest::mouseClick(
                           w.findChild<QAbstractButton *>(again ? "CurrencyFranc" : "CurrencyEuro"),
                           Qt::LeftButton, {}, QPoint(4, 4));
                   },
                   "OkButton");
           })
        << SettingsFile::fileName() << QStringList{"0", "0"} << QStringList{"0", "1"}
        << QStringList{"0", "0"}; // the automatic opening, then the currency
}

void TestChangesKept::savedAndAskedAbout()
{
    QFETCH(Change, change);
    QFETCH(QString, file);
    QFETCH(QStringList, from);
    QFETCH(QStringList, first);
    QFETCH(QStringList, second);
    Session s;
    QVERIFY(!s.form.orderWindow().document().fileModified());
    QCOMPARE(QApplication::focusWidget(), s.child("SupplierCode"));
    QMap<QString, QStringList> saved;
    for (const QString &name : Files)
        saved[name] = linesOf(name);
    QCOMPARE(saved[Book], order());

    change(s, false);
    s.key(Qt::Key_S, Qt::ControlModifier);
    for (const QString &name : Files)
        QCOMPARE(linesOf(name), name == file ? changed(saved[name], from, first) : saved[name]);

    change(s, true);
    s.desktop.asked.clear();
    s.key(Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget());
    s.key(Qt::Key_Q);
    QTRY_VERIFY(!s.form.isVisible());
    if (file == Book)
        QCOMPARE(s.desktop.texts(), QStringList{"Enregistrer changements dans book.cmd ?"});
    QCOMPARE(linesOf(file), changed(saved[file], from, second));
}

// Each change of the order window, undone and redone from where the user made it: the book
// goes back to what its file holds and forward to what the change made, its modified flag
// following; undone after a save, the file no longer holds it and quitting asks.
void TestChangesKept::undoneAndRedone()
{
    QFETCH(Change, change);
    QFETCH(QString, file);
    QFETCH(QStringList, from);
    QFETCH(QStringList, first);
    if (file != Book)
        QSKIP("the dialogs' changes are not steps of the order's history");
    Session s;
    OrderDocument &document = s.form.orderWindow().document();
    auto *undo = s.form.findChild<QAction *>(QStringLiteral("UndoAction"));
    QVERIFY(!undo->isEnabled());
    const QStringList saved = linesOf(Book);
    const QStringList done = changed(saved, from, first);
    const auto book = [&] { return trimmedCells(document.snapshot().toStringList()); };

    change(s, false);
    s.key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(book(), saved);
    QVERIFY(!document.fileModified());
    QVERIFY(!undo->isEnabled());
    s.key(Qt::Key_Z, Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(book(), done);
    QVERIFY(document.fileModified());
    QVERIFY(undo->text().startsWith(QLatin1String("&Annuler ")));

    s.key(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(linesOf(Book), done);
    s.key(Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(document.fileModified());
    s.key(Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(!document.fileModified());
    s.key(Qt::Key_Z, Qt::ControlModifier);
    s.desktop.asked.clear();
    s.key(Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget());
    s.key(Qt::Key_Q);
    QTRY_VERIFY(!s.form.isVisible());
    QCOMPARE(s.desktop.texts(), QStringList{"Enregistrer changements dans book.cmd ?"});
    QCOMPARE(linesOf(Book), saved);
}

void TestChangesKept::codeThatCannotBeStoredIsRefused()
{
    Session s;
    auto *code = s.child<QLineEdit>("SupplierCode");
    s.type("*8971");
    s.key(Qt::Key_Tab);
    QCOMPARE(s.desktop.texts(), QStringList{"Le code fournisseur « *8971 » n'est pas valable : "
                                            "un code fournisseur a cinq chiffres."});
    QCOMPARE(QApplication::focusWidget(), code);
    QCOMPARE(s.child<QLineEdit>("AddressLine1")->text(), QStringLiteral("Dupont"));

    // Put right, it is looked up as any code typed.
    s.type("24");
    s.click(s.child("Note"));
    QCOMPARE(code->text(), QStringLiteral("10024"));
    QCOMPARE(s.child<QLineEdit>("AddressLine1")->text(), QStringLiteral("Martin"));
    QCOMPARE(s.desktop.asked.size(), 1);
    s.key(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(linesOf(SupplierBook::FileName), Suppliers);
}

void TestChangesKept::lifeFromTheDocumentMenu_data()
{
    QTest::addColumn<QString>("items"); // letters of the "Document" menu; 'z' is Ctrl+Z
    QTest::addColumn<QString>("state");
    QTest::addColumn<QStringList>("written");
    const QString sent = QStringLiteral("ENVO14/03/2000\tAUTRE");
    const QString rates = QStringLiteral("TAUX6,55957\t20,6\t0\t5,5\tFRANCS\t2");
    QTest::newRow("marked sent") << "y"
                                 << "Envoyée le 14/03/2000 (autre)" << QStringList{sent, rates};
    QTest::newRow("received as due")
        << "yi"
        << "Reçue le 14/03/2000" << QStringList{sent, rates, "RECU14/03/2000\t1=2\t2=4"};
    QTest::newRow("received, then undone")
        << "yiz"
        << "Envoyée le 14/03/2000 (autre)" << QStringList{sent, rates};
    QTest::newRow("settled") << "yo"
                             << "Soldée" << QStringList{sent, rates, "SOLD14/03/2000"};
    QTest::newRow("cancelled and taken back")
        << "yaa"
        << "Envoyée le 14/03/2000 (autre)" << QStringList{sent, rates};
}

// What became of the order, recorded from the menu: what the window says, what the file holds.
void TestChangesKept::lifeFromTheDocumentMenu()
{
    QFETCH(QString, items);
    QFETCH(QString, state);
    QFETCH(QStringList, written);
    Session s;
    for (const QChar item : items) {
        if (item == QLatin1Char('z')) {
            s.key(Qt::Key_Z, Qt::ControlModifier);
            continue;
        }
        s.documentCommand(item.toLatin1());
    }
    QCOMPARE(s.child<QLabel>("OrderState")->text(), state);
    s.key(Qt::Key_S, Qt::ControlModifier);
    const QStringList lines = linesOf(Book);
    QCOMPARE(lines.mid(lines.indexOf("MEMOLivrer le matin") + 1),
             written + QStringList{"</BLOC0000>"});
}

void TestChangesKept::sentOrderStaysAsSent_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<int>("questions"); // "La modifier quand même ?"
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("vat");  // the window's "Total TVA"
    QTest::addColumn<bool>("changed"); // the book differs from the order as sent
    QTest::addColumn<bool>("kept");    // the order keeps the rates it was sent with
    using S = Session;
    using A = Prompts::Answer;
    const QString sent = QStringLiteral("Envoyée le 14/03/2000 (autre)");
    const QString modified = QStringLiteral("Modifiée après envoi");

    // Printed again, reported and exported: at 20,6 %, whatever the settings say now.
    QTest::newRow("printed, statistics, CSV") << Change([](S &s, bool) {
        RecordingPrinter printer;
        s.desktop.printerInUse = &printer;
        s.desktop.copies = 1;
        s.key(Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        s.key(Qt::Key_I);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        s.desktop.printerInUse = nullptr;
        QVERIFY(std::any_of(printer.engine.drawn.cbegin(), printer.engine.drawn.cend(),
                            [](const Drawn &d) { return d.text.trimmed() == "4,94"; }));
        const BookView book = BookView::asSaved(s.form.orderWindow().document());
        QCOMPARE(PurchaseBook(book).orders().value(0).total(Amount::Vat, Currency::Main), 494);
        CsvFile csv;
        PurchaseCsv::orderLines(book, 0, csv);
        QVERIFY(csv.bytes().contains(";Vis;2;10,00;;20,00;1;20,6;4,12;24,12"));
    }) << 0 << "Envoyée le 14/03/2000 (imprimée)"
                                              << "4,94" << true << true;
    // A copy is a draft, worked out with the settings.
    QTest::newRow("copied and pasted over it, Oui") << Change([](S &s, bool) {
        s.desktop.answer(A::Yes);
        s.key(Qt::Key_C, Qt::ControlModifier);
        s.key(Qt::Key_V, Qt::ControlModifier);
    }) << 1 << "Brouillon"
                                                    << "1,68" << true << false;
    QTest::newRow("address typed, Non") << Change([](S &s, bool) {
        s.desktop.answer(A::No);
        s.clickEnd("AddressLine2");
        s.type("x");
        QCOMPARE(s.child<QLineEdit>("AddressLine2")->text(), "12 rue des Halles");
    }) << 1 << sent << "4,94" << false << true;
    // Leaving the code field after Non looks nothing up: the supplier file's newer address
    // would be a change of its own, asked about again.
    for (const char *typed : {"24", "*"})
        QTest::addRow("code %s typed, Non, then Tab", typed) << Change([typed](S &s, bool) {
            s.desktop.answer(A::No);
            s.click(s.child("SupplierCode"));
            s.child<QLineEdit>("SupplierCode")->selectAll();
            s.type(typed);
            s.key(Qt::Key_Tab);
            QCOMPARE(s.child<QLineEdit>("SupplierCode")->text(), "10023");
            QCOMPARE(s.child<QLineEdit>("AddressLine2")->text(), "12 rue des Halles");
        }) << 1 << sent << "4,94" << false << true;
    QTest::newRow("address typed, Oui: asked once") << Change([](S &s, bool) {
        s.desktop.answer(A::Yes);
        s.clickEnd("AddressLine2");
        s.type(" bis");
    }) << 1 << modified << "4,94" << true << true;
    QTest::newRow("cell editor, Non") << Change([](S &s, bool) {
        s.desktop.answer(A::No);
        s.clickCell(3, 0);
        s.clickCell(1, 0);
        s.type("Boulons");
        s.key(Qt::Key_Tab);
        QCOMPARE(s.form.orderWindow().document().cell(1, 0), "Vis");
        auto *grid = s.child<QTableView>("Lines");
        QCOMPARE(grid->model()->index(0, 0).data().toString(), "Vis");
    }) << 1 << sent << "4,94" << false << true;
    QTest::newRow("cell editor, Oui") << Change([](S &s, bool) {
        s.desktop.answer(A::Yes);
        s.clickCell(3, 0);
        s.clickCell(1, 0);
        s.type("Boulons");
        s.key(Qt::Key_Tab);
    }) << 1 << modified << "4,94" << true
                                      << true;
    QTest::newRow("note, Non") << Change([](S &s, bool) {
        s.desktop.answer(A::No);
        s.clickEnd("Note");
        s.type("!");
        QCOMPARE(s.child<QPlainTextEdit>("Note")->toPlainText(), "Livrer le matin");
    }) << 1 << sent << "4,94" << false
                               << true;
    QTest::newRow("note, Oui") << Change([](S &s, bool) {
        s.desktop.answer(A::Yes);
        s.clickEnd("Note");
        s.type("!!");
    }) << 1 << modified << "4,94"
                               << true << true;
    // What became of the order is no change to what the supplier got.
    QTest::newRow("received, never asked") << Change([](S &s, bool) {
        s.documentCommand('i');
        QVERIFY(s.child<QLabel>("OrderState")
                    ->toolTip()
                    .endsWith("Réception du 14/03/2000 :\n    Vis : 2\n    Ecrous : 4"));
    }) << 0 << "Reçue le 14/03/2000"
                                           << "4,94" << true << true;
}

// A sent order, the VAT rate then changed from 20,6 to 7 %: the order shows, prints and reports
// what the supplier got; the first change to it asks, and Non leaves it as it was.
void TestChangesKept::sentOrderStaysAsSent()
{
    QFETCH(Change, change);
    QFETCH(int, questions);
    QFETCH(QString, state);
    QFETCH(QString, vat);
    QFETCH(bool, changed);
    QFETCH(bool, kept);
    Session s;
    OrderDocument &document = s.form.orderWindow().document();
    s.documentCommand('y');
    s.inDialog(
        'c',
        [](QWidget &w) {
            QLineEdit &rate = field(w, "VatRate1");
            rate.selectAll();
            QTest::keyClicks(&rate, "7");
        },
        "OkButton");
    QCOMPARE(s.child<QLabel>("TotalVat")->text().trimmed(), "4,94");
    const QStringList asSent = document.snapshot().toStringList();
    s.desktop.asked.clear();

    change(s, false);
    QCOMPARE(s.desktop.texts(),
             QStringList(questions, "Cette commande a été envoyée le 14/03/2000. "
                                    "La modifier quand même ?"));
    QCOMPARE(s.child<QLabel>("OrderState")->text(), state);
    QCOMPARE(s.child<QLabel>("TotalVat")->text().trimmed(), vat);
    QCOMPARE(document.snapshot().toStringList() != asSent, changed);
    QCOMPARE(document.record().life.rates.has_value(), kept);
}

// The program's own application object, as in the program.
int main(int argc, char *argv[])
{
    Application app(argc, argv);
    TestChangesKept test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_changeskept.moc"
