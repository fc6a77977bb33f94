// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/tmpage.h"

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

TMPage::TMPage(QWidget *parent) : OutcomeDialog(parent)
{
    setObjectName(QStringLiteral("TMPage"));
    setWindowTitle(QStringLiteral("Mise en page"));

    RadioGroup1 = new QGroupBox(QStringLiteral("Type de papier"), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    Items = new QButtonGroup(this);
    auto *itemsLayout = new QVBoxLayout(RadioGroup1);
    const QStringList captions = {QStringLiteral("Papier blanc"),
                                  QStringLiteral("Papier à en-tête"),
                                  QStringLiteral("Papier imprimé")};
    for (int i = 0; i < captions.size(); ++i) {
        auto *item = new QRadioButton(captions.at(i), RadioGroup1);
        item->setObjectName(QStringLiteral("RadioGroup1Item%1").arg(i));
        Items->addButton(item, i);
        itemsLayout->addWidget(item);
    }
    Items->button(0)->setChecked(true);

    Calibration = new QGroupBox(QStringLiteral("Calage de l'imprimante"), this);
    Calibration->setObjectName(QStringLiteral("Calibration"));
    PrinterName = new QLabel(Calibration);
    PrinterName->setObjectName(QStringLiteral("CalibrationPrinter"));
    const auto offsetBox = [this](const char *name) {
        auto *box = new QDoubleSpinBox(Calibration);
        box->setObjectName(QLatin1String(name));
        box->setLocale(QLocale(QLocale::French, QLocale::France));
        box->setRange(-PrinterCalibration::Limit, PrinterCalibration::Limit);
        box->setSingleStep(PrinterCalibration::Step);
        box->setDecimals(1);
        box->setSuffix(QStringLiteral(" mm"));
        return box;
    };
    OffsetX = offsetBox("CalibrationX");
    OffsetY = offsetBox("CalibrationY");
    auto *calibrationLayout = new QFormLayout(Calibration);
    calibrationLayout->addRow(PrinterName);
    calibrationLayout->addRow(QStringLiteral("Décalage &horizontal :"), OffsetX);
    calibrationLayout->addRow(QStringLiteral("Décalage &vertical :"), OffsetY);

    Button1 = new QPushButton(QStringLiteral("Annuler"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(QStringLiteral("OK"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &TMPage::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TMPage::Button2Click);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(RadioGroup1);
    layout->addWidget(Calibration);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TMPage::Init(int value)
{
    if (QAbstractButton *item = Items->button(value))
        item->setChecked(true);
}

void TMPage::Result(int &value) const
{
    value = -1;
    if (confirmed())
        value = Items->checkedId();
}

void TMPage::Button1Click()
{
    recordCancel();
}

void TMPage::Button2Click()
{
    recordOk();
}

void TMPage::InitCalibration(const QString &printerName, QPointF offsetsMm)
{
    PrinterName->setText(printerName.isEmpty()
                             ? QStringLiteral("Aucune imprimante")
                             : QStringLiteral("Imprimante « ") + printerName +
                                   QStringLiteral(" » (positif : vers la droite, vers le bas)"));
    OffsetX->setValue(offsetsMm.x());
    OffsetY->setValue(offsetsMm.y());
    OffsetX->setEnabled(!printerName.isEmpty());
    OffsetY->setEnabled(!printerName.isEmpty());
}

bool TMPage::CalibrationResult(QPointF &offsetsMm) const
{
    if (!confirmed() || !OffsetX->isEnabled())
        return false;
    offsetsMm = QPointF(OffsetX->value(), OffsetY->value());
    return true;
}
