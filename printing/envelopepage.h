// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/pageitem.h"
#include "suppliers/company.h"

#include <array>

// The envelope: the company's first four letterhead lines top left, the supplier's address
// further right and lower, each kept within the envelope's printable area. The same whatever
// paper the order is printed on.
namespace EnvelopePage {

PageItems build(const CompanyDetails &companyLines, const std::array<QString, 4> &addressLines);

// The name of the print job: the supplier's name, the first address line.
QString jobTitle(const std::array<QString, 4> &addressLines);

} // namespace EnvelopePage
