#pragma once

#include <QStyledItemDelegate>

class TCommande;

// The grid's cell editors get their keys looked at by the window before the delegate's own
// handling, so that "." and Enter follow the same rules inside a cell being edited.
class TLineDelegate : public QStyledItemDelegate {
public:
    TLineDelegate(TCommande *window, QObject *parent);

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
};
