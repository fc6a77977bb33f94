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
    {10, ",", 3, 0}, {0, "0", 3, 1}, {11, "=", 3, 2}, {15, "/", 3, 3},
};

} // namespace

TPocket::TPocket(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Pocket"));
    setWindowTitle(QStringLiteral("Calculatrice"));
    setAutoFillBackground(true);
    QPalette teal = palette();
    teal.setColor(QPalette::Window, QColor(0, 128, 128));
    setPalette(teal);

    m_label1 = new QLabel(this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_label1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_label1->setStyleSheet(
        QStringLiteral("QLabel { background: navy; color: yellow; padding: 2px 6px; }"));
    QFont displayFont = m_label1->font();
    displayFont.setPointSize(displayFont.pointSize() + 4);
    displayFont.setBold(true);
    m_label1->setFont(displayFont);
    m_label1->setMinimumHeight(m_label1->fontMetrics().height() + 10);
    // A long number does not widen the window: the display shows its end, as a one-line
    // edit does (the right-aligned text runs out on the left).
    m_label1->setMinimumWidth(200);
    m_label1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto *label2 = new QLabel(this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setFixedWidth(12);
    label2->setStyleSheet(QStringLiteral("QLabel { background: red; }"));

    auto *top = new QHBoxLayout;
    top->addWidget(m_label1, 1);
    top->addWidget(label2);

    auto *keypad = new QGridLayout;
    for (const KeyCap &cap : Keypad) {
        auto *button = new QPushButton(QString::fromLatin1(cap.caption), this);
        button->setObjectName(QStringLiteral("Button%1").arg(cap.key));
        button->setAutoDefault(false);
        button->setFixedSize(44, 32);
        keypad->addWidget(button, cap.row, cap.column);
        m_buttons[cap.key] = button;
        const int key = cap.key;
        connect(button, &QPushButton::clicked, this, [this, key] { buttonClick(key); });
    }
    auto *close = new QPushButton(QStringLiteral("Fermer"), this);
    close->setObjectName(QStringLiteral("Button19"));
    close->setAutoDefault(false);
    close->setFixedHeight(32);
    keypad->addWidget(close, 3, 4, 1, 2);
    m_buttons[PocketCalculator::Close] = close;
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(keypad);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TPocket::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TPocket::FormActivate()
{
    m_calculator.activate();
    refresh();
    m_buttons[PocketCalculator::Equals]->setFocus();
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
    const bool bound = focus != m_buttons[PocketCalculator::Reciprocal] &&
                       focus != m_buttons[PocketCalculator::SquareRoot];
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
        m_buttons[mapped]->click();
}

void TPocket::buttonClick(int key)
{
    const Status pressed = m_calculator.press(key);
    // The display may have changed before the failure (the reciprocal that is too large).
    refresh();
    if (key == PocketCalculator::Clear)
        m_buttons[PocketCalculator::Equals]->setFocus();
    if (!pressed)
        Application::report(pressed.failure());
}

void TPocket::refresh()
{
    m_label1->setText(m_calculator.display());
}
