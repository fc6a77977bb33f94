// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/orderrecord.h"
#include "core/result.h"
#include "core/textlines.h"
#include "order/bookindex.h"
#include "order/bookjournal.h"
#include "order/booklistener.h"
#include "order/orderfilelock.h"
#include "order/orderformat.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// The open order file in memory, one block per order, with the index of the order on screen,
// and the operations on its blocks. The order on screen itself belongs to the document
// (OrderDocument), which has the book decode it and write it back; only the book's own
// operations change its lines, so that its search index follows every change.
class OrderBook {
public:
    OrderBook() = default;
    OrderBook(const OrderBook &) = delete;
    OrderBook &operator=(const OrderBook &) = delete;

    const TextLines &lines() const { return m_lines; }
    int currentOrder() const { return m_currentOrder; } // block index of the order on screen
    // After loading, the blocks of the file; a new book counts 1 (the order being typed).
    int orderCount() const { return m_orderCount; }
    const QString &fileName() const { return m_fileName; }
    // Opened while another running copy of the program held the file: it cannot be saved
    // under its own name.
    bool isReadOnly() const { return m_readOnly; }
    int nextOrderNumber() const { return m_nextOrderNumber; }
    // The file's name without its folder, marked when the book is read-only.
    QString caption() const;
    static QString captionOf(const QString &fileName);
    static QString backupName(const QString &fileName); // "name.cmd.bak"

    // First line equal to `numberLine` ("NUM" and an order number), letter case ignored; -1
    // if none.
    qsizetype findNumberLine(const QString &numberLine) const;
    bool hasBlock(int index) const { return m_index.findBlock(m_lines, index) >= 0; }
    // Where the blocks of indexes 0, 1, 2... open, up to the first index without a block.
    QList<qsizetype> blocksFromZero() const { return m_index.blocksFromZero(m_lines); }
    // Decodes the current order into `record`, whose fields hold a new order's values; the
    // order lines past the first `rows` and the lines of other kinds go into `kept` as the
    // file holds them (OrderFormat::decodeAt). False when the order has no block; a date line
    // that is no date is the failure, the fields read before it kept.
    Result<bool> readOrder(OrderRecord &record, OrderFormat::KeptLines &kept, int rows);

    // File
    // Takes the file's lines and holds its lock; a missing file leaves the lines and takes no
    // name. When another copy of the program holds the file, asks whether to open it
    // read-only, naming the desk that holds it and since when; a desk of another machine may
    // be taken over ("Prendre la main") after a second question. False when the user declines,
    // the book left as it was. A file that cannot be read is the failure.
    Result<bool> load(const QString &fileName);
    // Reads the book's file again as it now is, keeping its lock or its read-only state; the
    // blocks are then checked as after load().
    Status reread();
    // The file on disk is no longer the one read or last written: its size or time changed
    // (another desk saved it, a backup was put back). A file gone is no change: saving makes
    // it again.
    bool changedOnDisk() const;
    // Whether `lines` are the file's as last read or written here; never for lines that were
    // not read from the file (recovered ones).
    bool isSaved(const TextLines &lines) const;
    // Who holds the book's file now, as its lock says; none when nobody does.
    std::optional<OrderFileLock::Holder> fileHolder() const;
    // A read-only book takes its file's lock, and saves over it from then on; the failure
    // names the desk that still holds it.
    Status takeWriting();
    // The desk this copy of the program runs on, as the locks it takes record it.
    void setDeskName(const QString &name) { m_lock.setDeskName(name); }
    // After loading: checks the labels (repairLabels), merges copies of an order (mergeCopies),
    // closes the gaps between indexes and makes order 0 current. True when the user had the file
    // repaired.
    bool checkBlocks();
    // Writes the lines, with the order on screen (`shown`, unless null) written back first. A
    // failed write is the failure "Ne peut créer le fichier %s", the file on disk left as it
    // was. The file replaced is kept as backupName(); a failed copy is reported and the save
    // goes on. A read-only book is not written over its file, nor a book over a file another
    // copy of the program holds, nor over its own file when another desk took it over (the
    // book is then read-only) or when the file changed on disk since it was read. Through a
    // symbolic link the real file is written, backed up and locked. The book then is that
    // file's.
    Status save(const QString &fileName, const OrderRecord *shown,
                const OrderFormat::KeptLines &kept);
    // A new, empty book without a name: one order slot, order 0 current.
    void clear();
    // Takes `lines` (kept by the recovery file) as the book, under the name of the order file
    // they came from, its lock taken as by load(); order 0 current. False when the book stays
    // unnamed: the user declined the file another copy holds.
    bool recover(const QString &fileName, const TextLines &lines);
    void dropLeadingBlankLines();
    bool repairLabels(); // true when the user had the lines repaired
    void mergeCopies();
    void updateNextNumber();

    // Orders
    // The order to show next; the one on screen is not written back.
    void setCurrentOrder(int index) { m_currentOrder = index; }
    // A slot for a new order after the last one, made current (addOrder); a number for it. A book
    // whose labels are all in use has no room.
    Status addOrder();
    // Removes the current order's block and lowers the indexes behind it (deleteOrder).
    void removeOrder();
    void closeGapAfterRemoval();
    // Replaces the current order's block by the one for `record` and `kept`, appended at the
    // end.
    void writeOrder(const OrderRecord &record, const OrderFormat::KeptLines &kept);
    // The user moved the entries of the order list: `entryOrder` lists, for each place, the
    // index its order had (OrderList::relabels). The current order follows its block. True
    // when a label changed.
    bool renumber(const QList<int> &entryOrder);
    // The lines writeOrder() would leave, the book left as it is.
    TextLines snapshot(const OrderRecord *shown, const OrderFormat::KeptLines &kept) const;

    // Where the book stands, apart from its file: the point its lines stand at since it was
    // opened, and the orders' place in them. restore() puts the book back as it stood then,
    // byte for byte, or forward again to a later state, at the cost of the changes between the
    // two; false when that state was forgotten. All or nothing: a failure (memory) leaves the
    // book, its index and its listener as they were, and the exception goes on.
    struct State {
        qint64 version = 0;
        int currentOrder = 0;
        int orderCount = 0;
        int nextOrderNumber = 0;
        bool operator==(const State &other) const = default;
    };
    State state() const;
    bool restore(const State &state);
    // Nothing will be restored to a state other than `states` and the current one: the changes
    // no way between them takes go.
    void keepOnly(const QList<State> &states);
    // The changes held to go back and forth: what the book keeps besides its lines.
    qsizetype journalSize() const { return m_journal.size(); }

    // Who is told of the changes to the blocks; none at first.
    void setListener(BookListener *listener) { m_listener = listener; }
    BookListener *listener() const { return m_listener; }

    // The order whose number line holds `number`; -1 when none.
    int orderWithNumber(const QString &number) const;

private:
    // What tells one state of a file on disk from another.
    struct DiskStamp {
        qint64 size = -1;
        QDateTime modified;
        bool operator==(const DiskStamp &) const = default;
    };
    static DiskStamp stampOf(const QString &fileName);
    static size_t digestOf(const TextLines &lines);
    bool lockForOpening(const QString &fileName);
    int countBlocks() const;
    void closeIndexGaps();
    void removeLines(qsizetype from, qsizetype count);
    void appendLines(const TextLines &lines);
    // The lines were read or replaced as a whole: the index and the journal start again.
    void linesReplaced();

    TextLines m_lines;
    BookJournal m_journal; // every change of m_lines since they were read
    int m_currentOrder = 0;
    int m_orderCount = 0;
    QString m_fileName;
    bool m_readOnly = false;
    DiskStamp m_stamp;                   // the file as last read or written
    std::optional<size_t> m_savedDigest; // its lines then
    int m_nextOrderNumber = 0;
    OrderFileLock m_lock;
    // Where the blocks of m_lines stand, told of every change; built when first searched.
    mutable BookIndex m_index;
    BookListener *m_listener = nullptr;
};
