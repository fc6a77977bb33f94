// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <optional>

// Where the main window stood when it was closed, kept in the user's settings of the program.
struct WindowPlace {
    QString screen; // the screen's name
    QRect normal;   // the window's own area when not maximised
    bool maximized = false;

    struct Screen {
        QString name;
        QRect available; // the screen's area without its panels
    };

    // The place kept at the last close, if any.
    static std::optional<WindowPlace> load();
    void save() const;

    // The area the window takes back among `screens` (the primary first): its own on its
    // screen, pulled inside that screen when it now sticks out; when its screen is gone,
    // centred on the primary screen. Never larger than the screen it goes to.
    QRect placed(const QList<Screen> &screens) const;
};
