// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/DayNumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace tremora;

TEST(DayNumber, KnownDaysAndRoundTrip)
{
    EXPECT_EQ(dayNumber(1899, 12, 30), 0);
    EXPECT_EQ(dayNumber(1973, 1, 1), 26665);
    EXPECT_EQ(dayNumber(2015, 7, 3), 42188);
    EXPECT_EQ(dayNumber(2015, 13, 1), dayNumber(2016, 1, 1));
    for (long long d = -1000; d < 80000; d += 7) {
        const CivilDate c = civilDate(d);
        ASSERT_EQ(dayNumber(c.year, c.month, c.day), d);
    }
    EXPECT_EQ(civilDate(42188), (CivilDate { 2015, 7, 3 }));
    EXPECT_EQ(daysInMonth(2016, 2), 29);
    EXPECT_EQ(daysInMonth(1900, 2), 28);
    EXPECT_EQ(daysInMonth(2000, 2), 29);
}

TEST(DayNumber, QDatesAreTheToolkitsOwnDaysAndBack)
{
    // Day 0 is Julian day 2415019 in the toolkit's calendar, which has no year 0.
    constexpr qint64 kJulianDayOfDayZero = 2'415'019;
    for (long long d = -800'000; d < 3'000'000; d += 997) {
        const QDate date = qDate(double(d) + 0.75);
        ASSERT_EQ(date, QDate::fromJulianDay(d + kJulianDayOfDayZero)) << d;
        ASSERT_EQ(dayOf(date), double(d)) << d;
    }
    EXPECT_EQ(qDate(42188.5), QDate(2015, 7, 3));
    EXPECT_EQ(qDate(-0.25), QDate(1899, 12, 29));
    EXPECT_EQ(qDate(double(dayNumber(0, 12, 31))), QDate(-1, 12, 31));
    EXPECT_EQ(dayOf(QDate(1, 1, 1)) - dayOf(QDate(-1, 12, 31)), 1.0);
}

TEST(DayNumber, TextsDoNotDependOnTheLocaleAndSurviveOddValues)
{
    const double t = 42188 + 45296.0 / 86400.0;
    EXPECT_EQ(dateText(t), QStringLiteral("2015-07-03"));
    EXPECT_EQ(timeText(t), QStringLiteral("12:34:56"));
    EXPECT_EQ(dateTimeText(t), QStringLiteral("2015-07-03 12:34:56"));
    EXPECT_EQ(dateTimeText(42188), QStringLiteral("2015-07-03"));
    // A fraction that lands a hair under a whole second still shows that second.
    EXPECT_EQ(timeText(59.0 / 86400.0), QStringLiteral("00:00:59"));
    EXPECT_EQ(timeText(86399.0 / 86400.0), QStringLiteral("23:59:59"));

    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(dateText(nan), QStringLiteral("-"));
    EXPECT_EQ(timeText(nan), QStringLiteral("-"));
    EXPECT_EQ(dateText(1e300), QStringLiteral("-"));
    EXPECT_EQ(dateText(-1e12), QStringLiteral("-"));
    EXPECT_EQ(dateText(-1), QStringLiteral("1899-12-29"));
}

// Found by fuzzing the catalogue file: a record's NaN day reached the toolkit's date as an
// undefined conversion.
TEST(DayNumber, ADayThatIsNoNumberOrFarBeyondAnyCalendarGivesNoDate)
{
    const double days[] = { std::nan(""), HUGE_VAL, -HUGE_VAL, 1e300, -1e300, 2e11 };
    for (const double day : days)
        EXPECT_FALSE(tremora::qDate(day).isValid()) << day;
    EXPECT_TRUE(tremora::qDate(-800000).isValid());
}
