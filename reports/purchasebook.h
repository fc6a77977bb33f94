// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/orderrecord.h"
#include "core/textlines.h"
#include "order/bookview.h"
#include "settings/settings.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <array>

// What the reports add up, and in which currency.
enum class Amount { BeforeTax, Vat, IncludingTax };
enum class Currency { Main, Second };

// One order as the reports count it: its amounts in cents, worked out as the order window
// works them out (the same calculation, with the same settings) and rounded as its page shows
// them; before tax + VAT = including tax, and its VAT groups add up to both.
struct PurchaseOrder {
    int blockIndex = 0;
    QString number;
    QDate date; // null when the order's date line is no date
    QString supplierCode;
    QString supplierName; // the first address line
    int supplier = -1;    // the orders of one supplier have the same, from 0 up (PurchaseBook)
    // False when the order window can show no totals for the order (its calculation overflows):
    // it counts as nothing.
    bool counted = true;
    // A cancelled order was never bought: it counts in no figure, only in the orders left out.
    bool cancelled = false;

    qint64 total(Amount amount, Currency currency) const
    {
        return m_totals[index(currency) * 3 + int(amount)];
    }
    // The base and the VAT of VAT group 0 to 2 (codes "1" to "3").
    qint64 base(int group, Currency currency) const
    {
        return m_groups[index(currency) * 6 + group * 2];
    }
    qint64 vat(int group, Currency currency) const
    {
        return m_groups[index(currency) * 6 + group * 2 + 1];
    }
    // The rate of VAT group 0 to 2 the order was worked out with: the one it was sent with,
    // else the settings'.
    Real vatRate(int group) const { return m_rates[group]; }
    // Whether the order has a figure in VAT group 0 to 2, in either currency.
    bool hasGroup(int group) const
    {
        for (const int at : {group * 2, group * 2 + 1, 6 + group * 2, 6 + group * 2 + 1})
            if (m_groups[at] != 0)
                return true;
        return false;
    }

private:
    friend class PurchaseBook;
    // The figures of one currency (0: main, 1: second) from the order's H.T. and VAT in cents
    // and its VAT groups' exact bases and VAT.
    void setFigures(int currency, qint64 beforeTax, qint64 vat, const std::array<Real, 3> &bases,
                    const std::array<Real, 3> &vats);
    static int index(Currency currency) { return currency == Currency::Main ? 0 : 1; }
    std::array<qint64, 6> m_totals{};
    std::array<qint64, 12> m_groups{};
    std::array<Real, 3> m_rates{};
};

// The figures of every order of a book, read once when a report opens: every choice of the
// report adds up these without reading the book again.
class PurchaseBook {
public:
    // The figures of the orders a book held when last read, kept for the next reading: an
    // order whose lines have not changed since is not worked out again.
    class Cache {
    private:
        friend class PurchaseBook;
        std::array<Real, 5> m_settings{}; // what the figures were worked out with
        int m_modes = -1;
        QHash<std::pair<size_t, size_t>, PurchaseOrder> m_orders;
        // The lines last read and their orders: the same lines again are not read at all.
        TextLines m_lines;
        QList<PurchaseOrder> m_last;
    };

    PurchaseBook() = default;
    explicit PurchaseBook(const BookView &source, Cache *cache = nullptr);

    const QList<PurchaseOrder> &orders() const { return m_orders; } // by block index
    // The years of the orders' dates, latest first.
    const QList<int> &years() const { return m_years; }
    int unreadDates() const { return m_unreadDates; } // cancelled orders left out
    // The suppliers the orders name: their Supplier is below this count.
    int supplierCount() const { return m_supplierCount; }

    // The currency names, and whether the settings show the second currency at all.
    QString currencyName(Currency currency) const;
    QString currencySymbol(Currency currency) const; // "€" or "F"
    bool hasSecondCurrency() const { return m_secondCurrency; }
    // The rates of the VAT codes "1" to "3", as the settings hold them: those of the orders
    // not sent yet.
    const std::array<Real, 3> &vatRates() const { return m_vatRates; }

private:
    static PurchaseOrder figuresOf(const BookView::Order &order, const Settings &settings,
                                   bool secondCurrency);

    QList<PurchaseOrder> m_orders;
    QList<int> m_years;
    int m_unreadDates = 0;
    int m_supplierCount = 0;
    bool m_euros = false;
    bool m_secondCurrency = false;
    std::array<Real, 3> m_vatRates{};
};
