// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/MapSelection.h"

#include "catalogue/DayNumber.h"
#include "map/ShownQuakes.h"
#include "table/PeriodSpan.h"

#include <gtest/gtest.h>

using namespace tremora;

namespace
{
// The pickers' time of day: start 11:22:11, end 11:22:35.
constexpr double kStartTime = (11 * 3600 + 22 * 60 + 11) / 86400.0;
constexpr double kEndTime = (11 * 3600 + 22 * 60 + 35) / 86400.0;
} // namespace

TEST(InMapPeriod, ThreeDaysFromTheStartDayToTheEndDayInclusiveWhateverThePickersTime)
{
    const double may10 = double(dayNumber(2025, 5, 10));
    for (const auto& [startTime, endTime] :
        { std::pair { kStartTime, kEndTime }, { 0.0, 0.0 }, { 0.999, 0.999 } }) {
        const double start = may10 - kPeriodDays[10] + startTime; // "3 dni"
        const double end = may10 + endTime;
        EXPECT_FALSE(InMapPeriod(may10 - 3, start, end)) << startTime; // 7 May
        EXPECT_TRUE(InMapPeriod(may10 - 2, start, end)) << startTime; // 8 May
        EXPECT_TRUE(InMapPeriod(may10 - 1, start, end)) << startTime;
        EXPECT_TRUE(InMapPeriod(may10, start, end)) << startTime; // the end day
        EXPECT_FALSE(InMapPeriod(may10 + 1, start, end)) << startTime; // the day after
    }
}

TEST(InMapMagnitudeRange, BothEndsIncludedInTenths)
{
    const MagnitudeRange defaults = magnitudeRangeOf(2, 0, 9, 9);
    EXPECT_FALSE(InMapMagnitudeRange(19, defaults));
    EXPECT_TRUE(InMapMagnitudeRange(20, defaults));
    EXPECT_TRUE(InMapMagnitudeRange(99, defaults));
    EXPECT_FALSE(InMapMagnitudeRange(100, defaults));
    // A reversed range admits nothing.
    const MagnitudeRange reversed = magnitudeRangeOf(6, 0, 5, 0);
    for (int m = 0; m < 256; ++m)
        EXPECT_FALSE(InMapMagnitudeRange(m, reversed));
}

TEST(ShownQuakes, AppendingStopsQuietlyAtTheLimitAndTheRoom)
{
    ShownQuakeList shown;
    QuakeRecord r;
    for (int i = 1; i <= 12'000; ++i) {
        r.OriginDate = i;
        shown.append(r, kMapShownLimit);
    }
    EXPECT_EQ(shown.ShownCount, kMapShownLimit);
    EXPECT_EQ(shown[1].OriginDate, 1);
    EXPECT_EQ(shown[kMapShownLimit].OriginDate, kMapShownLimit);

    // A larger limit continues the list up to its room, never past it.
    for (int i = 0; i < 70'000; ++i)
        shown.append(r, 70'000);
    EXPECT_EQ(shown.ShownCount, kShownCapacity);
    shown.clear();
    EXPECT_EQ(shown.ShownCount, 0);
    EXPECT_TRUE(shown.append(r, kMapShownLimit));
    EXPECT_EQ(shown.ShownCount, 1);
}

TEST(ShownBlink, IntervalGrowsWithTheList)
{
    EXPECT_EQ(blinkIntervalMs(100), 250);
    EXPECT_EQ(blinkIntervalMs(101), 350);
    EXPECT_EQ(blinkIntervalMs(5000), 750);
    EXPECT_EQ(blinkIntervalMs(5001), 1000);
}
