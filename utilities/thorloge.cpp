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

THorloge::THorloge(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Horloge"));
    setWindowTitle(QStringLiteral("Horloge"));
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::WindowText, Qt::white);
    setPalette(black);

    m_label1 = makeDisplay(QStringLiteral("Label1"), 20, this);
    m_label2 = makeDisplay(QStringLiteral("Label2"), 14, this);
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
    m_radioGroup1 = new QButtonGroup(this);
    auto *radioLayout = new QGridLayout(radioGroup);
    const char *captions[] = {"Hr", "Mn", "Jo", "Mo", "An"};
    for (int i = 0; i < 5; ++i) {
        auto *radio = new QRadioButton(QString::fromLatin1(captions[i]), radioGroup);
        radio->setObjectName(QStringLiteral("RadioButton%1").arg(captions[i]));
        m_radioGroup1->addButton(radio, i);
        radioLayout->addWidget(radio, i % 3, i / 3);
    }

    m_spinButton1 = new SpinButton(this);
    m_spinButton1->setObjectName(QStringLiteral("SpinButton1"));
    m_button2 = new QPushButton(QStringLiteral("Set"), this);
    m_button2->setObjectName(QStringLiteral("Button2"));
    m_button2->setAutoDefault(false);
    m_button1 = new QPushButton(QStringLiteral("Fermer"), this);
    m_button1->setObjectName(QStringLiteral("Button1"));
    m_button1->setAutoDefault(false);

    auto *label3 = new QLabel(QStringLiteral("QOR"), this);
    label3->setObjectName(QStringLiteral("Label3"));
    QFont brand(QStringLiteral("Arial"), 14, QFont::Bold);
    brand.setItalic(true);
    label3->setFont(brand);
    label3->setStyleSheet(QStringLiteral("QLabel { color: white; }"));

    auto *displays = new QVBoxLayout;
    displays->addWidget(m_label1);
    displays->addWidget(label4);
    displays->addWidget(m_label2);
    auto *controls = new QHBoxLayout;
    controls->addWidget(radioGroup);
    controls->addWidget(m_spinButton1);
    controls->addWidget(m_button2);
    auto *top = new QHBoxLayout;
    top->addLayout(displays);
    top->addLayout(controls);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(label3);
    bottom->addStretch();
    bottom->addWidget(m_button1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(1000);

    // Escape closes through QDialog's own handling, wherever the focus is.
    connect(m_timer1, &QTimer::timeout, this, &THorloge::Timer1Timer);
    connect(m_button1, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_button2, &QPushButton::clicked, this, &THorloge::Button2Click);
    connect(m_spinButton1, &SpinButton::upClicked, this, &THorloge::SpinButton1UpClick);
    connect(m_spinButton1, &SpinButton::downClicked, this, &THorloge::SpinButton1DownClick);
    connect(m_radioGroup1, &QButtonGroup::idClicked, this, &THorloge::fieldChosen);

    m_setting.tick();
    refresh();
}

void THorloge::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void THorloge::hideEvent(QHideEvent *event)
{
    FormDeactivate();
    QDialog::hideEvent(event);
}

void THorloge::FormActivate()
{
    m_setting.activate();
    refresh();
    m_timer1->start();
}

void THorloge::FormDeactivate()
{
    m_timer1->stop();
}

void THorloge::Timer1Timer()
{
    m_setting.tick();
    refresh();
}

void THorloge::fieldChosen(int id)
{
    m_setting.setField(static_cast<ClockSetting::Field>(id));
}

void THorloge::Button2Click()
{
    Application::run([this] {
        const Result<ClockSetting::Outcome> toggled = m_setting.toggleSetting();
        if (!Application::succeeded(toggled))
            return;
        const ClockSetting::Outcome outcome = *toggled;
        refresh();
        m_timer1->setInterval(1000);
        if (m_setting.timerEnabled())
            m_timer1->start();
        else
            m_timer1->stop();
        if (outcome == ClockSetting::Outcome::Invalid)
            Prompts::warning(QStringLiteral("Date ou heure incorrecte"), Prompts::Buttons::Ok,
                             windowTitle());
        else if (outcome == ClockSetting::Outcome::Refused)
            Prompts::error(m_setting.refusal(), windowTitle());
    });
}

void THorloge::SpinButton1UpClick()
{
    Application::run([this] {
        if (Application::succeeded(m_setting.spinUp()))
            refresh();
    });
}

void THorloge::SpinButton1DownClick()
{
    Application::run([this] {
        if (Application::succeeded(m_setting.spinDown()))
            refresh();
    });
}

void THorloge::refresh()
{
    m_label1->setText(m_setting.timeText());
    m_label2->setText(m_setting.dateText());
}
