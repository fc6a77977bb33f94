// SPDX-License-Identifier: GPL-3.0-or-later
#include "utilities/tcalendrier.h"

#include "core/clock.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int PanelWidth = 372;

// A month grid that leaves the days of the neighbouring months blank.
class MonthGrid : public QCalendarWidget {
public:
    using QCalendarWidget::QCalendarWidget;

protected:
    void paintCell(QPainter *painter, const QRect &rect, QDate date) const override
    {
        if (date.month() == monthShown() && date.year() == yearShown())
            QCalendarWidget::paintCell(painter, rect, date);
        else
            painter->fillRect(rect, QColor(Qt::green));
    }
};

} // namespace

TCalendrier::TCalendrier(QWidget *parent)
    : BaseDialog(parent, BaseDialog::Placement::OverParent), Calendar(Clock::today())
{
    setObjectName(QStringLiteral("Calendrier"));
    setWindowTitle(QStringLiteral("Calendrier"));

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAutoFillBackground(true);
    QPalette teal = panel->palette();
    teal.setColor(QPalette::Window, QColor(0, 128, 128));
    panel->setPalette(teal);
    panel->setMinimumWidth(PanelWidth);

    BitBtn1 =
        new QPushButton(style()->standardIcon(QStyle::SP_ArrowLeft), QStringLiteral("Mois"), panel);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_ArrowRight), QStringLiteral("Mois"),
                              panel);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setLayoutDirection(Qt::RightToLeft); // its arrow on the right
    Button1 = new QPushButton(QStringLiteral("Fermer"), panel);
    Button1->setObjectName(QStringLiteral("Button1"));
    for (QPushButton *b : {BitBtn1, BitBtn2, Button1})
        b->setAutoDefault(false);

    Label1 = new QLabel(panel);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(QFont(QStringLiteral("Arial"), 14, QFont::Bold));
    Label1->setStyleSheet(QStringLiteral("QLabel { color: red; }"));

    auto *panelLayout = new QGridLayout(panel);
    panelLayout->addWidget(BitBtn1, 0, 0);
    panelLayout->addWidget(BitBtn2, 0, 1);
    panelLayout->addWidget(Button1, 0, 3);
    panelLayout->setColumnStretch(2, 1);
    panelLayout->addWidget(Label1, 1, 0, 1, 4);

    Calendar1 = new MonthGrid(this);
    Calendar1->setObjectName(QStringLiteral("Calendar1"));
    // The grid of days takes the focus, not the calendar around it.
    Calendar1->findChild<QAbstractItemView *>()->setAccessibleName(windowTitle());
    Calendar1->setLocale(QLocale(QLocale::French, QLocale::France));
    Calendar1->setFirstDayOfWeek(Qt::Sunday);
    Calendar1->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    Calendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    Calendar1->setNavigationBarVisible(false);
    Calendar1->setDateEditEnabled(false);
    Calendar1->setGridVisible(true);
    Calendar1->setStyleSheet(
        QStringLiteral("QCalendarWidget QAbstractItemView { background-color: lime; }"));
    // The grid's own month paging is replaced by the window's: keys reach the view.
    if (auto *view = Calendar1->findChild<QAbstractItemView *>())
        view->installEventFilter(this);
    Calendar1->installEventFilter(this);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(Calendar1, 1);

    connect(BitBtn1, &QPushButton::clicked, this, &TCalendrier::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TCalendrier::BitBtn2Click);
    connect(Button1, &QPushButton::clicked, this, &TCalendrier::Button1Click);
    connect(Calendar1, &QCalendarWidget::selectionChanged, this, [this] {
        if (!Showing) {
            Calendar.setDate(Calendar1->selectedDate());
            Calendar1Change();
        }
    });

    showCalendarDate();
}

void TCalendrier::showEvent(QShowEvent *event)
{
    BaseDialog::showEvent(event);
    FormActivate();
}

void TCalendrier::FormActivate()
{
    showCalendarDate();
    Calendar1->setFocus();
}

void TCalendrier::Calendar1Change()
{
    Label1->setText(Calendar.caption());
}

void TCalendrier::BitBtn1Click()
{
    Calendar.previousMonth();
    showCalendarDate();
}

void TCalendrier::BitBtn2Click()
{
    Calendar.nextMonth();
    showCalendarDate();
}

// Puts the calendar date on the grid. The grid is held to the month shown, so that the
// blank days of the neighbouring months cannot be chosen.
void TCalendrier::showCalendarDate()
{
    const QDate date = Calendar.date();
    Showing = true;
    Calendar1->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
    Calendar1->setSelectedDate(date);
    Calendar1->setCurrentPage(date.year(), date.month());
    Calendar1->setDateRange(QDate(date.year(), date.month(), 1),
                            QDate(date.year(), date.month(), date.daysInMonth()));
    Showing = false;
    Calendar1Change();
}

bool TCalendrier::Calendar1KeyDown(int key)
{
    switch (key) {
    case Qt::Key_PageUp:
        BitBtn1Click();
        return true;
    case Qt::Key_PageDown:
        BitBtn2Click();
        return true;
    case Qt::Key_Escape:
        reject();
        return true;
    default:
        return false;
    }
}

// The Escape character however typed (Ctrl+[ gives one too) closes from the grid.
bool TCalendrier::Calendar1KeyPress(QChar key)
{
    if (key != QChar(27))
        return false;
    reject();
    return true;
}

void TCalendrier::Button1Click()
{
    reject();
}

// Page Up and Page Down typed on the buttons or the window itself.
void TCalendrier::keyPressEvent(QKeyEvent *event)
{
    if (!Calendar1KeyDown(event->key()))
        BaseDialog::keyPressEvent(event);
}

bool TCalendrier::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched != this) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (Calendar1KeyDown(key->key()))
            return true;
        // Only the grid and its view are watched.
        if (key->text().size() == 1 && Calendar1KeyPress(key->text().at(0)))
            return true;
    }
    return BaseDialog::eventFilter(watched, event);
}
