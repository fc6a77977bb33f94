// SPDX-License-Identifier: GPL-3.0-or-later
#include "utilities/pocketcalculatorwindow.h"

#include "gui/application.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct KeyCap {
    int key;
    const char *caption;
    int row;
    int column;
};

constexpr KeyCap Keypad[] = {
    {7, "7", 0, 0},  {8, "8", 0, 1}, {9, "9", 0, 2},  {12, "+", 0, 3}, {16, "1/x", 0, 4},
    {4, "4", 1, 0},  {5, "5", 1, 1}, {6, "6", 1, 2},  {13, "-", 1, 3}, {17, "sqr", 1, 4},
    {1, "1", 2, 0},  {2, "2", 2, 1}, {3, "3", 2, 2},  {14, "*", 2, 3}, {18, "C", 2, 4},
    {10, ",", 3, 0}, {0, "0", 3, 1}, {11, "=", 3, 2}, {15, "/", 3, 3}, {19, "Fermer", 3, 4},
};

} // namespace

PocketCalculatorWindow::PocketCalculatorWindow(QWidget *parent)
    : BaseDialog(parent, BaseDialog::Placement::OverParent)
{
    setObjectName(QStringLiteral("PocketCalculatorWindow"));
    setWindowTitle(QStringLiteral("Calculatrice"));
    setAutoFillBackground(true);
    QPalette teal = palette();
    teal.setColor(QPalette::Window, QColor(0, 128, 128));
    setPalette(teal);

    m_display = new QLabel(this);
    m_display->setObjectName(QStringLiteral("Display"));
    m_display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_display->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // Narrow side padding: the longest result, "-0,0000123456789012345", fits the keypad's width.
    m_display->setStyleSheet(
        QStringLiteral("QLabel { background: navy; color: yellow; padding: 2px 3px; }"));
    QFont displayFont = m_display->font();
    displayFont.setPointSize(displayFont.pointSize() + 4);
    displayFont.setBold(true);
    m_display->setFont(displayFont);
    m_display->setMinimumHeight(m_display->fontMetrics().height() + 10);
    // A long number does not widen the window: the display shows its end, as a one-line
    // edit does (the right-aligned text runs out on the left).
    m_display->setMinimumWidth(200);
    m_display->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto *label2 = new QLabel(this);
    label2->setObjectName(QStringLiteral("Brand"));
    label2->setFixedWidth(12);
    label2->setStyleSheet(QStringLiteral("QLabel { background: red; }"));

    auto *top = new QHBoxLayout;
    top->addWidget(m_display, 1);
    top->addWidget(label2);

    QPushButton **const buttons[] = {&m_digit0,        &m_digit1,        &m_digit2,   &m_digit3,
                                     &m_digit4,        &m_digit5,        &m_digit6,   &m_digit7,
                                     &m_digit8,        &m_digit9,        &m_commaKey, &m_equalsKey,
                                     &m_plusKey,       &m_minusKey,      &m_timesKey, &m_divideKey,
                                     &m_reciprocalKey, &m_squareRootKey, &m_clearKey, &m_closeKey};
    void (PocketCalculatorWindow::*const clicks[])() = {
        &PocketCalculatorWindow::digit0Clicked,     &PocketCalculatorWindow::digit1Clicked,
        &PocketCalculatorWindow::digit2Clicked,     &PocketCalculatorWindow::digit3Clicked,
        &PocketCalculatorWindow::digit4Clicked,     &PocketCalculatorWindow::digit5Clicked,
        &PocketCalculatorWindow::digit6Clicked,     &PocketCalculatorWindow::digit7Clicked,
        &PocketCalculatorWindow::digit8Clicked,     &PocketCalculatorWindow::digit9Clicked,
        &PocketCalculatorWindow::commaClicked,      &PocketCalculatorWindow::equalsClicked,
        &PocketCalculatorWindow::plusClicked,       &PocketCalculatorWindow::minusClicked,
        &PocketCalculatorWindow::timesClicked,      &PocketCalculatorWindow::divideClicked,
        &PocketCalculatorWindow::reciprocalClicked, &PocketCalculatorWindow::squareRootClicked,
        &PocketCalculatorWindow::clearClicked,      &PocketCalculatorWindow::closeClicked};
    auto *keypad = new QGridLayout;
    for (const KeyCap &cap : Keypad) {
        auto *key = new QPushButton(QString::fromLatin1(cap.caption), this);
        key->setObjectName(QStringLiteral("Key%1").arg(cap.key));
        key->setAutoDefault(false);
        if (cap.key == PocketCalculator::Close) {
            key->setFixedHeight(32);
            keypad->addWidget(key, cap.row, cap.column, 1, 2);
        } else {
            key->setFixedSize(44, 32);
            keypad->addWidget(key, cap.row, cap.column);
        }
        *buttons[cap.key] = key;
        connect(key, &QPushButton::clicked, this, clicks[cap.key]);
    }

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(keypad);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PocketCalculatorWindow::showEvent(QShowEvent *event)
{
    BaseDialog::showEvent(event);
    prepareShowing();
}

void PocketCalculatorWindow::prepareShowing()
{
    m_calculator.activate();
    refresh();
    m_equalsKey->setFocus();
}

// Keys typed on the window or on a button arrive here (the buttons leave them unhandled).
// "1/x" and "sqr" do not type; Escape closes from anywhere.
void PocketCalculatorWindow::keyPressEvent(QKeyEvent *event)
{
    QChar key;
    if (event->key() == Qt::Key_Escape)
        key = QChar(27);
    else if (event->text().size() == 1)
        key = event->text().at(0);
    QWidget *focus = focusWidget();
    const bool bound = focus != m_reciprocalKey && focus != m_squareRootKey; // "1/x" and "sqr"
    const int mapped = PocketCalculator::keyFor(key);
    if (mapped == PocketCalculator::NoKey || (!bound && mapped != PocketCalculator::Close)) {
        event->ignore();
        return;
    }
    typeKey(key);
}

void PocketCalculatorWindow::typeKey(QChar key)
{
    const int mapped = PocketCalculator::keyFor(key);
    if (mapped == PocketCalculator::Close)
        reject();
    else if (mapped != PocketCalculator::NoKey)
        button(mapped)->click();
}

void PocketCalculatorWindow::closeClicked()
{
    reject();
}

QPushButton *PocketCalculatorWindow::button(int key) const
{
    QPushButton *const buttons[] = {m_digit0,        m_digit1,        m_digit2,   m_digit3,
                                    m_digit4,        m_digit5,        m_digit6,   m_digit7,
                                    m_digit8,        m_digit9,        m_commaKey, m_equalsKey,
                                    m_plusKey,       m_minusKey,      m_timesKey, m_divideKey,
                                    m_reciprocalKey, m_squareRootKey, m_clearKey, m_closeKey};
    return buttons[key];
}

void PocketCalculatorWindow::press(int key)
{
    const Status pressed = m_calculator.press(key);
    // The display may have changed before the failure (the reciprocal that is too large).
    refresh();
    if (key == PocketCalculator::Clear)
        m_equalsKey->setFocus();
    if (!pressed)
        Application::report(pressed.failure());
}

void PocketCalculatorWindow::refresh()
{
    m_display->setText(m_calculator.display());
}
