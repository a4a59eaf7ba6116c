// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FourDecimals.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

using namespace tremora;

namespace
{

using Reading = FourDecimals::Reading;

FourDecimals read(std::string_view text, DecimalPoint point = DecimalPoint::Dot)
{
    return readFourDecimals(text, point);
}

// The float nearest to ±units / 10^4, by the correctly rounded conversion of its decimal text.
float nearestByText(bool negative, std::int64_t units)
{
    const std::string text = (negative ? "-" : "") + std::to_string(units / 10'000) + "."
        + std::to_string(10'000 + units % 10'000).substr(1);
    float value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

} // namespace

TEST(FourDecimals, RoundsHalfAwayFromZeroOnTheWrittenDigits)
{
    struct Case {
        const char* text;
        bool negative;
        std::int64_t units;
    };
    const Case cases[] = {
        { "52.12345", false, 521'235 },
        { "52.12344999", false, 521'234 }, // only the fifth decimal decides
        { "-0.00005", true, 1 },
        { "-0.00004", true, 0 },
        { "+7", false, 70'000 },
        { "5.", false, 50'000 },
        { ".5", false, 5'000 },
        { "0000012.5", false, 125'000 },
        { "-180", true, 1'800'000 },
        { "9.99995", false, 100'000 },
    };
    for (const Case& c : cases) {
        const FourDecimals n = read(c.text);
        EXPECT_EQ(n.reading, Reading::Number) << c.text;
        EXPECT_EQ(n.negative, c.negative) << c.text;
        EXPECT_EQ(n.units, c.units) << c.text;
    }
}

TEST(FourDecimals, TellsMalformedTextFromNumbersTooLargeToHold)
{
    for (const char* bad : { "", "-", ".", "+.", "1e3", " 1", "1 ", "1.2.3", "5 2", "--1", "1-", "0x10" })
        EXPECT_EQ(read(bad).reading, Reading::NotANumber) << '"' << bad << '"';

    EXPECT_EQ(read("1,5").reading, Reading::NotANumber);
    const FourDecimals comma = read("-1,5", DecimalPoint::DotOrComma);
    EXPECT_EQ(comma.reading, Reading::Number);
    EXPECT_EQ(comma.units, 15'000);
    EXPECT_EQ(read("1,5,", DecimalPoint::DotOrComma).reading, Reading::NotANumber);

    const std::string largest = std::to_string(FourDecimals::kMaxWhole);
    const FourDecimals edge = read(largest + ".99994");
    EXPECT_EQ(edge.reading, Reading::Number);
    EXPECT_EQ(edge.units, FourDecimals::kMaxWhole * 10'000 + 9'999);
    EXPECT_EQ(read(std::to_string(FourDecimals::kMaxWhole + 1)).reading, Reading::TooLarge);
    EXPECT_EQ(read("-99999999999999999999999999.5").reading, Reading::TooLarge);
    // The form is checked before the size.
    EXPECT_EQ(read("99999999999999999999999999x").reading, Reading::NotANumber);
}

TEST(FourDecimals, NearestFloatIsTheCorrectlyRoundedValue)
{
    // Every coordinate from 0 to 10 degrees.
    for (std::int64_t units = 0; units <= 100'000; ++units) {
        const FourDecimals n { Reading::Number, units % 2 == 1, units };
        ASSERT_EQ(nearestFloat(n), nearestByText(n.negative, units)) << units;
    }
    // Numbers of every size up to the largest read, and around the point where the conversion
    // changes its way.
    std::mt19937_64 random(11);
    const auto largest = std::uint64_t(FourDecimals::kMaxWhole) * 10'000 + 9'999;
    for (int i = 0; i < 50'000; ++i) {
        const std::uint64_t limit = i % 2 == 0 ? largest : std::uint64_t(1) << (random() % 62);
        const auto units = std::int64_t(random() % limit + 1);
        ASSERT_EQ(nearestFloat({ Reading::Number, false, units }), nearestByText(false, units)) << units;
    }
    for (std::int64_t units = 999'999'999'995'000; units <= 1'000'000'000'005'000; ++units)
        ASSERT_EQ(nearestFloat({ Reading::Number, true, units }), nearestByText(true, units)) << units;

    // Beside a midpoint between two floats, where a conversion through a double would land on the
    // midpoint itself and round to the even float, not the nearer one.
    const std::int64_t midpoint = ((std::int64_t(1) << 49) + (std::int64_t(1) << 25)) * 10'000;
    for (const std::int64_t units : { midpoint - 1, midpoint, midpoint + 1 })
        EXPECT_EQ(nearestFloat({ Reading::Number, false, units }), nearestByText(false, units)) << units;
    EXPECT_NE(nearestFloat({ Reading::Number, false, midpoint - 1 }),
        nearestFloat({ Reading::Number, false, midpoint + 1 }));

    const float negativeZero = nearestFloat({ Reading::Number, true, 0 });
    EXPECT_EQ(negativeZero, 0.0f);
    EXPECT_TRUE(std::signbit(negativeZero));
    EXPECT_EQ(double(nearestFloat(read("-110.8"))), -110.80000305175781);
}
