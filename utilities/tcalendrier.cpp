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
    : BaseDialog(parent, BaseDialog::Placement::OverParent), m_calendar(Clock::today())
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

    m_bitBtn1 =
        new QPushButton(style()->standardIcon(QStyle::SP_ArrowLeft), QStringLiteral("Mois"), panel);
    m_bitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    m_bitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_ArrowRight),
                                QStringLiteral("Mois"), panel);
    m_bitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    m_bitBtn2->setLayoutDirection(Qt::RightToLeft); // its arrow on the right
    m_button1 = new QPushButton(QStringLiteral("Fermer"), panel);
    m_button1->setObjectName(QStringLiteral("Button1"));
    for (QPushButton *b : {m_bitBtn1, m_bitBtn2, m_button1})
        b->setAutoDefault(false);

    m_label1 = new QLabel(panel);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setAlignment(Qt::AlignCenter);
    m_label1->setFont(QFont(QStringLiteral("Arial"), 14, QFont::Bold));
    m_label1->setStyleSheet(QStringLiteral("QLabel { color: red; }"));

    auto *panelLayout = new QGridLayout(panel);
    panelLayout->addWidget(m_bitBtn1, 0, 0);
    panelLayout->addWidget(m_bitBtn2, 0, 1);
    panelLayout->addWidget(m_button1, 0, 3);
    panelLayout->setColumnStretch(2, 1);
    panelLayout->addWidget(m_label1, 1, 0, 1, 4);

    m_calendar1 = new MonthGrid(this);
    m_calendar1->setObjectName(QStringLiteral("Calendar1"));
    m_calendar1->setLocale(QLocale(QLocale::French, QLocale::France));
    m_calendar1->setFirstDayOfWeek(Qt::Sunday);
    m_calendar1->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    m_calendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar1->setNavigationBarVisible(false);
    m_calendar1->setDateEditEnabled(false);
    m_calendar1->setGridVisible(true);
    m_calendar1->setStyleSheet(
        QStringLiteral("QCalendarWidget QAbstractItemView { background-color: lime; }"));
    // The grid's own month paging is replaced by the window's: keys reach the view.
    if (auto *view = m_calendar1->findChild<QAbstractItemView *>())
        view->installEventFilter(this);
    m_calendar1->installEventFilter(this);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(m_calendar1, 1);

    connect(m_bitBtn1, &QPushButton::clicked, this, &TCalendrier::BitBtn1Click);
    connect(m_bitBtn2, &QPushButton::clicked, this, &TCalendrier::BitBtn2Click);
    connect(m_button1, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_calendar1, &QCalendarWidget::selectionChanged, this, [this] {
        if (!m_showing) {
            m_calendar.setDate(m_calendar1->selectedDate());
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
    m_calendar1->setFocus();
}

void TCalendrier::Calendar1Change()
{
    m_label1->setText(m_calendar.caption());
}

void TCalendrier::BitBtn1Click()
{
    m_calendar.previousMonth();
    showCalendarDate();
}

void TCalendrier::BitBtn2Click()
{
    m_calendar.nextMonth();
    showCalendarDate();
}

// Puts the calendar date on the grid. The grid is held to the month shown, so that the
// blank days of the neighbouring months cannot be chosen.
void TCalendrier::showCalendarDate()
{
    const QDate date = m_calendar.date();
    m_showing = true;
    m_calendar1->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
    m_calendar1->setSelectedDate(date);
    m_calendar1->setCurrentPage(date.year(), date.month());
    m_calendar1->setDateRange(QDate(date.year(), date.month(), 1),
                              QDate(date.year(), date.month(), date.daysInMonth()));
    m_showing = false;
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

// Page Up and Page Down typed on the buttons or the window itself.
void TCalendrier::keyPressEvent(QKeyEvent *event)
{
    if (!Calendar1KeyDown(event->key()))
        BaseDialog::keyPressEvent(event);
}

bool TCalendrier::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched != this &&
        Calendar1KeyDown(static_cast<QKeyEvent *>(event)->key()))
        return true;
    return BaseDialog::eventFilter(watched, event);
}
