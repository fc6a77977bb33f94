// SPDX-License-Identifier: GPL-3.0-or-later
#include "utilities/clockwindow.h"

#include "core/prompts.h"
#include "gui/application.h"
#include "utilities/spinbutton.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QLabel *makeDisplay(const QString &name, int pointSize, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setLineWidth(2);
    QFont font(QStringLiteral("Arial"), pointSize, QFont::Bold);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("QLabel { color: white; }"));
    label->setMinimumWidth(QFontMetrics(font).horizontalAdvance(QStringLiteral("00/00/0000")) + 24);
    return label;
}

} // namespace

ClockWindow::ClockWindow(QWidget *parent) : BaseDialog(parent, BaseDialog::Placement::OverParent)
{
    setObjectName(QStringLiteral("ClockWindow"));
    setWindowTitle(QStringLiteral("Horloge"));
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::WindowText, Qt::white);
    setPalette(black);

    m_time = makeDisplay(QStringLiteral("Time"), 20, this);
    m_date = makeDisplay(QStringLiteral("Date"), 14, this);
    auto *label4 = new QLabel(this);
    label4->setObjectName(QStringLiteral("Face"));
    label4->setFixedHeight(2);
    label4->setStyleSheet(QStringLiteral("QLabel { background: white; }"));

    auto *radioGroup = new QGroupBox(this);
    radioGroup->setObjectName(QStringLiteral("Fields"));
    // White bold letters; the mark of the chosen field stays dark on its white circle.
    QPalette letters = radioGroup->palette();
    letters.setColor(QPalette::WindowText, Qt::white);
    letters.setColor(QPalette::Text, Qt::black);
    letters.setColor(QPalette::Base, Qt::white);
    radioGroup->setPalette(letters);
    QFont bold = radioGroup->font();
    bold.setBold(true);
    radioGroup->setFont(bold);
    m_fields = new QButtonGroup(this);
    auto *radioLayout = new QGridLayout(radioGroup);
    const char *captions[] = {"Hr", "Mn", "Jo", "Mo", "An"};
    for (int i = 0; i < 5; ++i) {
        auto *radio = new QRadioButton(QString::fromLatin1(captions[i]), radioGroup);
        radio->setObjectName(QStringLiteral("Field%1").arg(captions[i]));
        m_fields->addButton(radio, i);
        radioLayout->addWidget(radio, i % 3, i / 3);
    }

    m_adjustButton = new SpinButton(this);
    m_adjustButton->setObjectName(QStringLiteral("AdjustButton"));
    m_adjustButton->setAccessibleName(QStringLiteral("Régler la valeur choisie"));
    m_setButton = new QPushButton(QStringLiteral("Set"), this);
    m_setButton->setObjectName(QStringLiteral("SetButton"));
    m_setButton->setAutoDefault(false);
    m_closeButton = new QPushButton(QStringLiteral("Fermer"), this);
    m_closeButton->setObjectName(QStringLiteral("CloseButton"));
    m_closeButton->setAutoDefault(false);

    auto *label3 = new QLabel(QStringLiteral("QOR"), this);
    label3->setObjectName(QStringLiteral("Brand"));
    QFont brand(QStringLiteral("Arial"), 14, QFont::Bold);
    brand.setItalic(true);
    label3->setFont(brand);
    label3->setStyleSheet(QStringLiteral("QLabel { color: white; }"));

    auto *displays = new QVBoxLayout;
    displays->addWidget(m_time);
    displays->addWidget(label4);
    displays->addWidget(m_date);
    auto *controls = new QHBoxLayout;
    controls->addWidget(radioGroup);
    controls->addWidget(m_adjustButton);
    controls->addWidget(m_setButton);
    auto *top = new QHBoxLayout;
    top->addLayout(displays);
    top->addLayout(controls);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(label3);
    bottom->addStretch();
    bottom->addWidget(m_closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer"));
    m_timer->setInterval(1000);

    // Escape closes through QDialog's own handling, wherever the focus is.
    connect(m_timer, &QTimer::timeout, this, &ClockWindow::timerTicked);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_setButton, &QPushButton::clicked, this, &ClockWindow::setClicked);
    connect(m_adjustButton, &SpinButton::upClicked, this, &ClockWindow::increase);
    connect(m_adjustButton, &SpinButton::downClicked, this, &ClockWindow::decrease);
    connect(m_fields, &QButtonGroup::idClicked, this, &ClockWindow::fieldChosen);

    m_setting.tick();
    refresh();
}

void ClockWindow::showEvent(QShowEvent *event)
{
    BaseDialog::showEvent(event);
    prepareShowing();
}

void ClockWindow::hideEvent(QHideEvent *event)
{
    deactivated();
    BaseDialog::hideEvent(event);
}

void ClockWindow::prepareShowing()
{
    m_setting.activate();
    refresh();
    m_timer->start();
}

void ClockWindow::deactivated()
{
    m_timer->stop();
}

void ClockWindow::timerTicked()
{
    m_setting.tick();
    refresh();
}

void ClockWindow::fieldChosen(int id)
{
    m_setting.setField(static_cast<ClockSetting::Field>(id));
}

void ClockWindow::setClicked()
{
    Application::run([this] {
        const Result<ClockSetting::Outcome> toggled = m_setting.toggleSetting();
        if (!Application::succeeded(toggled))
            return;
        const ClockSetting::Outcome outcome = *toggled;
        refresh();
        m_timer->setInterval(1000);
        if (m_setting.timerEnabled())
            m_timer->start();
        else
            m_timer->stop();
        if (outcome == ClockSetting::Outcome::Invalid)
            Prompts::warning(QStringLiteral("Date ou heure incorrecte"), Prompts::Buttons::Ok,
                             windowTitle());
        else if (outcome == ClockSetting::Outcome::Refused)
            Prompts::error(m_setting.refusal(), windowTitle());
    });
}

void ClockWindow::increase()
{
    Application::run([this] {
        if (Application::succeeded(m_setting.spinUp()))
            refresh();
    });
}

void ClockWindow::decrease()
{
    Application::run([this] {
        if (Application::succeeded(m_setting.spinDown()))
            refresh();
    });
}

void ClockWindow::refresh()
{
    m_time->setText(m_setting.timeText());
    m_date->setText(m_setting.dateText());
}
