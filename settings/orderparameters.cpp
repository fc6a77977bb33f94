// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/orderparameters.h"

#include "core/prompts.h"

#include "settings/settingsfile.h"
#include "settings/tparamc.h"
#include "utilities/teurof.h"

bool runOrderParameters(TParamc &dialog, TEurof &converter, Settings &settings,
                        const QString &bookName)
{
    takeConverterRate(converter, settings);
    dialog.Init(settings.EuroMode, settings.SingleCurrency, settings.EuroRate, settings.VatRates[0],
                settings.VatRates[1], settings.VatRates[2], settings.PaymentTermList);
    dialog.exec();
    dialog.Result(settings.EuroRate, settings.VatRates[0], settings.VatRates[1],
                  settings.VatRates[2], settings.EuroMode, settings.SingleCurrency,
                  settings.PaymentTermList);
    converter.SetIni(settings.ConverterValue, settings.ConverterOption);
    const Status saved = SettingsFile::SauveIni(settings, bookName);
    if (!saved)
        Prompts::error(saved.message());
    return saved.ok();
}

void restoreConverterRate(TEurof &converter, const Settings &settings)
{
    converter.SetIni(settings.ConverterValue, 0);
}

void takeConverterRate(const TEurof &converter, Settings &settings)
{
    converter.GetIni(settings.ConverterValue, settings.ConverterOption);
}
