// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/envelopepage.h"

namespace EnvelopePage {

PageItems build(const CompanyDetails &companyLines, const std::array<QString, 4> &addressLines)
{
    PageItems items;
    for (int i = 0; i < 4; ++i) {
        if (!companyLines[i].isEmpty())
            items << PageItem::textAt(5, 5 + 5 * i, companyLines[i], 10).within(PageItem::ToEdge);
    }
    for (int i = 0; i < 4; ++i) {
        if (!addressLines[i].isEmpty())
            items
                << PageItem::textAt(110, 50 + 5 * i, addressLines[i], 10).within(PageItem::ToEdge);
    }
    return items;
}

QString jobTitle(const std::array<QString, 4> &addressLines)
{
    return QString(QStringLiteral("Enveloppe ") + addressLines[0]).trimmed();
}

} // namespace EnvelopePage
