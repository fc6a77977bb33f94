// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/findorderdialog.h"
#include "app/mainwindow.h"
#include "app/orderlistdialog.h"
#include "app/windowplace.h"
#include "core/textfile.h"
#include "failingwriter.h"
#include "gui/application.h"
#include "gui/outcomedialog.h"
#include "order/orderfilelock.h"
#include "order/orderwindow.h"
#include "settings/orderparametersdialog.h"
#include "settings/settingsfile.h"
#include "suppliers/companydialog.h"
#include "suppliers/supplierentrydialog.h"
#include "suppliers/supplierlistdialog.h"
#include "suppliers/supplierwindow.h"
#include "testsupport.h"
#include "utilities/aboutbox.h"
#include "utilities/calendarwindow.h"
#include "utilities/clockwindow.h"
#include "utilities/euroconverterwindow.h"
#include "utilities/helpwindow.h"
#include "utilities/pocketcalculatorwindow.h"

#include <QAccessible>
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <functional>
#include <memory>

using Prompts::Answer;

namespace {

void writeBook(const QString &fileName, int orders)
{
    QStringList lines;
    for (int i = 0; i < orders; ++i)
        lines << TestBooks::block(i, QString::number(200003001 + i));
    QVERIFY(TextFile::write(fileName, TextLines(lines)));
}

QByteArray contents(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeSettings(bool autoOpen, const QString &fileName)
{
    Settings settings;
    settings.autoOpen = autoOpen ? 1 : 0;
    QVERIFY(TextFile::writeBytes(SettingsFile::fileName(), SettingsFile::save(settings, fileName)));
}

const char *const BookCommands[] = {
    "SaveAction",        "SaveAsAction",    "PrintAction",    "CopyAction",  "PasteAction",
    "FindAction",        "PreviousAction",  "NextAction",     "FirstAction", "LastAction",
    "DeleteOrderAction", "CalculateAction", "OrderListAction"};
const char *const BookButtons[] = {"SaveButton",       "CopyButton",       "PasteButton",
                                   "FindButton",       "FirstOrderButton", "PreviousOrderButton",
                                   "NextOrderButton",  "LastOrderButton",  "CalculateButton",
                                   "PrintOrderButton", "EnvelopeButton"};

} // namespace

class TestMainForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void saveQuestion_data();
    void saveQuestion();
    void saveQuestionForUnnamedBook_data();
    void saveQuestionForUnnamedBook();
    void failedSaveCancelsCommand();
    void sideFilesThatCannotBeWrittenAreToldAtExit();
    void open_data();
    void open();
    void openAtStart_data();
    void openAtStart();
    void saveAs_data();
    void saveAs();
    void saveAsOverExistingFile_data();
    void saveAsOverExistingFile();
    void bookCommandsEnabled_data();
    void bookCommandsEnabled();
    void autoOpenToggleKeepsBookName();
    void settingsFileRemembersBook_data();
    void settingsFileRemembersBook();
    void deleteOrderAsks();
    void printAsksCopies();
    void statusBar();
    void shortcuts_data();
    void shortcuts();
    void errorInsideCommand();
    void failedOpening();
    void errorReportedAtCommandBoundary();
    void aboutBox();
    void help();
    void titleKeptThroughActivation_data();
    void titleKeptThroughActivation();
    void recentBooks();
    void droppedFiles_data();
    void droppedFiles();
    void windowPlace_data();
    void windowPlace();
    void accessibleNames_data();
    void accessibleNames();
    void readOnlyDeskFollowsTheBook();
    void fileChangedOnDisk();

private:
    MainWindow &start();
    QAction *action(const char *name) const;
    QToolButton *toolButton(const char *name) const;
    void trigger(const char *name);
    // Opens a book of `orders` orders named `name` in the working directory.
    QString openBook(const QString &name, int orders = 2);
    // Alt + the menu's mnemonic, then `item`, as the user types them.
    void menu(Qt::Key mnemonic, Qt::Key item);
    QStringList recentEntries() const; // the Fichier menu's recent books as shown

    std::unique_ptr<TemporaryWorkingDir> m_dir;
    std::unique_ptr<FakePlatform> m_desktop;
    std::unique_ptr<MainWindow> m_form;
};

void TestMainForm::init()
{
    m_dir = std::make_unique<TemporaryWorkingDir>();
    m_desktop = std::make_unique<FakePlatform>();
}

void TestMainForm::cleanup()
{
    m_form.reset();
    m_desktop.reset();
    m_dir.reset();
}

MainWindow &TestMainForm::start()
{
    m_form = std::make_unique<MainWindow>();
    m_form->show();
    return *m_form;
}

QAction *TestMainForm::action(const char *name) const
{
    auto *a = m_form->findChild<QAction *>(QString::fromLatin1(name));
    if (!a)
        qWarning("no action %s", name);
    return a;
}

QToolButton *TestMainForm::toolButton(const char *name) const
{
    return m_form->findChild<QToolButton *>(QString::fromLatin1(name));
}

void TestMainForm::trigger(const char *name)
{
    QAction *a = action(name);
    QVERIFY(a);
    QVERIFY2(a->isEnabled(), name);
    a->trigger();
}

QString TestMainForm::openBook(const QString &name, int orders)
{
    const QString path = m_dir->file(name);
    writeBook(path, orders);
    m_desktop->chooseFile(path);
    trigger("OpenAction");
    return path;
}

void TestMainForm::saveQuestion_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("goesOn");
    for (const char *command : {"new", "open", "close"}) {
        QTest::addRow("%s, Oui", command) << command << Answer::Yes << true << true;
        QTest::addRow("%s, Non", command) << command << Answer::No << false << true;
        QTest::addRow("%s, Annuler", command) << command << Answer::Cancel << false << false;
    }
}

void TestMainForm::saveQuestion()
{
    QFETCH(QString, command);
    QFETCH(Answer, answer);
    QFETCH(bool, saved);
    QFETCH(bool, goesOn);

    start();
    const QString path = openBook(QStringLiteral("book.cmd"));
    const QString other = m_dir->file(QStringLiteral("other.cmd"));
    writeBook(other, 3);
    m_form->orderWindow().document().setFileModified(true);
    // A save keeps the file it replaces as a backup: that shows whether the book was written.
    const QStringList linesBefore = m_form->orderWindow().book().lines().toStringList();
    m_desktop->asked.clear();
    m_desktop->answer(answer);

    if (command == QLatin1String("new")) {
        trigger("NewAction");
    } else if (command == QLatin1String("open")) {
        m_desktop->chooseFile(other);
        trigger("OpenAction");
    } else {
        m_form->close();
    }

    QCOMPARE(m_desktop->texts(), QStringList{"Enregistrer changements dans book.cmd ?"});
    QCOMPARE(m_desktop->asked.first().icon, Prompts::Icon::Warning);
    QCOMPARE(m_desktop->asked.first().buttons, Prompts::Buttons::YesNoCancel);
    QCOMPARE(QFile::exists(path + QStringLiteral(".bak")), saved);
    if (!goesOn) {
        QCOMPARE(m_form->fileName(), path);
        QCOMPARE(m_form->orderWindow().book().lines(), linesBefore);
        QVERIFY(m_form->isVisible());
        bool modified = false;
        QVERIFY(m_form->orderWindow().bookModified(modified));
        return;
    }
    if (command == QLatin1String("new")) {
        QVERIFY(m_form->fileName().isEmpty());
        QVERIFY(m_form->orderWindow().book().lines().isEmpty());
    } else if (command == QLatin1String("open")) {
        QCOMPARE(m_form->fileName(), other);
        QCOMPARE(m_form->orderWindow().book().orderCount(), 3);
    } else {
        QVERIFY(!m_form->isVisible());
    }
}

void TestMainForm::saveQuestionForUnnamedBook_data()
{
    QTest::addColumn<QString>("chosen"); // empty: the save dialog is cancelled
    QTest::addColumn<bool>("goesOn");
    QTest::newRow("named") << "neuf" << true;
    QTest::newRow("name refused") << "" << false;
}

void TestMainForm::saveQuestionForUnnamedBook()
{
    QFETCH(QString, chosen);
    QFETCH(bool, goesOn);

    start();
    openBook(QStringLiteral("book.cmd"));
    m_desktop->answer(Answer::No); // a freshly opened book counts as modified
    trigger("NewAction");
    QVERIFY(m_form->fileName().isEmpty());
    m_form->orderWindow().document().setFileModified(true);
    m_desktop->asked.clear();
    m_desktop->answer(Answer::Yes);
    m_desktop->chooseFile(chosen.isEmpty() ? QString() : m_dir->file(chosen));

    m_form->close();

    QCOMPARE(m_desktop->texts().value(0), QStringLiteral("Enregistrer changements dans  ?"));
    QCOMPARE(m_desktop->fileRequests.last().save, true);
    QCOMPARE(m_form->isVisible(), !goesOn);
    QCOMPARE(QFile::exists(m_dir->file(QStringLiteral("neuf.cmd"))), goesOn);
}

void TestMainForm::sideFilesThatCannotBeWrittenAreToldAtExit()
{
    start();
    // Folders cannot be replaced by files.
    QVERIFY(QDir().mkdir(m_dir->file(QStringLiteral("QorCmd.ini"))));
    QVERIFY(QDir().mkdir(m_dir->file(QStringLiteral("Commande.fnr"))));
    m_form->orderWindow().suppliers().modified = true;
    m_desktop->asked.clear();

    m_form->close();

    QCOMPARE(m_desktop->texts(),
             (QStringList{QStringLiteral("Ne peut créer le fichier QorCmd.ini"),
                          QStringLiteral("Ne peut créer le fichier Commande.fnr")}));
    QCOMPARE(m_desktop->asked.at(0).icon, Prompts::Icon::Critical);
    QVERIFY(m_form->orderWindow().suppliers().modified);
}

void TestMainForm::failedSaveCancelsCommand()
{
    start();
    const QString path = openBook(QStringLiteral("book.cmd"));
    const QByteArray before = contents(path);
    FailingWrites failing(FailingWriter::Failure::Write, 0, QStringLiteral(".cmd"));
    m_form->orderWindow().document().setFileModified(true);
    m_desktop->asked.clear();
    m_desktop->answer(Answer::Yes);

    m_form->close();

    QVERIFY(m_form->isVisible());
    QCOMPARE(m_desktop->asked.size(), 2);
    QCOMPARE(m_desktop->asked.at(1).icon, Prompts::Icon::Critical);
    QVERIFY(m_desktop->asked.at(1).text.startsWith(QStringLiteral("Ne peut créer le fichier")));
    bool modified = false;
    QVERIFY(m_form->orderWindow().bookModified(modified));
    QCOMPARE(contents(path), before);
}

void TestMainForm::menu(Qt::Key mnemonic, Qt::Key item)
{
    m_form->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), m_form.get());
    QTest::keyClick(m_form->windowHandle(), mnemonic, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), item);
}

QStringList TestMainForm::recentEntries() const
{
    QStringList entries;
    const QList<QAction *> items =
        m_form->findChild<QMenu *>(QStringLiteral("FileMenu"))->actions();
    for (QAction *a : items)
        if (a->objectName().startsWith(QLatin1String("RecentBookAction")) && a->isVisible())
            entries << a->text() + QLatin1Char(' ') + a->statusTip();
    return entries;
}

void TestMainForm::open_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<bool>("nameKept");
    QTest::newRow("upper case") << "COMMANDE.CMD" << true << "" << true << true;
    QTest::newRow("text file") << "commande.txt" << true << "Type de fichier non valide" << false
                               << false;
    QTest::newRow("missing") << "absent.cmd" << false << "Le fichier n'existe pas" << false << true;
}

void TestMainForm::open()
{
    QFETCH(QString, name);
    QFETCH(bool, exists);
    QFETCH(QString, message);
    QFETCH(bool, loaded);
    QFETCH(bool, nameKept);

    start();
    const QString path = m_dir->file(name);
    if (exists)
        writeBook(path, 2);
    m_desktop->chooseFile(path);
    trigger("OpenAction");

    QCOMPARE(m_desktop->fileRequests.first().filter, QStringLiteral("Commandes (*.cmd)"));
    QCOMPARE(m_desktop->texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(m_form->orderWindow().book().orderCount(), loaded ? 2 : 0);
    QCOMPARE(m_form->fileName(), nameKept ? path : QString());
    QCOMPARE(action("SaveAction")->isEnabled(), loaded);
    QCOMPARE(m_form->windowTitle(), loaded ? QStringLiteral("Qor Commande - [COMMANDE.CMD]")
                                           : QStringLiteral("Qor Commande"));

    if (name == QLatin1String("commande.txt")) {
        // The book has no name any more: the next save asks for one.
        m_form->enableBookCommands();
        trigger("SaveAction");
        QCOMPARE(m_desktop->fileRequests.size(), 2);
        QVERIFY(m_desktop->fileRequests.last().save);
    }
}

void TestMainForm::openAtStart_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("orders");
    QTest::newRow("book") << "commandes.cmd" << true << "" << 2;
    QTest::newRow("text file") << "commandes.txt" << true << "Type de fichier non valide" << 0;
    QTest::newRow("missing") << "absent.cmd" << false << "Le fichier n'existe pas" << 0;
}

// The program started with a file's name, as a desktop does on a double click: the file is
// opened as "&Ouvrir..." opens it, and the automatically opened book is left shut.
void TestMainForm::openAtStart()
{
    QFETCH(QString, argument);
    QFETCH(bool, exists);
    QFETCH(QString, message);
    QFETCH(int, orders);

    writeBook(m_dir->file(QStringLiteral("remembered.cmd")), 5);
    writeSettings(true, m_dir->file(QStringLiteral("remembered.cmd")));
    if (exists)
        writeBook(m_dir->file(argument), 2);

    m_form = std::make_unique<MainWindow>();
    m_form->openAtStart(argument); // named from the working directory
    m_form->show();

    QCOMPARE(m_desktop->texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QVERIFY(m_desktop->fileRequests.isEmpty());
    QCOMPARE(m_form->orderWindow().book().orderCount(), orders);
    QCOMPARE(action("SaveAction")->isEnabled(), orders > 0);
    QVERIFY(action("AutoOpenAction")->isChecked());
    if (orders > 0)
        QCOMPARE(m_form->fileName(), m_dir->file(argument));
}

void TestMainForm::saveAs_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("year as extension") << "commandes.2000"
                                       << "commandes.cmd";
    QTest::newRow("no extension") << "commandes"
                                  << "commandes.cmd";
    QTest::newRow("folder with a dot") << "jean.dupont/achats"
                                       << "jean.dupont/achats.cmd";
    QTest::newRow("folder and name with dots") << "jean.dupont/achats.2000.bak"
                                               << "jean.dupont/achats.cmd";
}

void TestMainForm::saveAs()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);

    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("jean.dupont")));
    start();
    openBook(QStringLiteral("book.cmd"));
    m_form->orderWindow().document().setFileModified(true);
    m_desktop->chooseFile(m_dir->file(chosen));
    trigger("SaveAsAction");

    QCOMPARE(m_desktop->fileRequests.last().initialName, QStringLiteral("*.cmd"));
    QVERIFY(m_desktop->texts().isEmpty());
    QVERIFY(QFile::exists(m_dir->file(written)));
    QVERIFY(contents(m_dir->file(written)).contains("<BLOC0000>\r\n"));
    QCOMPARE(m_form->fileName(), m_dir->file(written));
    bool modified = true;
    QVERIFY(!m_form->orderWindow().bookModified(modified));
}

void TestMainForm::saveAsOverExistingFile_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::newRow("OK") << Answer::Ok;
    QTest::newRow("Cancel") << Answer::Cancel;
}

void TestMainForm::saveAsOverExistingFile()
{
    QFETCH(Answer, answer);
    start();
    const QString path = openBook(QStringLiteral("book.cmd"));
    const QString existing = m_dir->file(QStringLiteral("autre.cmd"));
    QVERIFY(TextFile::writeBytes(existing, "old"));
    m_form->orderWindow().document().setFileModified(true);
    m_desktop->answer(answer);
    m_desktop->chooseFile(m_dir->file(QStringLiteral("autre.txt")));
    trigger("SaveAsAction");

    QCOMPARE(m_desktop->texts(), QStringList{"Ce fichier existe déjà"});
    QCOMPARE(m_desktop->asked.first().buttons, Prompts::Buttons::OkCancel);
    const bool overwritten = answer == Answer::Ok;
    QCOMPARE(contents(existing) != "old", overwritten);
    // Refused, the book stays the file it was.
    QCOMPARE(m_form->fileName(), overwritten ? existing : path);
}

void TestMainForm::bookCommandsEnabled_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("open") << "open";
    QTest::newRow("automatic opening of a missing file") << "auto";
    QTest::newRow("new order") << "new order";
}

void TestMainForm::bookCommandsEnabled()
{
    QFETCH(QString, how);
    if (how == QLatin1String("auto"))
        writeSettings(true, m_dir->file(QStringLiteral("parti.cmd")));
    start();

    if (how != QLatin1String("auto")) {
        for (const char *name : BookCommands)
            QVERIFY2(!action(name)->isEnabled(), name);
        for (const char *name : BookButtons)
            QVERIFY2(!toolButton(name)->isEnabled(), name);
        QVERIFY(toolButton("NewOrderButton")->isEnabled());
        QVERIFY(toolButton("OpenButton")->isEnabled());
    }
    if (how == QLatin1String("open"))
        openBook(QStringLiteral("book.cmd"));
    else if (how == QLatin1String("new order"))
        trigger("NewOrderAction");
    else {
        QVERIFY(action("AutoOpenAction")->isChecked());
        QCOMPARE(m_form->fileName(), m_dir->file(QStringLiteral("parti.cmd")));
        QVERIFY(m_form->orderWindow().book().lines().isEmpty());
    }

    for (const char *name : BookCommands)
        QVERIFY2(action(name)->isEnabled(), name);
    for (const char *name : BookButtons)
        QVERIFY2(toolButton(name)->isEnabled(), name);
    // Only the line grid's focus enables line deletion.
    QVERIFY(!action("DeleteLineAction")->isEnabled());
    // Nothing disables them again.
    m_desktop->answer(Answer::No);
    trigger("NewAction");
    for (const char *name : BookCommands)
        QVERIFY2(action(name)->isEnabled(), name);
}

void TestMainForm::autoOpenToggleKeepsBookName()
{
    const QString remembered = m_dir->file(QStringLiteral("ancien.cmd"));
    writeBook(remembered, 1);
    writeSettings(false, remembered);
    start();
    QVERIFY(!action("AutoOpenAction")->isChecked());
    QVERIFY(m_form->fileName().isEmpty());

    const QString path = openBook(QStringLiteral("book.cmd"));
    trigger("AutoOpenAction");

    QVERIFY(action("AutoOpenAction")->isChecked());
    bool autoOpen = false;
    QString name;
    m_form->orderWindow().autoOpenSetting(autoOpen, name);
    QVERIFY(autoOpen);
    // The remembered book must not become the target of the next save.
    QCOMPARE(m_form->fileName(), path);
    m_form->orderWindow().document().setFileModified(true);
    trigger("SaveAction");
    QStringList lines;
    QVERIFY(TextFile::read(remembered, lines));
    QCOMPARE(lines.count(QStringLiteral("<BLOC0000>")), 1);
    QCOMPARE(lines.count(QStringLiteral("<BLOC0001>")), 0);
}

void TestMainForm::settingsFileRemembersBook_data()
{
    QTest::addColumn<bool>("parameters"); // written by the order parameters, not by closing
    QTest::newRow("closing") << false;
    QTest::newRow("order parameters") << true;
}

void TestMainForm::settingsFileRemembersBook()
{
    QFETCH(bool, parameters);
    writeSettings(false, m_dir->file(QStringLiteral("ancien.cmd")));
    start();
    const QString path = openBook(QStringLiteral("book.cmd"));
    trigger("AutoOpenAction");
    if (parameters) {
        // The book open now, not the one remembered at start.
        QTimer::singleShot(0, this, [] {
            if (QWidget *dialog = QApplication::activeModalWidget())
                QTest::keyClick(dialog, Qt::Key_Escape);
        });
        trigger("OrderParametersAction");
    } else {
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("ailleurs")));
        QDir::setCurrent(m_dir->file(QStringLiteral("ailleurs")));
        m_desktop->answer(Answer::No);

        QVERIFY(m_form->close());

        // Back in the start-up directory, the settings file names the book to open next time.
        QCOMPARE(QDir::currentPath(), QDir(m_dir->path()).canonicalPath());
    }
    QByteArray bytes;
    QVERIFY(TextFile::readBytes(m_dir->file(SettingsFile::fileName()), bytes));
    Settings settings;
    SettingsFile::load(bytes, settings);
    QCOMPARE(settings.autoOpen, 1);
    QCOMPARE(settings.autoOpenFileName, path);
    QVERIFY(!QFile::exists(m_dir->file(QStringLiteral("ailleurs/QorCmd.ini"))));
}

void TestMainForm::deleteOrderAsks()
{
    start();
    openBook(QStringLiteral("book.cmd"), 3);
    m_desktop->answer(Answer::Cancel);
    trigger("DeleteOrderAction");
    QCOMPARE(m_desktop->texts(), QStringList{"Confirmer suppression de la Commande ?"});
    QCOMPARE(m_desktop->asked.first().buttons, Prompts::Buttons::OkCancel);
    QCOMPARE(m_form->orderWindow().book().orderCount(), 3);

    m_desktop->answer(Answer::Ok);
    trigger("DeleteOrderAction");
    QCOMPARE(m_form->orderWindow().book().orderCount(), 2);
}

void TestMainForm::printAsksCopies()
{
    start();
    openBook(QStringLiteral("book.cmd"));
    trigger("PrintAction");
    QCOMPARE(m_desktop->copiesAsked, 1);
    QVERIFY(m_form->isVisible());
}

void TestMainForm::statusBar()
{
    m_desktop->moment = QDateTime(QDate(2000, 3, 14), QTime(14, 5, 9));
    start();
    auto *hint = m_form->findChild<QLabel *>(QStringLiteral("HintPanel"));
    auto *time = m_form->findChild<QLabel *>(QStringLiteral("ClockPanel"));
    QVERIFY(hint && time);
    QCOMPARE(time->text(), QStringLiteral("    14:05:09"));
    m_desktop->moment = m_desktop->moment.addSecs(2);
    QTRY_COMPARE_WITH_TIMEOUT(time->text(), QStringLiteral("    14:05:11"), 3000);

    m_form->resize(700, 500);
    QCOMPARE(hint->width(), m_form->width() - 100);

    // The hint of what is under the mouse shows in panel 0, and only there.
    QToolButton *first = toolButton("FirstOrderButton");
    QStatusTipEvent tip(first->statusTip());
    QApplication::sendEvent(first, &tip);
    QCOMPARE(hint->text(), QStringLiteral("Premier"));
    QCOMPARE(time->text(), QStringLiteral("    14:05:11"));
    QCOMPARE(first->toolTip(), QStringLiteral("Premier"));
    QCOMPARE(toolButton("SaveButton")->toolTip(), QStringLiteral("Enregistrer"));
    QVERIFY(toolButton("SaveButton")->statusTip().isEmpty());
}

void TestMainForm::shortcuts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QKeySequence>("keys");
    QTest::newRow("open") << "OpenAction" << QKeySequence(Qt::CTRL | Qt::Key_O);
    QTest::newRow("save") << "SaveAction" << QKeySequence(Qt::CTRL | Qt::Key_S);
    QTest::newRow("copy") << "CopyAction" << QKeySequence(Qt::CTRL | Qt::Key_C);
    QTest::newRow("paste") << "PasteAction" << QKeySequence(Qt::CTRL | Qt::Key_V);
    QTest::newRow("calculate") << "CalculateAction" << QKeySequence(Qt::Key_F9);
    QTest::newRow("list") << "OrderListAction" << QKeySequence(Qt::Key_F2);
}

void TestMainForm::shortcuts()
{
    QFETCH(QString, name);
    QFETCH(QKeySequence, keys);
    start();
    QAction *a = action(name.toLatin1().constData());
    QVERIFY(a);
    QCOMPARE(a->shortcut(), keys);
    // No other command answers the same keys.
    for (QAction *other : m_form->findChildren<QAction *>())
        if (other != a)
            QVERIFY2(other->shortcut() != keys, qPrintable(other->objectName()));
}

void TestMainForm::errorInsideCommand()
{
    start();
    // A folder with an order file's name exists but cannot be read.
    const QString folder = m_dir->file(QStringLiteral("dossier.cmd"));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("dossier.cmd")));
    m_desktop->chooseFile(folder);
    trigger("OpenAction");

    QCOMPARE(m_desktop->asked.size(), 1);
    QCOMPARE(m_desktop->asked.first().icon, Prompts::Icon::Critical);
    QVERIFY(m_desktop->asked.first().text.contains(QStringLiteral("dossier.cmd")));
    QVERIFY(m_form->isVisible());

    // The program goes on: the next command works.
    m_desktop->asked.clear();
    const QString path = openBook(QStringLiteral("book.cmd"));
    QVERIFY(m_desktop->asked.isEmpty());
    QCOMPARE(m_form->fileName(), path);
    QCOMPARE(m_form->orderWindow().book().orderCount(), 2);
}

// An opening that fails never leaves the name of a file that was not read on the book in use,
// where a save would write it over that file; a book that was read stays open with its commands
// even when its first order cannot be shown.
void TestMainForm::failedOpening()
{
    start();
    const QString path = openBook(QStringLiteral("book.cmd"));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("dossier.cmd")));
    m_desktop->asked.clear();
    m_desktop->answer(Prompts::Answer::No); // the book just opened counts as modified
    m_desktop->chooseFile(m_dir->file(QStringLiteral("dossier.cmd")));
    trigger("OpenAction");
    QCOMPARE(m_desktop->asked.size(), 2);
    QCOMPARE(m_desktop->asked.last().icon, Prompts::Icon::Critical);
    QCOMPARE(m_form->fileName(), path);
    QCOMPARE(m_form->orderWindow().book().orderCount(), 2);

    const QString bad = m_dir->file(QStringLiteral("mauvaise-date.cmd"));
    QVERIFY(TextFile::write(bad, {QStringLiteral("<BLOC0000>"), QStringLiteral("NUM200003001"),
                                  QStringLiteral("32/13/2000"), QStringLiteral("</BLOC0000>"),
                                  QStringLiteral("<BLOC0001>"), QStringLiteral("NUM200003002"),
                                  QStringLiteral("14/03/2000"), QStringLiteral("</BLOC0001>")}));
    m_desktop->asked.clear();
    m_desktop->answer(Prompts::Answer::No);
    m_desktop->chooseFile(bad);
    trigger("OpenAction");
    QCOMPARE(m_desktop->texts().mid(1),
             QStringList{QStringLiteral("'32/13/2000' n'est pas une date correcte")});
    QCOMPARE(m_form->fileName(), bad);
    QVERIFY(action("SaveAction")->isEnabled());
    trigger("NextAction");
    QCOMPARE(m_form->orderWindow().findChild<QLineEdit *>(QStringLiteral("OrderNumber"))->text(),
             QStringLiteral("200003002"));
}

void TestMainForm::errorReportedAtCommandBoundary()
{
    QPushButton button;
    int runs = 0;
    connect(&button, &QPushButton::clicked, &button, [&] {
        Application::run([&] {
            ++runs;
            if (runs == 1)
                throw std::bad_alloc();
            throw std::runtime_error("bug");
        });
    });
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));

    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);

    QCOMPARE(runs, 2);
    QCOMPARE(m_desktop->asked.size(), 2);
    QCOMPARE(m_desktop->asked.at(0).text,
             QStringLiteral("Mémoire insuffisante : l'opération a été abandonnée."));
    QCOMPARE(m_desktop->asked.at(0).icon, Prompts::Icon::Critical);
    QCOMPARE(m_desktop->asked.at(1).icon, Prompts::Icon::Critical);
    QVERIFY(!m_desktop->asked.at(1).text.isEmpty());
}

void TestMainForm::aboutBox()
{
    start();
    QString caption;
    QString focused;
    bool isDefault = false;
    QTimer::singleShot(0, this, [&] {
        QWidget *box = QApplication::activeModalWidget();
        if (!box)
            return;
        caption = box->windowTitle();
        auto *ok = box->findChild<QPushButton *>(QStringLiteral("OkButton"));
        isDefault = ok && ok->isDefault();
        if (box->focusWidget())
            focused = box->focusWidget()->objectName();
        QTest::keyClick(box, Qt::Key_Escape);
    });
    trigger("AboutAction");
    QCOMPARE(caption, QStringLiteral("A propos"));
    QVERIFY(isDefault);
    QCOMPARE(focused, QStringLiteral("OkButton"));
}

void TestMainForm::help()
{
    start();
    trigger("HelpContentsAction");
    HelpWindow &help = m_form->help();
    QVERIFY(help.isVisible());
    QCOMPARE(help.currentPage(), QStringLiteral("sommaire.html"));

    trigger("HelpHowToUseAction");
    QCOMPARE(help.currentPage(), QStringLiteral("utiliser_aide.html"));

    trigger("HelpSearchAction");
    QCOMPARE(help.findChild<QTabWidget *>(QStringLiteral("HelpTabs"))->currentIndex(), 1);
    QVERIFY(help.findChild<QLineEdit *>(QStringLiteral("HelpSearch"))->text().isEmpty());

    // Every keyword leads to a page, and every link of every page to a page of the manual.
    QVERIFY(help.keywords().contains(QStringLiteral("fournisseur")));
    static const QRegularExpression link(QStringLiteral("href=\"([^\"#]+)"));
    for (const QString &keyword : help.keywords()) {
        for (const QString &page : help.pagesFor(keyword)) {
            QFile file(QStringLiteral(":/help/") + page);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(page));
            const QString html = QString::fromUtf8(file.readAll());
            for (const QRegularExpressionMatch &m : link.globalMatch(html))
                QVERIFY2(QFile::exists(QStringLiteral(":/help/") + m.captured(1)),
                         qPrintable(page + QStringLiteral(" -> ") + m.captured(1)));
        }
    }
}

void TestMainForm::titleKeptThroughActivation_data()
{
    QTest::addColumn<bool>("heldByAnotherCopy");
    QTest::newRow("book") << false;
    QTest::newRow("read-only book") << true;
}

void TestMainForm::titleKeptThroughActivation()
{
    QFETCH(bool, heldByAnotherCopy);
    OrderFileLock other;
    if (heldByAnotherCopy) {
        writeBook(m_dir->file(QStringLiteral("c.cmd")), 2);
        QCOMPARE(other.lock(m_dir->file(QStringLiteral("c.cmd"))), OrderFileLock::Outcome::Locked);
        m_desktop->answer(Answer::Ok); // open it read-only
    }
    start();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    openBook(QStringLiteral("c.cmd"));
    const QString title = heldByAnotherCopy
                              ? QStringLiteral("Qor Commande - [c.cmd (lecture seule)]")
                              : QStringLiteral("Qor Commande - [c.cmd]");
    QCOMPARE(m_form->windowTitle(), title);

    // Another window is activated, the program left for another one and come back to (which
    // the test platform cannot do itself: Qt is told so as the desktop tells it), then the main
    // window is activated again.
    for (int i = 0; i < 2; ++i) {
        QWidget elsewhere;
        elsewhere.show();
        elsewhere.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
        QCOMPARE(m_form->windowTitle(), title);
        for (QEvent::Type type : {QEvent::ApplicationDeactivate, QEvent::ApplicationActivate}) {
            QEvent event(type);
            QCoreApplication::sendEvent(qApp, &event);
            QCOMPARE(m_form->windowTitle(), title);
        }
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        QCOMPARE(m_form->windowTitle(), title);
    }
}

void TestMainForm::recentBooks()
{
    m_desktop->unscripted = Answer::No; // the save question, when a book was changed
    start();
    QVERIFY(recentEntries().isEmpty());
    for (const char *name : {"a.cmd", "b.cmd", "c.cmd", "d.cmd", "a.cmd", "e&f.cmd"})
        openBook(QString::fromLatin1(name));
    const auto entry = [this](int n, const char *name) {
        const QString file = QString::fromLatin1(name);
        return QStringLiteral("&%1 %2 %3")
            .arg(n)
            .arg(QString(file).replace(QLatin1String("&"), QLatin1String("&&")), m_dir->file(file));
    };
    QCOMPARE(recentEntries(), (QStringList{entry(1, "e&f.cmd"), entry(2, "a.cmd"),
                                           entry(3, "d.cmd"), entry(4, "c.cmd")}));
    // The last entries of the menu, above "&Quitter".
    const QList<QAction *> items =
        m_form->findChild<QMenu *>(QStringLiteral("FileMenu"))->actions();
    QCOMPARE(items.at(items.size() - 3)->objectName(), QStringLiteral("RecentBookAction4"));
    QCOMPARE(items.last()->objectName(), QStringLiteral("ExitAction"));

    // Kept for the next run, in the user's settings rather than beside the books.
    QVERIFY(m_form->close());
    QVERIFY(!contents(SettingsFile::fileName()).contains("d.cmd"));
    start();
    QCOMPARE(recentEntries().size(), 4);
    m_desktop->asked.clear();

    // One that is gone is said so and leaves the list; nothing else is opened.
    QVERIFY(QFile::remove(m_dir->file(QStringLiteral("d.cmd"))));
    menu(Qt::Key_F, Qt::Key_3);
    QTRY_COMPARE(m_desktop->texts(), QStringList{QStringLiteral("Le fichier %1 n'existe plus.")
                                                     .arg(m_dir->file(QStringLiteral("d.cmd")))});
    QCOMPARE(recentEntries(),
             (QStringList{entry(1, "e&f.cmd"), entry(2, "a.cmd"), entry(3, "c.cmd")}));

    // Chosen, a book opens after the save question and comes first.
    menu(Qt::Key_F, Qt::Key_2);
    QTRY_COMPARE(m_form->fileName(), m_dir->file(QStringLiteral("a.cmd")));
    m_form->orderWindow().document().setFileModified(true);
    m_desktop->asked.clear();
    menu(Qt::Key_F, Qt::Key_3);
    QTRY_COMPARE(m_form->fileName(), m_dir->file(QStringLiteral("c.cmd")));
    QCOMPARE(m_desktop->texts(),
             QStringList{QStringLiteral("Enregistrer changements dans a.cmd ?")});
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Qor Commande - [c.cmd]"));
    QCOMPARE(recentEntries(),
             (QStringList{entry(1, "c.cmd"), entry(2, "a.cmd"), entry(3, "e&f.cmd")}));
}

void TestMainForm::droppedFiles_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("message");
    QTest::newRow("book") << QStringList{"b.cmd"} << "";
    QTest::newRow("other file")
        << QStringList{"b.txt"}
        << "Type de fichier non valide : b.txt n'est pas un fichier de commandes (.cmd).";
    QTest::newRow("two books") << QStringList{"b.cmd", "c.cmd"}
                               << "Un seul fichier de commandes (.cmd) s'ouvre à la fois.";
}

void TestMainForm::droppedFiles()
{
    QFETCH(QStringList, files);
    QFETCH(QString, message);
    start();
    const QString first = openBook(QStringLiteral("a.cmd"));
    m_desktop->answer(Answer::No); // the save question
    QList<QUrl> urls;
    for (const QString &name : files) {
        writeBook(m_dir->file(name), 3);
        urls << QUrl::fromLocalFile(m_dir->file(name));
    }
    QMimeData data;
    data.setUrls(urls);

    // Dropped on the note field: the window takes it, not the field.
    auto *target = m_form->findChild<QPlainTextEdit *>();
    QVERIFY(target);
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QVERIFY(drop.isAccepted());

    const QString opened = message.isEmpty() ? m_dir->file(files.first()) : first;
    QTRY_COMPARE(m_form->fileName(), opened);
    QTRY_COMPARE(m_desktop->texts().value(0),
                 message.isEmpty() ? QStringLiteral("Enregistrer changements dans a.cmd ?")
                                   : message);
    QCOMPARE(m_form->orderWindow().book().orderCount(), message.isEmpty() ? 3 : 2);
    QVERIFY(m_form->findChild<QPlainTextEdit *>()->toPlainText().isEmpty());
}

void TestMainForm::windowPlace_data()
{
    QTest::addColumn<QRect>("kept");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QRect>("placed");
    const QRect screen(0, 0, 800, 600);
    QTest::newRow("as it was") << QRect(50, 40, 500, 400) << "" << QRect(50, 40, 500, 400);
    QTest::newRow("sticking out") << QRect(600, 500, 500, 400) << "" << QRect(300, 200, 500, 400);
    QTest::newRow("larger than its screen") << QRect(-20, 0, 900, 700) << "" << screen;
    QTest::newRow("screen gone") << QRect(1700, 40, 400, 300) << "HDMI-2"
                                 << QRect(200, 150, 400, 300);
}

void TestMainForm::windowPlace()
{
    QFETCH(QRect, kept);
    QFETCH(QString, screen);
    QFETCH(QRect, placed);
    const QList<WindowPlace::Screen> screens{{QStringLiteral("primary"), QRect(0, 0, 800, 600)},
                                             {QStringLiteral("left"), QRect(-1024, 0, 1024, 768)}};
    WindowPlace place{screen.isEmpty() ? QStringLiteral("primary") : screen, kept, false};
    QCOMPARE(place.placed(screens), placed);

    // The real window: closed at a place, it comes back there, maximised or not.
    if (kept != placed || !screen.isEmpty())
        return;
    for (bool maximized : {false, true}) {
        start();
        m_form->setWindowState(Qt::WindowNoState);
        m_form->setGeometry(kept);
        if (maximized)
            m_form->showMaximized();
        const QRect normal = m_form->normalGeometry();
        QVERIFY(m_form->close());
        start();
        QCOMPARE(m_form->isMaximized(), maximized);
        QCOMPARE(m_form->normalGeometry(), normal);
    }
}

using WindowMaker = std::function<QWidget *(QWidget *mainWindow)>;
Q_DECLARE_METATYPE(WindowMaker)

void TestMainForm::accessibleNames_data()
{
    QTest::addColumn<WindowMaker>("make");
    const auto add = [](const char *name, WindowMaker make) { QTest::newRow(name) << make; };
    add("main window", [](QWidget *main) { return main; });
    add("order list", [](QWidget *main) { return new OrderListDialog(main); });
    add("search", [](QWidget *main) { return new FindOrderDialog(main); });
    add("outcome", [](QWidget *main) { return new OutcomeDialog(main); });
    add("parameters", [](QWidget *main) { return new OrderParametersDialog(main); });
    add("supplier", [](QWidget *main) { return new SupplierEntryDialog(main); });
    add("supplier file", [](QWidget *main) { return new SupplierWindow(main); });
    add("supplier list", [](QWidget *main) { return new SupplierListDialog(main); });
    add("company", [](QWidget *main) { return new CompanyDialog(main); });
    add("about", [](QWidget *main) { return new AboutBox(main); });
    add("calendar", [](QWidget *main) { return new CalendarWindow(main); });
    add("euro converter", [](QWidget *main) { return new EuroConverterWindow(main); });
    add("clock", [](QWidget *main) { return new ClockWindow(main); });
    add("calculator", [](QWidget *main) { return new PocketCalculatorWindow(main); });
    add("help", [](QWidget *main) { return new HelpWindow(main); });
}

// What a screen reader says of every control the user can reach with Tab.
void TestMainForm::accessibleNames()
{
    QFETCH(WindowMaker, make);
    start();
    QWidget *window = make(m_form.get());
    QStringList unnamed;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        // The order window's own controls are named with it.
        if (w->window() != window || w == &m_form->orderWindow() ||
            m_form->orderWindow().isAncestorOf(w))
            continue;
        if (!(w->focusPolicy() & Qt::TabFocus) || w->isHidden() || w->focusProxy())
            continue;
        if (QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << w->objectName() + QLatin1Char(':') +
                           QLatin1String(w->metaObject()->className());
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1Char(' '))));
}

void TestMainForm::readOnlyDeskFollowsTheBook()
{
    start();
    const QString path = m_dir->file(QStringLiteral("partage.cmd"));
    writeBook(path, 3);
    OrderDocument office; // the other desk
    office.setDeskName(QStringLiteral("COMPTA"));
    QVERIFY(*office.loadBook(path));
    m_desktop->answer(Answer::Ok); // read-only
    m_desktop->chooseFile(path);
    trigger("OpenAction");
    QVERIFY(m_form->windowTitle().endsWith(QStringLiteral("partage.cmd (lecture seule)]")));
    trigger("NextAction");
    const OrderDocument &shown = m_form->orderWindow().document();
    QCOMPARE(shown.record().number, QStringLiteral("200003002"));
    auto *status = m_form->findChild<QLabel *>(QStringLiteral("HintPanel"));

    // The other desk deletes the first order and saves: the order on screen stays.
    QVERIFY(office.deleteOrder().ok());
    QVERIFY(*office.save(path));
    m_form->followBook();
    QCOMPARE(status->text(), QStringLiteral("Carnet relu : enregistré par COMPTA à ") +
                                 QFileInfo(path).lastModified().toString(QStringLiteral("HH:mm")));
    QCOMPARE(shown.record().number, QStringLiteral("200003002"));
    QCOMPARE(shown.book().orderCount(), 2);
    QVERIFY(!action("TakeWritingAction")->isEnabled());

    // An order changed here is never thrown away: the reading waits.
    m_form->orderWindow().document().setCell(1, 0, QStringLiteral("Écrous"));
    office.setCell(1, 0, QStringLiteral("Clous"));
    QVERIFY(*office.save(path));
    m_form->followBook();
    QVERIFY(status->text().startsWith(QStringLiteral("Carnet enregistré par un autre poste : il "
                                                     "sera relu quand vos modifications")));
    QCOMPARE(shown.cell(1, 0), QStringLiteral("Écrous"));

    // Once the other desk closed the book, it is offered for writing.
    QVERIFY(office.newBook().ok());
    QVERIFY(m_form->orderWindow().document().reread().ok()); // the change given up
    m_form->followBook();
    QVERIFY(status->text().startsWith(QStringLiteral("Le carnet est libre")));
    m_desktop->asked.clear();
    menu(Qt::Key_F, Qt::Key_T);
    QVERIFY(m_desktop->asked.isEmpty());
    QVERIFY(!shown.book().isReadOnly());
    QVERIFY(m_form->windowTitle().endsWith(QStringLiteral("partage.cmd]")));
    m_form->orderWindow().document().setCell(1, 0, QStringLiteral("Boulons"));
    trigger("SaveAction");
    QVERIFY(contents(path).contains("Boulons"));
}

void TestMainForm::fileChangedOnDisk()
{
    start();
    const QString path = openBook(QStringLiteral("book.cmd"), 2);
    // Another program puts back an older book.
    writeBook(path, 1);
    const QByteArray restored = contents(path);
    m_form->orderWindow().document().setCell(1, 0, QStringLiteral("Écrous"));

    // Coming back to the program tells it, once; the change stays unless the user gives it up.
    m_desktop->asked.clear();
    m_desktop->answers = {Answer::SecondAction, Answer::No};
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(m_form.get(), &activate);
    QTRY_COMPARE(m_desktop->asked.size(), 2);
    QVERIFY(m_desktop->texts().at(0).startsWith(
        QStringLiteral("Le fichier a été modifié hors de Qor Commande depuis son ouverture.")));
    QCOMPARE(m_desktop->asked.at(0).actions, (QStringList{QStringLiteral("Enregistrer sous..."),
                                                          QStringLiteral("Relire le fichier")}));
    QCOMPARE(m_desktop->texts().at(1),
             QStringLiteral("Relire le fichier et perdre les modifications non enregistrées ?"));
    QApplication::sendEvent(m_form.get(), &activate);
    QCoreApplication::processEvents();
    QCOMPARE(m_desktop->asked.size(), 2);
    QVERIFY(m_form->orderWindow().hasUnsavedChanges());

    // Saving asks again and never writes over the file; read again, the change is given up.
    m_desktop->asked.clear();
    m_desktop->answers = {Answer::SecondAction, Answer::Yes};
    trigger("SaveAction");
    QCOMPARE(m_desktop->asked.size(), 2);
    QCOMPARE(contents(path), restored);
    QVERIFY(!m_form->orderWindow().hasUnsavedChanges());
    QCOMPARE(m_form->orderWindow().document().cell(1, 0), QStringLiteral("Vis"));
    QCOMPARE(m_form->orderWindow().document().book().orderCount(), 1);
}

// The program's own application object, as in the program.
int main(int argc, char *argv[])
{
    Application app(argc, argv);
    TestMainForm test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_mainform.moc"
