// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QAbstractItemModel;
class BarChart;
class QPagedPaintDevice;
class QPainter;

// The report on paper: a title, what it covers, the table (its headings again on each further
// page) and the chart under it, or on a page of its own when the table leaves too little room.
namespace ReportPrint {

struct Content {
    QString title;
    QString subtitle;
    QString note; // a line under the subtitle, when not empty
    const QAbstractItemModel *table = nullptr;
    const BarChart *chart = nullptr; // drawn as it stands on screen; none on the VAT page
};

// Draws on a painter begun on `device`; false when a further page could not be started.
bool draw(QPainter &painter, QPagedPaintDevice &device, const Content &content);

} // namespace ReportPrint
