// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QAbstractItemModel;
class QComboBox;
class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSize;
class QTableView;
class QWidget;

// The order window's controls: built once on the window, with their captions, accessible
// names and tab order, and placed by the resize rules. The window binds them to its document.
class OrderWindowLayout {
public:
    // The grid shows lines.
    OrderWindowLayout(QWidget *window, QAbstractItemModel *lines);

    // The panels follow the window's size; the calendar shows only where it fits.
    void layOut(const QSize &size);

    QLineEdit *orderNumber = nullptr;
    QDateEdit *orderDate = nullptr;
    QLineEdit *supplierCode = nullptr;
    QPushButton *supplierListButton = nullptr;
    QComboBox *paymentTerms = nullptr;
    QRadioButton *beforeTaxOrder = nullptr;
    QRadioButton *taxIncludedOrder = nullptr;
    QLineEdit *addressLine1 = nullptr;
    QLineEdit *addressLine2 = nullptr;
    QLineEdit *addressLine3 = nullptr;
    QLineEdit *addressLine4 = nullptr;
    QTableView *grid = nullptr;
    QPlainTextEdit *note = nullptr;
    QLabel *totalBeforeTax = nullptr;
    QLabel *totalVat = nullptr;
    QLabel *totalIncludingTax = nullptr;
    QLabel *secondCurrencyTotal = nullptr;
    QLabel *mainCurrency = nullptr;
    QLabel *secondCurrency = nullptr;
    QLabel *dayName = nullptr;
    QLabel *dayNumber = nullptr;
    QLabel *monthName = nullptr;
    QLabel *year = nullptr;

private:
    QFrame *m_addressPanel = nullptr;
    QFrame *m_lowerPanel = nullptr;
    QFrame *m_totalsPanel = nullptr;
    QFrame *m_calendarPanel = nullptr;
};
