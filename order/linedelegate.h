// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

class QLineEdit;
class OrderWindow;

// What another part of the program adds to the grid's cell editors (the completion of
// designations, the prices of known articles): told of each editor made, and asked for the
// tool tip of a cell.
class CellAssistant {
public:
    virtual ~CellAssistant() = default;
    virtual void editorCreated(QLineEdit *editor, const QModelIndex &index) = 0;
    // Empty when it has nothing to say of the cell.
    virtual QString toolTip(const QModelIndex &index) = 0;
};

// The grid's cell editors get their keys looked at by the window before the delegate's own
// handling, so that "." and Enter follow the same rules inside a cell being edited. A number
// cell whose text is not a number is marked, and said in the status bar when it is left so.
class LineDelegate : public QStyledItemDelegate {
public:
    LineDelegate(OrderWindow *window, QObject *parent);

    void setAssistant(CellAssistant *assistant) { m_assistant = assistant; }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
    // A designation too long for its column on paper says so in its tool tip.
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    void say(const QString &notice) const;

    OrderWindow *m_window;
    CellAssistant *m_assistant = nullptr;
    // The editor last left on a text that is not a number, and what was said of it.
    mutable const QWidget *m_noticeEditor = nullptr;
    mutable QString m_notice;
};
