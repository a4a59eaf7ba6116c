// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <limits>
#include <string_view>

namespace tremora
{

/// Which characters a number may use as its decimal point.
enum class DecimalPoint { Dot, DotOrComma };

/// A decimal number of a data file, rounded half away from zero to four decimals on its written
/// digits: the fifth decimal decides, later ones are not looked at.
struct FourDecimals {
    enum class Reading {
        Number,
        NotANumber, // not "[sign]digits[point digits]" with at least one digit
        TooLarge, // a number, but more than kMaxWhole whole units
    };
    /// The largest whole part read: the most whose ten-thousandths an int64 holds with room.
    static constexpr std::int64_t kMaxWhole = std::numeric_limits<std::int64_t>::max() / 10'000 - 1;

    Reading reading = Reading::NotANumber;
    bool negative = false;
    std::int64_t units = 0; // the magnitude in ten-thousandths
};

/// Reads the whole text as "[+|-]digits[point digits]", nothing before or after it; either the
/// digits before or those after the point may be missing, not both.
FourDecimals readFourDecimals(std::string_view text, DecimalPoint point);

/// The float nearest to a number that was read (a negative zero stays negative).
float nearestFloat(const FourDecimals& number);

} // namespace tremora
