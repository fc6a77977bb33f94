// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/pagesetupdialog.h"

#include "printing/printercalibration.h"

#include <QButtonGroup>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

PageSetupDialog::PageSetupDialog(QWidget *parent) : OutcomeDialog(parent)
{
    setObjectName(QStringLiteral("PageSetupDialog"));
    setWindowTitle(QStringLiteral("Mise en page"));

    m_paper = new QGroupBox(QStringLiteral("Type de papier"), this);
    m_paper->setObjectName(QStringLiteral("Paper"));
    m_paperItems = new QButtonGroup(this);
    auto *itemsLayout = new QVBoxLayout(m_paper);
    const QStringList captions = {QStringLiteral("Papier blanc"),
                                  QStringLiteral("Papier à en-tête"),
                                  QStringLiteral("Papier imprimé")};
    for (int i = 0; i < captions.size(); ++i) {
        auto *item = new QRadioButton(captions.at(i), m_paper);
        item->setObjectName(QStringLiteral("Paper%1").arg(i));
        m_paperItems->addButton(item, i);
        itemsLayout->addWidget(item);
    }
    m_paperItems->button(0)->setChecked(true);

    m_calibration = new QGroupBox(QStringLiteral("Calage de l'imprimante"), this);
    m_calibration->setObjectName(QStringLiteral("Calibration"));
    m_printerName = new QLabel(m_calibration);
    m_printerName->setObjectName(QStringLiteral("CalibrationPrinter"));
    const auto offsetBox = [this](const char *name) {
        auto *box = new QDoubleSpinBox(m_calibration);
        box->setObjectName(QLatin1String(name));
        box->setLocale(QLocale(QLocale::French, QLocale::France));
        box->setRange(-PrinterCalibration::Limit, PrinterCalibration::Limit);
        box->setSingleStep(PrinterCalibration::Step);
        box->setDecimals(1);
        box->setSuffix(QStringLiteral(" mm"));
        return box;
    };
    m_offsetX = offsetBox("CalibrationX");
    m_offsetY = offsetBox("CalibrationY");
    auto *calibrationLayout = new QFormLayout(m_calibration);
    calibrationLayout->addRow(m_printerName);
    calibrationLayout->addRow(QStringLiteral("Décalage &horizontal :"), m_offsetX);
    calibrationLayout->addRow(QStringLiteral("Décalage &vertical :"), m_offsetY);

    m_cancelButton = new QPushButton(QStringLiteral("Annuler"), this);
    m_cancelButton->setObjectName(QStringLiteral("CancelButton"));
    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("OkButton"));
    m_okButton->setDefault(true);
    connect(m_cancelButton, &QPushButton::clicked, this, &PageSetupDialog::cancelClicked);
    connect(m_okButton, &QPushButton::clicked, this, &PageSetupDialog::okClicked);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_okButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_paper);
    layout->addWidget(m_calibration);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PageSetupDialog::load(int value)
{
    if (QAbstractButton *item = m_paperItems->button(value))
        item->setChecked(true);
}

void PageSetupDialog::apply(int &value) const
{
    value = -1;
    if (confirmed())
        value = m_paperItems->checkedId();
}

void PageSetupDialog::cancelClicked()
{
    recordCancel();
}

void PageSetupDialog::okClicked()
{
    recordOk();
}

void PageSetupDialog::loadCalibration(const QString &printerName, QPointF offsetsMm)
{
    m_printerName->setText(printerName.isEmpty()
                               ? QStringLiteral("Aucune imprimante")
                               : QStringLiteral("Imprimante « ") + printerName +
                                     QStringLiteral(" » (positif : vers la droite, vers le bas)"));
    m_offsetX->setValue(offsetsMm.x());
    m_offsetY->setValue(offsetsMm.y());
    m_offsetX->setEnabled(!printerName.isEmpty());
    m_offsetY->setEnabled(!printerName.isEmpty());
}

bool PageSetupDialog::applyCalibration(QPointF &offsetsMm) const
{
    if (!confirmed() || !m_offsetX->isEnabled())
        return false;
    offsetsMm = QPointF(m_offsetX->value(), m_offsetY->value());
    return true;
}
