// SPDX-License-Identifier: GPL-3.0-or-later
// Any supplier file reads, saves and reads back the same lines, and every record in it can be
// looked up by its code.

#include "core/textfile.h"
#include "fuzzsupport.h"
#include "suppliers/supplierbook.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::setUp();
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    Fuzz::require(TextFile::writeBytes(SupplierBook::FileName, bytes).ok(),
                  "cannot write the input");

    SupplierBook book;
    Fuzz::require(book.loadSuppliers().ok(), "file not read");
    Fuzz::require(book.fileLines == TextFile::splitLines(bytes), "lines read otherwise");
    for (qsizetype i = 0; i < book.fileLines.size(); ++i) {
        const QString &line = book.fileLines.at(i);
        if (!SupplierBook::isSupplierHeader(line))
            continue;
        const qsizetype found = book.find(line.mid(5));
        Fuzz::require(found >= 0 && found <= i, "record not found by its code", line);
        Fuzz::require(book.record(found).code.compare(line.mid(5), Qt::CaseInsensitive) == 0,
                      "record found under another code", line);
    }

    const QStringList lines = book.fileLines;
    book.modified = true;
    Fuzz::require(book.saveSuppliers().ok(), "save failed");
    SupplierBook again;
    Fuzz::require(again.loadSuppliers().ok(), "saved file not read");
    Fuzz::require(again.fileLines == lines, "saved file reads back otherwise");
    return 0;
}
