// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/RowPosition.h"
#include "platform/ConversionError.h"

#include <gtest/gtest.h>

using namespace tremora;

namespace
{

TEST(RowPositionTest, ReadsTableTextsInTenThousandths)
{
    EXPECT_EQ(positionUnits(QStringLiteral("16,19")), 161900);
    EXPECT_EQ(positionUnits(QStringLiteral("-0,0001")), -1);
    EXPECT_EQ(positionUnits(QStringLiteral("179.5")), 1795000);
    EXPECT_EQ(positionUnits(QStringLiteral("0")), 0);
    EXPECT_EQ(positionUnits(QStringLiteral("12,34565")), 123457); // a fifth decimal rounds
    EXPECT_FLOAT_EQ(positionDegrees(QStringLiteral("-33,8688")), -33.8688f);
    for (const char* bad : { "", "-", ",", "1,2,3", "abc", "12a", "1e5", "99999999999999999999" })
        EXPECT_THROW(positionUnits(QString::fromLatin1(bad)), ConversionError) << bad;
}

TEST(RowPositionTest, HundredKilometreBoxIsExactAndUnclamped)
{
    const PositionBounds lon = boundsAround(QStringLiteral("16,19"), kBoxHalfLon);
    const PositionBounds lat = boundsAround(QStringLiteral("51,69"), kBoxHalfLat);
    EXPECT_EQ(lon.low, QStringLiteral("14,99"));
    EXPECT_EQ(lon.high, QStringLiteral("17,39"));
    EXPECT_EQ(lat.low, QStringLiteral("50,79"));
    EXPECT_EQ(lat.high, QStringLiteral("52,59"));

    EXPECT_EQ(boundsAround(QStringLiteral("179,5"), kBoxHalfLon).high, QStringLiteral("180,7"));
    EXPECT_EQ(boundsAround(QStringLiteral("-89,5"), kBoxHalfLat).low, QStringLiteral("-90,4"));
    // Nothing selected since the last listing: the texts are "0".
    EXPECT_EQ(boundsAround(QStringLiteral("0"), kBoxHalfLon).low, QStringLiteral("-1,2"));
    EXPECT_EQ(boundsAround(QStringLiteral("0"), kBoxHalfLat).high, QStringLiteral("0,9"));
    // A sum that binary floating point would blur: 0,1 + 1,2 is 1,3 exactly.
    EXPECT_EQ(boundsAround(QStringLiteral("0,1"), kBoxHalfLon).high, QStringLiteral("1,3"));
}

TEST(RowPositionTest, PointTextUsesDots)
{
    EXPECT_EQ(pointText(QStringLiteral("50,89"), QStringLiteral("15,025")), QStringLiteral("50.89,15.025"));
    EXPECT_EQ(pointText(QStringLiteral("-3"), QStringLiteral("0")), QStringLiteral("-3,0"));
}

} // namespace
