// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>

class BookFileCommands;
class BookFollowing;
class RecentBooksMenu;
class HelpWindow;
class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;
class QToolButton;
class SearchCommands;
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

    // The order file in use; empty for a new, unnamed book.
    const QString &fileName() const;

    OrderWindow &commande() const { return *m_commande; }
    HelpWindow &help();
    // The search over the orders; its window once it was opened.
    SearchIndex &searchIndex() const;
    SearchWindow *searchWindow() const;

    // The book to open when the frame is first shown, in place of the automatic opening, as
    // "&Ouvrir..." would open it.
    void openAtStart(const QString &fileName);
    void enableBookCommands(); // enables the book commands; nothing disables them again

    // Two desks on one book: a book open read-only follows its file, read again when another
    // desk saved it and offered for writing once that desk closed it. Run every few seconds.
    void followBook();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createWindows();
    void createFileCommands();
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

    // The window's place, kept from one run to the next.
    void restorePlace();
    void keepPlace() const;

    bool m_shown = false;
    QString m_startDir; // working directory when the frame was first shown
    QString m_startFile;
    bool m_closed = false;

    QMdiArea *m_mdiArea = nullptr;
    QMdiSubWindow *m_orderSubWindow = nullptr;
    QToolBar *m_toolBar = nullptr;
    QLabel *m_hintPanel = nullptr;
    QLabel *m_clockPanel = nullptr;
    QTimer *m_clockTimer = nullptr;
    BookFileCommands *m_files = nullptr;

    QAction *FileNewItem = nullptr;
    QAction *FileOpenItem = nullptr;
    QAction *FileCloseItem = nullptr;
    QAction *FileSaveItem = nullptr;
    QAction *FileSaveAsItem = nullptr;
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
    SearchCommands *m_search = nullptr;
    QMenu *m_fileMenu = nullptr;
    RecentBooksMenu *m_recentBooks = nullptr;
    BookFollowing *m_following = nullptr;

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
