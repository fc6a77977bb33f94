// SPDX-License-Identifier: GPL-3.0-or-later
#include "order/linedelegate.h"

#include "gui/fieldguard.h"
#include "order/orderlinesmodel.h"
#include "order/orderwindow.h"
#include "order/orderwindowkeys.h"
#include "order/orderwindowlayout.h"
#include "pricing/lineentry.h"
#include "printing/orderpage.h"
#include "printing/pagepainter.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStatusTipEvent>
#include <QTableView>
#include <QToolTip>

namespace {

// The background of a number cell whose text is not a number.
const QColor NoticeBackground(255, 205, 205);

// The columns whose numbers the calculation right-aligns.
bool rightAligned(int column)
{
    return column == OrderLine::QuantityCell || column == OrderLine::UnitPriceCell ||
           column == OrderLine::AmountCell;
}

// How a designation comes out on paper when not as typed; empty when it fits its column.
QString paperTip(const QString &designation)
{
    const PagePainter::Fitted printed =
        PagePainter::onPaper(OrderPage::designation(105, designation));
    if (printed.cut)
        return QStringLiteral("Trop longue pour sa colonne, cette désignation sera coupée à "
                              "l'impression :\n« ") +
               printed.text +
               QStringLiteral(" »\nRaccourcissez-la pour qu'elle soit imprimée en entier.");
    if (printed.narrowed())
        return QStringLiteral("Trop longue pour sa colonne, cette désignation sera imprimée en "
                              "caractères resserrés.");
    return QString();
}

} // namespace

LineDelegate::LineDelegate(OrderWindow *window, QObject *parent)
    : QStyledItemDelegate(parent), m_window(window)
{
}

QWidget *LineDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (editor) {
        editor->setObjectName(QStringLiteral("CellEditor"));
        editor->setFont(m_window->m_ui->grid->font());
        // Pasted or dropped text follows the column's key rule, as typed text does.
        if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
            const int column = index.column();
            FieldGuard::guard(edit,
                              [column](QChar c) { return LineEntry::filterGridKey(column, c); });
            connect(edit, &QLineEdit::textEdited, m_window, &OrderWindow::typingChanged);
            // The grid's own commands come with the cell's menu.
            edit->addActions(m_window->m_ui->grid->actions());
            // The number stays where the grid shows it; a click left of it puts the cursor
            // before its first digit.
            if (rightAligned(column))
                edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (m_assistant)
                m_assistant->editorCreated(edit, index);
            // Said again once the editor is gone: what the status bar showed for the cell
            // while it was edited is cleared then.
            connect(edit, &QObject::destroyed, this, [this, edit] {
                if (edit == m_noticeEditor) {
                    m_noticeEditor = nullptr;
                    say(m_notice);
                }
            });
        }
    }
    return editor;
}

void LineDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                const QModelIndex &index) const
{
    QStyledItemDelegate::setModelData(editor, model, index);
    m_notice = index.data(OrderLinesModel::NoticeRole).toString();
    m_noticeEditor = m_notice.isEmpty() ? nullptr : editor;
    if (!m_notice.isEmpty())
        say(m_notice);
}

void LineDelegate::say(const QString &notice) const
{
    QStatusTipEvent tip(notice);
    QCoreApplication::sendEvent(m_window->m_ui->grid, &tip);
}

// The calculation right-aligns numbers with leading spaces measured in the grid's font; the
// style's cell margins would then elide their last digits, so numbers are drawn against the
// right edge instead. The spaces stay in the cells but are not drawn: against the right edge
// they show nothing, and laying out a score of them in every number painted is costly.
void LineDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const int column = index.column();
    if (!option->text.isEmpty() && !index.data(OrderLinesModel::NoticeRole).toString().isEmpty())
        option->backgroundBrush = NoticeBackground;
    if (rightAligned(column)) {
        option->displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
        qsizetype spaces = 0;
        while (spaces < option->text.size() && option->text.at(spaces) == QLatin1Char(' '))
            ++spaces;
        option->text.remove(0, spaces);
    }
}

bool LineDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view,
                             const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (event->type() == QEvent::ToolTip) {
        QString tip = index.data(OrderLinesModel::NoticeRole).toString();
        if (tip.isEmpty() && index.column() == OrderLine::DesignationCell)
            tip = paperTip(index.data(Qt::EditRole).toString());
        if (tip.isEmpty() && m_assistant)
            tip = m_assistant->toolTip(index);
        if (!tip.isEmpty()) {
            QToolTip::showText(event->globalPos(), tip, view);
            return true;
        }
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

bool LineDelegate::eventFilter(QObject *object, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (m_window->m_keys->windowKeyDown(key) || m_window->m_keys->gridKeyPress(object, key))
            return true;
    }
    // The menu bar, a popup, a message box or another program taking the focus does not leave
    // the cell: the editor stays open for the focus to come back to, its text already in the
    // cell for the command that may run meanwhile.
    if (event->type() == QEvent::FocusOut && !m_window->isAncestorOf(QApplication::focusWidget())) {
        if (auto *editor = qobject_cast<QWidget *>(object))
            Q_EMIT commitData(editor);
        return false;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
