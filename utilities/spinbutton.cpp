// SPDX-License-Identifier: GPL-3.0-or-later
#include "utilities/spinbutton.h"

#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton *makeArrow(Qt::ArrowType arrow, const QString &name, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    // The style draws the arrow in the window's text colour: on a dark window it would vanish
    // on the light button, so the arrow takes the button's text colour.
    QPalette palette = button->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::ButtonText));
    button->setPalette(palette);
    button->setAutoRepeat(true);
    button->setAutoRepeatDelay(400);
    button->setAutoRepeatInterval(100);
    // The keys go to the spin button as a whole, not to one arrow.
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    return button;
}

} // namespace

SpinButton::SpinButton(QWidget *parent)
    : QWidget(parent), m_up(makeArrow(Qt::UpArrow, QStringLiteral("UpButton"), this)),
      m_down(makeArrow(Qt::DownArrow, QStringLiteral("DownButton"), this))
{
    setFocusPolicy(Qt::StrongFocus);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    connect(m_up, &QToolButton::clicked, this, &SpinButton::upClicked);
    connect(m_down, &QToolButton::clicked, this, &SpinButton::downClicked);
}

void SpinButton::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        m_up->click();
        break;
    case Qt::Key_Down:
        m_down->click();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}
