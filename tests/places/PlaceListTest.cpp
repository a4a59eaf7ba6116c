// SPDX-License-Identifier: GPL-3.0-or-later
#include "places/PlaceList.h"
#include "tests/places/PlaceTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

using namespace tremora;
using tremora::test::place;

namespace
{

class LokTest : public ::testing::Test
{
protected:
    void add(const PlaceRecord& record) { (*m_places)[++m_places->PlaceCount] = record; }
    QString lok(float lon, float lat, PlaceLanguage language = PlaceLanguage::Polish)
    {
        return Lok(*m_places, lon, lat, language);
    }
    std::unique_ptr<PlaceList> m_places = std::make_unique<PlaceList>();
};

} // namespace

TEST_F(LokTest, EmptyListGivesDashAndKeepsTheLastDistance)
{
    EXPECT_EQ(lok(10, 10), QStringLiteral("-"));
    EXPECT_EQ(m_places->NearestPlaceDistance, 0.f);

    add(place(0, 0, "Zero"));
    EXPECT_EQ(lok(1, 0), QStringLiteral("Zero"));
    m_places->PlaceCount = 0;
    EXPECT_EQ(lok(50, 50), QStringLiteral("-"));
    EXPECT_EQ(m_places->NearestPlaceDistance, KmPerDegree);
}

TEST_F(LokTest, OnePlaceIsNamedForEveryPointWithItsFlatDistance)
{
    add(place(52, 17, "Polska", "Poland"));
    EXPECT_EQ(lok(-120, -40), QStringLiteral("Polska"));
    // No cos(latitude) factor: a degree of longitude counts as much as a degree of latitude.
    EXPECT_EQ(lok(20, 52), QStringLiteral("Polska"));
    EXPECT_EQ(m_places->NearestPlaceDistance, static_cast<float>(3.0 * double(KmPerDegree)));
    EXPECT_EQ(lok(20, 56), QStringLiteral("Polska"));
    EXPECT_EQ(m_places->NearestPlaceDistance, static_cast<float>(5.0 * double(KmPerDegree)));
}

TEST_F(LokTest, NoWrapAroundAtTheDateLine)
{
    add(place(0, -179, "Zachód"));
    EXPECT_EQ(lok(179, 0), QStringLiteral("Zachód"));
    EXPECT_FLOAT_EQ(m_places->NearestPlaceDistance, 39780.96f);
    EXPECT_EQ(m_places->NearestPlaceDistance, static_cast<float>(358.0 * double(KmPerDegree)));
}

TEST_F(LokTest, EqualDistancesNameTheEarlierPlace)
{
    add(place(52, 17, "Pierwsze"));
    add(place(50, 19, "Drugie"));
    EXPECT_EQ(lok(19, 52), QStringLiteral("Pierwsze"));
    EXPECT_FLOAT_EQ(m_places->NearestPlaceDistance, 222.24f);
    EXPECT_EQ(placeDistance((*m_places)[1], 19, 52), placeDistance((*m_places)[2], 19, 52));

    // A strictly nearer later place wins.
    add(place(52, 18.999f, "Trzecie"));
    EXPECT_EQ(lok(19, 52), QStringLiteral("Trzecie"));
}

TEST_F(LokTest, LanguageChoosesTheNameAndNoLanguageGivesEmptyText)
{
    add(place(0, 0, "Wyspy Owcze", "Faroe Islands"));
    EXPECT_EQ(lok(1, 1, PlaceLanguage::Polish), QStringLiteral("Wyspy Owcze"));
    EXPECT_EQ(lok(1, 1, PlaceLanguage::English), QStringLiteral("Faroe Islands"));
    m_places->NearestPlaceDistance = -1;
    EXPECT_EQ(lok(1, 1, PlaceLanguage::None), QString());
    EXPECT_GT(m_places->NearestPlaceDistance, 0.f);

    EXPECT_EQ(placeLanguage(true, false), PlaceLanguage::Polish);
    EXPECT_EQ(placeLanguage(false, true), PlaceLanguage::English);
    EXPECT_EQ(placeLanguage(false, false), PlaceLanguage::None);
}

TEST_F(LokTest, NamesAreDecodedAsUtf8AndBadBytesGiveEmptyText)
{
    add(place(0, 0, "Wybrzeże Kości Słoniowej", "Côte d'Ivoire"));
    add(place(10, 10, "Z\xC5", "Bad\xFF")); // cut in the middle of a character
    add(place(20, 20, "")); // a code the country list never named

    EXPECT_EQ(lok(0, 0), QStringLiteral("Wybrzeże Kości Słoniowej"));
    EXPECT_EQ(lok(0, 0, PlaceLanguage::English), QStringLiteral("Côte d'Ivoire"));
    const QString bad = lok(10, 10);
    EXPECT_TRUE(bad.isEmpty());
    EXPECT_NE(bad, QStringLiteral("-"));
    EXPECT_TRUE(lok(10, 10, PlaceLanguage::English).isEmpty());
    EXPECT_EQ(lok(20, 20), QString());
    EXPECT_EQ(m_places->NearestPlaceDistance, 0.f);
}

TEST_F(LokTest, DamagedRecordsNeitherCrashNorWin)
{
    PlaceRecord broken = place(std::numeric_limits<float>::quiet_NaN(), 0, "Zepsute");
    broken.PolishName.length = 255; // more than the field holds
    add(broken);
    add(place(10, 10, "Dobre"));
    EXPECT_EQ(lok(10, 10), QStringLiteral("Dobre"));

    m_places->PlaceCount = 1;
    const QString name = lok(0, 0);
    EXPECT_LE(name.size(), 60); // never read past the name field
    m_places->PlaceCount = 100000; // a count past the table is read as a full table
    EXPECT_EQ(lok(10, 10), QStringLiteral("Dobre"));
}
