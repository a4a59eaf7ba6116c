// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace tremora
{

namespace
{

constexpr double kFixedScale = 10000.0;
constexpr int kFixedDecimals = 4;
// 2^63: the first magnitude a signed 64-bit integer cannot hold.
constexpr double kFixedLimit = 9223372036854775808.0;
// Beyond this many decimals the rounding step of RoundedText changes nothing FixedText keeps.
constexpr int kMaxRoundingDigits = 18;

} // namespace

double roundHalfEven(double v)
{
    const double r = std::round(v); // halves away from zero
    if (std::fabs(r - v) == 0.5)
        return 2.0 * std::round(v / 2.0);
    return r;
}

char* writeFixedText(char* out, double x)
{
    const double scaled = roundHalfEven(x * kFixedScale);
    if (!std::isfinite(scaled) || !(std::fabs(scaled) < kFixedLimit)) {
        *out++ = kNoNumberText;
        return out;
    }

    const auto fixed = static_cast<std::int64_t>(scaled);
    // Work on the magnitude as unsigned so the most negative value cannot overflow.
    std::uint64_t magnitude
        = fixed < 0 ? 0 - static_cast<std::uint64_t>(fixed) : static_cast<std::uint64_t>(fixed);
    std::uint64_t whole = magnitude / static_cast<std::uint64_t>(kFixedScale);
    std::uint64_t fraction = magnitude % static_cast<std::uint64_t>(kFixedScale);

    char buffer[32];
    char* end = buffer + sizeof buffer;
    char* p = end;
    if (fraction != 0) {
        int digits = kFixedDecimals;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --digits;
        }
        for (int i = 0; i < digits; ++i) {
            *--p = static_cast<char>('0' + fraction % 10);
            fraction /= 10;
        }
        *--p = kDecimalSeparator;
    }
    do {
        *--p = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    if (fixed < 0)
        *--p = '-';
    const auto length = end - p;
    std::memcpy(out, p, std::size_t(length));
    return out + length;
}

QString FixedText(double x)
{
    char text[kFixedTextRoom];
    const char* end = writeFixedText(text, x);
    return QString::fromLatin1(text, end - text);
}

QString RoundedText(double x, int d)
{
    d = std::clamp(d, -kMaxRoundingDigits, kMaxRoundingDigits);
    // The step is 10^-d, formed as a reciprocal so that 0.01 is the nearest double to a hundredth.
    double power = 1.0;
    for (int i = 0; i < std::abs(d); ++i)
        power *= 10.0;
    const double step = d >= 0 ? 1.0 / power : power;
    return FixedText(roundHalfEven(x / step) * step);
}

} // namespace tremora
