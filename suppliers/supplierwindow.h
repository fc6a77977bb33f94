// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/basedialog.h"
#include "suppliers/supplierbook.h"

#include <QStringList>

class QLineEdit;
class QPushButton;
class SupplierAddressBox;
class QTableWidget;
class QToolButton;

// The supplier management window ("Gestion des fournisseurs"). It works on a copy of the
// supplier lines spread over a grid, one record per row, sorted by name; apply() rebuilds the
// lines from the grid when anything changed.
class SupplierWindow : public BaseDialog {
    Q_OBJECT
public:
    explicit SupplierWindow(QWidget *parent = nullptr);

    void load(const QStringList &supplierLines);
    void apply(QStringList &supplierLines) const;

    void readRecord();
    // False when the row being added has a code that is not five digits: the user is told,
    // and the focus goes back to the code.
    bool writeBackRecord();
    void previousSupplier();
    void nextSupplier();
    void addSupplier();
    void deleteSupplier();
    void findSupplier();
    void sortSuppliers();

    int lastSupplierRow = -1;
    bool gridModified = false;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString &text);
    SupplierRecord rowRecord(int row) const;
    void setRowRecord(int row, const SupplierRecord &record);
    void selectRow(int row);
    void addRow();
    // Writes the fields back before the current row is left; false when the row may not be
    // left. The row "Ajouter" opened goes again when everything in it is still empty.
    bool leaveRow();
    // The row "Ajouter" opened is left without its fields being written back (a click on
    // another row, a search): it goes unless its code was accepted before.
    void newRowAbandoned();
    void removeNewRow();
    void closeClicked();

    QTableWidget *m_grid;
    QLineEdit *m_code;
    SupplierAddressBox *m_address;
    QLineEdit *m_searchCode;
    QToolButton *m_previousButton;
    QToolButton *m_nextButton;
    QToolButton *m_addButton;
    QToolButton *m_deleteButton;
    QPushButton *m_closeButton;
    QPushButton *m_searchButton;
    QList<QLineEdit *> m_fields;
    // The row "Ajouter" opened, while the current row is that row; -1 otherwise.
    int m_newRow = -1;
};

// The order window's "Fournisseurs" command: the window runs on the supplier lines, and the
// supplier file is marked for the next save whether or not anything changed.
void manageSuppliers(SupplierWindow &window, SupplierBook &book);
