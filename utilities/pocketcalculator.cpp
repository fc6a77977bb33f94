#include "utilities/pocketcalculator.h"

#include "core/commanderror.h"
#include "core/numbertext.h"

#include <cmath>

namespace {

// The calculator's own failures still end its command with a CommandError.
template <typename T> T orThrow(Result<T> result)
{
    if (!result.ok())
        throw CommandError(result.failure());
    return std::move(result).value();
}

// Results are shown with the precision the 6-byte form really holds, so that the noise of
// the binary storage (0,1 kept as 0,100000000000000002) never reaches the display.
constexpr int ResultDigits = 12;
constexpr int PlainDigits = 15;

} // namespace

void PocketCalculator::activate()
{
    m_display.clear();
    m_accumulator = 0;
    m_operand = 0;
    m_accumulatorValid = false;
    m_pendingOperator = QChar();
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
    if (m_newEntry)
        m_display.clear();
    m_display += QChar(QLatin1Char(char('0' + d)));
    m_newEntry = false;
}

void PocketCalculator::comma()
{
    // A comma that starts a number starts it as "0,"; a second one in the same number would
    // only make it unreadable.
    if (m_newEntry || m_display.isEmpty()) {
        m_display = QStringLiteral("0,");
        m_newEntry = false;
        return;
    }
    if (!m_display.contains(QLatin1Char(',')))
        m_display += QLatin1Char(',');
}

Real PocketCalculator::readOperand()
{
    m_operand = orThrow(Real48::store(orThrow(NumberText::toReal(m_display))));
    return m_operand;
}

void PocketCalculator::equals()
{
    if (!m_accumulatorValid) {
        Real value = 0;
        if (!NumberText::tryToReal(m_display, value)) {
            m_display.clear();
            return;
        }
        m_accumulator = orThrow(Real48::store(value));
        m_accumulatorValid = true;
        m_newEntry = true;
        return;
    }
    const Real operand = readOperand();
    Real result = m_accumulator;
    switch (m_pendingOperator.unicode()) {
    case '+':
        result = m_accumulator + operand;
        break;
    case '-':
        result = m_accumulator - operand;
        break;
    case '*':
        result = m_accumulator * operand;
        break;
    case '/':
        if (operand == 0)
            throw m_accumulator == 0 ? CommandError::invalidOperation()
                                     : CommandError::divisionByZero();
        result = m_accumulator / operand;
        break;
    default:
        break;
    }
    m_accumulator = orThrow(Real48::store(result));
    m_display = NumberText::general(m_accumulator, ResultDigits);
    m_newEntry = true;
}

void PocketCalculator::operation(QChar op)
{
    equals(); // an error here leaves the previous operator in place
    m_pendingOperator = op;
}

void PocketCalculator::reciprocal()
{
    const Real operand = readOperand();
    if (operand == 0)
        throw CommandError::divisionByZero();
    const Real result = 1 / operand;
    // The reciprocal is shown even when it is too large to be kept.
    m_display = NumberText::general(result, PlainDigits);
    m_accumulator = orThrow(Real48::store(result));
    m_accumulatorValid = true;
    m_newEntry = true;
}

void PocketCalculator::squareRoot()
{
    const Real operand = readOperand();
    if (operand < 0)
        throw CommandError::invalidOperation();
    const Real result = std::sqrt(operand);
    m_display = NumberText::general(result, PlainDigits);
    m_accumulator = orThrow(Real48::store(result));
    m_accumulatorValid = true;
    m_newEntry = true;
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
