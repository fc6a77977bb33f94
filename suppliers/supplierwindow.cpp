// SPDX-License-Identifier: GPL-3.0-or-later
#include "suppliers/supplierwindow.h"

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

SupplierWindow::SupplierWindow(QWidget *parent) : BaseDialog(parent)
{
    setObjectName(QStringLiteral("SupplierWindow"));
    setWindowTitle(QStringLiteral("Gestion des fournisseurs"));

    m_previousButton = speedButton(this, QStringLiteral("PreviousButton"),
                                   QStringLiteral("Précédent"), QStyle::SP_ArrowBack);
    m_nextButton = speedButton(this, QStringLiteral("NextButton"), QStringLiteral("Suivant"),
                               QStyle::SP_ArrowForward);
    m_addButton = speedButton(this, QStringLiteral("AddButton"), QStringLiteral("Ajouter"),
                              QStyle::SP_FileDialogNewFolder);
    m_deleteButton = speedButton(this, QStringLiteral("DeleteButton"), QStringLiteral("Supprimer"),
                                 QStyle::SP_TrashIcon);
    m_closeButton = new QPushButton(QStringLiteral("Fermer"), this);
    m_closeButton->setObjectName(QStringLiteral("CloseButton"));
    connect(m_previousButton, &QToolButton::clicked, this, &SupplierWindow::previousSupplier);
    connect(m_nextButton, &QToolButton::clicked, this, &SupplierWindow::nextSupplier);
    connect(m_addButton, &QToolButton::clicked, this, &SupplierWindow::addSupplier);
    connect(m_deleteButton, &QToolButton::clicked, this, &SupplierWindow::deleteSupplier);
    connect(m_closeButton, &QPushButton::clicked, this, &SupplierWindow::closeClicked);

    m_grid = new QTableWidget(InitialRows, 5, this);
    m_grid->setObjectName(QStringLiteral("Suppliers"));
    m_grid->setAccessibleName(QStringLiteral("Fournisseurs"));
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->setColumnWidth(0, 64);
    for (int c = 1; c < 5; ++c)
        m_grid->setColumnWidth(c, 150);
    m_grid->setMinimumSize(64 + 4 * 150 + 24, 220);
    connect(m_grid, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int previousRow, int) {
                // A new row shows its record; what was typed in the fields is not kept.
                if (row == previousRow)
                    return;
                if (previousRow >= 0 && previousRow == m_newRow)
                    newRowAbandoned();
                readRecord();
            });

    auto *codeLabel = new QLabel(QStringLiteral("Code fournisseur"), this);
    m_code = new QLineEdit(this);
    m_code->setObjectName(QStringLiteral("SupplierCode"));
    m_code->setMaxLength(5);
    // Codes with letters or a sixth digit would not be headers in the supplier file.
    m_code->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), m_code));
    m_code->setReadOnly(true);
    m_code->setFocusPolicy(Qt::ClickFocus);
    m_code->setMaximumWidth(80);

    m_address = new SupplierAddressBox(this);
    m_fields = {m_code};
    for (QLineEdit *edit : m_address->fields())
        m_fields.append(edit);
    for (QLineEdit *field : m_fields)
        field->installEventFilter(this);

    auto *searchBox = new QGroupBox(QStringLiteral("Chercher"), this);
    searchBox->setObjectName(QStringLiteral("SearchPanel"));
    auto *searchLabel = new QLabel(QStringLiteral("Code fournisseur"), searchBox);
    m_searchCode = new QLineEdit(searchBox);
    m_searchCode->setObjectName(QStringLiteral("SearchCode"));
    m_searchCode->setMaxLength(5);
    m_searchCode->setFocusPolicy(Qt::ClickFocus);
    m_searchCode->setMaximumWidth(80);
    m_searchCode->installEventFilter(this);
    m_searchButton = new QPushButton(QStringLiteral("Chercher"), searchBox);
    m_searchButton->setObjectName(QStringLiteral("SearchButton"));
    m_searchButton->setFocusPolicy(Qt::ClickFocus);
    connect(m_searchButton, &QPushButton::clicked, this, &SupplierWindow::findSupplier);
    auto *searchLayout = new QVBoxLayout(searchBox);
    searchLayout->addWidget(searchLabel);
    searchLayout->addWidget(m_searchCode);
    searchLayout->addWidget(m_searchButton);
    searchLayout->addStretch();

    for (QPushButton *b : {m_closeButton, m_searchButton}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    auto *topBar = new QHBoxLayout;
    for (QToolButton *b : {m_previousButton, m_nextButton, m_addButton, m_deleteButton})
        topBar->addWidget(b);
    topBar->addStretch();
    topBar->addWidget(m_closeButton);

    auto *codeRow = new QHBoxLayout;
    codeRow->addWidget(codeLabel);
    codeRow->addWidget(m_code);
    codeRow->addStretch();
    auto *recordBox = new QVBoxLayout;
    recordBox->addLayout(codeRow);
    recordBox->addWidget(m_address);
    auto *lower = new QHBoxLayout;
    lower->addLayout(recordBox, 1);
    lower->addWidget(searchBox);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(topBar);
    layout->addWidget(m_grid, 1);
    layout->addLayout(lower);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    FieldGuard::guardAll(this); // the records go into the supplier file as typed
}

QString SupplierWindow::cell(int row, int column) const
{
    const QTableWidgetItem *item = m_grid->item(row, column);
    return item ? item->text() : QString();
}

void SupplierWindow::setCell(int row, int column, const QString &text)
{
    QTableWidgetItem *item = m_grid->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        if (column == 0)
            item->setBackground(palette().button()); // the fixed code column
        m_grid->setItem(row, column, item);
    }
    item->setText(text);
}

SupplierRecord SupplierWindow::rowRecord(int row) const
{
    SupplierRecord r;
    r.code = cell(row, 0);
    for (int k = 0; k < 4; ++k)
        r.addressLines[k] = cell(row, k + 1);
    return r;
}

void SupplierWindow::setRowRecord(int row, const SupplierRecord &record)
{
    setCell(row, 0, record.code);
    for (int k = 0; k < 4; ++k)
        setCell(row, k + 1, record.addressLines[k]);
}

void SupplierWindow::selectRow(int row)
{
    m_grid->setCurrentCell(row, 0);
}

void SupplierWindow::addRow()
{
    m_grid->setRowCount(m_grid->rowCount() + 1);
}

void SupplierWindow::load(const QStringList &supplierLines)
{
    int filled = 0;
    const qsizetype n = supplierLines.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QString &line = supplierLines.at(i);
        if (!SupplierBook::isSupplierHeader(line))
            continue;
        if (i + 1 < n && supplierLines.at(i + 1).isEmpty())
            continue; // a record without a name is left out
        SupplierRecord r;
        r.code = line.mid(5, 5);
        // Lines past the end of the list are empty, never left over from an earlier use.
        for (int k = 0; k < 4; ++k)
            r.addressLines[k] = supplierLines.value(i + 1 + k);
        setRowRecord(filled, r);
        ++filled;
        if (filled > RowsBeforeGrowing)
            addRow();
    }
    // Rows past the records would otherwise still show records of an earlier use.
    for (int row = filled; row < m_grid->rowCount(); ++row) {
        if (!rowRecord(row).code.isEmpty() || !cell(row, 1).isEmpty())
            setRowRecord(row, {});
    }
    lastSupplierRow = filled - 1;
    m_newRow = -1;
    {
        // Row 0 is shown when the window is activated.
        const QSignalBlocker blocker(m_grid);
        selectRow(0);
    }
    gridModified = false;
    sortSuppliers();
}

void SupplierWindow::apply(QStringList &supplierLines) const
{
    if (!gridModified)
        return;
    QList<SupplierRecord> records;
    for (int row = 0; row <= lastSupplierRow; ++row) {
        // A row added and left by the close box before its code was accepted is no record.
        if (row == m_newRow && !SupplierBook::isStorableCode(cell(row, 0)))
            continue;
        records.append(rowRecord(row));
    }
    supplierLines = SupplierBook::linesOf(records);
}

void SupplierWindow::readRecord()
{
    const int row = m_grid->currentRow();
    const SupplierRecord r = row >= 0 ? rowRecord(row) : SupplierRecord();
    m_code->setText(r.code);
    m_address->setAddress(r.addressLines);
    m_code->setReadOnly(true);
    // A row past the records never reaches the list: typing there would be lost.
    const bool holdsRecord = row >= 0 && row <= lastSupplierRow;
    m_address->setReadOnly(!holdsRecord);
}

bool SupplierWindow::writeBackRecord()
{
    const int row = m_grid->currentRow();
    if (row < 0)
        return true;
    const SupplierRecord shown{m_code->text(), m_address->address()};
    if (row == m_newRow && !SupplierBook::isStorableCode(shown.code)) {
        Prompts::warning(SupplierBook::refusedCodeMessage(shown.code), Prompts::Buttons::Ok);
        m_code->setFocus(Qt::OtherFocusReason);
        m_code->selectAll();
        return false;
    }
    // Whatever the fields show is the record, however it was edited (typed, pasted, deleted).
    if (rowRecord(row) != shown) {
        setRowRecord(row, shown);
        gridModified = true;
    }
    return true;
}

bool SupplierWindow::leaveRow()
{
    const int row = m_grid->currentRow();
    if (row >= 0 && row == m_newRow) {
        const bool untouched = std::all_of(m_fields.cbegin(), m_fields.cend(),
                                           [](const QLineEdit *f) { return f->text().isEmpty(); });
        if (untouched) {
            removeNewRow();
            return true;
        }
    }
    if (!writeBackRecord())
        return false;
    m_newRow = -1;
    return true;
}

void SupplierWindow::newRowAbandoned()
{
    if (!SupplierBook::isStorableCode(cell(m_newRow, 0)))
        removeNewRow();
    m_newRow = -1;
}

void SupplierWindow::removeNewRow()
{
    // "Ajouter" opens the row after the last record, so taking it away shifts nothing.
    setRowRecord(m_newRow, {});
    if (m_newRow == lastSupplierRow)
        --lastSupplierRow;
    m_newRow = -1;
}

void SupplierWindow::previousSupplier()
{
    if (!leaveRow())
        return;
    const int row = m_grid->currentRow();
    if (row > 0)
        selectRow(row - 1);
    readRecord();
}

void SupplierWindow::nextSupplier()
{
    if (!leaveRow())
        return;
    const int row = m_grid->currentRow();
    if (row < lastSupplierRow)
        selectRow(row + 1);
    else if (row > lastSupplierRow && lastSupplierRow >= 0)
        selectRow(lastSupplierRow); // from an added row given up, back to the last record
    readRecord();
}

void SupplierWindow::addSupplier()
{
    if (!leaveRow())
        return;
    ++lastSupplierRow;
    if (lastSupplierRow > RowsBeforeGrowing)
        addRow();
    // A blank row: after deletions it could still hold the values of a former record.
    setRowRecord(lastSupplierRow, {});
    selectRow(lastSupplierRow);
    readRecord();
    gridModified = true;
    m_newRow = lastSupplierRow;
    m_code->setReadOnly(false);
    m_code->setFocus(Qt::OtherFocusReason);
}

void SupplierWindow::deleteSupplier()
{
    const int current = m_grid->currentRow();
    if (lastSupplierRow == 0 || current < 0 || current > lastSupplierRow)
        return;
    for (int row = current; row <= lastSupplierRow; ++row)
        setRowRecord(row, rowRecord(row + 1));
    --lastSupplierRow;
    if (current == m_newRow)
        m_newRow = -1;
    gridModified = true;
    readRecord();
}

void SupplierWindow::findSupplier()
{
    const QString code = m_searchCode->text();
    for (int row = 0; row <= lastSupplierRow; ++row) {
        if (cell(row, 0) == code) {
            selectRow(row);
            readRecord();
            return;
        }
    }
    Prompts::information(QStringLiteral("Fournisseur non trouvé"));
}

void SupplierWindow::sortSuppliers()
{
    QList<SupplierRecord> records;
    for (int row = 0; row <= lastSupplierRow; ++row)
        records.append(rowRecord(row));
    if (!SupplierBook::sortRecords(records))
        return;
    for (int row = 0; row <= lastSupplierRow; ++row)
        setRowRecord(row, records.at(row));
    gridModified = true;
}

void SupplierWindow::closeClicked()
{
    if (leaveRow())
        accept();
}

void SupplierWindow::showEvent(QShowEvent *event)
{
    BaseDialog::showEvent(event);
    readRecord();
    m_code->setFocus(Qt::OtherFocusReason);
}

void SupplierWindow::keyPressEvent(QKeyEvent *event)
{
    // Escape closes the window as "Fermer" does: the record on screen is written back.
    if (event->key() == Qt::Key_Escape) {
        closeClicked();
        return;
    }
    BaseDialog::keyPressEvent(event);
}

bool SupplierWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return BaseDialog::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;

    if (watched == m_searchCode) {
        if (enter) {
            findSupplier();
            return true;
        }
        return false;
    }
    if (!m_fields.contains(static_cast<QLineEdit *>(watched)))
        return BaseDialog::eventFilter(watched, event);

    switch (key->key()) {
    case Qt::Key_PageDown:
        nextSupplier();
        return true;
    case Qt::Key_PageUp:
        previousSupplier();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        writeBackRecord();
        return true;
    default:
        break;
    }
    // The record counts as changed when it is written back with other values, whatever
    // the keys were; a new code takes digits only.
    const QString text = key->text();
    if (watched != m_code || m_code->isReadOnly() || text.isEmpty())
        return false;
    const QChar c = text.at(0);
    return c.unicode() >= 32 && c.unicode() != 127 &&
           (c < QLatin1Char('0') || c > QLatin1Char('9'));
}

void manageSuppliers(SupplierWindow &window, SupplierBook &book)
{
    window.load(book.fileLines);
    window.exec();
    window.apply(book.fileLines);
    book.modified = true;
}
