// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/result.h"
#include "order/orderdocument.h"

#include <QDate>
#include <QMainWindow>
#include <memory>

class ArticleAssistant;
class AwaitedOrders;
class AwaitedOrdersWindow;
class BookRecovery;
class HelpWindow;
class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;
class QToolButton;
class SearchIndex;
class SearchWindow;
class AboutBox;
class CalendarWindow;
class OrderListDialog;
class OrderWindow;
class EuroConverterWindow;
class SupplierEntryDialog;
class SupplierWindow;
class FindOrderDialog;
class ClockWindow;
class SupplierListDialog;
class PageSetupDialog;
class OrderParametersDialog;
class PocketCalculatorWindow;
class CompanyDialog;

// The frame of the program: menus, tool bar, status bar and the one order window, always
// maximised. It holds the name of the order file in use and forwards every order command to
// the order window. Creating it creates every window of the program, in start-up order.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    QString MainFileName; // the order file in use; empty for a new, unnamed book
    QString StartDir;     // working directory when the frame was first shown

    OrderWindow &commande() const { return *m_commande; }
    HelpWindow &help();
    // The search over the orders (mainwindowsearch.cpp); its window once it was opened.
    SearchIndex &searchIndex() const { return *m_searchIndex; }
    SearchWindow *searchWindow() const { return m_searchWindow; }

    // File commands (mainwindowfiles.cpp)
    void newBook();
    void openBook();
    // The book to open when the frame is first shown, in place of the automatic opening, as
    // "&Ouvrir..." would open it.
    void openAtStart(const QString &fileName);
    // True when the book was written under the chosen name; a cancelled or refused name
    // leaves the book's name, caption and lock as they were.
    bool SaveAs();
    bool save();               // true when the book was written or had nothing to write
    void enableBookCommands(); // enables the book commands; nothing disables them again
    void toggleAutoOpen();

    // Two desks on one book (mainwindowdesktop.cpp). A book open read-only follows its file:
    // read again when another desk saved it (unless something here is not saved), and offered
    // for writing once that desk closed it. Run every few seconds.
    void followBook();
    // "Passer en écriture": a read-only book takes its file once nobody holds it.
    void takeWriting();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createWindows();
    void fillOrderArea(); // the order window takes the whole area under the tool bar
    void createStatusBar();
    // The title bar: the program's name, then the order window's caption when it has one.
    void showCaption(const QString &caption);

    void firstShown();
    void sizeHintPanel();
    void showTime();
    bool mayClose();
    void finishClosing();
    void deleteOrder();
    void printWithDialog();
    void printOnce();

    // Menus and tool bar (mainwindowmenus.cpp)
    void createActions();
    void createMenus();
    void createToolBar();
    void createOutputActions(); // preview, PDF export and e-mail of the order
    void createReportActions(); // the purchase statistics and the CSV of every order line
    // "&Annuler" and "&Rétablir", naming the step they undo or redo in the order window's
    // history.
    void createHistoryActions();
    void bindHistory();
    QAction *action(const char *name, const QString &text, const QString &hint,
                    void (MainWindow::*slot)());
    QAction *orderAction(const char *name, const QString &text, const QString &hint,
                         void (OrderWindow::*command)());
    // The tool button of `command`, with its own hints: `hint` its tool tip, `statusHint` what
    // the status bar shows over it.
    QToolButton *button(const char *name, QAction *command, const QIcon &icon, const QString &hint,
                        const QString &statusHint);

    // Recent books, dropped books and the window's place (mainwindowdesktop.cpp)
    void createRecentBooks(QMenu *fileMenu);
    void acceptBookDrops();
    void showRecentBooks();
    void openRecent(const QString &fileName);
    void openDropped(const QStringList &fileNames);
    void bookInUse(); // MainFileName names the book opened or saved: first of the recent books
    void restorePlace();
    void keepPlace() const;

    // The search over the orders and the memory of articles (mainwindowsearch.cpp)
    void createSearch();
    void showSearch();
    void showFoundOrder(int index, const OrderPlace &place);

    // The orders awaited and the late ones in the status bar (mainwindowawaited.cpp)
    void createAwaitedOrders();
    void showLateCount();

    // File commands and the recovery file (mainwindowfiles.cpp)
    // The save question; false when the command that asked must stop.
    bool saveQuestion();
    void openChosen(const QString &name); // "&Ouvrir..." once the name is chosen
    // Saves the book under `fileName`; a failure is shown, and false given back.
    bool saveBook(const QString &fileName, OrderDocument::SaveWhen when);
    // "Ce fichier existe déjà": true when the user lets the save replace it.
    bool replaceAllowed();
    // Shows a failure of loadBook; whether the book in use is now the file MainFileName names.
    bool bookOpened(const Result<bool> &loaded) const;
    // The book was loaded, saved or started anew: what is in memory is what is on disk.
    void bookReplaced();
    // Writes an unsaved book to the recovery file (every few minutes and before printing).
    void keepRecovery();
    // At start, after a run that did not end normally: offers the book kept in the recovery
    // file; true when it was taken.
    bool offerRecovery();
    // A failed save: says why and offers "Enregistrer sous..."; true when the book was then
    // saved under another name.
    bool saveFailed(const Failure &failure);
    // The book's file changed on disk behind the program's back: offers to save under another
    // name or to read the file again, never to write over it. True when the book was saved.
    bool fileChangedOnDisk();
    // Reads the book's file again, keeping the order on screen; true when it was read.
    bool rereadBook();

    // Two desks on one book (mainwindowdesktop.cpp)
    void createBookFollowing(QMenu *fileMenu);
    // On activation: a writing desk whose file changed on disk says so, once per change.
    void checkBookOnDisk();

    bool m_shown = false;
    QString m_startFile;
    bool m_closed = false;

    QMdiArea *m_mdiArea = nullptr;
    QMdiSubWindow *m_orderSubWindow = nullptr;
    QToolBar *m_toolBar = nullptr;
    QLabel *m_hintPanel = nullptr;
    QLabel *m_clockPanel = nullptr;
    QTimer *m_clockTimer = nullptr;
    QTimer *RecoveryTimer = nullptr;
    QTimer *m_followTimer = nullptr;
    bool m_changeNoticed = false; // the file's change on disk was told since it was read
    QString m_followNotice;       // what followBook() last said
    std::unique_ptr<BookRecovery> m_recovery;

    QAction *FileNewItem = nullptr;
    QAction *FileOpenItem = nullptr;
    QAction *FileCloseItem = nullptr;
    QAction *FileSaveItem = nullptr;
    QAction *FileSaveAsItem = nullptr;
    QAction *FileWriteItem = nullptr; // "Passer en écriture"
    QAction *FilePageSetupItem = nullptr;
    QAction *FilePrintItem = nullptr;
    QAction *FilePrintSetupItem = nullptr;
    QAction *FilePreviewItem = nullptr;
    QAction *FileExportPdfItem = nullptr;
    QAction *FileMailItem = nullptr;
    QAction *FileExportCsvItem = nullptr;
    QAction *FileExitItem = nullptr;
    QAction *EditUndoItem = nullptr;
    QAction *EditRedoItem = nullptr;
    QAction *EditCopyItem = nullptr;
    QAction *EditPasteItem = nullptr;
    QAction *EditFindItem = nullptr;
    QAction *DocPreviousItem = nullptr;
    QAction *DocNextItem = nullptr;
    QAction *DocFirstItem = nullptr;
    QAction *DocLastItem = nullptr;
    QAction *DocNewOrderItem = nullptr;
    QAction *DocDeleteOrderItem = nullptr;
    QAction *DocDeleteLineItem = nullptr;
    QAction *DocCalculateItem = nullptr;
    QAction *DocListItem = nullptr;
    QAction *DocStatisticsItem = nullptr;
    QAction *ParCompanyItem = nullptr;
    QAction *ParOrderItem = nullptr;
    QAction *ParSuppliersItem = nullptr;
    QAction *ParAutoOpenItem = nullptr;
    QAction *UtilCalendarItem = nullptr;
    QAction *UtilCalculatorItem = nullptr;
    QAction *UtilClockItem = nullptr;
    QAction *UtilEuroItem = nullptr;
    QAction *HelpContentsItem = nullptr;
    QAction *HelpSearchItem = nullptr;
    QAction *HelpHowToUseItem = nullptr;
    QAction *HelpAboutItem = nullptr;
    QAction *PrintOnceCommand = nullptr; // "Imprimer commande", on the tool bar only
    QAction *EnvelopeCommand = nullptr;  // "Enveloppes", on the tool bar only
    QMenu *m_documentMenu = nullptr;
    QAction *EditSearchItem = nullptr;
    QAction *EditNextFoundItem = nullptr;
    QAction *EditPreviousFoundItem = nullptr;
    QToolButton *SearchBtn = nullptr;
    SearchIndex *m_searchIndex = nullptr;
    SearchWindow *m_searchWindow = nullptr;
    ArticleAssistant *m_articles = nullptr;
    QAction *DocAwaitedItem = nullptr;
    AwaitedOrders *m_awaited = nullptr;
    AwaitedOrdersWindow *m_awaitedWindow = nullptr;
    QLabel *m_latePanel = nullptr;
    QDate m_lateDay; // the day the late orders were counted on
    QMenu *m_fileMenu = nullptr;
    QAction *m_recentSeparator = nullptr;
    QList<QAction *> m_recentBooks;

    QToolButton *NewBtn = nullptr;
    QToolButton *OpenBtn = nullptr;
    QToolButton *SaveBtn = nullptr;
    QToolButton *UndoBtn = nullptr;
    QToolButton *RedoBtn = nullptr;
    QToolButton *CopyBtn = nullptr;
    QToolButton *PasteBtn = nullptr;
    QToolButton *FindBtn = nullptr;
    QToolButton *FirstBtn = nullptr;
    QToolButton *PreviousBtn = nullptr;
    QToolButton *NextBtn = nullptr;
    QToolButton *LastBtn = nullptr;
    QToolButton *NewOrderBtn = nullptr;
    QToolButton *CalculateBtn = nullptr;
    QToolButton *PrintBtn = nullptr;
    QToolButton *EnvelopeBtn = nullptr;
    QToolButton *PreviewBtn = nullptr;

    // Windows created at start, in this order after the frame.
    AboutBox *m_aboutBox = nullptr;
    OrderWindow *m_commande = nullptr;
    OrderListDialog *m_orderList = nullptr;
    SupplierEntryDialog *m_quickSupplier = nullptr;
    SupplierListDialog *m_supplierChooser = nullptr;
    CompanyDialog *m_company = nullptr;
    PageSetupDialog *m_pageSetup = nullptr;
    OrderParametersDialog *m_parameters = nullptr;
    SupplierWindow *m_supplierManagement = nullptr;
    FindOrderDialog *m_findDialog = nullptr;
    CalendarWindow *m_calendar = nullptr;
    EuroConverterWindow *m_converter = nullptr;
    ClockWindow *m_clock = nullptr;
    PocketCalculatorWindow *m_calculator = nullptr;
    HelpWindow *m_help = nullptr;
};
