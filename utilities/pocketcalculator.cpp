#include "utilities/pocketcalculator.h"

#include "core/commanderror.h"
#include "core/numbertext.h"

#include <cmath>

namespace {

// Results are shown with the precision the 6-byte form really holds, so that the noise of
// the binary storage (0,1 kept as 0,100000000000000002) never reaches the display.
constexpr int ResultDigits = 12;
constexpr int PlainDigits = 15;

} // namespace

void PocketCalculator::activate()
{
    Display.clear();
    Accumulator = 0;
    Operand = 0;
    AccumulatorValid = false;
    PendingOperator = QChar();
}

void PocketCalculator::press(int key)
{
    if (key >= Digit0 && key <= Digit0 + 9) {
        digit(key - Digit0);
        return;
    }
    switch (key) {
    case Comma:
        comma();
        break;
    case Equals:
        equals();
        break;
    case Plus:
        operation(QLatin1Char('+'));
        break;
    case Minus:
        operation(QLatin1Char('-'));
        break;
    case Times:
        operation(QLatin1Char('*'));
        break;
    case Divide:
        operation(QLatin1Char('/'));
        break;
    case Reciprocal:
        reciprocal();
        break;
    case SquareRoot:
        squareRoot();
        break;
    case Clear:
        activate();
        break;
    default:
        break;
    }
}

void PocketCalculator::digit(int d)
{
    if (NewEntry)
        Display.clear();
    Display += QChar(QLatin1Char(char('0' + d)));
    NewEntry = false;
}

void PocketCalculator::comma()
{
    // A comma that starts a number starts it as "0,"; a second one in the same number would
    // only make it unreadable.
    if (NewEntry || Display.isEmpty()) {
        Display = QStringLiteral("0,");
        NewEntry = false;
        return;
    }
    if (!Display.contains(QLatin1Char(',')))
        Display += QLatin1Char(',');
}

Real PocketCalculator::readOperand()
{
    Operand = Real48::store(NumberText::toReal(Display));
    return Operand;
}

void PocketCalculator::equals()
{
    if (!AccumulatorValid) {
        Real value = 0;
        if (!NumberText::tryToReal(Display, value)) {
            Display.clear();
            return;
        }
        Accumulator = Real48::store(value);
        AccumulatorValid = true;
        NewEntry = true;
        return;
    }
    const Real operand = readOperand();
    Real result = Accumulator;
    switch (PendingOperator.unicode()) {
    case '+':
        result = Accumulator + operand;
        break;
    case '-':
        result = Accumulator - operand;
        break;
    case '*':
        result = Accumulator * operand;
        break;
    case '/':
        if (operand == 0)
            throw Accumulator == 0 ? CommandError::invalidOperation()
                                   : CommandError::divisionByZero();
        result = Accumulator / operand;
        break;
    default:
        break;
    }
    Accumulator = Real48::store(result);
    Display = NumberText::general(Accumulator, ResultDigits);
    NewEntry = true;
}

void PocketCalculator::operation(QChar op)
{
    equals(); // an error here leaves the previous operator in place
    PendingOperator = op;
}

void PocketCalculator::reciprocal()
{
    const Real operand = readOperand();
    if (operand == 0)
        throw CommandError::divisionByZero();
    const Real result = 1 / operand;
    // The reciprocal is shown even when it is too large to be kept.
    Display = NumberText::general(result, PlainDigits);
    Accumulator = Real48::store(result);
    AccumulatorValid = true;
    NewEntry = true;
}

void PocketCalculator::squareRoot()
{
    const Real operand = readOperand();
    if (operand < 0)
        throw CommandError::invalidOperation();
    const Real result = std::sqrt(operand);
    Display = NumberText::general(result, PlainDigits);
    Accumulator = Real48::store(result);
    AccumulatorValid = true;
    NewEntry = true;
}

int PocketCalculator::keyFor(QChar typed)
{
    const char16_t c = typed.unicode();
    if (c >= u'0' && c <= u'9')
        return Digit0 + (c - u'0');
    switch (c) {
    case u'+':
        return Plus;
    case u'-':
        return Minus;
    case u'*':
        return Times;
    case u'/':
        return Divide;
    case u',':
    case u'.':
        return Comma;
    case u'=':
        return Equals;
    case u'C':
    case u'c':
        return Clear;
    case u'S':
    case u's':
        return SquareRoot;
    case u'X':
    case u'x':
        return Reciprocal;
    case 27:
        return Close;
    default:
        return NoKey;
    }
}
