// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>

class AboutBox;
class AwaitedOrdersCommands;
class BookFileCommands;
class BookFollowing;
class CalendarWindow;
class ClockWindow;
class CompanyDialog;
class EuroConverterWindow;
class FindOrderDialog;
class HelpWindow;
class MainActions;
class OrderListDialog;
class OrderParametersDialog;
class OrderWindow;
class PageSetupDialog;
class PocketCalculatorWindow;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QTimer;
class RecentBooksMenu;
class SearchCommands;
class SearchIndex;
class SearchWindow;
class SupplierEntryDialog;
class SupplierListDialog;
class SupplierWindow;

// The frame of the program: menus, tool bar, status bar and the one order window, always
// maximised. It wires the commands (MainActions) to what they run: the book's file
// (BookFileCommands), the order window, the search (SearchCommands), the other windows.
// Creating it creates every window of the program, in start-up order.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The order file in use; empty for a new, unnamed book.
    const QString &fileName() const;

    OrderWindow &orderWindow() const { return *m_orderWindow; }
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
    void connectCommands(); // what each menu command and tool button runs
    void fillOrderArea();   // the order window takes the whole area under the tool bar
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

    // The window's place, kept from one run to the next.
    void restorePlace();
    void keepPlace() const;

    bool m_shown = false;
    QString m_startDir; // working directory when the frame was first shown
    QString m_startFile;

    MainActions *m_actions = nullptr;
    QMdiArea *m_mdiArea = nullptr;
    QMdiSubWindow *m_orderSubWindow = nullptr;
    QLabel *m_hintPanel = nullptr;
    QLabel *m_clockPanel = nullptr;
    QTimer *m_clockTimer = nullptr;
    BookFileCommands *m_files = nullptr;
    BookFollowing *m_following = nullptr;
    RecentBooksMenu *m_recentBooks = nullptr;
    SearchCommands *m_search = nullptr;
    AwaitedOrdersCommands *m_awaitedOrders = nullptr;

    // Windows created at start, in this order after the frame.
    AboutBox *m_aboutBox = nullptr;
    OrderWindow *m_orderWindow = nullptr;
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
