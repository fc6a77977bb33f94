#pragma once

#include "core/textlines.h"
#include "order/bookindex.h"
#include "order/booklistener.h"
#include "order/orderclipboard.h"
#include "order/orderfilelock.h"
#include "order/orderform.h"

#include <QString>
#include <QStringList>

// The open order file in memory, one block per order, and the operations on it. The order on
// screen lives in an OrderForm; showing it is LitFiche and writing it back is EcritFiche.
class OrderBook {
public:
    explicit OrderBook(OrderForm &form);

    // State
    TextLines OrderLines;
    int CurrentOrder = 0;
    int OrderCount = 0;
    QString OrderFileName;
    bool FileModified = false;
    // Opened while another running copy of the program held the file: it cannot be saved
    // under its own name.
    bool ReadOnly = false;
    bool OrderModified = false;
    int NextOrderNumber = 0;
    OrderClipboard Clipboard;
    int LastRow = 0; // last grid row in use; rows 1 to LastRow are written back and printed
    QString DefaultPaymentTerm; // first entry of the payment-terms list

    // File
    // Loads the file and holds its lock. When another copy of the program holds it, asks
    // whether to open it read-only; false when the user cancels, the book left as it was. A
    // file that cannot be read, or a first order that cannot be shown, is the failure.
    Result<bool> Charge(const QString &fileName);
    // Writes the book when FileModified, or whatever its state with SaveWhen::Always (a save
    // under a new name); false when nothing was to be written. A failed write is the failure
    // "Ne peut créer le fichier %s", the file on disk left as it was and the book modified. The
    // file replaced is kept as backupName(); a failed copy is reported and the save goes on. A
    // read-only book is not written over its file, nor a book over a file another copy of the
    // program holds. Through a symbolic link the real file is written, backed up and locked.
    enum class SaveWhen { Modified, Always };
    Result<bool> Sauve(const QString &fileName, SaveWhen when = SaveWhen::Modified);
    static QString backupName(const QString &fileName); // "name.cmd.bak"
    void Squize();
    void Verif();
    void Doublons();
    void SupprimeBloc(int index);
    void Numeroc();
    Status Nouveau();
    // Takes the lines kept by the recovery file as the book, modified and unsaved, under the
    // name of the order file they came from (that file's lock taken as by Charge). Gives
    // false when the book stays unnamed: the user declined the file another copy holds.
    Result<bool> Recupere(const QString &fileName, const TextLines &lines);

    // Orders. Showing an order fails on a date line that is no date (what was read before it
    // is shown) or on a calculation that overflows; the operation stops there.
    Status Ajout();
    Status Supprime();
    void Renum();
    Status Premier();
    Status Precedent();
    Status Suivant();
    Status Dernier();
    bool Valide() const;
    bool TestModif(bool &modified) const;
    void Copier();
    Status Coller();

    // Show the order CurrentOrder / write the order on screen back into the lines.
    Status LitFiche();
    void EcritFiche();
    // The lines the book would have after EcritFiche, leaving the book as it is.
    TextLines snapshot() const;
    // Shows the order whose block index is `index` (after writing back the one on screen).
    Status showOrder(int index);

    // A change made by the user to the order on screen.
    void markModified();

    // First line equal to `numberLine` ("NUM" and an order number), letter case ignored; -1
    // if none.
    qsizetype findNumberLine(const QString &numberLine);

    // The order lines past the grid's 63, as the file holds them: kept with the order on
    // screen and written back untouched after its grid rows.
    const TextLines &overflowLines() const { return m_overflow; }

    static QString captionOf(const QString &fileName);

    // Who is told of the changes to the blocks; none at first.
    void setListener(BookListener *listener) { m_listener = listener; }
    BookListener *listener() const { return m_listener; }

private:
    Status moveTo(int index);
    // Puts a warning to the user through the form.
    Prompts::Answer warning(const QString &text, Prompts::Buttons buttons);
    bool lockForOpening(const QString &fileName);
    // The order on screen as EcritFiche writes it; false when it is not to be written back.
    bool orderToWrite(OrderRecord &record) const;
    QString caption() const;
    int countBlocks() const;
    void closeIndexGaps();

    OrderForm &m_form;
    OrderFileLock m_lock;
    TextLines m_overflow;
    BookIndex m_index; // where the blocks of OrderLines stand
    BookListener *m_listener = nullptr;
};
