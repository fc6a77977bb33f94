// SPDX-License-Identifier: GPL-3.0-or-later
#include "utilities/thorloge.h"

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

THorloge::THorloge(QWidget *parent) : BaseDialog(parent, BaseDialog::Placement::OverParent)
{
    setObjectName(QStringLiteral("Horloge"));
    setWindowTitle(QStringLiteral("Horloge"));
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::WindowText, Qt::white);
    setPalette(black);

    Label1 = makeDisplay(QStringLiteral("Label1"), 20, this);
    Label2 = makeDisplay(QStringLiteral("Label2"), 14, this);
    auto *label4 = new QLabel(this);
    label4->setObjectName(QStringLiteral("Label4"));
    label4->setFixedHeight(2);
    label4->setStyleSheet(QStringLiteral("QLabel { background: white; }"));

    auto *radioGroup = new QGroupBox(this);
    radioGroup->setObjectName(QStringLiteral("RadioGroup1"));
    // White bold letters; the mark of the chosen field stays dark on its white circle.
    QPalette letters = radioGroup->palette();
    letters.setColor(QPalette::WindowText, Qt::white);
    letters.setColor(QPalette::Text, Qt::black);
    letters.setColor(QPalette::Base, Qt::white);
    radioGroup->setPalette(letters);
    QFont bold = radioGroup->font();
    bold.setBold(true);
    radioGroup->setFont(bold);
    RadioGroup1 = new QButtonGroup(this);
    auto *radioLayout = new QGridLayout(radioGroup);
    const char *captions[] = {"Hr", "Mn", "Jo", "Mo", "An"};
    for (int i = 0; i < 5; ++i) {
        auto *radio = new QRadioButton(QString::fromLatin1(captions[i]), radioGroup);
        radio->setObjectName(QStringLiteral("RadioButton%1").arg(captions[i]));
        RadioGroup1->addButton(radio, i);
        radioLayout->addWidget(radio, i % 3, i / 3);
    }

    SpinButton1 = new SpinButton(this);
    SpinButton1->setObjectName(QStringLiteral("SpinButton1"));
    SpinButton1->setAccessibleName(QStringLiteral("Régler la valeur choisie"));
    Button2 = new QPushButton(QStringLiteral("Set"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setAutoDefault(false);
    Button1 = new QPushButton(QStringLiteral("Fermer"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);

    auto *label3 = new QLabel(QStringLiteral("QOR"), this);
    label3->setObjectName(QStringLiteral("Label3"));
    QFont brand(QStringLiteral("Arial"), 14, QFont::Bold);
    brand.setItalic(true);
    label3->setFont(brand);
    label3->setStyleSheet(QStringLiteral("QLabel { color: white; }"));

    auto *displays = new QVBoxLayout;
    displays->addWidget(Label1);
    displays->addWidget(label4);
    displays->addWidget(Label2);
    auto *controls = new QHBoxLayout;
    controls->addWidget(radioGroup);
    controls->addWidget(SpinButton1);
    controls->addWidget(Button2);
    auto *top = new QHBoxLayout;
    top->addLayout(displays);
    top->addLayout(controls);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(label3);
    bottom->addStretch();
    bottom->addWidget(Button1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);

    // Escape closes through QDialog's own handling, wherever the focus is.
    connect(Timer1, &QTimer::timeout, this, &THorloge::Timer1Timer);
    connect(Button1, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button2, &QPushButton::clicked, this, &THorloge::Button2Click);
    connect(SpinButton1, &SpinButton::upClicked, this, &THorloge::SpinButton1UpClick);
    connect(SpinButton1, &SpinButton::downClicked, this, &THorloge::SpinButton1DownClick);
    connect(RadioGroup1, &QButtonGroup::idClicked, this, &THorloge::fieldChosen);

    Setting.tick();
    refresh();
}

void THorloge::showEvent(QShowEvent *event)
{
    BaseDialog::showEvent(event);
    FormActivate();
}

void THorloge::hideEvent(QHideEvent *event)
{
    FormDeactivate();
    BaseDialog::hideEvent(event);
}

void THorloge::FormActivate()
{
    Setting.activate();
    refresh();
    Timer1->start();
}

void THorloge::FormDeactivate()
{
    Timer1->stop();
}

void THorloge::Timer1Timer()
{
    Setting.tick();
    refresh();
}

void THorloge::fieldChosen(int id)
{
    Setting.setField(static_cast<ClockSetting::Field>(id));
}

void THorloge::Button2Click()
{
    Application::run([this] {
        const Result<ClockSetting::Outcome> toggled = Setting.toggleSetting();
        if (!Application::succeeded(toggled))
            return;
        const ClockSetting::Outcome outcome = *toggled;
        refresh();
        Timer1->setInterval(1000);
        if (Setting.timerEnabled())
            Timer1->start();
        else
            Timer1->stop();
        if (outcome == ClockSetting::Outcome::Invalid)
            Prompts::warning(QStringLiteral("Date ou heure incorrecte"), Prompts::Buttons::Ok,
                             windowTitle());
        else if (outcome == ClockSetting::Outcome::Refused)
            Prompts::error(Setting.refusal(), windowTitle());
    });
}

void THorloge::SpinButton1UpClick()
{
    Application::run([this] {
        if (Application::succeeded(Setting.spinUp()))
            refresh();
    });
}

void THorloge::SpinButton1DownClick()
{
    Application::run([this] {
        if (Application::succeeded(Setting.spinDown()))
            refresh();
    });
}

void THorloge::refresh()
{
    Label1->setText(Setting.timeText());
    Label2->setText(Setting.dateText());
}
