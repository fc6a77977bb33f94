#include "order/orderbook.h"

#include "core/clock.h"
#include "core/numbertext.h"
#include "core/prompts.h"
#include "core/textfile.h"
#include "order/orderformat.h"
#include "order/orderrepair.h"

#include <QFileInfo>
#include <QList>

using namespace OrderFormat;

OrderBook::OrderBook(OrderForm &form) : m_form(form)
{
    Clipboard.clear();
}

QString OrderBook::captionOf(const QString &fileName)
{
    return QFileInfo(fileName).fileName();
}

int OrderBook::countBlocks() const
{
    int count = 0;
    for (qsizetype i = 0; i < OrderLines.size(); ++i)
        if (isOpenLabel(OrderLines.bytes(i)))
            ++count;
    return count;
}

void OrderBook::markModified()
{
    FileModified = true;
    OrderModified = true;
}

Result<bool> OrderBook::Charge(const QString &fileName)
{
    m_index.invalidate(); // lets go of the old book's lines before the new ones are read
    if (!QFileInfo::exists(fileName)) {
        OrderFileName.clear();
        m_lock.release();
        ReadOnly = false;
        m_form.setCaption(QString());
    } else {
        TextLines lines;
        QString error;
        if (!TextFile::read(fileName, lines, &error))
            return Failure(error);
        if (!lockForOpening(fileName))
            return false;
        OrderLines = lines;
        OrderFileName = fileName;
        m_form.setCaption(caption());
    }
    OrderCount = countBlocks();
    FileModified = false;
    Verif();
    Doublons();
    closeIndexGaps();
    if (m_listener)
        m_listener->bookReset();
    CurrentOrder = 0;
    if (const Status shown = LitFiche(); !shown)
        return shown.failure();
    OrderModified = false;
    return true;
}

bool OrderBook::lockForOpening(const QString &fileName)
{
    switch (m_lock.lock(fileName)) {
    case OrderFileLock::Outcome::Locked:
        ReadOnly = false;
        return true;
    case OrderFileLock::Outcome::Unavailable:
        // Nobody can leave a lock there either; the save will tell if the folder refuses it.
        m_lock.release();
        ReadOnly = false;
        return true;
    case OrderFileLock::Outcome::HeldByOther:
        break;
    }
    if (warning(QStringLiteral("Le fichier %1 est déjà ouvert par %2.\nL'ouvrir en "
                               "lecture seule ?")
                    .arg(captionOf(fileName), m_lock.holder()),
                Prompts::Buttons::OkCancel) != Prompts::Answer::Ok)
        return false;
    m_lock.release();
    ReadOnly = true;
    return true;
}

Prompts::Answer OrderBook::warning(const QString &text, Prompts::Buttons buttons)
{
    return m_form.ask({Prompts::Icon::Warning, buttons, QString(), text});
}

QString OrderBook::caption() const
{
    const QString name = captionOf(OrderFileName);
    return ReadOnly ? name + QStringLiteral(" (lecture seule)") : name;
}

Result<bool> OrderBook::Sauve(const QString &fileName, SaveWhen when)
{
    if (!FileModified && when == SaveWhen::Modified)
        return false;
    // Through a symbolic link, the file written, its backup and its lock are the real file's.
    const QString target =
        QFileInfo(fileName).isSymLink() ? TextFile::realName(fileName) : fileName;
    if (ReadOnly && TextFile::realName(fileName) == TextFile::realName(OrderFileName))
        return Failure(QStringLiteral("Le fichier %1 est ouvert en lecture seule : "
                                      "enregistrez-le sous un autre nom.")
                           .arg(captionOf(fileName)));
    // Saving under another name makes the book that file's: it takes that file's lock.
    OrderFileLock lock;
    if (!m_lock.holds(target) && lock.lock(target) == OrderFileLock::Outcome::HeldByOther)
        return Failure(QStringLiteral("Le fichier %1 est déjà ouvert par %2 : il ne peut "
                                      "pas être remplacé.")
                           .arg(captionOf(fileName), lock.holder()));
    Squize();
    EcritFiche();
    const Result<bool> backedUp =
        TextFile::writeKeepingCopy(target, OrderLines, backupName(target));
    if (!backedUp)
        return backedUp.failure();
    if (!*backedUp)
        warning(QStringLiteral("Le fichier %1 est enregistré, mais sa copie de "
                               "sauvegarde %2 n'a pas pu être faite.")
                    .arg(fileName, backupName(target)),
                Prompts::Buttons::Ok);
    if (!m_lock.holds(target))
        m_lock = std::move(lock);
    ReadOnly = false;
    FileModified = false;
    OrderModified = false;
    OrderFileName = fileName;
    m_form.setCaption(caption());
    return true;
}

QString OrderBook::backupName(const QString &fileName)
{
    return fileName + QStringLiteral(".bak");
}

void OrderBook::Squize()
{
    while (OrderLines.size() >= 3 && NumberText::trimmed(OrderLines.first()).isEmpty())
        OrderLines.removeFirst();
}

void OrderBook::Verif()
{
    if (!OrderRepair::isDamaged(OrderLines))
        return;
    if (warning(QStringLiteral("Le fichier a été altéré. Restaurer ?"), Prompts::Buttons::YesNo) !=
        Prompts::Answer::Yes)
        return;
    OrderLines = OrderRepair::repaired(OrderLines);
    FileModified = true;
    OrderCount = countBlocks();
}

void OrderBook::Doublons()
{
    // The count follows the merged copies: the slots of removed copies would show as empty
    // new orders.
    if (OrderRepair::mergeDuplicates(OrderLines))
        OrderCount = countBlocks();
}

// A book read from a file may skip an index (other copies of the program, damage). Indexes are
// the book's own bookkeeping: closing the gaps lets stepping reach every order, and a new
// order take an index no block holds. It is no change of the user's: it asks no question of
// its own, and the file has the new labels from the next save on. The count covers every
// block, one whose opening label is in small letters included.
void OrderBook::closeIndexGaps()
{
    const int used = OrderRepair::closeGaps(OrderLines);
    OrderCount = qMax(countBlocks(), used);
}

void OrderBook::SupprimeBloc(int index)
{
    removeBlock(OrderLines, index);
}

void OrderBook::Numeroc()
{
    const QDate today = Clock::today();
    int highest = today.year() * 100000 + today.month() * 1000;
    for (const qsizetype position : m_index.numberLines(OrderLines)) {
        const QString line = OrderLines.at(position);
        if (!line.startsWith(QLatin1String("NUM")))
            continue;
        int value = 0;
        // A number line that is not a whole number is passed over: it must not stop orders
        // from being added to the book.
        const QString text = numberText(line);
        if (!text.isEmpty() && NumberText::tryToInteger(text, value) && value > highest)
            highest = value;
    }
    NextOrderNumber = highest + 1;
}

Status OrderBook::Nouveau()
{
    m_index.invalidate();
    OrderLines.clear();
    if (m_listener)
        m_listener->bookReset();
    OrderCount = 1;
    CurrentOrder = 0;
    const Status shown = LitFiche();
    OrderModified = false;
    FileModified = false;
    OrderFileName.clear();
    m_lock.release();
    ReadOnly = false;
    m_form.setCaption(QString());
    return shown;
}

Result<bool> OrderBook::Recupere(const QString &fileName, const TextLines &lines)
{
    bool named = !fileName.isEmpty();
    if (named && QFileInfo::exists(fileName)) {
        named = lockForOpening(fileName);
    } else if (named) {
        m_lock.lock(fileName); // the file is gone: the first save makes it again
        ReadOnly = false;
    }
    OrderLines = lines;
    OrderFileName = named ? fileName : QString();
    m_form.setCaption(named ? caption() : QString());
    closeIndexGaps();
    if (m_listener)
        m_listener->bookReset();
    CurrentOrder = 0;
    const Status shown = LitFiche();
    OrderModified = false;
    FileModified = true;
    if (!shown)
        return shown.failure();
    return named;
}

Status OrderBook::Ajout()
{
    EcritFiche();
    if (OrderCount == 0)
        OrderCount = 1;
    // When the last slot holds no order yet (it was never valid enough to be written), the
    // new order takes that slot: the book never gets an index without its block.
    if (m_index.findBlock(OrderLines, OrderCount - 1) < 0) {
        CurrentOrder = OrderCount - 1;
    } else {
        if (OrderCount >= MaxOrders)
            return Failure(
                QStringLiteral(
                    "Le fichier contient déjà %1 commandes : il n'est pas possible d'en ajouter.")
                    .arg(MaxOrders));
        BookIndex::Change change(m_index, OrderLines);
        OrderLines.append(QStringLiteral(" "));
        change.appended(OrderLines.size() - 1);
        CurrentOrder = OrderCount;
        ++OrderCount;
    }
    Numeroc();
    if (const Status shown = LitFiche(); !shown)
        return shown;
    m_form.focusSupplierCode();
    return {};
}

Status OrderBook::Supprime()
{
    m_index.invalidate();
    removeBlock(OrderLines, CurrentOrder);
    FileModified = true;
    Renum();
    if (m_listener)
        m_listener->blocksRenumbered();
    if (CurrentOrder > OrderCount - 1)
        CurrentOrder = qMax(0, OrderCount - 1);
    return LitFiche();
}

void OrderBook::Renum()
{
    if (OrderCount <= 1)
        return;
    m_index.invalidate();
    for (qsizetype i = 0; i < OrderLines.size(); ++i) {
        int n = 0;
        const QByteArrayView bytes = OrderLines.bytes(i);
        if (isOpenLabel(bytes)) {
            if (tryOpenLabelIndex(OrderLines.at(i), n) && n - 1 >= CurrentOrder)
                OrderLines.replace(i, BlockOpenLabel(n - 1));
        } else if (isCloseLabel(bytes)) {
            if (NumberText::tryToInteger(OrderLines.at(i).mid(6, 4), n) && n - 1 >= CurrentOrder)
                OrderLines.replace(i, BlockCloseLabel(n - 1));
        }
    }
    --OrderCount;
}

Status OrderBook::moveTo(int index)
{
    EcritFiche();
    CurrentOrder = index;
    if (const Status shown = LitFiche(); !shown)
        return shown;
    m_form.focusSupplierCode();
    return {};
}

Status OrderBook::Premier()
{
    return moveTo(0);
}

Status OrderBook::Precedent()
{
    return moveTo(qMax(0, CurrentOrder - 1));
}

Status OrderBook::Suivant()
{
    if (OrderCount < 2)
        return {};
    return moveTo(qMin(CurrentOrder + 1, OrderCount - 1));
}

Status OrderBook::Dernier()
{
    if (OrderCount < 2)
        return {};
    return moveTo(OrderCount - 1);
}

Status OrderBook::showOrder(int index)
{
    EcritFiche();
    CurrentOrder = index;
    return LitFiche();
}

bool OrderBook::Valide() const
{
    const OrderRecord record = m_form.record();
    if (record.SupplierCode.isEmpty())
        return false;
    if (record.Number.isEmpty() || record.Number.at(0) == QLatin1Char(' '))
        return false;
    if (LastRow <= 0)
        return false;
    for (int r = 0; r < LastRow && r < record.Lines.size(); ++r)
        if (!record.Lines.at(r).Designation.isEmpty())
            return true;
    return false;
}

bool OrderBook::TestModif(bool &modified) const
{
    modified = FileModified;
    return modified;
}

void OrderBook::Copier()
{
    Clipboard.copyFrom(m_form.record());
}

Status OrderBook::Coller()
{
    if (Clipboard.isEmpty())
        return {};
    OrderRecord record = m_form.record();
    if (const Status pasted = Clipboard.pasteInto(record); !pasted)
        return pasted;
    const bool noteEdited = m_form.noteEdited();
    m_form.setRecord(record);
    markModified();
    if (noteEdited)
        OrderModified = true;
    return m_form.recalculate();
}

Status OrderBook::LitFiche()
{
    OrderModified = false;
    OrderRecord record;
    record.BlockIndex = CurrentOrder;
    record.Date = Clock::today();
    record.Number = QString::number(NextOrderNumber);
    record.PaymentTerms = DefaultPaymentTerm;
    // Emptying the controls goes through their change handlers: the order counts as changed.
    markModified();
    m_overflow.clear();

    const Result<bool> decoded = decodeAt(OrderLines, m_index.findBlock(OrderLines, CurrentOrder),
                                          CurrentOrder, record, &m_overflow, OrderForm::GridRows);
    if (!decoded) {
        m_form.setRecord(record); // what was read before the bad line stays shown
        return decoded.failure();
    }
    const bool found = *decoded;
    if (found)
        LastRow = int(record.Lines.size());
    m_form.setRecord(record);
    if (const Status shown = m_form.orderShown(found); !shown)
        return shown;
    if (found)
        OrderModified = false;
    return {};
}

bool OrderBook::orderToWrite(OrderRecord &record) const
{
    if (!(OrderModified || m_form.noteEdited()) || !Valide())
        return false;
    record = m_form.record();
    record.Lines = record.Lines.mid(0, LastRow);
    return true;
}

void OrderBook::EcritFiche()
{
    if (m_form.noteEdited())
        OrderModified = true;
    OrderRecord record;
    if (!orderToWrite(record))
        return;
    // As encode() does: the old block goes, the new one is appended at the end.
    const qsizetype open = m_index.findBlock(OrderLines, CurrentOrder);
    BookIndex::Change change(m_index, OrderLines);
    if (open >= 0) {
        const qsizetype count = blockEnd(OrderLines, open) - open;
        OrderLines.remove(open, count);
        change.removed(open, count);
    }
    const qsizetype end = OrderLines.size();
    appendBlock(OrderLines, record, CurrentOrder, m_overflow);
    change.appended(end);
    if (m_listener)
        m_listener->blockChanged(CurrentOrder);
}

qsizetype OrderBook::findNumberLine(const QString &numberLine)
{
    return m_index.findNumberLine(OrderLines, numberLine);
}

TextLines OrderBook::snapshot() const
{
    TextLines lines = OrderLines;
    OrderRecord record;
    if (orderToWrite(record))
        encode(lines, CurrentOrder, record, m_overflow);
    return lines;
}
