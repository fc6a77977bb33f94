// SPDX-License-Identifier: GPL-3.0-or-later
// The fullest order books through the real main window, offscreen.
//
// Generates books of 1000, 3000 and 10000 orders, then drives the program as a user does
// (keys, menu actions, the list and search dialogs) and measures the CPU time of each step up
// to the moment the window has painted its result. Each book is measured in a child process
// of its own, so that the memory figure starts from a program that never held a book; the
// start-up figure runs the whole program from exec to its first painted window.
//
//   bench_windows            all books, the table of figures
//   bench_windows --quick    fewer repetitions
//   bench_windows --child BOOK REPETITIONS     one book's figures, for a profiler
//   bench_windows --child BOOK REPETITIONS statistics    the statistics' figures only
//   bench_windows --write-book ORDERS FILE     writes a generated book

#include "../tests/fakeplatform.h"
#include "app/mainwindow.h"
#include "core/textfile.h"
#include "gui/application.h"
#include "order/orderformat.h"
#include "order/orderwindow.h"
#include "settings/settingsfile.h"
#include "utilities/splashscreen.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <random>
#include <unistd.h>

namespace {

constexpr int BookSizes[] = {1000, 3000, 10000};

// ---- Measuring ----

double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double median(QList<double> samples)
{
    std::sort(samples.begin(), samples.end());
    const qsizetype n = samples.size();
    return n == 0 ? 0
                  : (n % 2 ? samples.at(n / 2) : (samples.at(n / 2 - 1) + samples.at(n / 2)) / 2);
}

// Resident and peak resident memory of this process, in bytes.
qint64 statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLongLong();
    return 0;
}

// Lets the windows handle what the last step posted, painting included.
void settle()
{
    for (int i = 0; i < 2; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

// ---- Generated books ----

// A book as years of use leave it: 1 to 20 lines per order, notes now and then, prices with
// and without VAT, a few dozen suppliers, and blocks out of index order because an edited
// order is written back at the end of the file.
QStringList generateBook(int orders)
{
    std::mt19937 random(20001214u + unsigned(orders));
    const auto pick = [&random](int from, int to) {
        return std::uniform_int_distribution<int>(from, to)(random);
    };
    const QStringList streets = {QStringLiteral("12 rue des Lilas"),
                                 QStringLiteral("ZI des Près, BP 42"),
                                 QStringLiteral("3 avenue du Général Leclerc"),
                                 QStringLiteral("Parc d'activités de l'Étang")};
    const QStringList towns = {QStringLiteral("75011 Paris"), QStringLiteral("69003 Lyon"),
                               QStringLiteral("59000 Lille"), QStringLiteral("33000 Bordeaux")};
    const QStringList articles = {QStringLiteral("Vis à bois 4x40"),
                                  QStringLiteral("Ramette A4"),
                                  QStringLiteral("Cartouche d'encre noire"),
                                  QStringLiteral("Câble électrique 2,5 mm² (rouleau)"),
                                  QStringLiteral("Agrafes 24/6"),
                                  QStringLiteral("Peinture acrylique blanche 10 L"),
                                  QStringLiteral("Gants de manutention taille 9")};
    const QStringList terms = {QStringLiteral("Réglement à 30 jours"),
                               QStringLiteral("A réception"),
                               QStringLiteral("60 jours fin de mois")};
    const auto money = [](double value) {
        return QString::number(value, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(','));
    };

    QList<QStringList> blocks(orders);
    for (int k = 0; k < orders; ++k) {
        OrderRecord r;
        const QDate date = QDate(1998, 1, 2).addDays(k * 3 / 2);
        r.number = QStringLiteral("%1%2%3")
                       .arg(date.year())
                       .arg(date.month(), 2, 10, QLatin1Char('0'))
                       .arg(k % 1000 + 1, 3, 10, QLatin1Char('0'));
        r.date = date;
        const int supplier = pick(0, 39);
        r.supplierCode = QString::number(10001 + supplier);
        r.paymentTerms = terms.at(supplier % terms.size());
        r.addressLines = {QStringLiteral("Fournisseur %1 SARL").arg(supplier),
                          streets.at(supplier % streets.size()), towns.at(supplier % towns.size()),
                          supplier % 3 ? QString() : QStringLiteral("Service achats")};
        r.includesVat = pick(0, 4) == 0;
        const int rows = pick(1, 20);
        for (int i = 0; i < rows; ++i) {
            const int quantity = pick(1, 250);
            const double price = pick(10, 99999) / 100.0;
            const int discount = pick(0, 5) == 0 ? 5 * pick(1, 4) : 0;
            OrderLine l;
            l.designation = articles.at(pick(0, int(articles.size()) - 1));
            l.quantity = QString::number(quantity).rightJustified(11);
            l.unitPrice = money(price).rightJustified(11);
            l.discountPercent = discount ? QString::number(discount) : QString();
            l.amount = money(quantity * price * (100 - discount) / 100).rightJustified(12);
            l.vatCode = pick(0, 9) == 0 ? QStringLiteral("3") : QStringLiteral("1");
            r.lines.append(l);
        }
        for (int m = pick(0, 6) - 3; m > 0; --m)
            r.note.append(QStringLiteral("Livraison au quai n° %1, le matin avant 11 h.").arg(m));
        blocks[k] = OrderFormat::encodeBlock(r, k);
    }
    // About a third of the orders were edited since they were first written.
    QList<int> tail;
    QStringList lines;
    for (int k = 0; k < orders; ++k) {
        if (pick(0, 2) == 0)
            tail.append(k);
        else
            lines += blocks.at(k);
    }
    std::shuffle(tail.begin(), tail.end(), random);
    for (int k : tail)
        lines += blocks.at(k);
    return lines;
}

// ---- The child: one book through the real windows ----

// The desktop of a run: the save question is answered Non and the deletion confirmed when
// `runQuestions`; any other message is reported and spoils the run.
class BenchDesktop : public FakePlatform {
public:
    explicit BenchDesktop(bool runQuestions) : m_runQuestions(runQuestions) {}
    bool unexpected = false;

    Prompts::Answer ask(const Prompts::Request &r) override
    {
        if (m_runQuestions && r.text.startsWith(QLatin1String("Enregistrer changements")))
            return Prompts::Answer::No;
        if (m_runQuestions && r.text.startsWith(QLatin1String("Confirmer suppression")))
            return Prompts::Answer::Ok;
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(r.text));
        unexpected = true;
        return Prompts::Answer::Cancel;
    }

private:
    bool m_runQuestions;
};

class Child {
public:
    Child(int repetitions, bool statisticsOnly)
        : m_repetitions(repetitions), m_statisticsOnly(statisticsOnly)
    {
    }

    int run(const QString &bookFile);

private:
    MainWindow &main() { return *m_main; }
    OrderWindow &order() { return main().orderWindow(); }
    QAction *action(const char *name) { return main().findChild<QAction *>(QLatin1String(name)); }
    QWidget *focus()
    {
        return QApplication::focusWidget() ? QApplication::focusWidget() : &order();
    }
    QLineEdit *supplierCode()
    {
        return order().findChild<QLineEdit *>(QStringLiteral("SupplierCode"));
    }

    struct Step {
        const char *figure;
        std::function<void()> step;
        std::function<void()> prepare = {}; // before each repetition, not timed
    };

    // Median CPU time of each step. Steps measured together take turns, so that a figure and
    // its baseline see the same load on the machine.
    void measure(const QList<Step> &steps, int repetitions = 0)
    {
        QList<QList<double>> samples(steps.size());
        for (int i = 0; i < (repetitions ? repetitions : m_repetitions); ++i) {
            for (qsizetype k = 0; k < steps.size(); ++k) {
                activate();
                if (steps.at(k).prepare)
                    steps.at(k).prepare();
                settle();
                const double start = cpuMs();
                steps.at(k).step();
                settle();
                samples[k].append(cpuMs() - start);
            }
        }
        for (qsizetype k = 0; k < steps.size(); ++k)
            report(steps.at(k).figure, median(samples.at(k)));
    }
    void measure(const char *figure, const std::function<void()> &step,
                 const std::function<void()> &prepare = {})
    {
        measure({{figure, step, prepare}});
    }
    void report(const char *figure, double value)
    {
        std::printf("%s\t%.4f\n", figure, value);
        std::fflush(stdout);
    }
    // The main window active again, as it is after a dialog closes on a desktop.
    void activate()
    {
        if (QApplication::activeWindow() == &main())
            return;
        main().activateWindow(); // the shortcuts answer in the active window only
        if (!QTest::qWaitForWindowActive(&main()))
            fail("the main window is not active");
    }
    void fail(const char *what)
    {
        std::fprintf(stderr, "%s\n", what);
        m_unexpected = true;
    }
    void openBook(const QString &file)
    {
        m_desktop.chooseFile(file);
        action("OpenAction")->trigger();
    }
    // A change the user makes to the order on screen: the last digit of the supplier code
    // typed again, which leaves the order as it was but marks it changed.
    void editShownOrder()
    {
        QLineEdit *code = supplierCode();
        code->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(code, Qt::Key_End);
        const QString last = code->text().right(1);
        QTest::keyClick(code, Qt::Key_Backspace);
        QTest::keyClicks(code, last);
    }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(focus(), Qt::Key(key), modifiers);
    }
    // Writes the bytes and waits for the disk, as the baselines of the saves do.
    void bareWrite(const QString &fileName, const QByteArray &bytes)
    {
        const int fd =
            ::open(QFile::encodeName(fileName).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const bool ok = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size() &&
                        ::fdatasync(fd) == 0;
        ::close(fd);
        if (!ok)
            fail("the bare write failed");
    }
    void measureReports(const QString &bookFile);
    void measureSearchWindow();
    // Runs `drive` on the modal dialog once its event loop runs.
    static void whenModal(std::function<void(QWidget *)> drive)
    {
        QTimer::singleShot(0, [drive] {
            settle(); // the dialog has painted itself
            drive(QApplication::activeModalWidget());
        });
    }

    int m_repetitions;
    bool m_statisticsOnly;
    bool m_unexpected = false;
    BenchDesktop m_desktop{true};
    std::unique_ptr<MainWindow> m_main;
};

int Child::run(const QString &bookFile)
{
    m_main = std::make_unique<MainWindow>();
    main().showMaximized();
    activate();
    settle();
    const qint64 withoutBook = statusKb("VmRSS:");

    // The first opening gives the memory figure: nothing freed yet can hide the book's size.
    measure({{"first open", [&] { openBook(bookFile); }}}, 1);
    report("memory", double(statusKb("VmHWM:") - withoutBook) * 1024);
    if (m_statisticsOnly) {
        measureReports(bookFile);
        return m_unexpected || m_desktop.unexpected ? 1 : 0;
    }
    const auto readAndSplit = [&] {
        QFile file(bookFile);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        QStringList lines;
        qsizetype start = 0;
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            if (bytes.at(i) == '\n') {
                const qsizetype end = i > start && bytes.at(i - 1) == '\r' ? i - 1 : i;
                lines.append(QString::fromLatin1(bytes.constData() + start, end - start));
                start = i + 1;
            }
        }
        if (start < bytes.size())
            lines.append(QString::fromLatin1(bytes.constData() + start, bytes.size() - start));
    };
    measure({{"open", [&] { openBook(bookFile); }}, {"read+split", readAndSplit}});

    const int orders = order().book().orderCount();
    if (orders < 2)
        fail("the book was not opened");
    const auto fromFirst = [&] { action("FirstAction")->trigger(); };
    measure(
        "next", [&] { key(Qt::Key_PageDown); },
        [&] {
            if (order().book().currentOrder() >= orders - 1)
                fromFirst();
        });
    measure(
        "previous", [&] { key(Qt::Key_PageUp); },
        [&] {
            if (order().book().currentOrder() == 0)
                action("LastAction")->trigger();
        });
    measure(
        "next after edit", [&] { key(Qt::Key_PageDown); },
        [&] {
            if (order().book().currentOrder() >= orders - 1)
                fromFirst();
            editShownOrder();
            if (!order().document().orderModified())
                fail("the edit did not change the order");
        });
    measure(
        "last", [&] { action("LastAction")->trigger(); }, fromFirst);

    measure("list (F2)", [&] {
        whenModal([](QWidget *dialog) {
            QTest::keyClick(dialog->findChild<QListView *>(QStringLiteral("Orders")),
                            Qt::Key_Escape);
        });
        key(Qt::Key_F2);
    });

    // The order whose block stands last in the file: the far end of any search.
    const TextLines &lines = order().book().lines();
    qsizetype lastOpen = lines.size() - 1;
    while (lastOpen > 0 && !OrderFormat::isOpenLabel(lines.at(lastOpen)))
        --lastOpen;
    const QString wanted = lines.at(lastOpen + 1).mid(3);
    double typed = 0;
    QList<double> searches;
    for (int i = 0; i < m_repetitions; ++i) {
        fromFirst();
        settle();
        whenModal([&](QWidget *dialog) {
            auto *field = dialog->findChild<QLineEdit *>(QStringLiteral("OrderNumber"));
            field->selectAll();
            QTest::keyClicks(field, wanted);
            typed = cpuMs();
            QTest::keyClick(field, Qt::Key_Return);
        });
        action("FindAction")->trigger();
        settle();
        searches.append(cpuMs() - typed);
        if (order().document().record().number != wanted)
            fail("the search did not show the order");
    }
    report("search", median(searches));

    // The largest book has no free slot: the last order makes room for the new one.
    if (orders >= OrderFormat::MaxOrders) {
        action("LastAction")->trigger();
        action("DeleteOrderAction")->trigger();
    }
    measure(
        "add", [&] { action("NewOrderAction")->trigger(); }, fromFirst);

    // The bare write writes the bytes of the file as the last save left it.
    QByteArray saved;
    const QString copy = bookFile + QStringLiteral(".copy");
    measure({{"save", [&] { key(Qt::Key_S, Qt::ControlModifier); },
              [&] {
                  fromFirst();
                  editShownOrder();
              }},
             {"write+fdatasync", [&] { bareWrite(copy, saved); },
              [&] { (void)TextFile::readBytes(bookFile, saved); }}});
    if (order().document().fileModified())
        fail("the book was not saved");
    QFile::remove(copy);

    measureReports(bookFile);
    measureSearchWindow();
    return m_unexpected || m_desktop.unexpected ? 1 : 0;
}

void Child::measureSearchWindow()
{
    // "Supprimer commande" and its undo, taking turns, before the search window is ever
    // opened: the baseline of the same steps with the window opened earlier.
    const auto remove = [&] { action("DeleteOrderAction")->trigger(); };
    const auto undo = [&] { action("UndoAction")->trigger(); };
    const auto middle = [&] {
        action("FirstAction")->trigger();
        for (int i = 0; i < 3; ++i)
            key(Qt::Key_PageDown);
    };
    const int orders = order().book().orderCount();
    measure({{"delete", remove, middle}, {"undo delete", undo}});
    if (order().book().orderCount() != orders)
        fail("the deletions were not undone");

    // Every keystroke of a word typed in the search window, to its results shown.
    action("SearchOrdersAction")->trigger();
    settle();
    auto *field =
        QApplication::activeWindow()
            ? QApplication::activeWindow()->findChild<QLineEdit *>(QStringLiteral("SearchField"))
            : nullptr;
    if (!field) {
        fail("the search window did not open");
        return;
    }
    QList<double> slowest;
    for (int i = 0; i < m_repetitions; ++i) {
        field->clear();
        settle();
        double most = 0;
        for (const QChar c : QStringLiteral("manutention")) {
            const double before = cpuMs();
            QTest::keyClicks(field, QString(c));
            settle();
            most = qMax(most, cpuMs() - before);
        }
        slowest.append(most);
    }
    report("search keystroke", median(slowest));
    QTest::keyClick(field, Qt::Key_Escape);
    settle();

    // The same steps, the search window opened earlier and closed.
    measure({{"delete, search opened", remove, middle}, {"undo delete, search opened", undo}});
    if (order().book().orderCount() != orders)
        fail("the deletions were not undone");

    // The first search after a renumbering (a deletion, then its undo), from the search window
    // shown to its results, against the same search with nothing renumbered before it; the
    // two take turns.
    QWidget *searchWindow = field->window();
    int turn = 0;
    const auto search = [&] {
        action("SearchOrdersAction")->trigger();
        field->setText(turn++ % 2 ? QStringLiteral("manutention") : QStringLiteral("ramette"));
    };
    const auto closeSearch = [&] {
        if (searchWindow->isVisible())
            QTest::keyClick(searchWindow, Qt::Key_Escape);
        settle();
        activate();
    };
    bool deleted = false;
    const auto renumber = [&] {
        closeSearch();
        if (deleted) {
            undo();
        } else {
            middle();
            remove();
        }
        deleted = !deleted;
    };
    measure({{"search after renumbering", search, renumber},
             {"search, not renumbered", search, closeSearch}});
    closeSearch();
    if (deleted)
        undo();
    if (order().book().orderCount() != orders)
        fail("the deletions were not undone");
}

void Child::measureReports(const QString &bookFile)
{
    // The statistics: from the menu command to the window painted for every year (one more
    // opening than the others take, the first), then each
    // change of the year or of the amount to the window painted again.
    QList<double> opens;
    QList<double> changes;
    for (int i = 0; i <= m_repetitions; ++i) {
        activate();
        settle();
        const double start = cpuMs();
        whenModal([&](QWidget *window) {
            auto *year = window->findChild<QComboBox *>(QStringLiteral("Year"));
            auto *amount = window->findChild<QComboBox *>(QStringLiteral("Amount"));
            QTest::keyClick(year, Qt::Key_End);
            settle();
            opens.append(cpuMs() - start);
            if (year->currentData().toInt() != 0)
                fail("the statistics do not show every year");
            for (const auto &[combo, key] : {std::pair{year, Qt::Key_Home},
                                             {amount, Qt::Key_Down},
                                             {year, Qt::Key_End},
                                             {amount, Qt::Key_Up}}) {
                const double before = cpuMs();
                QTest::keyClick(combo, key);
                settle();
                changes.append(cpuMs() - before);
            }
            QTest::keyClick(window, Qt::Key_Escape);
        });
        action("StatisticsAction")->trigger();
    }
    // The first opening works out every order; the next ones only those that changed.
    if (!opens.isEmpty())
        report("statistics first", opens.takeFirst());
    report("statistics", median(opens));
    report("statistics choice", median(changes));

    // Every order line as CSV, against a bare write of the same bytes.
    const QString csv = bookFile + QStringLiteral(".csv");
    const QString csvCopy = csv + QStringLiteral(".copy");
    QByteArray written;
    measure({{"csv export",
              [&] {
                  m_desktop.chooseFile(csv);
                  action("ExportCsvAction")->trigger();
              },
              [&] { QFile::remove(csv); }},
             {"csv write+fdatasync", [&] { bareWrite(csvCopy, written); },
              [&] { (void)TextFile::readBytes(csv, written); }}});
    if (written.isEmpty())
        fail("no CSV was written");
    QFile::remove(csv);
    QFile::remove(csvCopy);
}

// The program as main() starts it, with the book opened by the settings; reports the CPU time
// from exec to the main window painted with the book's first order.
int startUp(int argc, char *argv[])
{
    Application app(argc, argv);
    app.speakFrench();
    BenchDesktop desktop(false);
    bool unexpected = false;
    auto *splash = new SplashScreen;
    splash->showNow();
    MainWindow mainForm;
    delete splash;
    mainForm.showMaximized();
    settle();
    std::printf("start-up\t%.4f\n", cpuMs());
    if (mainForm.orderWindow().book().orderCount() < 2)
        unexpected = true;
    return unexpected || desktop.unexpected ? 1 : 0;
}

// ---- The parent: books, children, table ----

struct Figure {
    const char *name;
    const char *label;
    const char *baseline = nullptr; // figure it is compared with, times `limit`
    double limit = 0;               // with no baseline: a limit in ms
    bool memory = false;            // compared with the file's size
};

const Figure Figures[] = {
    {"open", "open to first order shown", "read+split", 2.5},
    {"next", "next (Page Down)", nullptr, 5},
    {"previous", "previous (Page Up)", nullptr, 5},
    {"next after edit", "next after an edit", nullptr, 5},
    {"last", "last (menu)"},
    {"list (F2)", "order list (F2) shown", nullptr, 16},
    {"search", "search last order to shown", nullptr, 5},
    {"add", "add an order", nullptr, 0},
    {"save", "save (Ctrl+S)", "write+fdatasync", 2},
    {"statistics first", "statistics first shown, all years", nullptr, 100},
    {"statistics", "statistics shown again, all years", nullptr, 30},
    {"statistics choice", "statistics: year or amount", nullptr, 16},
    {"csv export", "CSV of every order line", "csv write+fdatasync", 2},
    {"delete", "delete an order", nullptr, 16},
    {"undo delete", "undo the deletion", nullptr, 16},
    {"delete, search opened", "delete, search window opened", nullptr, 16},
    {"undo delete, search opened", "undo, search window opened", nullptr, 16},
    {"search keystroke", "search window: slowest keystroke", nullptr, 16},
    {"search after renumbering", "search after a renumbering", "search, not renumbered", 2},
    {"start-up", "start-up, book opened", nullptr, 0},
    {"memory", "peak memory above no book", nullptr, 3, true},
    {"read+split", "baseline: read + split", nullptr, 0},
    {"write+fdatasync", "baseline: write + fdatasync", nullptr, 0},
    {"csv write+fdatasync", "baseline: CSV write + fdatasync", nullptr, 0},
    {"search, not renumbered", "baseline: search, not renumbered", nullptr, 0},
};

QMap<QString, double> runChild(const QString &program, const QStringList &arguments,
                               const QString &workingDir)
{
    QProcess child;
    child.setProgram(program);
    child.setArguments(arguments);
    child.setWorkingDirectory(workingDir);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    child.start();
    child.waitForFinished(-1);
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        std::fprintf(stderr, "%s %s failed\n", qPrintable(program),
                     qPrintable(arguments.join(' ')));
    QMap<QString, double> values;
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.split('\t');
        if (parts.size() == 2)
            values.insert(QString::fromUtf8(parts.at(0)), parts.at(1).toDouble());
    }
    return values;
}

QString show(const Figure &f, double value)
{
    return f.memory ? QStringLiteral("%1 MB").arg(value / 1e6, 0, 'f', 1)
                    : QStringLiteral("%1 ms").arg(value, 0, 'f', value < 10 ? 2 : 1);
}

int parent(const QString &program, bool quick)
{
    QTemporaryDir dir;
    QMap<int, QMap<QString, double>> results;
    QMap<int, qint64> fileSizes;
    for (const int orders : BookSizes) {
        const QString folder = dir.filePath(QString::number(orders));
        QDir().mkpath(folder);
        const QString file = folder + QStringLiteral("/commandes.cmd");
        const QStringList lines = generateBook(orders);
        if (!TextFile::write(file, TextLines(lines)))
            return 1;
        fileSizes[orders] = QFileInfo(file).size();
        std::printf("book of %5d orders: %9lld bytes, %7lld lines\n", orders, fileSizes[orders],
                    qlonglong(lines.size()));
        std::fflush(stdout);

        QMap<QString, double> &values = results[orders];
        const QString reps = QString::number(quick ? 5 : 15);
        values = runChild(program, {QStringLiteral("--child"), file, reps}, folder);

        Settings settings;
        settings.autoOpen = 1;
        (void)TextFile::writeBytes(folder + QLatin1Char('/') + SettingsFile::fileName(),
                                   SettingsFile::save(settings, file));
        QList<double> startUps;
        for (int i = 0; i < (quick ? 3 : 7); ++i)
            startUps.append(runChild(program, {QStringLiteral("--start-up")}, folder)
                                .value(QStringLiteral("start-up")));
        values.insert(QStringLiteral("start-up"), median(startUps));
    }

    std::printf("\nCPU time, medians; memory: peak resident size above the program without a "
                "book.\n\n");
    std::printf("%-30s %10s %10s %10s   %-44s %6s %6s\n", "figure", "1000", "3000", "10000",
                "target (10000)", "ratio", "growth");
    bool allMet = true;
    for (const Figure &f : Figures) {
        const double big = results[10000].value(QLatin1String(f.name));
        QString target = QStringLiteral("-");
        QString ratio = QStringLiteral("-");
        double limitValue = 0;
        double reference = 0;
        if (f.baseline) {
            reference = results[10000].value(QLatin1String(f.baseline));
            limitValue = f.limit;
            target = QStringLiteral("<= %1 x %2 (%3)")
                         .arg(f.limit)
                         .arg(QLatin1String(f.baseline), show(f, reference));
        } else if (f.memory) {
            reference = double(fileSizes[10000]);
            limitValue = f.limit;
            target = QStringLiteral("<= %1 x file size (%2)").arg(f.limit).arg(show(f, reference));
        } else if (f.limit > 0) {
            reference = 1;
            limitValue = f.limit;
            target = QStringLiteral("<= %1 ms").arg(f.limit);
        }
        if (reference > 0) {
            const double r = big / reference;
            const bool met = r <= limitValue;
            allMet = allMet && met;
            ratio = f.baseline || f.memory ? QStringLiteral("%1x").arg(r, 0, 'f', 2)
                                           : QStringLiteral("%1").arg(r / limitValue, 0, 'f', 2);
            target += met ? QStringLiteral(" met") : QStringLiteral(" MISSED");
        }
        const double small = results[1000].value(QLatin1String(f.name));
        std::printf("%-30s %10s %10s %10s   %-44s %6s %6.1f\n", f.label, qPrintable(show(f, small)),
                    qPrintable(show(f, results[3000].value(QLatin1String(f.name)))),
                    qPrintable(show(f, big)), qPrintable(target), qPrintable(ratio),
                    small > 0 ? big / small : 0.0);
    }
    std::printf("\nratio: to the baseline or file size, or figure / limit; growth: 10000-order "
                "book / 1000-order book (files %.1fx).\n",
                double(fileSizes[10000]) / double(fileSizes[1000]));
    std::printf("%s\n", allMet ? "every target met" : "some targets MISSED");
    return 0;
}

} // namespace

// The offscreen platform's notes about what it cannot do say nothing about the figures.
void quietPlatform(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg ||
        message.startsWith(QLatin1String("This plugin does not support")) ||
        message.startsWith(QLatin1String("QStandardPaths:")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

int main(int argc, char *argv[])
{
    qInstallMessageHandler(quietPlatform);
    const QStringList arguments = [&] {
        QStringList list;
        for (int i = 0; i < argc; ++i)
            list << QString::fromLocal8Bit(argv[i]);
        return list;
    }();
    if (arguments.value(1) == QLatin1String("--write-book")) // a book to profile with
        return TextFile::write(arguments.value(3),
                               TextLines(generateBook(arguments.value(2).toInt())))
                   ? 0
                   : 1;
    if (arguments.value(1) == QLatin1String("--start-up"))
        return startUp(argc, argv);
    if (arguments.value(1) == QLatin1String("--child")) {
        Application app(argc, argv);
        app.speakFrench();
        Child child(arguments.value(3).toInt(), arguments.value(4) == QLatin1String("statistics"));
        return child.run(arguments.value(2));
    }
    QCoreApplication app(argc, argv);
    return parent(QCoreApplication::applicationFilePath(),
                  arguments.contains(QLatin1String("--quick")));
}
