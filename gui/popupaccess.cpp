// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/popupaccess.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QList>
#include <QMenu>
#include <QPointer>

namespace {

struct Owned {
    QList<QPointer<QWidget>> lent;
};

QHash<const QObject *, Owned> &owners()
{
    static QHash<const QObject *, Owned> table;
    return table;
}

class OwnerAccessible : public QAccessibleWidget {
public:
    explicit OwnerAccessible(QWidget *owner) : QAccessibleWidget(owner) {}

    int childCount() const override { return QAccessibleWidget::childCount() + popups().size(); }

    QAccessibleInterface *child(int index) const override
    {
        const int own = QAccessibleWidget::childCount();
        if (index < own)
            return QAccessibleWidget::child(index);
        const QList<QWidget *> shown = popups();
        return index - own < shown.size()
                   ? QAccessible::queryAccessibleInterface(shown[index - own])
                   : nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const int at = child ? int(popups().indexOf(child->object())) : -1;
        return at >= 0 ? QAccessibleWidget::childCount() + at
                       : QAccessibleWidget::indexOfChild(child);
    }

private:
    // The shown ones, menus (submenus included) first.
    QList<QWidget *> popups() const
    {
        QList<QWidget *> shown;
        for (QMenu *menu : widget()->findChildren<QMenu *>())
            if (menu->isVisible())
                shown << menu;
        for (const QPointer<QWidget> &popup : owners().value(widget()).lent)
            if (popup && popup->isVisible())
                shown << popup;
        return shown;
    }
};

QAccessibleInterface *ownerFactory(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    return widget && owners().contains(widget) ? new OwnerAccessible(widget) : nullptr;
}

} // namespace

void PopupAccess::install(QWidget *owner)
{
    static const bool installed = [] {
        QAccessible::installFactory(ownerFactory);
        return true;
    }();
    Q_UNUSED(installed);
    if (owners().contains(owner))
        return;
    owners().insert(owner, {});
    QObject::connect(owner, &QObject::destroyed, [owner] { owners().remove(owner); });
    // An interface made before (while the widget was being built) gives way to the owner's.
    QAccessibleInterface *made = QAccessible::queryAccessibleInterface(owner);
    if (made && !dynamic_cast<OwnerAccessible *>(made))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void PopupAccess::lend(QWidget *owner, QWidget *popup)
{
    install(owner);
    owners()[owner].lent << popup;
}
