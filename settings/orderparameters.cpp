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
    dialog.load(settings.euroMode, settings.singleCurrency, settings.euroRate, settings.vatRates[0],
                settings.vatRates[1], settings.vatRates[2], settings.paymentTerms);
    dialog.exec();
    dialog.apply(settings.euroRate, settings.vatRates[0], settings.vatRates[1],
                 settings.vatRates[2], settings.euroMode, settings.singleCurrency,
                 settings.paymentTerms);
    converter.setRateAndDirection(settings.converterRate, settings.converterDirection);
    const Status saved = SettingsFile::saveSettings(settings, bookName);
    if (!saved)
        Prompts::error(saved.message());
    return saved.ok();
}

void restoreConverterRate(EuroConverterWindow &converter, const Settings &settings)
{
    converter.setRateAndDirection(settings.converterRate, 0);
}

void takeConverterRate(const EuroConverterWindow &converter, Settings &settings)
{
    converter.rateAndDirection(settings.converterRate, settings.converterDirection);
}
