// SPDX-License-Identifier: GPL-3.0-or-later
#include "suppliers/supplierlookupflow.h"

#include "suppliers/supplierentrydialog.h"
#include "suppliers/supplierlistdialog.h"

namespace SupplierLookupFlow {

namespace {

SupplierLookup::EnterSupplier quickEntry(SupplierEntryDialog &dialog)
{
    return [&dialog](const QString &code) {
        dialog.load(code);
        dialog.exec();
        std::array<QString, 4> typed;
        dialog.apply(typed);
        return typed;
    };
}

} // namespace

bool lookUpSupplier(QString &code, std::array<QString, 4> &address, SupplierBook &book,
                    SupplierEntryDialog &dialog)
{
    return lookUpSupplier(code, address, book, dialog, book.chooserUsed);
}

bool lookUpSupplier(QString &code, std::array<QString, 4> &address, SupplierBook &book,
                    SupplierEntryDialog &dialog, bool supplierPicked)
{
    return SupplierLookup::lookUpSupplier(code, address, book, supplierPicked, quickEntry(dialog),
                                          Prompts::ask);
}

bool supplierCodeLeft(QString &code, std::array<QString, 4> &address, SupplierBook &book,
                      SupplierEntryDialog &dialog)
{
    return SupplierLookup::codeFieldExit(code, address, book, quickEntry(dialog), Prompts::ask);
}

QString pickSupplier(SupplierListDialog &chooser, SupplierBook &book)
{
    book.chooserUsed = true;
    chooser.load(book.fileLines);
    chooser.exec();
    QString code;
    chooser.apply(code);
    return code;
}

} // namespace SupplierLookupFlow
