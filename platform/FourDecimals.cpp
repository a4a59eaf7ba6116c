// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FourDecimals.h"

#include <charconv>
#include <cstdio>

namespace tremora
{

namespace
{

constexpr int kDecimals = 4;
constexpr std::int64_t kScale = 10'000;
// Up to here a count of ten-thousandths and its quotient by kScale are exact enough in double
// precision that converting the quotient to float gives the float nearest the decimal value:
// below 2^39 a float midpoint lies at least 10^-4 from any four-decimal number, more than the
// double's rounding error, so the two roundings cannot land on different sides of one.
constexpr std::int64_t kDirectUnits = 1'000'000'000'000'000;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

FourDecimals readFourDecimals(std::string_view text, DecimalPoint point)
{
    FourDecimals number;
    std::size_t i = 0;
    const std::size_t end = text.size();
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        number.negative = text[i] == '-';
        ++i;
    }

    std::int64_t whole = 0;
    bool tooLarge = false;
    int digits = 0;
    for (; i < end && isDigit(text[i]); ++i, ++digits) {
        if (!tooLarge)
            whole = whole * 10 + (text[i] - '0');
        tooLarge = tooLarge || whole > FourDecimals::kMaxWhole;
    }

    std::int64_t fraction = 0;
    int fractionDigits = 0;
    bool roundUp = false;
    if (i < end && (text[i] == '.' || (point == DecimalPoint::DotOrComma && text[i] == ','))) {
        for (++i; i < end && isDigit(text[i]); ++i, ++digits) {
            if (fractionDigits < kDecimals)
                fraction = fraction * 10 + (text[i] - '0');
            else if (fractionDigits == kDecimals)
                roundUp = text[i] >= '5';
            ++fractionDigits;
        }
    }
    if (digits == 0 || i != end)
        return number;
    if (tooLarge) {
        number.reading = FourDecimals::Reading::TooLarge;
        return number;
    }
    for (int d = fractionDigits; d < kDecimals; ++d)
        fraction *= 10;
    number.units = whole * kScale + fraction + (roundUp ? 1 : 0);
    number.reading = FourDecimals::Reading::Number;
    return number;
}

float nearestFloat(const FourDecimals& number)
{
    if (number.units <= kDirectUnits) {
        const auto value = static_cast<float>(static_cast<double>(number.units) / kScale);
        return number.negative ? -value : value;
    }
    // Beyond that, the correctly rounded conversion of the decimal text.
    char text[32];
    const int length = std::snprintf(text, sizeof text, "%s%lld.%04lld", number.negative ? "-" : "",
        static_cast<long long>(number.units / kScale), static_cast<long long>(number.units % kScale));
    float value = 0;
    std::from_chars(text, text + length, value);
    return value;
}

} // namespace tremora
