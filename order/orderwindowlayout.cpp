// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/orderwindowlayout.h"

#include "core/clock.h"
#include "core/orderrecord.h"
#include "gui/noteedit.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QFontMetrics>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTableView>
#include <utility>

namespace {

constexpr int HeaderHeight = 179; // header and address panels; the lower panel starts here
constexpr int HeaderPanelWidth = 345;
constexpr int CalendarWidth = 101;
constexpr int NoteHeight = 96;

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text = QString())
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QLineEdit *makeEdit(QWidget *parent, const char *name)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

QFrame *makePanel(QWidget *parent, const char *name)
{
    auto *panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setFrameShape(QFrame::StyledPanel);
    return panel;
}

} // namespace

OrderWindowLayout::OrderWindowLayout(QWidget *window, QAbstractItemModel *lines)
{
    // Header panel: number, date, supplier code, terms, price mode.
    auto *headerPanel = makePanel(window, "HeaderPanel");
    headerPanel->setGeometry(0, 0, HeaderPanelWidth, HeaderHeight);

    auto *headerCaptions = new QHeaderView(Qt::Horizontal, headerPanel);
    headerCaptions->setObjectName(QStringLiteral("HeaderCaptions"));
    auto *headerModel = new QStandardItemModel(0, 3, headerCaptions);
    headerModel->setHorizontalHeaderLabels(
        {QStringLiteral("N° de cmde"), QStringLiteral("Date"), QStringLiteral("Code four")});
    headerCaptions->setModel(headerModel);
    headerCaptions->setSectionResizeMode(QHeaderView::Fixed);
    headerCaptions->setStretchLastSection(false);
    headerCaptions->resizeSection(0, 107);
    headerCaptions->resizeSection(1, 105);
    headerCaptions->resizeSection(2, 87);
    headerCaptions->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    headerCaptions->setGeometry(8, 8, 299, 22);

    orderNumber = makeEdit(headerPanel, "OrderNumber");
    // Nine digit positions; unfilled positions stay spaces, so the text is always nine long.
    orderNumber->setInputMask(QStringLiteral("999999999; "));
    orderNumber->setGeometry(8, 32, 105, 24);

    orderDate = new QDateEdit(headerPanel);
    orderDate->setObjectName(QStringLiteral("OrderDate"));
    orderDate->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    orderDate->setCalendarPopup(true);
    orderDate->setDate(Clock::today());
    orderDate->setGeometry(115, 32, 103, 24);

    supplierCode = makeEdit(headerPanel, "SupplierCode");
    supplierCode->setMaxLength(5);
    supplierCode->setGeometry(220, 32, 60, 24);

    supplierListButton = new QPushButton(QStringLiteral("..."), headerPanel);
    supplierListButton->setObjectName(QStringLiteral("SupplierListButton"));
    supplierListButton->setFocusPolicy(Qt::ClickFocus); // skipped by Tab
    supplierListButton->setGeometry(282, 32, 25, 24);

    auto *termsLabel =
        makeLabel(headerPanel, "TermsLabel", QStringLiteral("Conditions de réglement"));
    termsLabel->setGeometry(8, 64, 299, 18);

    paymentTerms = new QComboBox(headerPanel);
    paymentTerms->setObjectName(QStringLiteral("PaymentTerms"));
    paymentTerms->setEditable(true);
    paymentTerms->setInsertPolicy(QComboBox::NoInsert); // the list is the settings' own
    paymentTerms->setGeometry(8, 84, 299, 26);

    beforeTaxOrder = new QRadioButton(QStringLiteral("Commande H.T."), headerPanel);
    beforeTaxOrder->setObjectName(QStringLiteral("BeforeTaxOrder"));
    beforeTaxOrder->setGeometry(8, 122, 140, 22);
    taxIncludedOrder = new QRadioButton(QStringLiteral("Commande TTC"), headerPanel);
    taxIncludedOrder->setObjectName(QStringLiteral("TaxIncludedOrder"));
    taxIncludedOrder->setGeometry(160, 122, 140, 22);
    auto *priceMode = new QButtonGroup(window);
    priceMode->addButton(beforeTaxOrder);
    priceMode->addButton(taxIncludedOrder);
    beforeTaxOrder->setChecked(true);

    // Address panel.
    m_addressPanel = makePanel(window, "AddressPanel");
    m_addressPanel->setGeometry(673 - 310, 0, 310, HeaderHeight);
    QLabel *addressLabel =
        makeLabel(m_addressPanel, "AddressLabel", QStringLiteral("Coordonnées du fournisseur"));
    addressLabel->setGeometry(8, 8, 290, 18);
    addressLine1 = makeEdit(m_addressPanel, "AddressLine1");
    addressLine2 = makeEdit(m_addressPanel, "AddressLine2");
    addressLine3 = makeEdit(m_addressPanel, "AddressLine3");
    addressLine4 = makeEdit(m_addressPanel, "AddressLine4");
    int y = 30;
    for (QLineEdit *edit : {addressLine1, addressLine2, addressLine3, addressLine4}) {
        edit->setGeometry(8, y, 292, 24);
        y += 30;
    }

    // Calendar panel.
    m_calendarPanel = makePanel(window, "CalendarPanel");
    m_calendarPanel->setGeometry(HeaderPanelWidth + 8, 0, CalendarWidth, 150);
    dayName = makeLabel(m_calendarPanel, "DayName");
    dayNumber = makeLabel(m_calendarPanel, "DayNumber");
    monthName = makeLabel(m_calendarPanel, "MonthName");
    year = makeLabel(m_calendarPanel, "Year");
    QFont dayFont = window->font();
    dayFont.setPointSize(36);
    dayFont.setBold(true);
    dayNumber->setFont(dayFont);
    dayNumber->setStyleSheet(QStringLiteral("color: red;"));
    dayName->setGeometry(0, 6, CalendarWidth, 20);
    dayNumber->setGeometry(0, 28, CalendarWidth, 64);
    monthName->setGeometry(0, 96, CalendarWidth, 20);
    year->setGeometry(0, 118, CalendarWidth, 20);
    for (QLabel *label : {dayName, dayNumber, monthName, year})
        label->setAlignment(Qt::AlignCenter);

    // Lower panel: the line grid, the note and the totals.
    m_lowerPanel = makePanel(window, "LowerPanel");
    m_lowerPanel->setFrameShape(QFrame::NoFrame);

    grid = new QTableView(m_lowerPanel);
    grid->setObjectName(QStringLiteral("Lines"));
    grid->setModel(lines);
    QFont bold = grid->font();
    bold.setBold(true);
    grid->setFont(bold);
    grid->horizontalHeader()->setFont(bold);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setStretchLastSection(false);
    grid->horizontalHeader()->setMinimumSectionSize(1);
    grid->horizontalHeader()->setSectionsClickable(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(QFontMetrics(bold).height() + 6);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid->setTabKeyNavigation(true);
    grid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::CurrentChanged |
                          QAbstractItemView::DoubleClicked);
    grid->setWordWrap(false);
    grid->setTextElideMode(Qt::ElideNone);
    note = new NoteEdit(m_lowerPanel);
    note->setObjectName(QStringLiteral("Note"));
    note->setLineWrapMode(QPlainTextEdit::NoWrap);
    note->setTabChangesFocus(true);

    m_totalsPanel = makePanel(m_lowerPanel, "TotalsPanel");
    QLabel *beforeTaxCaption =
        makeLabel(m_totalsPanel, "BeforeTaxCaption", QStringLiteral("Total H.T."));
    totalBeforeTax = makeLabel(m_totalsPanel, "TotalBeforeTax");
    QLabel *vatCaption = makeLabel(m_totalsPanel, "VatCaption", QStringLiteral("Total TVA"));
    totalVat = makeLabel(m_totalsPanel, "TotalVat");
    QLabel *includingTaxCaption =
        makeLabel(m_totalsPanel, "IncludingTaxCaption", QStringLiteral("TOTAL TTC"));
    totalIncludingTax = makeLabel(m_totalsPanel, "TotalIncludingTax");
    mainCurrency = makeLabel(m_totalsPanel, "MainCurrency", QStringLiteral("Francs"));
    secondCurrencyTotal = makeLabel(m_totalsPanel, "SecondCurrencyTotal");
    secondCurrency = makeLabel(m_totalsPanel, "SecondCurrency", QStringLiteral("Euros"));
    QFont totalsFont = window->font();
    totalsFont.setBold(true);
    for (QLabel *value : {totalBeforeTax, totalVat, totalIncludingTax, secondCurrencyTotal}) {
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setFont(totalsFont);
    }
    includingTaxCaption->setFont(totalsFont);
    beforeTaxCaption->setGeometry(8, 10, 80, 22);
    totalBeforeTax->setGeometry(84, 10, 100, 22);
    vatCaption->setGeometry(8, 40, 80, 22);
    totalVat->setGeometry(84, 40, 100, 22);
    includingTaxCaption->setGeometry(220, 4, 170, 20);
    totalIncludingTax->setGeometry(200, 28, 120, 22);
    mainCurrency->setGeometry(326, 28, 66, 22);
    secondCurrencyTotal->setGeometry(200, 58, 120, 22);
    secondCurrency->setGeometry(326, 58, 66, 22);

    // What a screen reader says of each control: the label beside it, or what the button does.
    const std::pair<QWidget *, QString> accessibleNames[] = {
        {orderNumber, QStringLiteral("N° de cmde")},
        {orderDate, QStringLiteral("Date")},
        {supplierCode, QStringLiteral("Code four")},
        {supplierListButton, QStringLiteral("Choisir le fournisseur")},
        {paymentTerms, QStringLiteral("Conditions de réglement")},
        {addressLine1, QStringLiteral("Coordonnées du fournisseur, ligne 1")},
        {addressLine2, QStringLiteral("Coordonnées du fournisseur, ligne 2")},
        {addressLine3, QStringLiteral("Coordonnées du fournisseur, ligne 3")},
        {addressLine4, QStringLiteral("Coordonnées du fournisseur, ligne 4")},
        {grid, QStringLiteral("Lignes de la commande")},
        {note, QStringLiteral("Note")},
    };
    for (const auto &[control, name] : accessibleNames)
        control->setAccessibleName(name);
    // On Linux a reader names an editable combo box by the label for it, not by its own name.
    termsLabel->setBuddy(paymentTerms);

    QWidget::setTabOrder(orderNumber, orderDate);
    QWidget::setTabOrder(orderDate, supplierCode);
    QWidget::setTabOrder(supplierCode, paymentTerms);
    QWidget::setTabOrder(paymentTerms, beforeTaxOrder);
    // The two kinds of order make one stop; the second one must not come after the note.
    QWidget::setTabOrder(beforeTaxOrder, taxIncludedOrder);
    QWidget::setTabOrder(taxIncludedOrder, addressLine1);
    QWidget::setTabOrder(addressLine1, addressLine2);
    QWidget::setTabOrder(addressLine2, addressLine3);
    QWidget::setTabOrder(addressLine3, addressLine4);
    QWidget::setTabOrder(addressLine4, grid);
    QWidget::setTabOrder(grid, note);
}

void OrderWindowLayout::layOut(const QSize &size)
{
    const int w = size.width();
    const int h = size.height();
    m_addressPanel->move(w - 310, 0);
    const int lowerHeight = qMax(0, h - HeaderHeight);
    m_lowerPanel->setGeometry(0, HeaderHeight, w, lowerHeight);
    const int gridHeight = qMax(0, lowerHeight - NoteHeight - 8);
    grid->setGeometry(0, 0, w, gridHeight);
    note->setGeometry(0, gridHeight + 4, qMax(0, w - 436), NoteHeight);
    m_totalsPanel->setGeometry(w - 400, gridHeight + 4, 400, NoteHeight);

    if (w > 750) {
        m_calendarPanel->move(HeaderPanelWidth + (m_addressPanel->x() - 446) / 2, 0);
        m_calendarPanel->show();
    }
    if (m_calendarPanel->x() + CalendarWidth > m_addressPanel->x())
        m_calendarPanel->hide();

    const int widths[OrderLine::CellCount] = {w - 440, 100, 120, 40, 120, 20};
    for (int c = 0; c < OrderLine::CellCount; ++c)
        grid->setColumnWidth(c, qMax(0, widths[c]));
}
