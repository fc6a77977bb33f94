// SPDX-License-Identifier: GPL-3.0-or-later
#include "suppliers/supplierlookupflow.h"

#include "suppliers/supplierentrydialog.h"
#include "suppliers/supplierlistdialog.h"

namespace SupplierLookupFlow {

namespace {

SupplierLookup::EnterSupplier quickEntry(SupplierEntryDialog &dialog)
{
    return [&dialog](const QString &code) {
        dialog.Init(code);
        dialog.exec();
        std::array<QString, 4> typed;
        dialog.Result(typed);
        return typed;
    };
}

} // namespace

bool lookUpSupplier(QString &code, std::array<QString, 4> &address, SupplierBook &book,
                    SupplierEntryDialog &dialog)
{
    return lookUpSupplier(code, address, book, dialog, book.SupplierPicked);
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
    book.SupplierPicked = true;
    chooser.Init(book.SupplierLines);
    chooser.exec();
    QString code;
    chooser.Result(code);
    return code;
}

} // namespace SupplierLookupFlow
