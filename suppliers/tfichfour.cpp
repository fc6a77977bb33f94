// SPDX-License-Identifier: GPL-3.0-or-later
#include "suppliers/tfichfour.h"

#include "core/prompts.h"
#include "gui/fieldguard.h"
#include "suppliers/supplieraddressbox.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int InitialRows = 64;
constexpr int RowsBeforeGrowing = 60;

QToolButton *speedButton(QWidget *parent, const QString &name, const QString &hint,
                         QStyle::StandardPixmap picture)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(hint);
    button->setToolTip(hint);
    button->setIcon(parent->style()->standardIcon(picture));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

TFichFour::TFichFour(QWidget *parent) : BaseDialog(parent)
{
    setObjectName(QStringLiteral("TFichFour"));
    setWindowTitle(QStringLiteral("Gestion des fournisseurs"));

    SpeedButton1 = speedButton(this, QStringLiteral("SpeedButton1"), QStringLiteral("Précédent"),
                               QStyle::SP_ArrowBack);
    SpeedButton2 = speedButton(this, QStringLiteral("SpeedButton2"), QStringLiteral("Suivant"),
                               QStyle::SP_ArrowForward);
    SpeedButton3 = speedButton(this, QStringLiteral("SpeedButton3"), QStringLiteral("Ajouter"),
                               QStyle::SP_FileDialogNewFolder);
    SpeedButton4 = speedButton(this, QStringLiteral("SpeedButton4"), QStringLiteral("Supprimer"),
                               QStyle::SP_TrashIcon);
    Button1 = new QPushButton(QStringLiteral("Fermer"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    connect(SpeedButton1, &QToolButton::clicked, this, &TFichFour::Precedent);
    connect(SpeedButton2, &QToolButton::clicked, this, &TFichFour::Suivant);
    connect(SpeedButton3, &QToolButton::clicked, this, &TFichFour::Ajouter);
    connect(SpeedButton4, &QToolButton::clicked, this, &TFichFour::Supprimer);
    connect(Button1, &QPushButton::clicked, this, &TFichFour::Button1Click);

    StringGrid1 = new QTableWidget(InitialRows, 5, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setAccessibleName(QStringLiteral("Fournisseurs"));
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->setColumnWidth(0, 64);
    for (int c = 1; c < 5; ++c)
        StringGrid1->setColumnWidth(c, 150);
    StringGrid1->setMinimumSize(64 + 4 * 150 + 24, 220);
    connect(StringGrid1, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int previousRow, int) {
                // A new row shows its record; what was typed in the fields is not kept.
                if (row == previousRow)
                    return;
                if (previousRow >= 0 && previousRow == m_newRow)
                    newRowAbandoned();
                LitFiche();
            });

    auto *codeLabel = new QLabel(QStringLiteral("Code fournisseur"), this);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaxLength(5);
    // Codes with letters or a sixth digit would not be headers in the supplier file.
    Edit1->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), Edit1));
    Edit1->setReadOnly(true);
    Edit1->setFocusPolicy(Qt::ClickFocus);
    Edit1->setMaximumWidth(80);

    Address = new SupplierAddressBox(this);
    Fields = {Edit1};
    for (QLineEdit *edit : Address->fields())
        Fields.append(edit);
    for (QLineEdit *field : Fields)
        field->installEventFilter(this);

    auto *searchBox = new QGroupBox(QStringLiteral("Chercher"), this);
    searchBox->setObjectName(QStringLiteral("Panel2"));
    auto *searchLabel = new QLabel(QStringLiteral("Code fournisseur"), searchBox);
    Edit6 = new QLineEdit(searchBox);
    Edit6->setObjectName(QStringLiteral("Edit6"));
    Edit6->setMaxLength(5);
    Edit6->setFocusPolicy(Qt::ClickFocus);
    Edit6->setMaximumWidth(80);
    Edit6->installEventFilter(this);
    Button2 = new QPushButton(QStringLiteral("Chercher"), searchBox);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setFocusPolicy(Qt::ClickFocus);
    connect(Button2, &QPushButton::clicked, this, &TFichFour::Chercher);
    auto *searchLayout = new QVBoxLayout(searchBox);
    searchLayout->addWidget(searchLabel);
    searchLayout->addWidget(Edit6);
    searchLayout->addWidget(Button2);
    searchLayout->addStretch();

    for (QPushButton *b : {Button1, Button2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    auto *topBar = new QHBoxLayout;
    for (QToolButton *b : {SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4})
        topBar->addWidget(b);
    topBar->addStretch();
    topBar->addWidget(Button1);

    auto *codeRow = new QHBoxLayout;
    codeRow->addWidget(codeLabel);
    codeRow->addWidget(Edit1);
    codeRow->addStretch();
    auto *recordBox = new QVBoxLayout;
    recordBox->addLayout(codeRow);
    recordBox->addWidget(Address);
    auto *lower = new QHBoxLayout;
    lower->addLayout(recordBox, 1);
    lower->addWidget(searchBox);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(topBar);
    layout->addWidget(StringGrid1, 1);
    layout->addLayout(lower);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    FieldGuard::guardAll(this); // the records go into the supplier file as typed
}

QString TFichFour::cell(int row, int column) const
{
    const QTableWidgetItem *item = StringGrid1->item(row, column);
    return item ? item->text() : QString();
}

void TFichFour::setCell(int row, int column, const QString &text)
{
    QTableWidgetItem *item = StringGrid1->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        if (column == 0)
            item->setBackground(palette().button()); // the fixed code column
        StringGrid1->setItem(row, column, item);
    }
    item->setText(text);
}

SupplierRecord TFichFour::rowRecord(int row) const
{
    SupplierRecord r;
    r.Code = cell(row, 0);
    for (int k = 0; k < 4; ++k)
        r.AddressLines[k] = cell(row, k + 1);
    return r;
}

void TFichFour::setRowRecord(int row, const SupplierRecord &record)
{
    setCell(row, 0, record.Code);
    for (int k = 0; k < 4; ++k)
        setCell(row, k + 1, record.AddressLines[k]);
}

void TFichFour::selectRow(int row)
{
    StringGrid1->setCurrentCell(row, 0);
}

void TFichFour::addRow()
{
    StringGrid1->setRowCount(StringGrid1->rowCount() + 1);
}

void TFichFour::Init(const QStringList &supplierLines)
{
    int filled = 0;
    const qsizetype n = supplierLines.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QString &line = supplierLines.at(i);
        if (!SupplierBook::IsSupplierHeader(line))
            continue;
        if (i + 1 < n && supplierLines.at(i + 1).isEmpty())
            continue; // a record without a name is left out
        SupplierRecord r;
        r.Code = line.mid(5, 5);
        // Lines past the end of the list are empty, never left over from an earlier use.
        for (int k = 0; k < 4; ++k)
            r.AddressLines[k] = supplierLines.value(i + 1 + k);
        setRowRecord(filled, r);
        ++filled;
        if (filled > RowsBeforeGrowing)
            addRow();
    }
    // Rows past the records would otherwise still show records of an earlier use.
    for (int row = filled; row < StringGrid1->rowCount(); ++row) {
        if (!rowRecord(row).Code.isEmpty() || !cell(row, 1).isEmpty())
            setRowRecord(row, {});
    }
    LastSupplierRow = filled - 1;
    m_newRow = -1;
    {
        // Row 0 is shown when the window is activated.
        const QSignalBlocker blocker(StringGrid1);
        selectRow(0);
    }
    SupplierGridModified = false;
    Tri();
}

void TFichFour::Result(QStringList &supplierLines) const
{
    if (!SupplierGridModified)
        return;
    QList<SupplierRecord> records;
    for (int row = 0; row <= LastSupplierRow; ++row) {
        // A row added and left by the close box before its code was accepted is no record.
        if (row == m_newRow && !SupplierBook::isStorableCode(cell(row, 0)))
            continue;
        records.append(rowRecord(row));
    }
    supplierLines = SupplierBook::linesOf(records);
}

void TFichFour::LitFiche()
{
    const int row = StringGrid1->currentRow();
    const SupplierRecord r = row >= 0 ? rowRecord(row) : SupplierRecord();
    Edit1->setText(r.Code);
    Address->setAddress(r.AddressLines);
    Edit1->setReadOnly(true);
    // A row past the records never reaches the list: typing there would be lost.
    const bool holdsRecord = row >= 0 && row <= LastSupplierRow;
    Address->setReadOnly(!holdsRecord);
}

bool TFichFour::EcritFiche()
{
    const int row = StringGrid1->currentRow();
    if (row < 0)
        return true;
    const SupplierRecord shown{Edit1->text(), Address->address()};
    if (row == m_newRow && !SupplierBook::isStorableCode(shown.Code)) {
        Prompts::warning(SupplierBook::refusedCodeMessage(shown.Code), Prompts::Buttons::Ok);
        Edit1->setFocus(Qt::OtherFocusReason);
        Edit1->selectAll();
        return false;
    }
    // Whatever the fields show is the record, however it was edited (typed, pasted, deleted).
    if (rowRecord(row) != shown) {
        setRowRecord(row, shown);
        SupplierGridModified = true;
    }
    return true;
}

bool TFichFour::leaveRow()
{
    const int row = StringGrid1->currentRow();
    if (row >= 0 && row == m_newRow) {
        const bool untouched = std::all_of(Fields.cbegin(), Fields.cend(),
                                           [](const QLineEdit *f) { return f->text().isEmpty(); });
        if (untouched) {
            removeNewRow();
            return true;
        }
    }
    if (!EcritFiche())
        return false;
    m_newRow = -1;
    return true;
}

void TFichFour::newRowAbandoned()
{
    if (!SupplierBook::isStorableCode(cell(m_newRow, 0)))
        removeNewRow();
    m_newRow = -1;
}

void TFichFour::removeNewRow()
{
    // "Ajouter" opens the row after the last record, so taking it away shifts nothing.
    setRowRecord(m_newRow, {});
    if (m_newRow == LastSupplierRow)
        --LastSupplierRow;
    m_newRow = -1;
}

void TFichFour::Precedent()
{
    if (!leaveRow())
        return;
    const int row = StringGrid1->currentRow();
    if (row > 0)
        selectRow(row - 1);
    LitFiche();
}

void TFichFour::Suivant()
{
    if (!leaveRow())
        return;
    const int row = StringGrid1->currentRow();
    if (row < LastSupplierRow)
        selectRow(row + 1);
    else if (row > LastSupplierRow && LastSupplierRow >= 0)
        selectRow(LastSupplierRow); // from an added row given up, back to the last record
    LitFiche();
}

void TFichFour::Ajouter()
{
    if (!leaveRow())
        return;
    ++LastSupplierRow;
    if (LastSupplierRow > RowsBeforeGrowing)
        addRow();
    // A blank row: after deletions it could still hold the values of a former record.
    setRowRecord(LastSupplierRow, {});
    selectRow(LastSupplierRow);
    LitFiche();
    SupplierGridModified = true;
    m_newRow = LastSupplierRow;
    Edit1->setReadOnly(false);
    Edit1->setFocus(Qt::OtherFocusReason);
}

void TFichFour::Supprimer()
{
    const int current = StringGrid1->currentRow();
    if (LastSupplierRow == 0 || current < 0 || current > LastSupplierRow)
        return;
    for (int row = current; row <= LastSupplierRow; ++row)
        setRowRecord(row, rowRecord(row + 1));
    --LastSupplierRow;
    if (current == m_newRow)
        m_newRow = -1;
    SupplierGridModified = true;
    LitFiche();
}

void TFichFour::Chercher()
{
    const QString code = Edit6->text();
    for (int row = 0; row <= LastSupplierRow; ++row) {
        if (cell(row, 0) == code) {
            selectRow(row);
            LitFiche();
            return;
        }
    }
    Prompts::information(QStringLiteral("Fournisseur non trouvé"));
}

void TFichFour::Tri()
{
    QList<SupplierRecord> records;
    for (int row = 0; row <= LastSupplierRow; ++row)
        records.append(rowRecord(row));
    if (!SupplierBook::sortRecords(records))
        return;
    for (int row = 0; row <= LastSupplierRow; ++row)
        setRowRecord(row, records.at(row));
    SupplierGridModified = true;
}

void TFichFour::Button1Click()
{
    if (leaveRow())
        accept();
}

void TFichFour::showEvent(QShowEvent *event)
{
    BaseDialog::showEvent(event);
    LitFiche();
    Edit1->setFocus(Qt::OtherFocusReason);
}

void TFichFour::keyPressEvent(QKeyEvent *event)
{
    // Escape closes the window as "Fermer" does: the record on screen is written back.
    if (event->key() == Qt::Key_Escape) {
        Button1Click();
        return;
    }
    BaseDialog::keyPressEvent(event);
}

bool TFichFour::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return BaseDialog::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;

    if (watched == Edit6) {
        if (enter) {
            Chercher();
            return true;
        }
        return false;
    }
    if (!Fields.contains(static_cast<QLineEdit *>(watched)))
        return BaseDialog::eventFilter(watched, event);

    switch (key->key()) {
    case Qt::Key_PageDown:
        Suivant();
        return true;
    case Qt::Key_PageUp:
        Precedent();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        EcritFiche();
        return true;
    default:
        break;
    }
    // The record counts as changed when it is written back with other values, whatever
    // the keys were; a new code takes digits only.
    const QString text = key->text();
    if (watched != Edit1 || Edit1->isReadOnly() || text.isEmpty())
        return false;
    const QChar c = text.at(0);
    return c.unicode() >= 32 && c.unicode() != 127 &&
           (c < QLatin1Char('0') || c > QLatin1Char('9'));
}

void GestFour(TFichFour &window, SupplierBook &book)
{
    window.Init(book.SupplierLines);
    window.exec();
    window.Result(book.SupplierLines);
    book.SuppliersModified = true;
}
