#include "order/orderdocument.h"

#include "order/orderformat.h"
#include "settings/settingsfile.h"

#include <algorithm>

OrderDocument::OrderDocument(OrderForm &view) : m_view(view), m_book(*this)
{
    // Until the view gives its own measure, a character counts one pixel.
    m_measure = [](const QString &text) { return int(text.size()); };
    m_book.Numeroc();
    // The view is not built yet: it takes the terms and currencies when it is.
    m_book.DefaultPaymentTerm = m_settings.PaymentTermList.value(0);
}

QString OrderDocument::Rset(const QString &text, int width) const
{
    return OrderCalc::Rset(text, width, m_measure);
}

void OrderDocument::setListDialogs(ChooseFromList chooseFromList, AskOrderNumber askOrderNumber)
{
    m_chooseFromList = std::move(chooseFromList);
    m_askOrderNumber = std::move(askOrderNumber);
}

Status OrderDocument::FormActivate()
{
    // Order 0 of the empty book is a new order: nothing to decode or work out.
    const Status shown = m_book.LitFiche();
    m_book.FileModified = false;
    if (!shown)
        return shown;
    QString error;
    const bool suppliersRead = m_suppliers.ChargeFour(error);
    m_company.ChargeSoc();
    if (!suppliersRead)
        return Failure(error);
    return {};
}

// ---- File ----

Result<bool> OrderDocument::Charge(const QString &fileName)
{
    return m_book.Charge(fileName);
}

Result<bool> OrderDocument::Sauve(const QString &fileName, OrderBook::SaveWhen when)
{
    return m_book.Sauve(fileName, when);
}

Status OrderDocument::Nouveau()
{
    if (const Status shown = m_book.Nouveau(); !shown)
        return shown;
    m_settings.AutoOpenFileName.clear();
    m_settings.EuroMode = 0;
    m_settings.SingleCurrency = 0;
    m_view.settingsChanged(); // the order was shown before the currency went back to francs
    return {};
}

// ---- Orders ----

Status OrderDocument::Liste()
{
    EcritFiche();
    if (!m_chooseFromList)
        return {};
    const OrderList::Choice choice = m_chooseFromList(m_book.OrderLines, m_book.FileModified);
    if (BookListener *listener = m_book.listener();
        listener && !std::is_sorted(choice.entryOrder.cbegin(), choice.entryOrder.cend()))
        listener->blocksRenumbered();
    if (choice.chosen < 0) {
        // The order on screen stays; its block may have a new index now, and writing it back
        // under the old one would replace another order.
        m_book.CurrentOrder = OrderList::newIndexOf(choice.entryOrder, m_book.CurrentOrder);
        return {};
    }
    m_book.CurrentOrder = choice.chosen; // the chosen entry's place is its order's new index
    return LitFiche();
}

Status OrderDocument::Chercher()
{
    EcritFiche();
    if (!m_askOrderNumber)
        return {};
    const QString number = m_askOrderNumber();
    // A cancelled search gives an empty text: it must not find a bare "NUM" line.
    if (number.isEmpty())
        return {};
    const qsizetype found = m_book.findNumberLine(QStringLiteral("NUM") + number);
    if (found < 1)
        return {};
    const QString &label = m_book.OrderLines.at(found - 1);
    int index = 0;
    if (!label.startsWith(QLatin1String("<BLOC"), Qt::CaseInsensitive) ||
        !OrderFormat::tryOpenLabelIndex(label, index))
        return {};
    m_book.CurrentOrder = index;
    return LitFiche();
}

// ---- Calculation and line entry ----

Status OrderDocument::Calcule()
{
    return calculate(m_view.record().IncludesVat);
}

Status OrderDocument::CalculHT()
{
    return calculate(false);
}

Status OrderDocument::CalculTTC()
{
    return calculate(true);
}

Status OrderDocument::calculate(bool includesVat)
{
    QList<OrderLine> rows = m_view.record().Lines;
    const Result<OrderTotals> totals = includesVat
                                           ? OrderCalc::CalculTTC(rows, m_settings, m_measure)
                                           : OrderCalc::CalculHT(rows, m_settings, m_measure);
    m_view.setLines(rows); // the rows done before an overflow keep their rewritten cells
    if (!totals)
        return totals.failure();
    Totals = *totals;
    m_view.setTotals(Totals);
    return {};
}

Result<LineEntry::EnterOutcome> OrderDocument::completeLine(int column, int row)
{
    QList<OrderLine> rows = m_view.record().Lines;
    const LineEntry::EnterOutcome outcome =
        LineEntry::completeLine(column, row, rows, m_book.LastRow);
    if (!outcome.completed)
        return outcome;
    m_view.setLines(rows);
    if (const Status calculated = Calcule(); !calculated)
        return calculated.failure();
    m_book.markModified();
    m_book.LastRow = outcome.lastRow;
    return outcome;
}

bool OrderDocument::SupLigne(int row)
{
    QList<OrderLine> rows = m_view.record().Lines;
    if (!LineEntry::SupLigne(rows, row, m_book.LastRow))
        return false;
    m_view.setLines(rows);
    m_book.markModified();
    return true;
}

// ---- What is shown and printed ----

QString OrderDocument::mainCurrency() const
{
    return m_settings.EuroMode != 0 ? QStringLiteral("Euros") : QStringLiteral("Francs");
}

QString OrderDocument::secondCurrency() const
{
    if (m_settings.SingleCurrency != 0)
        return QString();
    return m_settings.EuroMode != 0 ? QStringLiteral("Francs") : QStringLiteral("Euros");
}

OrderPageInput OrderDocument::printedOrder() const
{
    OrderPageInput input;
    input.record = m_view.record();
    input.lastRow = m_book.LastRow;
    input.totals = Totals;
    input.mainCurrency = mainCurrency();
    input.secondCurrency = secondCurrency();
    input.companyLines = m_company.CompanyLines;
    return input;
}

void OrderDocument::setRecord(const OrderRecord &record)
{
    m_view.setRecord(record);
    Totals = OrderTotals();
    m_view.setTotals(Totals);
}

Status OrderDocument::orderShown(bool hasBlock)
{
    if (hasBlock)
        if (const Status calculated = Calcule(); !calculated)
            return calculated;
    return m_view.orderShown(hasBlock);
}

// ---- Settings, suppliers ----

void OrderDocument::GetIni(bool &autoOpen, QString &fileName) const
{
    SettingsFile::GetIni(m_settings, autoOpen, fileName);
}

void OrderDocument::SetIni(bool autoOpen)
{
    SettingsFile::SetIni(m_settings, autoOpen);
}

Status OrderDocument::SauveIni(const QString &fileName)
{
    QString error;
    if (!SettingsFile::SauveIni(m_settings, fileName, error))
        return Failure(error);
    return {};
}

bool OrderDocument::ChargeIni()
{
    if (!SettingsFile::ChargeIni(m_settings))
        return false;
    applySettings();
    return true;
}

Status OrderDocument::SauveFour()
{
    QString error;
    if (!m_suppliers.SauveFour(error))
        return Failure(error);
    return {};
}

void OrderDocument::applySettings()
{
    m_book.DefaultPaymentTerm = m_settings.PaymentTermList.value(0);
    m_view.settingsChanged();
}
