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
    m_items = new QButtonGroup(this);
    auto *itemsLayout = new QVBoxLayout(RadioGroup1);
    const QStringList captions = {QStringLiteral("Papier blanc"),
                                  QStringLiteral("Papier à en-tête"),
                                  QStringLiteral("Papier imprimé")};
    for (int i = 0; i < captions.size(); ++i) {
        auto *item = new QRadioButton(captions.at(i), RadioGroup1);
        item->setObjectName(QStringLiteral("RadioGroup1Item%1").arg(i));
        m_items->addButton(item, i);
        itemsLayout->addWidget(item);
    }
    m_items->button(0)->setChecked(true);

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
    layout->addWidget(m_calibration);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TMPage::Init(int value)
{
    if (QAbstractButton *item = m_items->button(value))
        item->setChecked(true);
}

void TMPage::Result(int &value) const
{
    value = -1;
    if (confirmed())
        value = m_items->checkedId();
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
    m_printerName->setText(printerName.isEmpty()
                               ? QStringLiteral("Aucune imprimante")
                               : QStringLiteral("Imprimante « ") + printerName +
                                     QStringLiteral(" » (positif : vers la droite, vers le bas)"));
    m_offsetX->setValue(offsetsMm.x());
    m_offsetY->setValue(offsetsMm.y());
    m_offsetX->setEnabled(!printerName.isEmpty());
    m_offsetY->setEnabled(!printerName.isEmpty());
}

bool TMPage::CalibrationResult(QPointF &offsetsMm) const
{
    if (!confirmed() || !m_offsetX->isEnabled())
        return false;
    offsetsMm = QPointF(m_offsetX->value(), m_offsetY->value());
    return true;
}
