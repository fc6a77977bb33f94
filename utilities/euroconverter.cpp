// SPDX-License-Identifier: GPL-3.0-or-later
#include "utilities/euroconverter.h"

#include "core/numbertext.h"

QString EuroConverter::rateText() const
{
    return NumberText::general(ScaledRate * 0.00001L);
}

void EuroConverter::startEntryIfResultShown()
{
    if (ResultShown) {
        EntryText.clear();
        ResultText.clear();
    }
    ResultShown = false;
}

void EuroConverter::keypad(QChar digit)
{
    startEntryIfResultShown();
    EntryText += digit;
}

bool EuroConverter::keyPress(QChar key)
{
    const bool closes = key == QChar(Escape);
    if (key == QChar(Enter)) {
        ResultShown = true;
        if (tryConvert())
            return false;
    }
    startEntryIfResultShown();
    if (key == QLatin1Char('.'))
        key = QLatin1Char(',');
    if ((key >= QLatin1Char('0') && key <= QLatin1Char('9')) || key == QLatin1Char(','))
        EntryText += key;
    return closes;
}

void EuroConverter::convert()
{
    keyPress(QChar(Enter));
}

// Euros are rounded to the cent, francs to the tenth of a franc; an exact half goes to the
// even neighbour. Every kept intermediate is rounded to the 6-byte form, out of range fails.
bool EuroConverter::tryConvert()
{
    Real v = 0;
    if (!NumberText::tryToReal(EntryText, v) || !Real48::tryStore(v, v))
        return false;
    Real result = 0;
    if (ChosenDirection == FrancsToEuros) {
        if (!Real48::tryStore(v * 100000 / ScaledRate, v))
            return false;
        result = NumberText::roundHalfEven(v * 100) * 0.01L;
    } else {
        if (!Real48::tryStore(v * ScaledRate * 0.000001L, v))
            return false;
        result = NumberText::roundHalfEven(v * 100) * 0.1L;
    }
    ResultText = NumberText::general(result);
    return true;
}

void EuroConverter::spinUp()
{
    ScaledRate += 1;
}

void EuroConverter::spinDown()
{
    ScaledRate -= 1;
    if (ScaledRate < 1)
        ScaledRate = 1;
}

void EuroConverter::getIni(Real &rate, int &direction) const
{
    rate = ScaledRate;
    direction = ChosenDirection == EurosToFrancs ? EurosToFrancs : FrancsToEuros;
}

void EuroConverter::setIni(Real rate, int direction)
{
    ScaledRate = rate < 100000 ? DefaultRate : rate;
    if (direction == EurosToFrancs)
        ChosenDirection = EurosToFrancs;
    else if (direction == FrancsToEuros)
        ChosenDirection = FrancsToEuros;
}
