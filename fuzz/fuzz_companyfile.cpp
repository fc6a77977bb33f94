// SPDX-License-Identifier: GPL-3.0-or-later
// Any company file gives seven letterhead lines that save and read back unchanged, apart from
// the control characters inside a line, which the writer turns into spaces.

#include "core/textfile.h"
#include "fuzzsupport.h"
#include "suppliers/company.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::setUp();
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    Fuzz::require(TextFile::writeBytes(Company::FileName, bytes).ok(), "cannot write the input");

    Company company;
    company.loadCompany();
    CompanyDetails parsed;
    Company::parse(bytes, parsed);
    Fuzz::require(company.details == parsed, "file read otherwise than its bytes");
    Fuzz::require(company.saveCompany().ok(), "save failed");
    CompanyDetails expected = company.details;
    for (QString &line : expected)
        line = TextFile::oneLine(line);
    Company again;
    again.loadCompany();
    Fuzz::require(again.details == expected, "saved file reads back otherwise");
    return 0;
}
