// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/outcomedialog.h"

#include <QPointF>

class QButtonGroup;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QPushButton;

// "Mise en page": the kind of paper the order is printed on (0 plain, 1 letterhead,
// 2 pre-printed form), and the calibration of the current printer: how far its pages come out
// off, in millimetres, so that data lands in the boxes of pre-printed forms. Created once and
// reused; it keeps its selection and how it was last closed between showings.
class PageSetupDialog : public OutcomeDialog {
    Q_OBJECT
public:
    explicit PageSetupDialog(QWidget *parent = nullptr);

    // Selects item `value` when it is one (0 to 2); any other value changes nothing.
    void load(int value);
    // -1 unless the dialog was last closed with OK, else the selected item.
    void apply(int &value) const;

    // Shows the offsets of `printerName`; without a printer they cannot be changed.
    void loadCalibration(const QString &printerName, QPointF offsetsMm);
    // The offsets shown, when the dialog was last closed with OK and a printer was named.
    bool applyCalibration(QPointF &offsetsMm) const;

private:
    void cancelClicked();
    void okClicked();

    QGroupBox *m_paper = nullptr;
    QButtonGroup *m_paperItems = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QPushButton *m_okButton = nullptr;
    QGroupBox *m_calibration = nullptr;
    QLabel *m_printerName = nullptr;
    QDoubleSpinBox *m_offsetX = nullptr;
    QDoubleSpinBox *m_offsetY = nullptr;
};
