// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/real48.h"
#include "core/result.h"

#include <QChar>
#include <QString>
#include <optional>

// The pocket calculator's state and keys. Its numbers are decimals of up to 18 significant
// digits, shown rounded to 15, within the range of the 6-byte reals; a key that fails gives
// back why, in French, and leaves the display and the accumulator as they were.
class PocketCalculator {
public:
    // The keypad, numbered as the window's buttons.
    enum Key {
        Digit0 = 0, // Digit0 + d is the digit d
        Comma = 10,
        Equals = 11,
        Plus = 12,
        Minus = 13,
        Times = 14,
        Divide = 15,
        Reciprocal = 16,
        SquareRoot = 17,
        Clear = 18,
        Close = 19,
        NoKey = -1
    };

    // Opening the window (and "C"): everything back to empty except m_newEntry.
    void activate();

    Status press(int key);
    void digit(int d);
    void comma();
    Status equals();
    Status operation(QChar op);
    Status reciprocal();
    Status squareRoot();

    // The key a typed character stands for (Escape gives Close), or NoKey.
    static int keyFor(QChar typed);

    const QString &display() const { return m_display; }
    Real accumulator() const { return m_accumulator; }
    Real operand() const { return m_operand; }
    QChar pendingOperator() const { return m_pendingOperator; } // null when none
    bool accumulatorValid() const { return m_accumulatorValid; }

private:
    Result<Real> readOperand();
    // The result of a one-operand key becomes the accumulator, unless it is beyond the range.
    Status keepResult(Real result);
    // Shows a result; the digits the display rounds off stay behind it for the next key.
    void show(Real result);

    QString m_display;
    std::optional<Real> m_unrounded; // the unrounded result shown, until the user types over it
    Real m_accumulator = 0;
    Real m_operand = 0;
    QChar m_pendingOperator;
    bool m_accumulatorValid = false;
    bool m_newEntry = false;
};
