// SPDX-License-Identifier: GPL-3.0-or-later
#include "utilities/euroconverterwindow.h"

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

EuroConverterWindow::EuroConverterWindow(QWidget *parent)
    : BaseDialog(parent, BaseDialog::Placement::ScreenCentreOnce)
{
    setObjectName(QStringLiteral("EuroConverterWindow"));
    setWindowTitle(QStringLiteral("Euro convertisseur"));

    m_entry = makeDisplay(QStringLiteral("Entry"), this);
    m_result = makeDisplay(QStringLiteral("ConvertedAmount"), this);

    m_rate = new QLineEdit(this);
    m_rate->setObjectName(QStringLiteral("Rate"));
    m_rate->setReadOnly(true);
    m_rate->setFocusPolicy(Qt::ClickFocus); // not in the Tab order
    m_rateButton = new SpinButton(this);
    m_rateButton->setObjectName(QStringLiteral("RateButton"));
    m_rateButton->setAccessibleName(QStringLiteral("Changer le taux"));
    auto *rateRow = new QHBoxLayout;
    rateRow->addWidget(m_rate);
    rateRow->addWidget(m_rateButton);

    auto *frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("Direction"));
    m_francsToEuros = new QRadioButton(QStringLiteral("Fr>Euro"), frame);
    m_francsToEuros->setObjectName(QStringLiteral("FrancsToEuros"));
    m_eurosToFrancs = new QRadioButton(QStringLiteral("Euro>Fr"), frame);
    m_eurosToFrancs->setObjectName(QStringLiteral("EurosToFrancs"));
    m_francsToEuros->setChecked(true);
    auto *frameLayout = new QHBoxLayout(frame);
    frameLayout->addWidget(m_francsToEuros);
    frameLayout->addWidget(m_eurosToFrancs);

    auto *keypad = new QGridLayout;
    const auto addKey = [&](const QString &name, const QString &caption, int row, int column) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::NoFocus); // typing goes on where it was
        keypad->addWidget(button, row, column);
        return button;
    };
    void (EuroConverterWindow::*const digitClicks[])() = {
        &EuroConverterWindow::digit0Clicked, &EuroConverterWindow::digit1Clicked,
        &EuroConverterWindow::digit2Clicked, &EuroConverterWindow::digit3Clicked,
        &EuroConverterWindow::digit4Clicked, &EuroConverterWindow::digit5Clicked,
        &EuroConverterWindow::digit6Clicked, &EuroConverterWindow::digit7Clicked,
        &EuroConverterWindow::digit8Clicked, &EuroConverterWindow::digit9Clicked};
    for (int d = 0; d <= 9; ++d) {
        const int row = d == 0 ? 3 : 2 - (d - 1) / 3;
        const int column = d == 0 ? 0 : (d - 1) % 3;
        QPushButton *button =
            addKey(QStringLiteral("Key%1").arg(d), QString::number(d), row, column);
        connect(button, &QPushButton::clicked, this, digitClicks[d]);
    }
    QPushButton *comma = addKey(QStringLiteral("CommaKey"), QStringLiteral(","), 3, 1);
    connect(comma, &QPushButton::clicked, this, &EuroConverterWindow::commaClicked);

    m_convertButton = new QPushButton(QStringLiteral("="), this);
    m_convertButton->setObjectName(QStringLiteral("ConvertButton"));
    m_convertButton->setAutoDefault(false);
    keypad->addWidget(m_convertButton, 3, 2);
    m_closeButton = new QPushButton(QStringLiteral("Fermer"), this);
    m_closeButton->setObjectName(QStringLiteral("CloseButton"));
    m_closeButton->setAutoDefault(false);
    keypad->addWidget(m_closeButton, 4, 0, 1, 3);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_entry);
    layout->addWidget(m_result);
    layout->addLayout(rateRow);
    layout->addWidget(frame);
    layout->addLayout(keypad);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(m_convertButton, m_closeButton);
    m_closeButton->installEventFilter(this);
    m_convertButton->installEventFilter(this);

    connect(m_convertButton, &QPushButton::clicked, this, &EuroConverterWindow::convertClicked);
    connect(m_closeButton, &QPushButton::clicked, this, &EuroConverterWindow::closeClicked);
    connect(m_rateButton, &SpinButton::upClicked, this, &EuroConverterWindow::rateUp);
    connect(m_rateButton, &SpinButton::downClicked, this, &EuroConverterWindow::rateDown);
    connect(m_francsToEuros, &QRadioButton::toggled, this, &EuroConverterWindow::directionChosen);

    refresh();
}

void EuroConverterWindow::rateAndDirection(Real &rate, int &direction) const
{
    m_converter.getIni(rate, direction);
}

void EuroConverterWindow::setRateAndDirection(Real rate, int direction)
{
    m_converter.setIni(rate, direction);
    const bool francs = m_converter.direction() == EuroConverter::FrancsToEuros;
    m_francsToEuros->setChecked(francs);
    m_eurosToFrancs->setChecked(!francs);
    refresh();
}

void EuroConverterWindow::showEvent(QShowEvent *event)
{
    BaseDialog::showEvent(event);
    prepareShowing();
}

void EuroConverterWindow::prepareShowing()
{
    m_converter.activate();
    refresh();
    m_convertButton->setFocus();
}

// The window's own keys, and what the other controls pass up. Only the window and its two
// command buttons type into the entry; Escape closes from anywhere.
void EuroConverterWindow::keyPressEvent(QKeyEvent *event)
{
    QWidget *focus = focusWidget();
    const bool bound =
        !focus || focus == this || focus == m_closeButton || focus == m_convertButton;
    const QChar key = keyChar(event);
    if (key.isNull() || (!bound && key != QChar(EuroConverter::Escape))) {
        event->ignore();
        return;
    }
    typeKey(key);
}

bool EuroConverterWindow::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_closeButton || watched == m_convertButton) &&
        event->type() == QEvent::KeyPress) {
        const QChar key = keyChar(static_cast<QKeyEvent *>(event));
        if (!key.isNull()) {
            typeKey(key);
            // Space still presses the button, as it always does.
            return key != QLatin1Char(' ');
        }
    }
    return BaseDialog::eventFilter(watched, event);
}

void EuroConverterWindow::typeKey(QChar key)
{
    const bool closes = m_converter.keyPress(key);
    refresh();
    if (closes)
        reject();
}

void EuroConverterWindow::keypad(QChar digit)
{
    m_converter.keypad(digit);
    refresh();
}

void EuroConverterWindow::closeClicked()
{
    reject();
}

void EuroConverterWindow::convertClicked()
{
    m_converter.convert();
    refresh();
}

void EuroConverterWindow::rateUp()
{
    m_converter.spinUp();
    refresh();
}

void EuroConverterWindow::rateDown()
{
    m_converter.spinDown();
    refresh();
}

void EuroConverterWindow::directionChosen()
{
    m_converter.setDirection(m_eurosToFrancs->isChecked() ? EuroConverter::EurosToFrancs
                                                          : EuroConverter::FrancsToEuros);
}

void EuroConverterWindow::refresh()
{
    m_entry->setText(m_converter.entry());
    m_result->setText(m_converter.result());
    m_rate->setText(m_converter.rateText());
}
