// SPDX-License-Identifier: GPL-3.0-or-later
#include "utilities/teurof.h"

#include "utilities/spinbutton.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QLabel *makeDisplay(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumWidth(180);
    label->setMinimumHeight(label->fontMetrics().height() + 8);
    return label;
}

// The character a key gives the window's key handler, or a null QChar for keys that type
// nothing (arrows, Tab, function keys).
QChar keyChar(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(EuroConverter::Enter);
    case Qt::Key_Escape:
        return QChar(EuroConverter::Escape);
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return QChar();
    default:
        break;
    }
    const QString text = event->text();
    return text.size() == 1 ? text.at(0) : QChar();
}

} // namespace

TEurof::TEurof(QWidget *parent) : BaseDialog(parent, BaseDialog::Placement::ScreenCentreOnce)
{
    setObjectName(QStringLiteral("Eurof"));
    setWindowTitle(QStringLiteral("Euro convertisseur"));

    Label1 = makeDisplay(QStringLiteral("Label1"), this);
    Label2 = makeDisplay(QStringLiteral("Label2"), this);

    Edit3 = new QLineEdit(this);
    Edit3->setObjectName(QStringLiteral("Edit3"));
    Edit3->setReadOnly(true);
    Edit3->setFocusPolicy(Qt::ClickFocus); // not in the Tab order
    SpinButton1 = new SpinButton(this);
    SpinButton1->setObjectName(QStringLiteral("SpinButton1"));
    SpinButton1->setAccessibleName(QStringLiteral("Changer le taux"));
    auto *rateRow = new QHBoxLayout;
    rateRow->addWidget(Edit3);
    rateRow->addWidget(SpinButton1);

    auto *frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("GroupBox1"));
    RadioButton1 = new QRadioButton(QStringLiteral("Fr>Euro"), frame);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton2 = new QRadioButton(QStringLiteral("Euro>Fr"), frame);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    RadioButton1->setChecked(true);
    auto *frameLayout = new QHBoxLayout(frame);
    frameLayout->addWidget(RadioButton1);
    frameLayout->addWidget(RadioButton2);

    auto *keypad = new QGridLayout;
    const auto addKey = [&](const QString &name, const QString &caption, int row, int column) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::NoFocus); // typing goes on where it was
        keypad->addWidget(button, row, column);
        return button;
    };
    void (TEurof::*const digitClicks[])() = {
        &TEurof::Button0Click, &TEurof::Button1Click, &TEurof::Button2Click, &TEurof::Button3Click,
        &TEurof::Button4Click, &TEurof::Button5Click, &TEurof::Button6Click, &TEurof::Button7Click,
        &TEurof::Button8Click, &TEurof::Button9Click};
    for (int d = 0; d <= 9; ++d) {
        const int row = d == 0 ? 3 : 2 - (d - 1) / 3;
        const int column = d == 0 ? 0 : (d - 1) % 3;
        QPushButton *button =
            addKey(QStringLiteral("Button%1").arg(d), QString::number(d), row, column);
        connect(button, &QPushButton::clicked, this, digitClicks[d]);
    }
    QPushButton *comma = addKey(QStringLiteral("Button12"), QStringLiteral(","), 3, 1);
    connect(comma, &QPushButton::clicked, this, &TEurof::Button12Click);

    Button11 = new QPushButton(QStringLiteral("="), this);
    Button11->setObjectName(QStringLiteral("Button11"));
    Button11->setAutoDefault(false);
    keypad->addWidget(Button11, 3, 2);
    Button10 = new QPushButton(QStringLiteral("Fermer"), this);
    Button10->setObjectName(QStringLiteral("Button10"));
    Button10->setAutoDefault(false);
    keypad->addWidget(Button10, 4, 0, 1, 3);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addLayout(rateRow);
    layout->addWidget(frame);
    layout->addLayout(keypad);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(Button11, Button10);
    Button10->installEventFilter(this);
    Button11->installEventFilter(this);

    connect(Button11, &QPushButton::clicked, this, &TEurof::Button11Click);
    connect(Button10, &QPushButton::clicked, this, &TEurof::Button10Click);
    connect(SpinButton1, &SpinButton::upClicked, this, &TEurof::SpinButton1UpClick);
    connect(SpinButton1, &SpinButton::downClicked, this, &TEurof::SpinButton1DownClick);
    connect(RadioButton1, &QRadioButton::toggled, this, &TEurof::directionChosen);

    refresh();
}

void TEurof::GetIni(Real &rate, int &direction) const
{
    Converter.getIni(rate, direction);
}

void TEurof::SetIni(Real rate, int direction)
{
    Converter.setIni(rate, direction);
    const bool francs = Converter.direction() == EuroConverter::FrancsToEuros;
    RadioButton1->setChecked(francs);
    RadioButton2->setChecked(!francs);
    refresh();
}

void TEurof::showEvent(QShowEvent *event)
{
    BaseDialog::showEvent(event);
    FormActivate();
}

void TEurof::FormActivate()
{
    Converter.activate();
    refresh();
    Button11->setFocus();
}

// The window's own keys, and what the other controls pass up. Only the window and its two
// command buttons type into the entry; Escape closes from anywhere.
void TEurof::keyPressEvent(QKeyEvent *event)
{
    QWidget *focus = focusWidget();
    const bool bound = !focus || focus == this || focus == Button10 || focus == Button11;
    const QChar key = keyChar(event);
    if (key.isNull() || (!bound && key != QChar(EuroConverter::Escape))) {
        event->ignore();
        return;
    }
    FormKeyPress(key);
}

bool TEurof::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == Button10 || watched == Button11) && event->type() == QEvent::KeyPress) {
        const QChar key = keyChar(static_cast<QKeyEvent *>(event));
        if (!key.isNull()) {
            FormKeyPress(key);
            // Space still presses the button, as it always does.
            return key != QLatin1Char(' ');
        }
    }
    return BaseDialog::eventFilter(watched, event);
}

void TEurof::FormKeyPress(QChar key)
{
    const bool closes = Converter.keyPress(key);
    refresh();
    if (closes)
        reject();
}

void TEurof::keypad(QChar digit)
{
    Converter.keypad(digit);
    refresh();
}

void TEurof::Button10Click()
{
    reject();
}

void TEurof::Button11Click()
{
    Converter.convert();
    refresh();
}

void TEurof::SpinButton1UpClick()
{
    Converter.spinUp();
    refresh();
}

void TEurof::SpinButton1DownClick()
{
    Converter.spinDown();
    refresh();
}

void TEurof::directionChosen()
{
    Converter.setDirection(RadioButton2->isChecked() ? EuroConverter::EurosToFrancs
                                                     : EuroConverter::FrancsToEuros);
}

void TEurof::refresh()
{
    Label1->setText(Converter.entry());
    Label2->setText(Converter.result());
    Edit3->setText(Converter.rateText());
}
