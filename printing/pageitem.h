// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// One drawing step of a printed page, in nominal millimetres from the top-left corner of the
// printable area. The page is a list of these, drawn once each in order.
struct PageItem {
    enum Kind { Text, Line, Rect };

    Kind kind = Text;
    int x = 0;
    int y = 0;
    int x2 = 0; // other end of a line, opposite corner of a rectangle
    int y2 = 0;
    QString text;
    int fontSize = 10; // points, Arial
    bool bold = false;
    bool rightAligned = false; // the text ends at x instead of starting there
    // The millimetres the text may take from x (up to x when right-aligned): 0 for as wide as
    // it is, ToEdge for up to the edge of the printable area. A wider text is drawn narrower,
    // down to MinStretch of its width, and beyond that cut with "…" unless it must stay whole
    // (a number loses no digit).
    int room = 0;
    bool keepWhole = false;

    static constexpr int ToEdge = -1;
    static constexpr double MinStretch = 0.7;

    static PageItem textAt(int x, int y, const QString &text, int size, bool bold = false)
    {
        PageItem item;
        item.x = x;
        item.y = y;
        item.text = text;
        item.fontSize = size;
        item.bold = bold;
        return item;
    }
    static PageItem textEndingAt(int x, int y, const QString &text, int size, bool bold = false)
    {
        PageItem item = textAt(x, y, text, size, bold);
        item.rightAligned = true;
        return item;
    }
    // The same text kept within `mm` millimetres (or PageItem::ToEdge).
    PageItem within(int mm, bool whole = false) const
    {
        PageItem item = *this;
        item.room = mm;
        item.keepWhole = whole;
        return item;
    }
    static PageItem line(int x1, int y1, int x2, int y2)
    {
        PageItem item;
        item.kind = Line;
        item.x = x1;
        item.y = y1;
        item.x2 = x2;
        item.y2 = y2;
        return item;
    }
    static PageItem rect(int x1, int y1, int x2, int y2)
    {
        PageItem item = line(x1, y1, x2, y2);
        item.kind = Rect;
        return item;
    }

    bool operator==(const PageItem &other) const = default;
};

using PageItems = QList<PageItem>;
// A printed document, page by page.
using Pages = QList<PageItems>;

// Millimetres to device pixels. The factor is a whole number of pixels per millimetre, taken
// before multiplying, so the layout keeps whole-pixel steps (and comes out slightly small on
// devices whose resolution is not a whole number of pixels per millimetre). Vertical positions
// are taken 5 mm lower, leaving room at the top of the printable area.
struct PageScale {
    int horizontal = 1;
    int vertical = 1;

    int deviceX(int x) const { return x * horizontal; }
    int deviceY(int y) const { return (y + 5) * vertical; }

    // A device reporting no physical size (0 mm) would divide by zero: it counts as 1 mm.
    static PageScale forDevice(int widthPx, int widthMm, int heightPx, int heightMm)
    {
        return {widthPx / qMax(1, widthMm), heightPx / qMax(1, heightMm)};
    }
};
