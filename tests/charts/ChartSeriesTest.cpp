// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/ChartSeries.h"
#include "catalogue/DayNumber.h"
#include "charts/ChartPainter.h"
#include "tests/support/QuakeSample.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace tremora;

namespace
{

// The pickers carry a time of day; only their days count.
constexpr double kPickerTime = 0.47;

const double kMay3 = double(dayNumber(2025, 5, 3));

SearchCriteria criteria(double fromDay, double toDay, bool anyCriterion = false, bool magnitude = false)
{
    SearchBoxes boxes;
    boxes.magnitude = magnitude;
    boxes.texts = { QStringLiteral("5,0"), QStringLiteral("9,9"), QStringLiteral("0,0"),
        QStringLiteral("1000"), QStringLiteral("-180,0"), QStringLiteral("180,0"), QStringLiteral("-90,0"),
        QStringLiteral("90,0") };
    return searchCriteria(boxes, fromDay + kPickerTime, toDay + kPickerTime, anyCriterion);
}

class ChartSeriesTest : public ::testing::Test
{
protected:
    void add(double day, int mag10) { catalogue[++catalogue.CatalogueCount] = test::quake(day, 3600, mag10); }

    Catalogue catalogue;
    ShownQuakeList shown;
};

} // namespace

TEST_F(ChartSeriesTest, EnergyHasEveryDayFromTheStartToTodayAndCountsOnlyTheSelectedDays)
{
    add(kMay3 - 1, 70); // the day before the start: not counted
    add(kMay3 + 1, 50); // 4 May: two of magnitude 5.0
    add(kMay3 + 1, 50);
    add(kMay3 + 2, 40); // 5 May, the end picker's day
    add(kMay3 + 3, 60); // 6 May, after the end picker: not counted, but the day is plotted

    const DaySeries s = energySeries(catalogue, criteria(kMay3, kMay3 + 2), kMay3 + kPickerTime, kMay3 + 7);

    ASSERT_EQ(s.size(), 8u); // 3 to 10 May
    EXPECT_EQ(s.days.front(), kMay3);
    EXPECT_EQ(s.days.back(), kMay3 + 7);
    EXPECT_EQ(s.values[0], 0.0f);
    EXPECT_NEAR(s.values[1], 2 * std::pow(10.0, 12.3) / 3600 / 1e9, 1e-6);
    EXPECT_NEAR(s.values[1], 1.109, 0.001);
    EXPECT_NEAR(s.values[2], std::pow(10.0, 10.8) / 3600 / 1e9, 1e-9);
    for (std::size_t k = 3; k < 8; ++k)
        EXPECT_EQ(s.values[k], 0.0f) << k;

    // "lub" with nothing checked takes no earthquake, yet every day is still a point.
    const DaySeries none = energySeries(catalogue, criteria(kMay3, kMay3 + 2, true), kMay3, kMay3 + 7);
    ASSERT_EQ(none.size(), 8u);
    for (float v : none.values)
        EXPECT_EQ(v, 0.0f);
    EXPECT_TRUE(magnitudeSeries(catalogue, criteria(kMay3, kMay3 + 2, true), shown).values.empty());

    // A start after today has no days; the buckets end after 30,000 days.
    EXPECT_EQ(energySeries(catalogue, criteria(kMay3, kMay3), kMay3 + 1, kMay3).size(), 0u);
    EXPECT_EQ(energySeries(catalogue, criteria(kMay3, kMay3), kMay3 - 40'000, kMay3).size(),
        std::size_t(kEnergyDayBuckets));
}

TEST_F(ChartSeriesTest, MagnitudesInCatalogueOrderAllPlottedAndTheFirst30000Shown)
{
    const int count = kShownCapacity + 5;
    for (int i = 0; i < count; ++i)
        add(kMay3 + i % 3, 20 + i % 50);
    add(kMay3 + 5, 60); // outside the days

    const DaySeries s = magnitudeSeries(catalogue, criteria(kMay3, kMay3 + 2), shown);

    ASSERT_EQ(s.size(), std::size_t(count));
    EXPECT_FLOAT_EQ(s.values[0], 2.0f);
    EXPECT_FLOAT_EQ(s.values[49], 6.9f);
    EXPECT_EQ(s.days[1], kMay3 + 1);
    ASSERT_EQ(shown.ShownCount, kShownCapacity);
    EXPECT_EQ(shown[1].Mag10, 20);
    EXPECT_EQ(shown[kShownCapacity].Mag10, 20 + (kShownCapacity - 1) % 50);

    // The magnitude criterion, bounds included.
    shown.clear();
    const DaySeries strong = magnitudeSeries(catalogue, criteria(kMay3, kMay3 + 9, false, true), shown);
    EXPECT_EQ(strong.values.front(), 5.0f);
    EXPECT_EQ(strong.values.back(), 6.0f);
}

TEST(DecimatedIndices, KeepEachColumnsFirstLowestHighestAndLastAndTheNeighboursOutside)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> value(0, 10);
    std::vector<float> v(10'000);
    for (float& x : v)
        x = value(random);
    std::vector<std::uint32_t> idx;

    // 10 columns of 100 points over 1000 .. 2000.
    decimatedIndices(v.data(), v.size(), 1000, 2000, 10, idx);
    ASSERT_FALSE(idx.empty());
    EXPECT_TRUE(std::is_sorted(idx.begin(), idx.end()));
    EXPECT_EQ(std::adjacent_find(idx.begin(), idx.end()), idx.end());
    EXPECT_LE(idx.size(), 4u * 10 + 2);
    EXPECT_EQ(idx.front(), 1000u); // the range starts on a point: no neighbour needed
    EXPECT_EQ(idx.back(), 2000u);
    for (int c = 0; c < 10; ++c) {
        const auto first = v.begin() + 1000 + c * 100;
        const float lo = *std::min_element(first, first + 100);
        const float hi = *std::max_element(first, first + 100);
        bool hasLo = false;
        bool hasHi = false;
        for (std::uint32_t i : idx) {
            hasLo |= (i >= 1000u + c * 100u && i < 1100u + c * 100u && v[i] == lo);
            hasHi |= (i >= 1000u + c * 100u && i < 1100u + c * 100u && v[i] == hi);
        }
        EXPECT_TRUE(hasLo && hasHi) << "column " << c;
    }

    // A range between points takes the neighbours on either side.
    decimatedIndices(v.data(), v.size(), 999.5, 1999.5, 10, idx);
    EXPECT_EQ(idx.front(), 999u);
    EXPECT_EQ(idx.back(), 2000u);

    // Few points per column: all of them.
    decimatedIndices(v.data(), v.size(), 0, 99, 100, idx);
    ASSERT_EQ(idx.size(), 100u);
    EXPECT_EQ(idx[99], 99u);

    decimatedIndices(v.data(), 0, 0, 10, 10, idx);
    EXPECT_TRUE(idx.empty());
}

TEST(ChartAxes, ALogarithmicAxisPutsZeroOnTheBottomEdgeAndSpansWholeDecades)
{
    ChartContent c;
    ChartLine line;
    line.values = { 0.0f, 0.004f, 0.0f, 37.0f };
    c.lines.push_back(line);
    const ChartRange log = fullRange(c, true);
    EXPECT_DOUBLE_EQ(log.yFrom, 0.001);
    EXPECT_DOUBLE_EQ(log.yTo, 100);
    const ValueAxis axis { log.yFrom, log.yTo, true };
    EXPECT_EQ(axis.unit(0), 0);
    EXPECT_DOUBLE_EQ(axis.unit(0.1), 0.4);
    EXPECT_NEAR(axis.value(axis.unit(37)), 37, 1e-9);
    const ChartRange linear = fullRange(c, false);
    EXPECT_EQ(linear.yFrom, 0);
    EXPECT_GE(linear.yTo, 37);
    EXPECT_EQ(ValueAxis({ linear.yFrom, linear.yTo, false }).unit(0), 0);

    // Ticks: 1, 2, 5 per decade over a few decades, every decade over many.
    const std::vector<double> few = valueTicks({ 0.1, 10, true });
    EXPECT_EQ(few.size(), 7u);
    EXPECT_NEAR(few[1], 0.2, 1e-12);
    EXPECT_EQ(valueTicks({ 1e-5, 1e5, true }).size(), 11u);
}

TEST(ChartAxes, EnergyValuesGroupThousandsAndKeepTheFirstDigitOfSmallValues)
{
    const QString nbsp(QChar(0x00A0));
    EXPECT_EQ(valueText(1234.5, ValueFormat::GWh), QStringLiteral("1") + nbsp + QStringLiteral("234,5 GWh"));
    EXPECT_EQ(valueText(1234567, ValueFormat::GWh),
        QStringLiteral("1") + nbsp + QStringLiteral("234") + nbsp + QStringLiteral("567 GWh"));
    EXPECT_EQ(valueText(0.1, ValueFormat::GWh), QStringLiteral("0,1 GWh"));
    EXPECT_EQ(valueText(0, ValueFormat::GWh), QStringLiteral("0 GWh"));
    EXPECT_EQ(valueText(0.00002, ValueFormat::GWh), QStringLiteral("0,00002 GWh"));
    EXPECT_EQ(valueText(0.30000000000000004, ValueFormat::Plain), QStringLiteral("0,3"));
}
