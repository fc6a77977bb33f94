// SPDX-License-Identifier: GPL-3.0-or-later
#include "utilities/tpocket.h"

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

TPocket::TPocket(QWidget *parent) : BaseDialog(parent, BaseDialog::Placement::OverParent)
{
    setObjectName(QStringLiteral("Pocket"));
    setWindowTitle(QStringLiteral("Calculatrice"));
    setAutoFillBackground(true);
    QPalette teal = palette();
    teal.setColor(QPalette::Window, QColor(0, 128, 128));
    setPalette(teal);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // Narrow side padding: the longest result, "-0,0000123456789012345", fits the keypad's width.
    Label1->setStyleSheet(
        QStringLiteral("QLabel { background: navy; color: yellow; padding: 2px 3px; }"));
    QFont displayFont = Label1->font();
    displayFont.setPointSize(displayFont.pointSize() + 4);
    displayFont.setBold(true);
    Label1->setFont(displayFont);
    Label1->setMinimumHeight(Label1->fontMetrics().height() + 10);
    // A long number does not widen the window: the display shows its end, as a one-line
    // edit does (the right-aligned text runs out on the left).
    Label1->setMinimumWidth(200);
    Label1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto *label2 = new QLabel(this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setFixedWidth(12);
    label2->setStyleSheet(QStringLiteral("QLabel { background: red; }"));

    auto *top = new QHBoxLayout;
    top->addWidget(Label1, 1);
    top->addWidget(label2);

    QPushButton **const buttons[] = {&Button0,  &Button1,  &Button2,  &Button3,  &Button4,
                                     &Button5,  &Button6,  &Button7,  &Button8,  &Button9,
                                     &Button10, &Button11, &Button12, &Button13, &Button14,
                                     &Button15, &Button16, &Button17, &Button18, &Button19};
    void (TPocket::*const clicks[])() = {
        &TPocket::Button0Click,  &TPocket::Button1Click,  &TPocket::Button2Click,
        &TPocket::Button3Click,  &TPocket::Button4Click,  &TPocket::Button5Click,
        &TPocket::Button6Click,  &TPocket::Button7Click,  &TPocket::Button8Click,
        &TPocket::Button9Click,  &TPocket::Button10Click, &TPocket::Button11Click,
        &TPocket::Button12Click, &TPocket::Button13Click, &TPocket::Button14Click,
        &TPocket::Button15Click, &TPocket::Button16Click, &TPocket::Button17Click,
        &TPocket::Button18Click, &TPocket::Button19Click};
    auto *keypad = new QGridLayout;
    for (const KeyCap &cap : Keypad) {
        auto *key = new QPushButton(QString::fromLatin1(cap.caption), this);
        key->setObjectName(QStringLiteral("Button%1").arg(cap.key));
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

void TPocket::showEvent(QShowEvent *event)
{
    BaseDialog::showEvent(event);
    FormActivate();
}

void TPocket::FormActivate()
{
    Calculator.activate();
    refresh();
    Button11->setFocus();
}

// Keys typed on the window or on a button arrive here (the buttons leave them unhandled).
// "1/x" and "sqr" do not type; Escape closes from anywhere.
void TPocket::keyPressEvent(QKeyEvent *event)
{
    QChar key;
    if (event->key() == Qt::Key_Escape)
        key = QChar(27);
    else if (event->text().size() == 1)
        key = event->text().at(0);
    QWidget *focus = focusWidget();
    const bool bound = focus != Button16 && focus != Button17; // "1/x" and "sqr"
    const int mapped = PocketCalculator::keyFor(key);
    if (mapped == PocketCalculator::NoKey || (!bound && mapped != PocketCalculator::Close)) {
        event->ignore();
        return;
    }
    FormKeyPress(key);
}

void TPocket::FormKeyPress(QChar key)
{
    const int mapped = PocketCalculator::keyFor(key);
    if (mapped == PocketCalculator::Close)
        reject();
    else if (mapped != PocketCalculator::NoKey)
        button(mapped)->click();
}

void TPocket::Button19Click()
{
    reject();
}

QPushButton *TPocket::button(int key) const
{
    QPushButton *const buttons[] = {Button0,  Button1,  Button2,  Button3,  Button4,
                                    Button5,  Button6,  Button7,  Button8,  Button9,
                                    Button10, Button11, Button12, Button13, Button14,
                                    Button15, Button16, Button17, Button18, Button19};
    return buttons[key];
}

void TPocket::press(int key)
{
    const Status pressed = Calculator.press(key);
    // The display may have changed before the failure (the reciprocal that is too large).
    refresh();
    if (key == PocketCalculator::Clear)
        Button11->setFocus();
    if (!pressed)
        Application::report(pressed.failure());
}

void TPocket::refresh()
{
    Label1->setText(Calculator.display());
}
