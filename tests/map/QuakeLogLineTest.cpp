// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/QuakeLogLine.h"
#include "catalogue/DayNumber.h"
#include "table/NumberText.h"
#include "tests/support/QuakeSample.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

using namespace tremora;

namespace
{

QString slowLine(int n, const QuakeRecord& r)
{
    return QString::number(n) + QStringLiteral(": ") + dateText(r.OriginDate) + QStringLiteral(" - ")
        + timeText(r.OriginTime) + QStringLiteral(", ") + FixedText(r.Latitude) + QLatin1Char(' ')
        + FixedText(r.Longitude) + QStringLiteral(", ") + FixedText(r.Mag10 / 10.0) + QStringLiteral(", ")
        + FixedText(r.Depth10 / 10.0);
}

QString lineOf(QuakeLogLine& writer, int n, const QuakeRecord& r)
{
    return QString::fromUtf8(writer.format(n, r));
}

} // namespace

TEST(QuakeLogLine, WritesPositionDateTimeCoordinatesMagnitudeAndDepth)
{
    QuakeRecord r
        = test::quake(dayNumber(2015, 7, 1), test::secondsOfDay(1, 2, 3), 45, 100, -178.0325f, 51.1f);
    QuakeLogLine writer;
    EXPECT_EQ(lineOf(writer, 17, r), QStringLiteral("17: 2015-07-01 - 01:02:03, 51,1 -178,0325, 4,5, 10"));
    r.Mag10 = 0;
    r.Depth10 = 65535;
    r.Latitude = 0;
    EXPECT_EQ(
        lineOf(writer, 1999999, r), QStringLiteral("1999999: 2015-07-01 - 01:02:03, 0 -178,0325, 0, 6553,5"));
}

TEST(QuakeLogLine, AgreesWithTheSharedWritersForAnyRecord)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> lon(-180, 180);
    std::uniform_real_distribution<float> lat(-90, 90);
    std::uniform_real_distribution<double> time(0, 1);
    std::uniform_int_distribution<int> day(20000, 50000);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> word(0, 65535);
    QuakeLogLine writer;
    QuakeRecord r;
    for (int i = 1; i <= 20'000; ++i) {
        if (i % 5 == 1) // runs of the same day, as in the catalogue
            r.OriginDate = day(random);
        r.OriginTime = i % 97 == 0 ? 0.99999999 : time(random);
        r.Longitude = lon(random);
        r.Latitude = lat(random);
        r.Mag10 = std::uint8_t(byte(random));
        r.Depth10 = std::uint16_t(word(random));
        ASSERT_EQ(lineOf(writer, i, r), slowLine(i, r));
    }
}

TEST(QuakeLogLine, GarbageRecordsStillGiveALine)
{
    QuakeRecord r;
    r.OriginDate = std::numeric_limits<double>::quiet_NaN();
    r.OriginTime = std::numeric_limits<double>::infinity();
    r.Latitude = std::numeric_limits<float>::quiet_NaN();
    r.Longitude = 3e38f;
    QuakeLogLine writer;
    EXPECT_EQ(lineOf(writer, 3, r), slowLine(3, r));
    EXPECT_EQ(lineOf(writer, 3, r), QStringLiteral("3: - - -, - -, 0, 0"));
    r.OriginDate = 1e300;
    EXPECT_EQ(lineOf(writer, 4, r), slowLine(4, r));
}
