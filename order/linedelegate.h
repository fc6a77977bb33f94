// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

class QLineEdit;
class TCommande;

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
// handling, so that "." and Enter follow the same rules inside a cell being edited.
class TLineDelegate : public QStyledItemDelegate {
public:
    TLineDelegate(TCommande *window, QObject *parent);

    void setAssistant(CellAssistant *assistant) { m_assistant = assistant; }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
    // A designation too long for its column on paper says so in its tool tip.
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    TCommande *m_window;
    CellAssistant *m_assistant = nullptr;
};
