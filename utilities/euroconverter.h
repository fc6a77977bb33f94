// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/real48.h"

#include <QChar>
#include <QString>

// The euro converter's state and keys, apart from its window. The rate is kept in
// hundred-thousandths of a franc per euro (655957 stands for 6,55957) so that the spin button
// moves it by exactly one step.
class EuroConverter {
public:
    enum Direction { FrancsToEuros = 1, EurosToFrancs = 2 };

    static constexpr Real DefaultRate = 655957;
    static constexpr char16_t Escape = 27;
    static constexpr char16_t Enter = 13;

    bool resultShown() const { return m_resultShown; }
    QString entry() const { return m_entryText; }
    QString result() const { return m_resultText; }
    Direction direction() const { return m_direction; }
    void setDirection(Direction direction) { m_direction = direction; }

    // The rate as the window shows it: "6,55957".
    QString rateText() const;

    // The window is shown again: back to entry mode, the displays keep their texts.
    void activate() { m_resultShown = false; }

    // A keypad button: a digit or ",".
    void keypad(QChar digit);

    // A key typed in the window. Returns true when the key closes the window (Escape).
    bool keyPress(QChar key);

    // "=" and Enter: converts the entry. An entry that is not a number (or whose result is
    // out of range) empties both displays.
    void convert();

    void spinUp();
    void spinDown();

    // Exchange with the settings: the rate value and the direction (1 or 2; any other value
    // given to setIni leaves the direction as it is). A rate below 1,00000 is not accepted.
    void getIni(Real &rate, int &direction) const;
    void setIni(Real rate, int direction);

private:
    void startEntryIfResultShown();
    bool tryConvert();

    Real m_scaledRate = DefaultRate;
    bool m_resultShown = false;
    QString m_entryText;
    QString m_resultText;
    Direction m_direction = FrancsToEuros;
};
