#include "utilities/pocketcalculator.h"

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

Status PocketCalculator::press(int key)
{
    if (key >= Digit0 && key <= Digit0 + 9) {
        digit(key - Digit0);
        return {};
    }
    switch (key) {
    case Comma:
        comma();
        break;
    case Equals:
        return equals();
    case Plus:
        return operation(QLatin1Char('+'));
    case Minus:
        return operation(QLatin1Char('-'));
    case Times:
        return operation(QLatin1Char('*'));
    case Divide:
        return operation(QLatin1Char('/'));
    case Reciprocal:
        return reciprocal();
    case SquareRoot:
        return squareRoot();
    case Clear:
        activate();
        break;
    default:
        break;
    }
    return {};
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

Result<Real> PocketCalculator::readOperand()
{
    Real typed = 0;
    if (!NumberText::tryToReal(Display, typed))
        return Failure::notAReal(Display);
    Real kept = 0;
    if (!Real48::tryStore(typed, kept))
        return Failure::overflow();
    Operand = kept;
    return Operand;
}

Status PocketCalculator::equals()
{
    if (!AccumulatorValid) {
        Real value = 0;
        if (!NumberText::tryToReal(Display, value)) {
            Display.clear();
            return {};
        }
        Real kept = 0;
        if (!Real48::tryStore(value, kept))
            return Failure::overflow();
        Accumulator = kept;
        AccumulatorValid = true;
        NewEntry = true;
        return {};
    }
    const Result<Real> read = readOperand();
    if (!read)
        return read.failure();
    const Real operand = *read;
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
            return Accumulator == 0 ? Failure::invalidOperation() : Failure::divisionByZero();
        result = Accumulator / operand;
        break;
    default:
        break;
    }
    Real kept = 0;
    if (!Real48::tryStore(result, kept))
        return Failure::overflow();
    Accumulator = kept;
    Display = NumberText::general(Accumulator, ResultDigits);
    NewEntry = true;
    return {};
}

Status PocketCalculator::operation(QChar op)
{
    const Status done = equals();
    if (done) // a failure leaves the previous operator in place
        PendingOperator = op;
    return done;
}

Status PocketCalculator::reciprocal()
{
    const Result<Real> read = readOperand();
    if (!read)
        return read.failure();
    if (*read == 0)
        return Failure::divisionByZero();
    const Real result = 1 / *read;
    // The reciprocal is shown even when it is too large to be kept.
    Display = NumberText::general(result, PlainDigits);
    return keepResult(result);
}

Status PocketCalculator::squareRoot()
{
    const Result<Real> read = readOperand();
    if (!read)
        return read.failure();
    if (*read < 0)
        return Failure::invalidOperation();
    const Real result = std::sqrt(*read);
    Display = NumberText::general(result, PlainDigits);
    return keepResult(result);
}

Status PocketCalculator::keepResult(Real result)
{
    Real kept = 0;
    if (!Real48::tryStore(result, kept))
        return Failure::overflow();
    Accumulator = kept;
    AccumulatorValid = true;
    NewEntry = true;
    return {};
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
