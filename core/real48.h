// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/result.h"

#include <array>
#include <cstdint>

// Amounts, rates and the calculator's values are kept in the 6-byte real form: a sign bit,
// a 39-bit fraction behind an implied leading 1 (a 40-bit significand) and an exponent byte
// with bias 129. Arithmetic runs in long double; every stored value goes through store().
using Real = long double;

namespace Real48 {

// Largest and smallest positive magnitudes of the form.
Real maxValue();
Real minValue();

// Rounds v to the nearest value of the form (ties away from zero). A magnitude above the
// range is the overflow failure; one below the range becomes 0.
Result<Real> store(Real v);

// Same rounding: false on overflow.
bool tryStore(Real v, Real &out);

// The six bytes as stored on disk by the original form, least significant first: exponent
// byte, then the fraction with the sign in the top bit of the last byte. A value beyond the
// range is the overflow failure.
Result<std::array<std::uint8_t, 6>> toBytes(Real v);
Real fromBytes(const std::array<std::uint8_t, 6> &bytes);

} // namespace Real48
