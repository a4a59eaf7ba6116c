// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/Energy.h"
#include "table/NumberText.h"
#include "tests/support/TextPrinting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace tremora;
using test::s;

TEST(NumberText, FixedTextShortestFormWithComma)
{
    EXPECT_EQ(FixedText(0), s("0"));
    EXPECT_EQ(FixedText(-0.0), s("0"));
    EXPECT_EQ(FixedText(10), s("10"));
    EXPECT_EQ(FixedText(35.2), s("35,2"));
    EXPECT_EQ(FixedText(-180.0), s("-180"));
    EXPECT_EQ(FixedText(-17.1234), s("-17,1234"));
    EXPECT_EQ(FixedText(0.0001), s("0,0001"));
    EXPECT_EQ(FixedText(-0.0001), s("-0,0001"));
    EXPECT_EQ(FixedText(1.05), s("1,05"));
    // Four decimals at most; halves of the last place go to the even neighbour.
    EXPECT_EQ(FixedText(1.23456), s("1,2346"));
    EXPECT_EQ(FixedText(0.00005), s("0"));
    EXPECT_EQ(FixedText(0.00035), s("0,0004"));
    EXPECT_EQ(FixedText(-0.00005), s("0"));
    // Coordinates stored as floats keep their float noise inside the fourth decimal.
    EXPECT_EQ(FixedText(static_cast<double>(35.1234f)), s("35,1234"));
    EXPECT_EQ(FixedText(900000000000000.0), s("900000000000000"));
    EXPECT_EQ(FixedText(-900000000000000.0), s("-900000000000000"));
}

TEST(NumberText, ValuesWithoutFixedPointFormAreWrittenAsDash)
{
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(FixedText(std::numeric_limits<double>::quiet_NaN()), s("-"));
    EXPECT_EQ(FixedText(inf), s("-"));
    EXPECT_EQ(FixedText(-inf), s("-"));
    EXPECT_EQ(FixedText(1e15), s("-"));
    EXPECT_EQ(FixedText(-922337203685477.5808), s("-"));
    EXPECT_EQ(FixedText(std::numeric_limits<double>::max()), s("-"));
    EXPECT_EQ(RoundedText(std::numeric_limits<double>::quiet_NaN(), 2), s("-"));
    EXPECT_EQ(RoundedText(1e300, 2), s("-"));
    EXPECT_EQ(RoundedText(5, 1000), s("5"));
    EXPECT_EQ(RoundedText(5, -1000), s("0"));
}

TEST(NumberText, RoundedTextRoundsToDecimalsTiesToEven)
{
    EXPECT_EQ(RoundedText(63.0957, 2), s("63,1"));
    EXPECT_EQ(RoundedText(1.9953, 2), s("2"));
    EXPECT_EQ(RoundedText(4.5, 1), s("4,5"));
    EXPECT_EQ(RoundedText(5.0, 1), s("5"));
    EXPECT_EQ(RoundedText(2.5, 0), s("2"));
    EXPECT_EQ(RoundedText(3.5, 0), s("4"));
    EXPECT_EQ(RoundedText(-2.5, 0), s("-2"));
    EXPECT_EQ(RoundedText(1234.5678, -2), s("1200"));
}

TEST(Energy, PerMagnitudeTextsInJoulesAndWattHours)
{
    struct Row {
        int mag10;
        const char* joules;
        const char* wattHours;
    };
    const Row rows[] = {
        { 0, "63,1 kJ", "17,53 Wh" },
        { 11, "2,82 MJ", "782,88 Wh" },
        { 12, "3,98 MJ", "1,11 kWh" },
        { 50, "2 TJ", "554,24 MWh" },
        { 60, "63,1 TJ", "17,53 GWh" },
        { 90, "2 EJ", "554,24 TWh" },
        { 99, "44,67 EJ", "12,41 PWh" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mag10);
        const auto mag10 = static_cast<std::uint8_t>(row.mag10);
        EXPECT_EQ(Przelicz_mag_J(mag10), s(row.joules));
        EXPECT_EQ(Przelicz_mag_W(mag10), s(row.wattHours));
    }
    EXPECT_DOUBLE_EQ(QuakeEnergyJ(60), std::pow(10.0, 13.8));
    EXPECT_DOUBLE_EQ(QuakeEnergyWh(60), std::pow(10.0, 13.8) / 3600);
    // Every stored magnitude has some text and none of them crashes, even past the fixed-point range.
    for (int m = 0; m <= 255; ++m) {
        EXPECT_FALSE(Przelicz_mag_J(static_cast<std::uint8_t>(m)).isEmpty()) << m;
        EXPECT_FALSE(Przelicz_mag_W(static_cast<std::uint8_t>(m)).isEmpty()) << m;
    }
    EXPECT_EQ(Przelicz_mag_J(255), s("- EJ"));
}

TEST(Energy, BarePrefixChoiceIsStrict)
{
    EXPECT_EQ(Przel_mno(1e18), s("1000 P"));
    EXPECT_EQ(Przel_mno(2.05e15), s("2,05 P"));
    EXPECT_EQ(Przel_mno(1000), s("1000 "));
    EXPECT_EQ(Przel_mno(1500), s("1,5 k"));
    EXPECT_EQ(Przel_mno(500), s("500 "));
    EXPECT_EQ(Przel_mno(1), s(""));
    EXPECT_EQ(Przel_mno(0), s(""));
    EXPECT_EQ(Przel_mno(-5), s(""));
    EXPECT_EQ(Przel_mno(std::numeric_limits<double>::quiet_NaN()), s(""));
}
