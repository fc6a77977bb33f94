// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windowplace.h"

#include "app/usersettings.h"

namespace {

const QString Group = QStringLiteral("FenetrePrincipale");

} // namespace

std::optional<WindowPlace> WindowPlace::load()
{
    QSettings settings = userSettings();
    settings.beginGroup(Group);
    WindowPlace place;
    place.screen = settings.value(QStringLiteral("Ecran")).toString();
    place.normal = settings.value(QStringLiteral("Position")).toRect();
    place.maximized = settings.value(QStringLiteral("Agrandie")).toBool();
    if (!place.normal.isValid())
        return std::nullopt;
    return place;
}

void WindowPlace::save() const
{
    QSettings settings = userSettings();
    settings.beginGroup(Group);
    settings.setValue(QStringLiteral("Ecran"), screen);
    settings.setValue(QStringLiteral("Position"), normal);
    settings.setValue(QStringLiteral("Agrandie"), maximized);
}

QRect WindowPlace::placed(const QList<Screen> &screens) const
{
    if (screens.isEmpty())
        return normal;
    auto on = screens.cbegin();
    while (on != screens.cend() && on->name != screen)
        ++on;
    const bool screenGone = on == screens.cend();
    const QRect area = screenGone ? screens.first().available : on->available;
    QRect result(normal.topLeft(), normal.size().boundedTo(area.size()));
    if (screenGone) {
        result.moveCenter(area.center());
        return result;
    }
    // Pulled inside the screen, right and bottom edges first so that the title bar stays in.
    if (result.right() > area.right())
        result.moveRight(area.right());
    if (result.bottom() > area.bottom())
        result.moveBottom(area.bottom());
    if (result.left() < area.left())
        result.moveLeft(area.left());
    if (result.top() < area.top())
        result.moveTop(area.top());
    return result;
}
