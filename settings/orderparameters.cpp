// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/orderparameters.h"

#include "core/prompts.h"

#include "settings/orderparametersdialog.h"
#include "settings/settingsfile.h"
#include "utilities/euroconverterwindow.h"

bool runOrderParameters(OrderParametersDialog &dialog, EuroConverterWindow &converter,
                        Settings &settings, const QString &bookName)
{
    takeConverterRate(converter, settings);
    dialog.Init(settings.EuroMode, settings.SingleCurrency, settings.EuroRate, settings.VatRates[0],
                settings.VatRates[1], settings.VatRates[2], settings.PaymentTermList);
    dialog.exec();
    dialog.Result(settings.EuroRate, settings.VatRates[0], settings.VatRates[1],
                  settings.VatRates[2], settings.EuroMode, settings.SingleCurrency,
                  settings.PaymentTermList);
    converter.setRateAndDirection(settings.ConverterValue, settings.ConverterOption);
    const Status saved = SettingsFile::saveSettings(settings, bookName);
    if (!saved)
        Prompts::error(saved.message());
    return saved.ok();
}

void restoreConverterRate(EuroConverterWindow &converter, const Settings &settings)
{
    converter.setRateAndDirection(settings.ConverterValue, 0);
}

void takeConverterRate(const EuroConverterWindow &converter, Settings &settings)
{
    converter.rateAndDirection(settings.ConverterValue, settings.ConverterOption);
}
