// SPDX-License-Identifier: GPL-3.0-or-later
#include "utilities/calendarwindow.h"

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

CalendarWindow::CalendarWindow(QWidget *parent)
    : BaseDialog(parent, BaseDialog::Placement::OverParent), m_calendar(Clock::today())
{
    setObjectName(QStringLiteral("CalendarWindow"));
    setWindowTitle(QStringLiteral("Calendrier"));

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("ButtonPanel"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAutoFillBackground(true);
    QPalette teal = panel->palette();
    teal.setColor(QPalette::Window, QColor(0, 128, 128));
    panel->setPalette(teal);
    panel->setMinimumWidth(PanelWidth);

    m_previousMonthButton =
        new QPushButton(style()->standardIcon(QStyle::SP_ArrowLeft), QStringLiteral("Mois"), panel);
    m_previousMonthButton->setObjectName(QStringLiteral("PreviousMonthButton"));
    m_nextMonthButton = new QPushButton(style()->standardIcon(QStyle::SP_ArrowRight),
                                        QStringLiteral("Mois"), panel);
    m_nextMonthButton->setObjectName(QStringLiteral("NextMonthButton"));
    m_nextMonthButton->setLayoutDirection(Qt::RightToLeft); // its arrow on the right
    m_closeButton = new QPushButton(QStringLiteral("Fermer"), panel);
    m_closeButton->setObjectName(QStringLiteral("CloseButton"));
    for (QPushButton *b : {m_previousMonthButton, m_nextMonthButton, m_closeButton})
        b->setAutoDefault(false);

    m_caption = new QLabel(panel);
    m_caption->setObjectName(QStringLiteral("MonthCaption"));
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setFont(QFont(QStringLiteral("Arial"), 14, QFont::Bold));
    m_caption->setStyleSheet(QStringLiteral("QLabel { color: red; }"));

    auto *panelLayout = new QGridLayout(panel);
    panelLayout->addWidget(m_previousMonthButton, 0, 0);
    panelLayout->addWidget(m_nextMonthButton, 0, 1);
    panelLayout->addWidget(m_closeButton, 0, 3);
    panelLayout->setColumnStretch(2, 1);
    panelLayout->addWidget(m_caption, 1, 0, 1, 4);

    m_monthView = new MonthGrid(this);
    m_monthView->setObjectName(QStringLiteral("MonthView"));
    // The grid of days takes the focus, not the calendar around it.
    m_monthView->findChild<QAbstractItemView *>()->setAccessibleName(windowTitle());
    m_monthView->setLocale(QLocale(QLocale::French, QLocale::France));
    m_monthView->setFirstDayOfWeek(Qt::Sunday);
    m_monthView->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    m_monthView->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_monthView->setNavigationBarVisible(false);
    m_monthView->setDateEditEnabled(false);
    m_monthView->setGridVisible(true);
    m_monthView->setStyleSheet(
        QStringLiteral("QCalendarWidget QAbstractItemView { background-color: lime; }"));
    // The grid's own month paging is replaced by the window's: keys reach the view.
    if (auto *view = m_monthView->findChild<QAbstractItemView *>())
        view->installEventFilter(this);
    m_monthView->installEventFilter(this);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(m_monthView, 1);

    connect(m_previousMonthButton, &QPushButton::clicked, this, &CalendarWindow::showPreviousMonth);
    connect(m_nextMonthButton, &QPushButton::clicked, this, &CalendarWindow::showNextMonth);
    connect(m_closeButton, &QPushButton::clicked, this, &CalendarWindow::closeClicked);
    connect(m_monthView, &QCalendarWidget::selectionChanged, this, [this] {
        if (!m_showing) {
            m_calendar.setDate(m_monthView->selectedDate());
            dateChosen();
        }
    });

    showCalendarDate();
}

void CalendarWindow::showEvent(QShowEvent *event)
{
    BaseDialog::showEvent(event);
    prepareShowing();
}

void CalendarWindow::prepareShowing()
{
    showCalendarDate();
    m_monthView->setFocus();
}

void CalendarWindow::dateChosen()
{
    m_caption->setText(m_calendar.caption());
}

void CalendarWindow::showPreviousMonth()
{
    m_calendar.previousMonth();
    showCalendarDate();
}

void CalendarWindow::showNextMonth()
{
    m_calendar.nextMonth();
    showCalendarDate();
}

// Puts the calendar date on the grid. The grid is held to the month shown, so that the
// blank days of the neighbouring months cannot be chosen.
void CalendarWindow::showCalendarDate()
{
    const QDate date = m_calendar.date();
    m_showing = true;
    m_monthView->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
    m_monthView->setSelectedDate(date);
    m_monthView->setCurrentPage(date.year(), date.month());
    m_monthView->setDateRange(QDate(date.year(), date.month(), 1),
                              QDate(date.year(), date.month(), date.daysInMonth()));
    m_showing = false;
    dateChosen();
}

bool CalendarWindow::monthViewKeyDown(int key)
{
    switch (key) {
    case Qt::Key_PageUp:
        showPreviousMonth();
        return true;
    case Qt::Key_PageDown:
        showNextMonth();
        return true;
    case Qt::Key_Escape:
        reject();
        return true;
    default:
        return false;
    }
}

// The Escape character however typed (Ctrl+[ gives one too) closes from the grid.
bool CalendarWindow::monthViewKeyPress(QChar key)
{
    if (key != QChar(27))
        return false;
    reject();
    return true;
}

void CalendarWindow::closeClicked()
{
    reject();
}

// Page Up and Page Down typed on the buttons or the window itself.
void CalendarWindow::keyPressEvent(QKeyEvent *event)
{
    if (!monthViewKeyDown(event->key()))
        BaseDialog::keyPressEvent(event);
}

bool CalendarWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched != this) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (monthViewKeyDown(key->key()))
            return true;
        // Only the grid and its view are watched.
        if (key->text().size() == 1 && monthViewKeyPress(key->text().at(0)))
            return true;
    }
    return BaseDialog::eventFilter(watched, event);
}
