// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/real48.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace Real48 {

namespace {
constexpr int SignificandBits = 40;
constexpr int Bias = 129;
} // namespace

Real maxValue()
{
    // exponent byte 255, all fraction bits set
    return std::ldexp(static_cast<Real>((std::uint64_t(1) << SignificandBits) - 1),
                      255 - Bias - (SignificandBits - 1));
}

Real minValue()
{
    return std::ldexp(static_cast<Real>(1), 1 - Bias);
}

namespace {

// The same rounding on the bits of an x87 80-bit value: every amount of a report or an export
// goes through here several times, and the library's frexp and ldexp cost most of it.
bool tryStoreBits(Real v, Real &out)
{
    std::uint64_t significand = 0;
    std::uint16_t signExponent = 0;
    std::memcpy(&significand, &v, 8);
    std::memcpy(&signExponent, reinterpret_cast<const char *>(&v) + 8, 2);
    int exponent = signExponent & 0x7FFF;
    if (exponent == 0x7FFF)
        return false; // infinite, or not a number
    if (exponent == 0 || !(significand >> 63)) {
        // Zero, and numbers far below the smallest the 6-byte form holds.
        out = 0;
        return true;
    }
    // Ties away from zero, on the magnitude.
    std::uint64_t rounded = (significand >> 24) + ((significand >> 23) & 1);
    if (rounded >> SignificandBits) {
        rounded >>= 1;
        ++exponent;
    }
    // frexp's exponent is exponent - 16382; the exponent byte is one less, plus the bias.
    const int exponentByte = exponent - 16383 + Bias;
    if (exponentByte > 255)
        return false;
    if (exponentByte < 1) {
        out = 0;
        return true;
    }
    significand = rounded << 24;
    signExponent = std::uint16_t((signExponent & 0x8000) | exponent);
    Real result = 0;
    std::memcpy(&result, &significand, 8);
    std::memcpy(reinterpret_cast<char *>(&result) + 8, &signExponent, 2);
    out = result;
    return true;
}

} // namespace

bool tryStore(Real v, Real &out)
{
    if constexpr (std::numeric_limits<Real>::digits == 64 && std::numeric_limits<Real>::is_iec559)
        return tryStoreBits(v, out);
    if (std::isnan(v) || std::isinf(v))
        return false;
    if (v == 0) {
        out = 0;
        return true;
    }
    int exp2 = 0;
    const Real fraction = std::frexp(v, &exp2); // v = fraction * 2^exp2, |fraction| in [0.5, 1)
    Real scaled = std::roundl(std::ldexp(fraction, SignificandBits)); // ties away from zero
    if (std::fabs(scaled) >= std::ldexp(static_cast<Real>(1), SignificandBits)) {
        scaled = std::ldexp(scaled, -1);
        ++exp2;
    }
    // value = 1.f * 2^(exp2 - 1), exponent byte = exp2 - 1 + Bias
    const int exponentByte = exp2 - 1 + Bias;
    if (exponentByte > 255)
        return false;
    if (exponentByte < 1) {
        out = 0;
        return true;
    }
    out = std::ldexp(scaled, exp2 - SignificandBits);
    return true;
}

Result<Real> store(Real v)
{
    Real out = 0;
    if (!tryStore(v, out))
        return Failure::overflow();
    return out;
}

Result<std::array<std::uint8_t, 6>> toBytes(Real v)
{
    std::array<std::uint8_t, 6> bytes{};
    Real r = 0;
    if (!tryStore(v, r))
        return Failure::overflow();
    if (r == 0)
        return bytes;
    int exp2 = 0;
    const Real fraction = std::frexp(std::fabs(r), &exp2);
    const auto significand = static_cast<std::uint64_t>(std::ldexp(fraction, SignificandBits));
    const std::uint64_t bits39 = significand & ((std::uint64_t(1) << 39) - 1);
    bytes[0] = static_cast<std::uint8_t>(exp2 - 1 + Bias);
    for (int i = 0; i < 5; ++i)
        bytes[1 + i] = static_cast<std::uint8_t>(bits39 >> (8 * i));
    if (r < 0)
        bytes[5] |= 0x80;
    return bytes;
}

Real fromBytes(const std::array<std::uint8_t, 6> &bytes)
{
    if (bytes[0] == 0)
        return 0;
    std::uint64_t bits39 = 0;
    for (int i = 0; i < 5; ++i)
        bits39 |= std::uint64_t(bytes[1 + i]) << (8 * i);
    const bool negative = bits39 & (std::uint64_t(1) << 39);
    bits39 &= (std::uint64_t(1) << 39) - 1;
    const std::uint64_t significand = bits39 | (std::uint64_t(1) << 39);
    const Real v = std::ldexp(static_cast<Real>(significand), int(bytes[0]) - Bias - 39);
    return negative ? -v : v;
}

} // namespace Real48
