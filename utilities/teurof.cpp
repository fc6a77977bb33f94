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

    m_label1 = makeDisplay(QStringLiteral("Label1"), this);
    m_label2 = makeDisplay(QStringLiteral("Label2"), this);

    m_edit3 = new QLineEdit(this);
    m_edit3->setObjectName(QStringLiteral("Edit3"));
    m_edit3->setReadOnly(true);
    m_edit3->setFocusPolicy(Qt::ClickFocus); // not in the Tab order
    m_spinButton1 = new SpinButton(this);
    m_spinButton1->setObjectName(QStringLiteral("SpinButton1"));
    auto *rateRow = new QHBoxLayout;
    rateRow->addWidget(m_edit3);
    rateRow->addWidget(m_spinButton1);

    auto *frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("GroupBox1"));
    m_radioButton1 = new QRadioButton(QStringLiteral("Fr>Euro"), frame);
    m_radioButton1->setObjectName(QStringLiteral("RadioButton1"));
    m_radioButton2 = new QRadioButton(QStringLiteral("Euro>Fr"), frame);
    m_radioButton2->setObjectName(QStringLiteral("RadioButton2"));
    m_radioButton1->setChecked(true);
    auto *frameLayout = new QHBoxLayout(frame);
    frameLayout->addWidget(m_radioButton1);
    frameLayout->addWidget(m_radioButton2);

    auto *keypad = new QGridLayout;
    const auto addKey = [&](const QString &name, const QString &caption, int row, int column) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::NoFocus); // typing goes on where it was
        keypad->addWidget(button, row, column);
        return button;
    };
    for (int d = 0; d <= 9; ++d) {
        const int row = d == 0 ? 3 : 2 - (d - 1) / 3;
        const int column = d == 0 ? 0 : (d - 1) % 3;
        QPushButton *button =
            addKey(QStringLiteral("Button%1").arg(d), QString::number(d), row, column);
        const QChar digit = QLatin1Char(char('0' + d));
        connect(button, &QPushButton::clicked, this, [this, digit] { keypadClick(digit); });
    }
    QPushButton *comma = addKey(QStringLiteral("Button12"), QStringLiteral(","), 3, 1);
    connect(comma, &QPushButton::clicked, this, [this] { keypadClick(QLatin1Char(',')); });

    m_button11 = new QPushButton(QStringLiteral("="), this);
    m_button11->setObjectName(QStringLiteral("Button11"));
    m_button11->setAutoDefault(false);
    keypad->addWidget(m_button11, 3, 2);
    m_button10 = new QPushButton(QStringLiteral("Fermer"), this);
    m_button10->setObjectName(QStringLiteral("Button10"));
    m_button10->setAutoDefault(false);
    keypad->addWidget(m_button10, 4, 0, 1, 3);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_label1);
    layout->addWidget(m_label2);
    layout->addLayout(rateRow);
    layout->addWidget(frame);
    layout->addLayout(keypad);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(m_button11, m_button10);
    m_button10->installEventFilter(this);
    m_button11->installEventFilter(this);

    connect(m_button11, &QPushButton::clicked, this, &TEurof::Button11Click);
    connect(m_button10, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_spinButton1, &SpinButton::upClicked, this, &TEurof::SpinButton1UpClick);
    connect(m_spinButton1, &SpinButton::downClicked, this, &TEurof::SpinButton1DownClick);
    connect(m_radioButton1, &QRadioButton::toggled, this, &TEurof::directionChosen);

    refresh();
}

void TEurof::GetIni(Real &rate, int &direction) const
{
    m_converter.getIni(rate, direction);
}

void TEurof::SetIni(Real rate, int direction)
{
    m_converter.setIni(rate, direction);
    const bool francs = m_converter.direction() == EuroConverter::FrancsToEuros;
    m_radioButton1->setChecked(francs);
    m_radioButton2->setChecked(!francs);
    refresh();
}

void TEurof::showEvent(QShowEvent *event)
{
    BaseDialog::showEvent(event);
    m_converter.activate();
    refresh();
    m_button11->setFocus();
}

// The window's own keys, and what the other controls pass up. Only the window and its two
// command buttons type into the entry; Escape closes from anywhere.
void TEurof::keyPressEvent(QKeyEvent *event)
{
    QWidget *focus = focusWidget();
    const bool bound = !focus || focus == this || focus == m_button10 || focus == m_button11;
    const QChar key = keyChar(event);
    if (key.isNull() || (!bound && key != QChar(EuroConverter::Escape))) {
        event->ignore();
        return;
    }
    FormKeyPress(key);
}

bool TEurof::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_button10 || watched == m_button11) && event->type() == QEvent::KeyPress) {
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
    const bool closes = m_converter.keyPress(key);
    refresh();
    if (closes)
        reject();
}

void TEurof::keypadClick(QChar digit)
{
    m_converter.keypad(digit);
    refresh();
}

void TEurof::Button11Click()
{
    m_converter.convert();
    refresh();
}

void TEurof::SpinButton1UpClick()
{
    m_converter.spinUp();
    refresh();
}

void TEurof::SpinButton1DownClick()
{
    m_converter.spinDown();
    refresh();
}

void TEurof::directionChosen()
{
    m_converter.setDirection(m_radioButton2->isChecked() ? EuroConverter::EurosToFrancs
                                                         : EuroConverter::FrancsToEuros);
}

void TEurof::refresh()
{
    m_label1->setText(m_converter.entry());
    m_label2->setText(m_converter.result());
    m_edit3->setText(m_converter.rateText());
}
