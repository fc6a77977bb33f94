// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/printercalibration.h"

#include <QSettings>
#include <QUrl>
#include <memory>

namespace PrinterCalibration {

namespace {

QString &storeFile()
{
    static QString name;
    return name;
}

std::unique_ptr<QSettings> store()
{
    if (!storeFile().isEmpty())
        return std::make_unique<QSettings>(storeFile(), QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Qor"), QStringLiteral("Qor Commande"));
}

// Printer names may hold "/" (CUPS instances), which QSettings reads as a group separator.
QString key(const QString &printerName, const char *axis)
{
    return QStringLiteral("Calage/") + QString::fromLatin1(QUrl::toPercentEncoding(printerName)) +
           QLatin1Char('/') + QLatin1String(axis);
}

double bounded(double mm)
{
    // Whole tenths, as the set-up dialog offers them.
    return qBound(-Limit, qRound(mm * 10) / 10.0, Limit);
}

} // namespace

QPointF offsets(const QString &printerName)
{
    if (printerName.isEmpty())
        return {};
    const auto s = store();
    return {bounded(s->value(key(printerName, "x"), 0.0).toDouble()),
            bounded(s->value(key(printerName, "y"), 0.0).toDouble())};
}

void setOffsets(const QString &printerName, QPointF offsetsMm)
{
    if (printerName.isEmpty())
        return;
    const auto s = store();
    s->setValue(key(printerName, "x"), bounded(offsetsMm.x()));
    s->setValue(key(printerName, "y"), bounded(offsetsMm.y()));
}

void setStoreFile(const QString &fileName)
{
    storeFile() = fileName;
}

} // namespace PrinterCalibration
