// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/prompts.h"
#include "suppliers/supplierbook.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>

// The supplier lookup of the order window, without its widgets: the code field's key rules,
// the completion of short codes, new codes, and the lookup that may create a supplier.
namespace SupplierLookup {

using Address = std::array<QString, 4>;

// What the code field does with a key press.
enum class CodeKey {
    Pass,            // let the field handle it
    ReplaceWithStar, // the whole text becomes "*", and the key itself is dropped
    Drop,
};
// `key` is the Qt::Key code and `text` the event's text. Backspace, digits and keys that type
// nothing (arrows, Delete, Tab) pass; every other character is dropped, Enter included.
CodeKey filterCodeKey(int key, const QString &text);

// Puts the first 5 - n characters of "1000" in front of a code of n < 5 characters.
QString completeCode(const QString &code);

// A code one above the largest header code (at least 10002). Never six digits: past 99999 the
// smallest free code from 10002 is taken; an empty text when none is left.
QString nextSupplierCode(const QStringList &lines);

// Asked for the address block of a new supplier with that code; an empty name cancels.
using EnterSupplier = std::function<Address(const QString &code)>;

// Completes `code`, then looks it up. An unknown code asks "Créer le fournisseur ?" through
// `ask` (unless `supplierPicked`), lets `enter` type the new supplier and appends it; an
// unknown code that is not five digits creates nothing. True when `address` was filled from
// the supplier file.
bool lookUpSupplier(QString &code, Address &address, SupplierBook &book, bool supplierPicked,
                    const EnterSupplier &enter, const Prompts::Handler &ask);

// What leaving the code field with `text` refuses, before any lookup: a code that is still not
// five digits once completed ("*8971", a pasted "1A"). The French message, or an empty text.
QString codeRefusal(const QString &text);

// Leaving the code field: nothing for an empty code or one beginning with "0"; "*" becomes a
// new code (empty, and said through `ask`, when none is left); then lookUpSupplier with
// book.chooserUsed.
bool codeFieldExit(QString &code, Address &address, SupplierBook &book, const EnterSupplier &enter,
                   const Prompts::Handler &ask);

// The supplier chooser's items, "code name", in file order; and the code of an item.
QStringList chooserItems(const QStringList &lines);
QString chooserCode(const QString &item);

} // namespace SupplierLookup
