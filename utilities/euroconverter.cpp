// SPDX-License-Identifier: GPL-3.0-or-later
#include "utilities/euroconverter.h"

#include "core/numbertext.h"

QString EuroConverter::rateText() const
{
    return NumberText::general(m_scaledRate * 0.00001L);
}

void EuroConverter::startEntryIfResultShown()
{
    if (m_resultShown) {
        m_entryText.clear();
        m_resultText.clear();
    }
    m_resultShown = false;
}

void EuroConverter::keypad(QChar digit)
{
    startEntryIfResultShown();
    m_entryText += digit;
}

bool EuroConverter::keyPress(QChar key)
{
    const bool closes = key == QChar(Escape);
    if (key == QChar(Enter)) {
        m_resultShown = true;
        if (tryConvert())
            return false;
    }
    startEntryIfResultShown();
    if (key == QLatin1Char('.'))
        key = QLatin1Char(',');
    if ((key >= QLatin1Char('0') && key <= QLatin1Char('9')) || key == QLatin1Char(','))
        m_entryText += key;
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
    if (!NumberText::tryToReal(m_entryText, v) || !Real48::tryStore(v, v))
        return false;
    Real result = 0;
    if (m_direction == FrancsToEuros) {
        if (!Real48::tryStore(v * 100000 / m_scaledRate, v))
            return false;
        result = NumberText::roundHalfEven(v * 100) * 0.01L;
    } else {
        if (!Real48::tryStore(v * m_scaledRate * 0.000001L, v))
            return false;
        result = NumberText::roundHalfEven(v * 100) * 0.1L;
    }
    m_resultText = NumberText::general(result);
    return true;
}

void EuroConverter::spinUp()
{
    m_scaledRate += 1;
}

void EuroConverter::spinDown()
{
    m_scaledRate -= 1;
    if (m_scaledRate < 1)
        m_scaledRate = 1;
}

void EuroConverter::getIni(Real &rate, int &direction) const
{
    rate = m_scaledRate;
    direction = m_direction == EurosToFrancs ? EurosToFrancs : FrancsToEuros;
}

void EuroConverter::setIni(Real rate, int direction)
{
    m_scaledRate = rate < 100000 ? DefaultRate : rate;
    if (direction == EurosToFrancs)
        m_direction = EurosToFrancs;
    else if (direction == FrancsToEuros)
        m_direction = FrancsToEuros;
}
