// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/basedialog.h"
#include "order/bookview.h"
#include "reports/purchasebook.h"
#include "reports/purchasereport.h"
#include "settings/settings.h"

#include <memory>

class BarChart;
class ChartModel;
class QComboBox;
class QLabel;
class QTabWidget;
class QTableView;
class SupplierTableModel;
class VatTableModel;
namespace ReportPrint {
struct Content;
}

// "Statistiques des achats": what was spent per supplier and period, as a table and a chart,
// and per VAT code on a second page. A view over the report's models: the choices at the top
// make a new report from the book's figures, read once when the window is given the book.
class PurchaseReportWindow : public BaseDialog {
    Q_OBJECT
public:
    explicit PurchaseReportWindow(QWidget *parent = nullptr);
    ~PurchaseReportWindow() override;

    // Reads the book's orders (with the view's settings) and shows the latest year, before tax, in
    // the main currency.
    void setBook(const BookView &source);

    // The block index of the order the user chose to see, once the window has closed; -1 when
    // none was chosen.
    int chosenOrder() const { return m_chosenOrder; }

    const PurchaseReport *report() const { return m_report.get(); }

private:
    void buildControls();
    // A new report for the choices on screen.
    void choose();
    // Each column as wide as its texts.
    static void fitColumns(QTableView *view);
    void showOrders(const QModelIndex &index);
    void exportTable();
    void exportLines();
    void print();
    void exportPdf();
    QString subtitle() const;
    // What "Imprimer..." and "Exporter en PDF..." draw: the page on screen.
    ReportPrint::Content printed() const;

    BookView m_source{TextLines()};
    PurchaseBook m_book;
    PurchaseBook::Cache m_cache; // the figures of the orders last shown, for the next opening
    std::unique_ptr<PurchaseReport> m_report;
    int m_chosenOrder = -1;
    bool m_vatFitted = false; // the VAT page's columns fit the report shown

    QComboBox *m_year = nullptr;
    QComboBox *m_amount = nullptr;
    QLabel *m_currencyLabel = nullptr;
    QComboBox *m_currency = nullptr;
    QLabel *m_coverage = nullptr;
    QLabel *m_cancelled = nullptr; // the cancelled orders left out, when any
    QTabWidget *m_pages = nullptr;
    QTableView *m_table = nullptr;
    QTableView *m_vatTable = nullptr;
    SupplierTableModel *m_tableModel = nullptr;
    VatTableModel *m_vatModel = nullptr;
    ChartModel *m_chartModel = nullptr;
    BarChart *m_chart = nullptr;
};
