// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/MagnitudeDistribution.h"
#include "catalogue/CsvImport.h"
#include "charts/ChartSeries.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace tremora;

namespace
{

/// Magnitudes drawn from log10 N(>= M) = a - b M above `mc`, rounded to tenths, with a detection
/// that fades below Mc as real networks do (fewer of the smaller events are recorded).
std::vector<std::uint8_t> syntheticCatalogue(double b, double mc, int complete, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<std::uint8_t> mags;
    const double from = mc - 1.0; // the law holds from here; below Mc detection fades
    int above = 0;
    while (above < complete) {
        // Continuous magnitudes start half a bin below the first bin, so rounding gives bins.
        const double m = from - 0.05 - std::log10(1.0 - unit(random)) / b;
        const int m10 = static_cast<int>(std::lround(m * 10));
        if (m10 < std::lround(mc * 10)) {
            const double detected = std::pow(10.0, 1.5 * (m10 / 10.0 - mc)); // 0.03 .. 0.7
            if (unit(random) > detected)
                continue;
        } else {
            ++above;
        }
        mags.push_back(static_cast<std::uint8_t>(std::min(m10, 255)));
    }
    return mags;
}

class Observer : public ImportObserver
{
public:
    void log(const QString&) override { }
    void progress(int) override { }
    void warning(const QString&) override { }
};

} // namespace

TEST(MagnitudeDistribution, FindsMcAndBOfASyntheticGutenbergRichterCatalogue)
{
    const std::vector<std::uint8_t> mags = syntheticCatalogue(1.0, 2.0, 10'000, 20240501);
    const MagnitudeDistribution d = magnitudeDistribution(mags);

    ASSERT_TRUE(d.fitted);
    EXPECT_EQ(d.mcBin, 20);
    EXPECT_EQ(d.completeCount, 10'000);
    EXPECT_NEAR(d.b, 1.0, 0.05);
    // Shi and Bolt: about b / sqrt(n).
    EXPECT_NEAR(d.bError, 0.01, 0.003);
    EXPECT_NEAR(d.a, 4.0 + d.b * 2.0, 1e-9);
    EXPECT_NEAR(d.lineAt(2.0), 10'000, 1e-6);
    EXPECT_EQ(d.cumulative[static_cast<std::size_t>(d.lowestBin)], d.total);
    EXPECT_EQ(d.cumulative[20], 10'000);
    EXPECT_EQ(d.cumulative[static_cast<std::size_t>(d.highestBin)],
        d.counts[static_cast<std::size_t>(d.highestBin)]);
}

TEST(MagnitudeDistribution, NoFitWithoutEnoughSpread)
{
    EXPECT_FALSE(magnitudeDistribution({}).fitted);
    EXPECT_EQ(magnitudeDistribution({}).total, 0);
    EXPECT_FALSE(magnitudeDistribution({ 45 }).fitted);
    // Bin 0 gathers the magnitudes below zero and is no candidate for Mc.
    EXPECT_EQ(magnitudeDistribution({ 0, 0, 0, 0, 5, 5, 6 }).mcBin, 5);
    EXPECT_EQ(magnitudeDistribution({ 0, 0 }).mcBin, 0);
    const MagnitudeDistribution same = magnitudeDistribution({ 30, 30, 30, 30 });
    EXPECT_FALSE(same.fitted);
    EXPECT_EQ(same.mcBin, 30);
    // Two magnitudes: mean 0.05 above the lower bin's centre, so b = log10(e) / 0.1.
    const MagnitudeDistribution two = magnitudeDistribution({ 30, 30, 31, 31 });
    ASSERT_TRUE(two.fitted);
    EXPECT_NEAR(two.b, 4.343, 0.001);
}

TEST(MagnitudeDistribution, RealMonthsOfTheGlobalNetworkHaveBValuesSeismologyExpects)
{
    TREMORA_SKIP_WITHOUT_SHARED_DATA("usgs", "the six whole USGS months");
    // The world catalogue below magnitude 4 comes from regional networks with magnitude scales of
    // their own; a whole month mixes them. The global network's range is what one fits, chosen
    // with the search panel's magnitude box as a user would.
    SearchBoxes boxes;
    boxes.magnitude = true;
    boxes.texts = { QStringLiteral("4,0"), QStringLiteral("9,9"), QStringLiteral("0"), QStringLiteral("0"),
        QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0") };
    const SearchCriteria criteria = searchCriteria(boxes, 0, 1e6, false);
    for (const char* month : { "2015-07", "2017-10", "2020-02", "2021-05", "2023-02", "2025-05" }) {
        Catalogue catalogue;
        Observer observer;
        const QString file = QStringLiteral("usgs/%1-fdsn-asc.csv").arg(QString::fromLatin1(month));
        const AnalizaResult r = Analiza(test::readAll(test::sharedData(file)), catalogue, 0, false, observer);
        ASSERT_TRUE(r.accepted) << month;
        catalogue.CatalogueCount = catalogue.ImportCount;
        const MagnitudeDistribution d = magnitudeDistribution(selectedMagnitudes(catalogue, criteria));
        ASSERT_TRUE(d.fitted) << month;
        EXPECT_GE(d.b, 0.7) << month;
        EXPECT_LE(d.b, 1.3) << month;
        EXPECT_GE(d.mc, 4.0) << month;
        EXPECT_GT(d.completeCount, 200) << month;
        EXPECT_LT(d.bError, 0.15) << month;
    }
}
