// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/MonthPlan.h"

#include "catalogue/DayNumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

using namespace tremora;

namespace
{

class MonthPlanTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_catalogue = std::make_unique<Catalogue>(); }
    static void TearDownTestSuite() { s_catalogue.reset(); }

    // A catalogue of count records whose newest lies on the given day.
    static const Catalogue& withNewest(int count, int year, int month, int day)
    {
        Catalogue& c = *s_catalogue;
        c.CatalogueCount = count;
        c.ImportCount = count;
        if (count > 0)
            c[count].OriginDate = static_cast<double>(dayNumber(year, month, day));
        if (count > 0)
            c[count].OriginTime = 0.75;
        return c;
    }
    static double day(int year, int month, int d)
    {
        return static_cast<double>(dayNumber(year, month, d)) + 0.4;
    }

    static std::unique_ptr<Catalogue> s_catalogue;
};

std::unique_ptr<Catalogue> MonthPlanTest::s_catalogue;

} // namespace

TEST_F(MonthPlanTest, IncrementalUpdateFromTheNewestDayToToday)
{
    UpdatePlan plan = planUpdate(withNewest(101, 2015, 6, 30), day(2015, 7, 3));
    EXPECT_FALSE(plan.rebuild);
    EXPECT_EQ(plan.startCount, 101);
    ASSERT_EQ(plan.months.size(), 2u);
    EXPECT_EQ(plan.months[0], (MonthRequest { 2015, 6, 30, 30, true }));
    EXPECT_EQ(plan.months[1], (MonthRequest { 2015, 7, 1, 3, false }));
    EXPECT_EQ(plan.months[0].edit7(), QStringLiteral("2015-06-30"));
    EXPECT_EQ(plan.months[0].edit8(), QStringLiteral("2015-06-30"));
    EXPECT_EQ(plan.months[1].edit7(), QStringLiteral("2015-07-01"));
    EXPECT_EQ(plan.months[1].edit8(), QStringLiteral("2015-07-03"));
    EXPECT_EQ(plan.months[1].edit8(DateLayout::DayMonthYear), QStringLiteral("03-07-2015"));

    plan = planUpdate(withNewest(5000, 2015, 7, 3), day(2015, 7, 3));
    ASSERT_EQ(plan.months.size(), 1u);
    EXPECT_EQ(plan.months[0], (MonthRequest { 2015, 7, 3, 3, true }));

    // Across a year end.
    plan = planUpdate(withNewest(5000, 2015, 12, 20), day(2016, 1, 2));
    ASSERT_EQ(plan.months.size(), 2u);
    EXPECT_EQ(plan.months[0], (MonthRequest { 2015, 12, 20, 31, true }));
    EXPECT_EQ(plan.months[1], (MonthRequest { 2016, 1, 1, 2, false }));
}

TEST_F(MonthPlanTest, FebruaryEndsOnTheLastDayOfItsYear)
{
    const struct {
        int year;
        int last;
    } years[] = { { 2015, 28 }, { 2016, 29 }, { 2000, 29 }, { 2023, 28 }, { 2024, 29 } };
    for (const auto& y : years) {
        const UpdatePlan plan = planUpdate(withNewest(200, y.year, 1, 31), day(y.year, 3, 1));
        ASSERT_EQ(plan.months.size(), 3u) << y.year;
        EXPECT_EQ(plan.months[1], (MonthRequest { y.year, 2, 1, y.last, false })) << y.year;
        EXPECT_EQ(plan.months[2], (MonthRequest { y.year, 3, 1, 1, false })) << y.year;
    }
}

TEST_F(MonthPlanTest, SmallCatalogueIsRebuiltFrom1973)
{
    UpdatePlan plan = planUpdate(withNewest(100, 2015, 6, 30), day(2015, 7, 3));
    EXPECT_TRUE(plan.rebuild);
    EXPECT_EQ(plan.startCount, 0);
    ASSERT_EQ(plan.months.size(), static_cast<std::size_t>((2015 - 1973) * 12 + 7));
    EXPECT_EQ(plan.months.front(), (MonthRequest { 1973, 1, 1, 31, false }));
    EXPECT_EQ(plan.months[1], (MonthRequest { 1973, 2, 1, 28, false }));
    EXPECT_EQ(plan.months.back(), (MonthRequest { 2015, 7, 1, 3, false }));
    for (const MonthRequest& m : plan.months)
        ASSERT_FALSE(m.matchFirst);

    EXPECT_TRUE(planUpdate(withNewest(0, 0, 0, 0), day(2015, 7, 3)).rebuild);
    EXPECT_FALSE(planUpdate(withNewest(101, 2015, 6, 30), day(2015, 7, 3)).rebuild);
}

TEST_F(MonthPlanTest, WrongClockOrOddDatesStillEndTheLoop)
{
    // Today lies before the newest record's month: only that month is fetched.
    UpdatePlan plan = planUpdate(withNewest(300, 2015, 7, 20), day(2015, 3, 5));
    ASSERT_EQ(plan.months.size(), 1u);
    EXPECT_EQ(plan.months[0], (MonthRequest { 2015, 7, 20, 31, true }));
    // A few days back in the same month: the period never runs backwards.
    plan = planUpdate(withNewest(300, 2015, 7, 20), day(2015, 7, 5));
    ASSERT_EQ(plan.months.size(), 1u);
    EXPECT_EQ(plan.months[0], (MonthRequest { 2015, 7, 20, 20, true }));
    // A clock before 1973 still gives one request on a rebuild.
    EXPECT_EQ(planUpdate(withNewest(0, 0, 0, 0), day(1970, 1, 1)).months.size(), 1u);

    // A newest record that is no date is planned from 1973.
    Catalogue& c = *s_catalogue;
    c.CatalogueCount = 200;
    c[200].OriginDate = std::numeric_limits<double>::quiet_NaN();
    plan = planUpdate(c, day(1973, 3, 10));
    ASSERT_EQ(plan.months.size(), 3u);
    EXPECT_EQ(plan.months[0], (MonthRequest { 1973, 1, 1, 31, true }));
    EXPECT_TRUE(planUpdate(c, std::numeric_limits<double>::infinity()).months.empty());
}
