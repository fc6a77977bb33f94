// SPDX-License-Identifier: GPL-3.0-or-later
// The order window's controls and where they stand: built once, placed by the resize rules.

#include "order/tcommande.h"

#include "core/clock.h"
#include "gui/application.h"
#include "gui/fieldguard.h"
#include "gui/noteedit.h"
#include "order/linedelegate.h"
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

void TCommande::buildControls()
{
    // Header panel: number, date, supplier code, terms, price mode.
    Panel1 = makePanel(this, "Panel1");
    Panel1->setGeometry(0, 0, HeaderPanelWidth, HeaderHeight);

    Header1 = new QHeaderView(Qt::Horizontal, Panel1);
    Header1->setObjectName(QStringLiteral("Header1"));
    auto *headerModel = new QStandardItemModel(0, 3, Header1);
    headerModel->setHorizontalHeaderLabels(
        {QStringLiteral("N° de cmde"), QStringLiteral("Date"), QStringLiteral("Code four")});
    Header1->setModel(headerModel);
    Header1->setSectionResizeMode(QHeaderView::Fixed);
    Header1->setStretchLastSection(false);
    Header1->resizeSection(0, 107);
    Header1->resizeSection(1, 105);
    Header1->resizeSection(2, 87);
    Header1->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Header1->setGeometry(8, 8, 299, 22);

    MaskEdit1 = makeEdit(Panel1, "MaskEdit1");
    // Nine digit positions; unfilled positions stay spaces, so the text is always nine long.
    MaskEdit1->setInputMask(QStringLiteral("999999999; "));
    MaskEdit1->setGeometry(8, 32, 105, 24);

    DateTimePicker1 = new QDateEdit(Panel1);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker1->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    DateTimePicker1->setCalendarPopup(true);
    DateTimePicker1->setDate(Clock::today());
    DateTimePicker1->setGeometry(115, 32, 103, 24);

    Edit1 = makeEdit(Panel1, "Edit1");
    Edit1->setMaxLength(5);
    Edit1->setGeometry(220, 32, 60, 24);

    Button1 = new QPushButton(QStringLiteral("..."), Panel1);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setFocusPolicy(Qt::ClickFocus); // skipped by Tab
    Button1->setGeometry(282, 32, 25, 24);

    Label1 = makeLabel(Panel1, "Label1", QStringLiteral("Conditions de réglement"));
    Label1->setGeometry(8, 64, 299, 18);

    ComboBox1 = new QComboBox(Panel1);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert); // the list is the settings' own
    ComboBox1->setGeometry(8, 84, 299, 26);

    RadioButton1 = new QRadioButton(QStringLiteral("Commande H.T."), Panel1);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton1->setGeometry(8, 122, 140, 22);
    RadioButton2 = new QRadioButton(QStringLiteral("Commande TTC"), Panel1);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    RadioButton2->setGeometry(160, 122, 140, 22);
    m_priceMode = new QButtonGroup(this);
    m_priceMode->addButton(RadioButton1);
    m_priceMode->addButton(RadioButton2);
    RadioButton1->setChecked(true);

    // Address panel.
    Panel2 = makePanel(this, "Panel2");
    Panel2->setGeometry(673 - 310, 0, 310, HeaderHeight);
    Label2 = makeLabel(Panel2, "Label2", QStringLiteral("Coordonnées du fournisseur"));
    Label2->setGeometry(8, 8, 290, 18);
    Edit2 = makeEdit(Panel2, "Edit2");
    Edit3 = makeEdit(Panel2, "Edit3");
    Edit4 = makeEdit(Panel2, "Edit4");
    Edit5 = makeEdit(Panel2, "Edit5");
    int y = 30;
    for (QLineEdit *edit : {Edit2, Edit3, Edit4, Edit5}) {
        edit->setGeometry(8, y, 292, 24);
        y += 30;
    }

    // Calendar panel.
    Panel7 = makePanel(this, "Panel7");
    Panel7->setGeometry(HeaderPanelWidth + 8, 0, CalendarWidth, 150);
    Label3 = makeLabel(Panel7, "Label3");
    Label8 = makeLabel(Panel7, "Label8");
    Label9 = makeLabel(Panel7, "Label9");
    Label6 = makeLabel(Panel7, "Label6");
    QFont dayFont = font();
    dayFont.setPointSize(36);
    dayFont.setBold(true);
    Label8->setFont(dayFont);
    Label8->setStyleSheet(QStringLiteral("color: red;"));
    Label3->setGeometry(0, 6, CalendarWidth, 20);
    Label8->setGeometry(0, 28, CalendarWidth, 64);
    Label9->setGeometry(0, 96, CalendarWidth, 20);
    Label6->setGeometry(0, 118, CalendarWidth, 20);
    for (QLabel *label : {Label3, Label8, Label9, Label6})
        label->setAlignment(Qt::AlignCenter);

    // Lower panel: the line grid, the note and the totals.
    Panel3 = makePanel(this, "Panel3");
    Panel3->setFrameShape(QFrame::NoFrame);

    StringGrid1 = new QTableView(Panel3);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setModel(m_lines);
    QFont bold = StringGrid1->font();
    bold.setBold(true);
    StringGrid1->setFont(bold);
    StringGrid1->horizontalHeader()->setFont(bold);
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->horizontalHeader()->setStretchLastSection(false);
    StringGrid1->horizontalHeader()->setMinimumSectionSize(1);
    StringGrid1->horizontalHeader()->setSectionsClickable(false);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setDefaultSectionSize(QFontMetrics(bold).height() + 6);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    StringGrid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
    StringGrid1->setTabKeyNavigation(true);
    StringGrid1->setEditTriggers(QAbstractItemView::AnyKeyPressed |
                                 QAbstractItemView::CurrentChanged |
                                 QAbstractItemView::DoubleClicked);
    StringGrid1->setWordWrap(false);
    StringGrid1->setTextElideMode(Qt::ElideNone);
    m_delegate = new TLineDelegate(this, StringGrid1);
    StringGrid1->setItemDelegate(m_delegate);
    // Once the editor is gone, its text no longer waits to be undone.
    connect(m_delegate, &QAbstractItemDelegate::closeEditor, this, &TCommande::typingChanged,
            Qt::QueuedConnection);

    Memo1 = new NoteEdit(Panel3);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setTabChangesFocus(true);

    Panel5 = makePanel(Panel3, "Panel5");
    Label5 = makeLabel(Panel5, "Label5", QStringLiteral("Total H.T."));
    Label7 = makeLabel(Panel5, "Label7");
    Label4 = makeLabel(Panel5, "Label4", QStringLiteral("Total TVA"));
    Label13 = makeLabel(Panel5, "Label13");
    Label15 = makeLabel(Panel5, "Label15", QStringLiteral("TOTAL TTC"));
    Label18 = makeLabel(Panel5, "Label18");
    Label16 = makeLabel(Panel5, "Label16", QStringLiteral("Francs"));
    Label19 = makeLabel(Panel5, "Label19");
    Label17 = makeLabel(Panel5, "Label17", QStringLiteral("Euros"));
    QFont totalsFont = font();
    totalsFont.setBold(true);
    for (QLabel *value : {Label7, Label13, Label18, Label19}) {
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setFont(totalsFont);
    }
    Label15->setFont(totalsFont);
    Label5->setGeometry(8, 10, 80, 22);
    Label7->setGeometry(84, 10, 100, 22);
    Label4->setGeometry(8, 40, 80, 22);
    Label13->setGeometry(84, 40, 100, 22);
    Label15->setGeometry(220, 4, 170, 20);
    Label18->setGeometry(200, 28, 120, 22);
    Label16->setGeometry(326, 28, 66, 22);
    Label19->setGeometry(200, 58, 120, 22);
    Label17->setGeometry(326, 58, 66, 22);

    // What a screen reader says of each control: the label beside it, or what the button does.
    const std::pair<QWidget *, QString> accessibleNames[] = {
        {MaskEdit1, QStringLiteral("N° de cmde")},
        {DateTimePicker1, QStringLiteral("Date")},
        {Edit1, QStringLiteral("Code four")},
        {Button1, QStringLiteral("Choisir le fournisseur")},
        {ComboBox1, QStringLiteral("Conditions de réglement")},
        {Edit2, QStringLiteral("Coordonnées du fournisseur, ligne 1")},
        {Edit3, QStringLiteral("Coordonnées du fournisseur, ligne 2")},
        {Edit4, QStringLiteral("Coordonnées du fournisseur, ligne 3")},
        {Edit5, QStringLiteral("Coordonnées du fournisseur, ligne 4")},
        {StringGrid1, QStringLiteral("Lignes de la commande")},
        {Memo1, QStringLiteral("Note")},
    };
    for (const auto &[control, name] : accessibleNames)
        control->setAccessibleName(name);
    // On Linux a reader names an editable combo box by the label for it, not by its own name.
    Label1->setBuddy(ComboBox1);

    setTabOrder(MaskEdit1, DateTimePicker1);
    setTabOrder(DateTimePicker1, Edit1);
    setTabOrder(Edit1, ComboBox1);
    setTabOrder(ComboBox1, RadioButton1);
    // The two kinds of order make one stop; the second one must not come after the note.
    setTabOrder(RadioButton1, RadioButton2);
    setTabOrder(RadioButton2, Edit2);
    setTabOrder(Edit2, Edit3);
    setTabOrder(Edit3, Edit4);
    setTabOrder(Edit4, Edit5);
    setTabOrder(Edit5, StringGrid1);
    setTabOrder(StringGrid1, Memo1);

    // What is pasted or dropped into a field goes into the book's lines as it is typed. The
    // code takes digits only, as from the keys ("*" is a key, not text).
    FieldGuard::guard(Edit1, [](QChar c) {
        return SupplierLookup::filterCodeKey(0, QString(c)) == SupplierLookup::CodeKey::Pass
                   ? c
                   : QChar();
    });
    FieldGuard::guardAll(this);

    // Every change to the header and the note goes to the document.
    connect(MaskEdit1, &QLineEdit::textChanged, this, &TCommande::MaskEdit1Change);
    connect(DateTimePicker1, &QDateEdit::dateChanged, this, &TCommande::DateTimePicker1Change);
    connect(Edit1, &QLineEdit::textChanged, this, &TCommande::Edit1Change);
    connect(ComboBox1, &QComboBox::editTextChanged, this, &TCommande::ComboBox1Change);
    int line = 0;
    for (QLineEdit *edit : {Edit2, Edit3, Edit4, Edit5})
        connect(edit, &QLineEdit::textChanged, this, [this, l = line++] { Edit2Change(l); });
    // The two commands run by a control report their errors here, like the menu commands.
    connect(RadioButton2, &QRadioButton::toggled, this,
            [this] { Application::run([this] { RadioButton2Click(); }); });
    connect(Edit1, &QLineEdit::textEdited, this, [this] { m_codeEdited = true; });
    connect(Memo1, &QPlainTextEdit::textChanged, this, &TCommande::Memo1Change);
    connect(Button1, &QPushButton::clicked, this,
            [this] { Application::run([this] { Button1Click(); }); });
    connect(qApp, &QApplication::focusChanged, this, &TCommande::focusChanged);

    // Page keys and F2 act on the whole window, whichever control has the focus.
    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
}

void TCommande::FormResize()
{
    const int w = width();
    const int h = height();
    Panel2->move(w - 310, 0);
    const int lowerHeight = qMax(0, h - HeaderHeight);
    Panel3->setGeometry(0, HeaderHeight, w, lowerHeight);
    const int gridHeight = qMax(0, lowerHeight - NoteHeight - 8);
    StringGrid1->setGeometry(0, 0, w, gridHeight);
    Memo1->setGeometry(0, gridHeight + 4, qMax(0, w - 436), NoteHeight);
    Panel5->setGeometry(w - 400, gridHeight + 4, 400, NoteHeight);

    if (w > 750) {
        Panel7->move(Panel1->width() + (Panel2->x() - 446) / 2, 0);
        Panel7->show();
    }
    if (Panel7->x() + CalendarWidth > Panel2->x())
        Panel7->hide();

    const int widths[OrderLine::CellCount] = {w - 440, 100, 120, 40, 120, 20};
    for (int c = 0; c < OrderLine::CellCount; ++c)
        StringGrid1->setColumnWidth(c, qMax(0, widths[c]));
}
