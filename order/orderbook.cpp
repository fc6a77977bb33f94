// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/orderbook.h"

#include "core/clock.h"
#include "core/linehash.h"
#include "core/numbertext.h"
#include "core/prompts.h"
#include "core/textfile.h"
#include "order/orderformat.h"
#include "order/orderlist.h"
#include "order/orderrepair.h"

#include <QFileInfo>
#include <QHash>
#include <QList>

#include <bit>

using namespace OrderFormat;

namespace {

// Follows blocks through changes of the lines by their opening labels: for each index, the
// index its block had at the start, or -1 when it holds none of the blocks of then.
class Renumbering {
public:
    explicit Renumbering(int count) : m_from(count)
    {
        for (int i = 0; i < count; ++i)
            m_from[i] = i;
    }
    // `out` went and `in` came: line k of `out` became line k of `in` when `inPlace`.
    void changed(const TextLines &out, const TextLines &in, bool inPlace)
    {
        if (!inPlace) {
            for (const TextLines *lines : {&out, &in})
                for (qsizetype k = 0; k < lines->size(); ++k)
                    if (const int index = blockStartIndex(lines->bytes(k)); index >= 0)
                        at(index) = -1;
            return;
        }
        // Relabelled together: a block may take the index another one leaves.
        QList<std::pair<int, int>> moves;
        for (qsizetype k = 0; k < out.size(); ++k) {
            const int was = blockStartIndex(out.bytes(k));
            const int now = blockStartIndex(in.bytes(k));
            if (was >= 0 && now >= 0)
                moves.append({now, at(was)});
            if (was >= 0)
                at(was) = -1;
        }
        for (const auto &[now, from] : std::as_const(moves))
            at(now) = from;
    }
    QList<int> from(int count)
    {
        m_from.resize(count, -1);
        return m_from;
    }

private:
    int &at(int index)
    {
        if (index >= m_from.size())
            m_from.resize(index + 1, -1);
        return m_from[index];
    }
    QList<int> m_from;
};

} // namespace

void OrderBook::removeLines(qsizetype from, qsizetype count)
{
    m_journal.splice(m_lines, from, count, {});
    m_index.removed(from, count);
}

void OrderBook::appendLines(const TextLines &lines)
{
    const qsizetype end = m_lines.size();
    m_journal.splice(m_lines, end, 0, lines);
    m_index.appended(m_lines, end);
}

void OrderBook::linesReplaced()
{
    m_index.invalidate();
    m_journal.reset();
}

QString OrderBook::captionOf(const QString &fileName)
{
    return QFileInfo(fileName).fileName();
}

int OrderBook::countBlocks() const
{
    int count = 0;
    for (qsizetype i = 0; i < m_lines.size(); ++i)
        if (isOpenLabel(m_lines.bytes(i)))
            ++count;
    return count;
}

Result<bool> OrderBook::load(const QString &fileName)
{
    if (!QFileInfo::exists(fileName)) {
        m_fileName.clear();
        m_lock.release();
        m_readOnly = false;
    } else {
        // Stamped before reading: a change while it is read shows as a change afterwards.
        const DiskStamp stamp = stampOf(fileName);
        TextLines lines;
        if (const Status read = TextFile::read(fileName, lines); !read)
            return read.failure();
        if (!lockForOpening(fileName))
            return false;
        m_lines = lines;
        linesReplaced();
        m_fileName = fileName;
        m_stamp = stamp;
        m_savedDigest = digestOf(m_lines);
    }
    m_orderCount = countBlocks();
    return true;
}

Status OrderBook::reread()
{
    const DiskStamp stamp = stampOf(m_fileName);
    TextLines lines;
    if (const Status read = TextFile::read(m_fileName, lines); !read)
        return read;
    m_lines = lines;
    linesReplaced();
    m_stamp = stamp;
    m_savedDigest = digestOf(m_lines);
    m_orderCount = countBlocks();
    return {};
}

size_t OrderBook::digestOf(const TextLines &lines)
{
    // Only told apart from the lines of the same file: a fast hash is enough, but it runs over
    // the whole book at every save.
    LineHash hash;
    for (qsizetype i = 0; i < lines.size(); ++i)
        hash.add(lines.bytes(i), i);
    const auto [a, b] = hash.digest();
    return a ^ std::rotl(b, 17) ^ size_t(lines.size());
}

bool OrderBook::isSaved(const TextLines &lines) const
{
    return m_savedDigest && digestOf(lines) == *m_savedDigest;
}

OrderBook::DiskStamp OrderBook::stampOf(const QString &fileName)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        return {};
    return {info.size(), info.lastModified()};
}

bool OrderBook::changedOnDisk() const
{
    if (m_fileName.isEmpty())
        return false;
    const DiskStamp now = stampOf(m_fileName);
    return now.size >= 0 && now != m_stamp;
}

std::optional<OrderFileLock::Holder> OrderBook::fileHolder() const
{
    if (m_fileName.isEmpty())
        return std::nullopt;
    return m_lock.holderOf(m_fileName);
}

Status OrderBook::takeWriting()
{
    if (!m_readOnly || m_fileName.isEmpty())
        return {};
    if (m_lock.lock(m_fileName) == OrderFileLock::Outcome::HeldByOther)
        return Failure(QStringLiteral("Le fichier %1 est ouvert %2 : il reste en lecture seule.")
                           .arg(captionOf(m_fileName), m_lock.holder().where()));
    m_readOnly = false;
    return {};
}

int OrderBook::orderWithNumber(const QString &number) const
{
    const qsizetype found = findNumberLine(QStringLiteral("NUM") + number);
    int index = 0;
    if (number.isEmpty() || found < 1 ||
        !OrderFormat::tryOpenLabelIndex(m_lines.at(found - 1), index))
        return -1;
    return index;
}

bool OrderBook::checkBlocks()
{
    const bool repaired = repairLabels();
    mergeCopies();
    closeIndexGaps();
    linesReplaced();
    if (m_listener)
        m_listener->bookReset();
    m_currentOrder = 0;
    return repaired;
}

bool OrderBook::lockForOpening(const QString &fileName)
{
    OrderFileLock::Outcome outcome = m_lock.lock(fileName);
    while (outcome == OrderFileLock::Outcome::HeldByOther) {
        const OrderFileLock::Holder holder = m_lock.holder();
        Prompts::Request question{
            Prompts::Icon::Warning,
            Prompts::Buttons::OkCancel,
            {},
            QStringLiteral("Le fichier %1 est ouvert %2. L'ouvrir en lecture seule ?")
                .arg(captionOf(fileName), holder.where())};
        // A desk of this machine is seen running; one of another machine may be switched off.
        if (holder.elsewhere)
            question.actions = {QStringLiteral("Prendre la main")};
        const Prompts::Answer answer = Prompts::ask(question);
        if (answer == Prompts::Answer::Ok) {
            m_lock.release();
            m_readOnly = true;
            return true;
        }
        if (answer != Prompts::Answer::FirstAction)
            return false;
        if (Prompts::warning(QStringLiteral("Prendre la main sur le fichier %1, ouvert %2 ?\n"
                                            "Si ce poste fonctionne encore, ses modifications "
                                            "non enregistrées ne pourront plus l'être dans ce "
                                            "fichier.")
                                 .arg(captionOf(fileName), holder.where()),
                             Prompts::Buttons::YesNo) == Prompts::Answer::Yes)
            outcome = m_lock.takeOver(fileName);
    }
    // Unavailable: nobody can leave a lock there either; the save will tell if the folder
    // refuses it.
    if (outcome == OrderFileLock::Outcome::Unavailable)
        m_lock.release();
    m_readOnly = false;
    return true;
}

QString OrderBook::caption() const
{
    const QString name = captionOf(m_fileName);
    return m_readOnly ? name + QStringLiteral(" (lecture seule)") : name;
}

Status OrderBook::save(const QString &fileName, const OrderRecord *shown, const KeptLines &kept)
{
    // Through a symbolic link, the file written, its backup and its lock are the real file's.
    const QString target =
        QFileInfo(fileName).isSymLink() ? TextFile::realName(fileName) : fileName;
    const bool ownFile =
        !m_fileName.isEmpty() && TextFile::realName(fileName) == TextFile::realName(m_fileName);
    if (m_readOnly && ownFile)
        return Failure(QStringLiteral("Le fichier %1 est ouvert en lecture seule : "
                                      "enregistrez-le sous un autre nom.")
                           .arg(captionOf(fileName)));
    if (ownFile && m_lock.holds(target) && !m_lock.stillHeld()) {
        // Another desk took the book over: it is that desk's now.
        const OrderFileLock::Holder holder = m_lock.holder();
        m_lock.forget();
        m_readOnly = true;
        return Failure(QStringLiteral("Le poste %1 a pris la main sur le fichier %2 le %3 : "
                                      "rien n'y a été écrit. Enregistrez vos modifications "
                                      "sous un autre nom.")
                           .arg(holder.desk, captionOf(fileName), holder.when()));
    }
    if (ownFile && changedOnDisk())
        return Failure(QStringLiteral("Le fichier a été modifié hors de Qor Commande depuis son "
                                      "ouverture : rien n'y a été écrit. Enregistrez vos "
                                      "modifications sous un autre nom."));
    // Saving under another name makes the book that file's: it takes that file's lock.
    OrderFileLock lock;
    lock.setDeskName(m_lock.deskName());
    if (!m_lock.holds(target) && lock.lock(target) == OrderFileLock::Outcome::HeldByOther)
        return Failure(QStringLiteral("Le fichier %1 est ouvert %2 : il ne peut pas être "
                                      "remplacé.")
                           .arg(captionOf(fileName), lock.holder().where()));
    dropLeadingBlankLines();
    if (shown)
        writeOrder(*shown, kept);
    const Result<bool> backedUp = TextFile::writeKeepingCopy(target, m_lines, backupName(target));
    if (!backedUp)
        return backedUp.failure();
    if (!*backedUp)
        Prompts::warning(QStringLiteral("Le fichier %1 est enregistré, mais sa copie de "
                                        "sauvegarde %2 n'a pas pu être faite.")
                             .arg(fileName, backupName(target)),
                         Prompts::Buttons::Ok);
    if (!m_lock.holds(target))
        m_lock = std::move(lock);
    m_readOnly = false;
    m_fileName = fileName;
    m_stamp = stampOf(target);
    m_savedDigest = digestOf(m_lines);
    return {};
}

QString OrderBook::backupName(const QString &fileName)
{
    return fileName + QStringLiteral(".bak");
}

void OrderBook::dropLeadingBlankLines()
{
    while (m_lines.size() >= 3 && NumberText::trimmed(m_lines.first()).isEmpty())
        removeLines(0, 1);
}

bool OrderBook::repairLabels()
{
    if (!OrderRepair::isDamaged(m_lines))
        return false;
    if (Prompts::warning(QStringLiteral("Le fichier a été altéré. Restaurer ?"),
                         Prompts::Buttons::YesNo) != Prompts::Answer::Yes)
        return false;
    m_lines = OrderRepair::repaired(m_lines);
    m_index.invalidate();
    m_orderCount = countBlocks();
    return true;
}

void OrderBook::mergeCopies()
{
    // The count follows the merged copies: the slots of removed copies would show as empty
    // new orders.
    if (OrderRepair::mergeDuplicates(m_lines)) {
        m_index.invalidate();
        m_orderCount = countBlocks();
    }
}

// A book read from a file may skip an index (other copies of the program, damage). Indexes are
// the book's own bookkeeping: closing the gaps lets stepping reach every order, and a new
// order take an index no block holds. It is no change of the user's: it asks no question of
// its own, and the file has the new labels from the next save on. The count covers every
// block, one whose opening label is in small letters included.
void OrderBook::closeIndexGaps()
{
    const int used = OrderRepair::closeGaps(m_lines);
    m_index.invalidate(); // labels may have been rewritten
    m_orderCount = qMax(countBlocks(), used);
}

void OrderBook::updateNextNumber()
{
    const QDate today = Clock::today();
    int highest = today.year() * 100000 + today.month() * 1000;
    for (const qsizetype position : m_index.numberLines(m_lines)) {
        const QString line = m_lines.at(position);
        if (!line.startsWith(QLatin1String("NUM")))
            continue;
        int value = 0;
        // A number line that is not a whole number is passed over: it must not stop orders
        // from being added to the book.
        const QString text = numberText(line);
        if (!text.isEmpty() && NumberText::tryToInteger(text, value) && value > highest)
            highest = value;
    }
    m_nextOrderNumber = highest + 1;
}

void OrderBook::clear()
{
    m_lines.clear();
    linesReplaced();
    m_orderCount = 1;
    m_currentOrder = 0;
    m_fileName.clear();
    m_stamp = {};
    m_savedDigest.reset();
    if (m_listener)
        m_listener->bookReset();
    m_lock.release();
    m_readOnly = false;
}

bool OrderBook::recover(const QString &fileName, const TextLines &lines)
{
    bool named = !fileName.isEmpty();
    if (named && QFileInfo::exists(fileName)) {
        named = lockForOpening(fileName);
    } else if (named) {
        m_lock.lock(fileName); // the file is gone: the first save makes it again
        m_readOnly = false;
    }
    m_lines = lines;
    m_fileName = named ? fileName : QString();
    // The lines are not the file's: what is on disk now is what a save replaces.
    m_stamp = named ? stampOf(fileName) : DiskStamp();
    m_savedDigest.reset();
    closeIndexGaps();
    linesReplaced();
    if (m_listener)
        m_listener->bookReset();
    m_currentOrder = 0;
    return named;
}

Status OrderBook::addOrder()
{
    if (m_orderCount == 0)
        m_orderCount = 1;
    // When the last slot holds no order yet (it was never valid enough to be written), the
    // new order takes that slot: the book never gets an index without its block.
    if (!hasBlock(m_orderCount - 1)) {
        m_currentOrder = m_orderCount - 1;
    } else {
        if (m_orderCount >= MaxOrders)
            return Failure(
                QStringLiteral(
                    "Le fichier contient déjà %1 commandes : il n'est pas possible d'en ajouter.")
                    .arg(MaxOrders));
        appendLines(TextLines{QStringLiteral(" ")});
        m_currentOrder = m_orderCount;
        ++m_orderCount;
    }
    updateNextNumber();
    return {};
}

void OrderBook::removeOrder()
{
    if (const qsizetype open = m_index.findBlock(m_lines, m_currentOrder); open >= 0)
        removeLines(open, blockEnd(m_lines, open) - open);
    closeGapAfterRemoval();
    if (m_listener)
        m_listener->blockRemoved(m_currentOrder);
    if (m_currentOrder > m_orderCount - 1)
        m_currentOrder = qMax(0, m_orderCount - 1);
}

void OrderBook::closeGapAfterRemoval()
{
    if (m_orderCount <= 1)
        return;
    // Only the labels are read and rewritten; the book's index follows them.
    QList<BookJournal::Label> labels;
    QList<qsizetype> opened;
    QList<int> indexes;
    bool otherShapes = false;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const QByteArrayView bytes = m_lines.bytes(i);
        if (bytes.isEmpty() || bytes.front() != '<')
            continue;
        int n = 0;
        if (isOpenLabel(bytes)) {
            if (n = blockStartIndex(bytes); n >= 0) {
                if (n - 1 >= m_currentOrder) {
                    labels.append({i, blockOpenLabel(n - 1)});
                    opened.append(i);
                    indexes.append(n - 1);
                }
            } else if (tryOpenLabelIndex(m_lines.at(i), n) && n - 1 >= m_currentOrder) {
                labels.append({i, blockOpenLabel(n - 1)});
                otherShapes = true;
            }
        } else if (isCloseLabel(bytes)) {
            if (n = blockEndIndex(bytes);
                n < 0 && !NumberText::tryToInteger(m_lines.at(i).mid(6, 4), n))
                continue;
            if (n - 1 >= m_currentOrder)
                labels.append({i, blockCloseLabel(n - 1)});
        }
    }
    m_journal.relabel(m_lines, labels);
    if (otherShapes)
        m_index.invalidate();
    else
        m_index.relabelled(opened, indexes);
    --m_orderCount;
}

Result<bool> OrderBook::readOrder(OrderRecord &record, KeptLines &kept, int rows)
{
    kept.clear();
    return decodeAt(m_lines, m_index.findBlock(m_lines, m_currentOrder), m_currentOrder, record,
                    &kept, rows);
}

void OrderBook::writeOrder(const OrderRecord &record, const KeptLines &kept)
{
    // As encode() does: the old block goes, the new one is appended at the end.
    if (const qsizetype open = m_index.findBlock(m_lines, m_currentOrder); open >= 0)
        removeLines(open, blockEnd(m_lines, open) - open);
    TextLines block;
    appendBlock(block, record, m_currentOrder, kept);
    appendLines(block);
    if (m_listener)
        m_listener->blockChanged(m_currentOrder);
}

bool OrderBook::renumber(const QList<int> &entryOrder)
{
    const QList<BookJournal::Label> labels = OrderList::relabels(m_lines, entryOrder);
    Renumbering moves(m_orderCount);
    if (m_listener && !labels.isEmpty()) {
        TextLines out;
        TextLines in;
        for (const BookJournal::Label &label : labels) {
            out.appendLine(m_lines, label.position);
            in.append(label.text);
        }
        moves.changed(out, in, true);
    }
    m_journal.relabel(m_lines, labels);
    const bool changed = !labels.isEmpty();
    if (changed) {
        m_index.invalidate();
        if (m_listener)
            m_listener->blocksRenumbered(moves.from(m_orderCount));
    }
    // The order on screen follows its block: written back under its old index, it would
    // replace another order.
    m_currentOrder = OrderList::newIndexOf(entryOrder, m_currentOrder);
    return changed;
}

qsizetype OrderBook::findNumberLine(const QString &numberLine) const
{
    return m_index.findNumberLine(m_lines, numberLine);
}

OrderBook::State OrderBook::state() const
{
    return {m_journal.version(), m_currentOrder, m_orderCount, m_nextOrderNumber};
}

bool OrderBook::restore(const State &state)
{
    const State was = this->state();
    if (state.version == was.version) {
        m_currentOrder = state.currentOrder;
        m_orderCount = state.orderCount;
        m_nextOrderNumber = state.nextOrderNumber;
        return true;
    }
    // Blocks may have come back, gone or changed their indexes: the listener is told where
    // each one went.
    Renumbering moves(m_orderCount);
    QList<int> moved;
    if (!m_journal.rewind(m_lines, state.version,
                          [&](const TextLines &out, const TextLines &in, bool inPlace) {
                              if (m_listener)
                                  moves.changed(out, in, inPlace);
                          }))
        return false;
    try {
        moved = moves.from(state.orderCount);
    } catch (...) {
        m_journal.rewind(m_lines, was.version);
        throw;
    }
    m_index.invalidate();
    // The book stands where it was taken before the listener reads it.
    m_currentOrder = state.currentOrder;
    m_orderCount = state.orderCount;
    m_nextOrderNumber = state.nextOrderNumber;
    if (m_listener) {
        try {
            m_listener->blocksRenumbered(moved);
        } catch (...) {
            // The listener changed nothing.
            m_journal.rewind(m_lines, was.version);
            m_currentOrder = was.currentOrder;
            m_orderCount = was.orderCount;
            m_nextOrderNumber = was.nextOrderNumber;
            throw;
        }
    }
    return true;
}

void OrderBook::keepOnly(const QList<State> &states)
{
    QList<qint64> versions;
    versions.reserve(states.size());
    for (const State &state : states)
        versions.append(state.version);
    m_journal.keepOnly(versions);
}

TextLines OrderBook::snapshot(const OrderRecord *shown, const KeptLines &kept) const
{
    TextLines lines = m_lines;
    if (shown)
        encode(lines, m_currentOrder, *shown, kept);
    return lines;
}
