// SPDX-License-Identifier: GPL-3.0-or-later
#include "suppliers/supplierlookupflow.h"

#include "suppliers/tffour.h"
#include "suppliers/tlistefour.h"

namespace SupplierLookupFlow {

namespace {

SupplierLookup::EnterSupplier quickEntry(TFFour &dialog)
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

bool ChercheFour(QString &code, std::array<QString, 4> &address, SupplierBook &book, TFFour &dialog)
{
    return ChercheFour(code, address, book, dialog, book.SupplierPicked);
}

bool ChercheFour(QString &code, std::array<QString, 4> &address, SupplierBook &book, TFFour &dialog,
                 bool supplierPicked)
{
    return SupplierLookup::ChercheFour(code, address, book, supplierPicked, quickEntry(dialog),
                                       Prompts::ask);
}

bool Edit1Exit(QString &code, std::array<QString, 4> &address, SupplierBook &book, TFFour &dialog)
{
    return SupplierLookup::codeFieldExit(code, address, book, quickEntry(dialog), Prompts::ask);
}

QString pickSupplier(TListeFour &chooser, SupplierBook &book)
{
    book.SupplierPicked = true;
    chooser.Init(book.SupplierLines);
    chooser.exec();
    QString code;
    chooser.Result(code);
    return code;
}

} // namespace SupplierLookupFlow
