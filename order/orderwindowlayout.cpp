// SPDX-License-Identifier: GPL-3.0-or-later
// The order window's controls and where they stand: built once, placed by the resize rules.

#include "order/orderwindow.h"

#include "core/clock.h"
#include "gui/application.h"
#include "gui/fieldguard.h"
#include "gui/noteedit.h"
#include "order/linedelegate.h"
#include "order/orderlifewidgets.h"
#include "order/orderlinesmodel.h"
#include "suppliers/supplierlookup.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTextBlock>
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

void OrderWindow::buildControls()
{
    // Header panel: number, date, supplier code, terms, price mode.
    m_headerPanel = makePanel(this, "HeaderPanel");
    m_headerPanel->setGeometry(0, 0, HeaderPanelWidth, HeaderHeight);

    m_headerCaptions = new QHeaderView(Qt::Horizontal, m_headerPanel);
    m_headerCaptions->setObjectName(QStringLiteral("HeaderCaptions"));
    auto *headerModel = new QStandardItemModel(0, 3, m_headerCaptions);
    headerModel->setHorizontalHeaderLabels(
        {QStringLiteral("N° de cmde"), QStringLiteral("Date"), QStringLiteral("Code four")});
    m_headerCaptions->setModel(headerModel);
    m_headerCaptions->setSectionResizeMode(QHeaderView::Fixed);
    m_headerCaptions->setStretchLastSection(false);
    m_headerCaptions->resizeSection(0, 107);
    m_headerCaptions->resizeSection(1, 105);
    m_headerCaptions->resizeSection(2, 87);
    m_headerCaptions->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_headerCaptions->setGeometry(8, 8, 299, 22);

    m_orderNumber = makeEdit(m_headerPanel, "OrderNumber");
    // Nine digit positions; unfilled positions stay spaces, so the text is always nine long.
    m_orderNumber->setInputMask(QStringLiteral("999999999; "));
    m_orderNumber->setGeometry(8, 32, 105, 24);

    m_orderDate = new QDateEdit(m_headerPanel);
    m_orderDate->setObjectName(QStringLiteral("OrderDate"));
    m_orderDate->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_orderDate->setCalendarPopup(true);
    m_orderDate->setDate(Clock::today());
    m_orderDate->setGeometry(115, 32, 103, 24);

    m_supplierCode = makeEdit(m_headerPanel, "SupplierCode");
    m_supplierCode->setMaxLength(5);
    m_supplierCode->setGeometry(220, 32, 60, 24);

    m_supplierListButton = new QPushButton(QStringLiteral("..."), m_headerPanel);
    m_supplierListButton->setObjectName(QStringLiteral("SupplierListButton"));
    m_supplierListButton->setFocusPolicy(Qt::ClickFocus); // skipped by Tab
    m_supplierListButton->setGeometry(282, 32, 25, 24);

    m_termsLabel =
        makeLabel(m_headerPanel, "TermsLabel", QStringLiteral("Conditions de réglement"));
    m_termsLabel->setGeometry(8, 64, 299, 18);

    m_paymentTerms = new QComboBox(m_headerPanel);
    m_paymentTerms->setObjectName(QStringLiteral("PaymentTerms"));
    m_paymentTerms->setEditable(true);
    m_paymentTerms->setInsertPolicy(QComboBox::NoInsert); // the list is the settings' own
    m_paymentTerms->setGeometry(8, 84, 299, 26);

    m_beforeTaxOrder = new QRadioButton(QStringLiteral("Commande H.T."), m_headerPanel);
    m_beforeTaxOrder->setObjectName(QStringLiteral("BeforeTaxOrder"));
    m_beforeTaxOrder->setGeometry(8, 122, 140, 22);
    m_taxIncludedOrder = new QRadioButton(QStringLiteral("Commande TTC"), m_headerPanel);
    m_taxIncludedOrder->setObjectName(QStringLiteral("TaxIncludedOrder"));
    m_taxIncludedOrder->setGeometry(160, 122, 140, 22);
    (new OrderStateLabel(m_document, m_headerPanel))->setGeometry(8, 150, 299, 22);
    m_priceMode = new QButtonGroup(this);
    m_priceMode->addButton(m_beforeTaxOrder);
    m_priceMode->addButton(m_taxIncludedOrder);
    m_beforeTaxOrder->setChecked(true);

    // Address panel.
    m_addressPanel = makePanel(this, "AddressPanel");
    m_addressPanel->setGeometry(673 - 310, 0, 310, HeaderHeight);
    m_addressLabel =
        makeLabel(m_addressPanel, "AddressLabel", QStringLiteral("Coordonnées du fournisseur"));
    m_addressLabel->setGeometry(8, 8, 290, 18);
    m_addressLine1 = makeEdit(m_addressPanel, "AddressLine1");
    m_addressLine2 = makeEdit(m_addressPanel, "AddressLine2");
    m_addressLine3 = makeEdit(m_addressPanel, "AddressLine3");
    m_addressLine4 = makeEdit(m_addressPanel, "AddressLine4");
    int y = 30;
    for (QLineEdit *edit : {m_addressLine1, m_addressLine2, m_addressLine3, m_addressLine4}) {
        edit->setGeometry(8, y, 292, 24);
        y += 30;
    }

    // Calendar panel.
    m_calendarPanel = makePanel(this, "CalendarPanel");
    m_calendarPanel->setGeometry(HeaderPanelWidth + 8, 0, CalendarWidth, 150);
    m_dayName = makeLabel(m_calendarPanel, "DayName");
    m_dayNumber = makeLabel(m_calendarPanel, "DayNumber");
    m_monthName = makeLabel(m_calendarPanel, "MonthName");
    m_year = makeLabel(m_calendarPanel, "Year");
    QFont dayFont = font();
    dayFont.setPointSize(36);
    dayFont.setBold(true);
    m_dayNumber->setFont(dayFont);
    m_dayNumber->setStyleSheet(QStringLiteral("color: red;"));
    m_dayName->setGeometry(0, 6, CalendarWidth, 20);
    m_dayNumber->setGeometry(0, 28, CalendarWidth, 64);
    m_monthName->setGeometry(0, 96, CalendarWidth, 20);
    m_year->setGeometry(0, 118, CalendarWidth, 20);
    for (QLabel *label : {m_dayName, m_dayNumber, m_monthName, m_year})
        label->setAlignment(Qt::AlignCenter);

    // Lower panel: the line grid, the note and the totals.
    m_lowerPanel = makePanel(this, "LowerPanel");
    m_lowerPanel->setFrameShape(QFrame::NoFrame);

    m_grid = new QTableView(m_lowerPanel);
    m_grid->setObjectName(QStringLiteral("Lines"));
    m_grid->setModel(m_lines);
    QFont bold = m_grid->font();
    bold.setBold(true);
    m_grid->setFont(bold);
    m_grid->horizontalHeader()->setFont(bold);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->horizontalHeader()->setStretchLastSection(false);
    m_grid->horizontalHeader()->setMinimumSectionSize(1);
    m_grid->horizontalHeader()->setSectionsClickable(false);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(QFontMetrics(bold).height() + 6);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_grid->setTabKeyNavigation(true);
    m_grid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::CurrentChanged |
                            QAbstractItemView::DoubleClicked);
    m_grid->setWordWrap(false);
    m_grid->setTextElideMode(Qt::ElideNone);
    m_delegate = new LineDelegate(this, m_grid);
    m_grid->setItemDelegate(m_delegate);
    // Once the editor is gone, its text no longer waits to be undone.
    connect(m_delegate, &QAbstractItemDelegate::closeEditor, this, &OrderWindow::typingChanged,
            Qt::QueuedConnection);

    m_note = new NoteEdit(m_lowerPanel);
    m_note->setObjectName(QStringLiteral("Note"));
    m_note->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_note->setTabChangesFocus(true);

    m_totalsPanel = makePanel(m_lowerPanel, "TotalsPanel");
    m_beforeTaxCaption = makeLabel(m_totalsPanel, "BeforeTaxCaption", QStringLiteral("Total H.T."));
    m_totalBeforeTax = makeLabel(m_totalsPanel, "TotalBeforeTax");
    m_vatCaption = makeLabel(m_totalsPanel, "VatCaption", QStringLiteral("Total TVA"));
    m_totalVat = makeLabel(m_totalsPanel, "TotalVat");
    m_includingTaxCaption =
        makeLabel(m_totalsPanel, "IncludingTaxCaption", QStringLiteral("TOTAL TTC"));
    m_totalIncludingTax = makeLabel(m_totalsPanel, "TotalIncludingTax");
    m_mainCurrency = makeLabel(m_totalsPanel, "MainCurrency", QStringLiteral("Francs"));
    m_secondCurrencyTotal = makeLabel(m_totalsPanel, "SecondCurrencyTotal");
    m_secondCurrency = makeLabel(m_totalsPanel, "SecondCurrency", QStringLiteral("Euros"));
    QFont totalsFont = font();
    totalsFont.setBold(true);
    for (QLabel *value :
         {m_totalBeforeTax, m_totalVat, m_totalIncludingTax, m_secondCurrencyTotal}) {
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setFont(totalsFont);
    }
    m_includingTaxCaption->setFont(totalsFont);
    m_beforeTaxCaption->setGeometry(8, 10, 80, 22);
    m_totalBeforeTax->setGeometry(84, 10, 100, 22);
    m_vatCaption->setGeometry(8, 40, 80, 22);
    m_totalVat->setGeometry(84, 40, 100, 22);
    m_includingTaxCaption->setGeometry(220, 4, 170, 20);
    m_totalIncludingTax->setGeometry(200, 28, 120, 22);
    m_mainCurrency->setGeometry(326, 28, 66, 22);
    m_secondCurrencyTotal->setGeometry(200, 58, 120, 22);
    m_secondCurrency->setGeometry(326, 58, 66, 22);

    // What a screen reader says of each control: the label beside it, or what the button does.
    const std::pair<QWidget *, QString> accessibleNames[] = {
        {m_orderNumber, QStringLiteral("N° de cmde")},
        {m_orderDate, QStringLiteral("Date")},
        {m_supplierCode, QStringLiteral("Code four")},
        {m_supplierListButton, QStringLiteral("Choisir le fournisseur")},
        {m_paymentTerms, QStringLiteral("Conditions de réglement")},
        {m_addressLine1, QStringLiteral("Coordonnées du fournisseur, ligne 1")},
        {m_addressLine2, QStringLiteral("Coordonnées du fournisseur, ligne 2")},
        {m_addressLine3, QStringLiteral("Coordonnées du fournisseur, ligne 3")},
        {m_addressLine4, QStringLiteral("Coordonnées du fournisseur, ligne 4")},
        {m_grid, QStringLiteral("Lignes de la commande")},
        {m_note, QStringLiteral("Note")},
    };
    for (const auto &[control, name] : accessibleNames)
        control->setAccessibleName(name);
    // On Linux a reader names an editable combo box by the label for it, not by its own name.
    m_termsLabel->setBuddy(m_paymentTerms);

    setTabOrder(m_orderNumber, m_orderDate);
    setTabOrder(m_orderDate, m_supplierCode);
    setTabOrder(m_supplierCode, m_paymentTerms);
    setTabOrder(m_paymentTerms, m_beforeTaxOrder);
    // The two kinds of order make one stop; the second one must not come after the note.
    setTabOrder(m_beforeTaxOrder, m_taxIncludedOrder);
    setTabOrder(m_taxIncludedOrder, m_addressLine1);
    setTabOrder(m_addressLine1, m_addressLine2);
    setTabOrder(m_addressLine2, m_addressLine3);
    setTabOrder(m_addressLine3, m_addressLine4);
    setTabOrder(m_addressLine4, m_grid);
    setTabOrder(m_grid, m_note);

    // What is pasted or dropped into a field goes into the book's lines as it is typed. The
    // code takes digits only, as from the keys ("*" is a key, not text).
    FieldGuard::guard(m_supplierCode, [](QChar c) {
        return SupplierLookup::filterCodeKey(0, QString(c)) == SupplierLookup::CodeKey::Pass
                   ? c
                   : QChar();
    });
    FieldGuard::guardAll(this);

    // Every change to the header and the note goes to the document.
    connect(m_orderNumber, &QLineEdit::textChanged, this, &OrderWindow::numberEdited);
    connect(m_orderDate, &QDateEdit::dateChanged, this, &OrderWindow::dateEdited);
    connect(m_supplierCode, &QLineEdit::textChanged, this, &OrderWindow::supplierCodeEdited);
    connect(m_paymentTerms, &QComboBox::editTextChanged, this, &OrderWindow::paymentTermsEdited);
    int line = 0;
    for (QLineEdit *edit : {m_addressLine1, m_addressLine2, m_addressLine3, m_addressLine4})
        connect(edit, &QLineEdit::textChanged, this, [this, l = line++] { addressLineEdited(l); });
    // The two commands run by a control report their errors here, like the menu commands.
    connect(m_taxIncludedOrder, &QRadioButton::toggled, this,
            [this] { Application::run([this] { priceModeChosen(); }); });
    connect(m_supplierCode, &QLineEdit::textEdited, this, [this] { m_codeEdited = true; });
    connect(m_note, &QPlainTextEdit::textChanged, this, &OrderWindow::noteChanged);
    connect(m_supplierListButton, &QPushButton::clicked, this,
            [this] { Application::run([this] { chooseSupplier(); }); });
    connect(qApp, &QApplication::focusChanged, this, &OrderWindow::focusChanged);

    // Page keys and F2 act on the whole window, whichever control has the focus.
    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
}

void OrderWindow::layOutControls()
{
    const int w = width();
    const int h = height();
    m_addressPanel->move(w - 310, 0);
    const int lowerHeight = qMax(0, h - HeaderHeight);
    m_lowerPanel->setGeometry(0, HeaderHeight, w, lowerHeight);
    const int gridHeight = qMax(0, lowerHeight - NoteHeight - 8);
    m_grid->setGeometry(0, 0, w, gridHeight);
    m_note->setGeometry(0, gridHeight + 4, qMax(0, w - 436), NoteHeight);
    m_totalsPanel->setGeometry(w - 400, gridHeight + 4, 400, NoteHeight);

    if (w > 750) {
        m_calendarPanel->move(m_headerPanel->width() + (m_addressPanel->x() - 446) / 2, 0);
        m_calendarPanel->show();
    }
    if (m_calendarPanel->x() + CalendarWidth > m_addressPanel->x())
        m_calendarPanel->hide();

    const int widths[OrderLine::CellCount] = {w - 440, 100, 120, 40, 120, 20};
    for (int c = 0; c < OrderLine::CellCount; ++c)
        m_grid->setColumnWidth(c, qMax(0, widths[c]));
}
