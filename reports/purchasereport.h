// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/purchasebook.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// What the report shows: one year (0: every year), which amount, in which currency.
struct ReportChoice {
    int year = 0;
    Amount shown = Amount::BeforeTax;
    Currency currency = Currency::Main;
    bool operator==(const ReportChoice &other) const = default;
};

// The orders of a book added up for one choice: per supplier and period, per VAT code and
// period, and the chart's largest suppliers. A year is cut into its months; every year
// together, into years.
class PurchaseReport {
public:
    static constexpr int ChartSuppliers = 5; // the others are added up as "Autres"

    PurchaseReport(const PurchaseBook &book, const ReportChoice &choice);

    struct Row {
        QString code;
        QString name;             // as the first address line of the supplier's latest order reads
        bool unreadDates = false; // the row of the orders whose date is no date
        QList<qint64> cells;      // one per period
        qint64 total = 0;
        qint64 previous = 0; // the previous year's total (with hasEvolution())
        QList<int> orders;   // positions in the book's orders
        // The change against the previous year, in per cent; none without a previous total.
        std::optional<double> evolution() const;
    };
    // A VAT code at one rate: a code whose rate changed during the period is one group per
    // rate, each order counting at the rates it was worked out with.
    struct VatGroup {
        int code = 1; // "1" to "3"
        Real rate = 0;
    };
    struct VatRow {
        QString period;
        bool unreadDates = false;
        QList<qint64> base; // one per VAT group
        QList<qint64> vat;
        qint64 totalBase() const { return sum(base); }
        qint64 totalVat() const { return sum(vat); }

    private:
        static qint64 sum(const QList<qint64> &figures);
    };
    struct ChartSet {
        QString name;
        QList<qint64> values; // one per period
    };

    const ReportChoice &choice() const { return m_choice; }
    const PurchaseBook &book() const { return m_book; }
    QString currencySymbol() const { return m_book.currencySymbol(m_choice.currency); }
    const QStringList &periods() const { return m_periods; }
    // Suppliers, largest total first (the same total: by code), then the unread dates row.
    const QList<Row> &rows() const { return m_rows; }
    const Row &totals() const { return m_totals; }
    // Whether the previous year holds orders: the table then shows the change against it.
    bool hasEvolution() const { return m_hasEvolution; }
    // The VAT codes with the rates the orders of the period met, by code, then rate; a code
    // that none met has one, at the settings' rate.
    const QList<VatGroup> &vatGroups() const { return m_vatGroups; }
    const QList<VatRow> &vatRows() const { return m_vatRows; } // periods, then unread dates
    const VatRow &vatTotals() const { return m_vatTotals; }
    const QList<ChartSet> &chart() const { return m_chart; }
    // The orders the choice covers, and those of the book whose date is no date.
    int orderCount() const { return m_orderCount; }
    int unreadDates() const { return m_unreadDates; }
    // "2026 : 412 commandes"
    QString coverage() const;
    // The cancelled orders of the choice's period, counted in no figure, and the line that
    // says so ("2 commandes annulées ne sont pas comptées."); empty without any.
    int cancelled() const { return m_cancelled; }
    QString cancelledNote() const;

    // The orders behind a cell of a row (period -1: the whole row), by date.
    QList<int> ordersIn(const Row &row, int period) const;
    int periodOf(const PurchaseOrder &order) const; // -1 when it has no date

    // "H.T.", "TVA", "TTC"
    static QString amountName(Amount amount);
    // Amounts on screen and on paper: "12 345,60", thousands apart; an empty text for 0 when
    // `blankZero`.
    static QString amountText(qint64 cents, bool blankZero = true);
    static QString evolutionText(double percent); // "+12,5 %"
    static QString monthName(int month);          // "janvier"
    static QString shortMonthName(int month);     // "janv."
    static QString unreadDatesName() { return QStringLiteral("Date illisible"); }
    static QString othersName() { return QStringLiteral("Autres"); }

private:
    void addUp(const PurchaseBook &book);
    void makeChart();
    void sortVatGroups(const PurchaseBook &book);

    const PurchaseBook &m_book;
    ReportChoice m_choice;
    QList<int> m_yearsShown; // every year together: the columns' years, oldest first
    QStringList m_periods;
    QList<Row> m_rows;
    Row m_totals;
    bool m_hasEvolution = false;
    QList<VatGroup> m_vatGroups;
    QList<VatRow> m_vatRows;
    VatRow m_vatTotals;
    QList<ChartSet> m_chart;
    int m_orderCount = 0;
    int m_unreadDates = 0;
    int m_cancelled = 0;
};
