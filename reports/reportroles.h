// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <Qt>

// What the report's tables give beyond their texts, for exports and for the views.
namespace ReportRoles {
enum Role {
    Cents = Qt::UserRole + 1, // an amount as a number of cents (qint64); none for an empty cell
    Percent,                  // a change in per cent (double)
    Emphasis,                 // a row of totals (bool)
    ExportHeader,             // a column's heading in an exported file, with its unit
    BlockIndex,               // the order a row stands for (int)
};
} // namespace ReportRoles
