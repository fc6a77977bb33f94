// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "suppliers/supplierbook.h"
#include "suppliers/supplierlookup.h"

#include <QString>
#include <array>

class SupplierEntryDialog;
class SupplierListDialog;

// The order window's supplier lookup with the real dialogs. The order window keeps its
// widgets: it passes the code field's text in and writes back `code` and, when the result is
// true, the four address fields.
namespace SupplierLookupFlow {

// Lookup of `code` (completed in place). An unknown code asks "Créer le fournisseur ?" unless
// the chooser was used once (book.chooserUsed), then runs the quick entry dialog and
// appends the new supplier. True when `address` was filled.
bool lookUpSupplier(QString &code, std::array<QString, 4> &address, SupplierBook &book,
                    SupplierEntryDialog &dialog);
// The same, with the "chooser was used" flag given by the caller.
bool lookUpSupplier(QString &code, std::array<QString, 4> &address, SupplierBook &book,
                    SupplierEntryDialog &dialog, bool supplierPicked);

// Leaving the code field (supplierCodeLeft): nothing for an empty code or one beginning with "0";
// "*" becomes a new code (empty when none is left, which is reported); then lookUpSupplier.
bool supplierCodeLeft(QString &code, std::array<QString, 4> &address, SupplierBook &book,
                      SupplierEntryDialog &dialog);

// The "..." button: sets book.chooserUsed, runs the chooser and gives the chosen code or
// an empty text. With a code, the caller writes it into its field and runs lookUpSupplier.
QString pickSupplier(SupplierListDialog &chooser, SupplierBook &book);

} // namespace SupplierLookupFlow
