// SPDX-License-Identifier: GPL-3.0-or-later
#include "tiles/TileKey.h"
#include "tiles/TileSource.h"

#include <gtest/gtest.h>

using namespace tremora;

namespace
{

TEST(TileKeyTest, WorkedExamples)
{
    const TileCell cell = tileCell(16.f, 50.f, 7);
    EXPECT_EQ(cell.key, QStringLiteral("stqqrts"));
    EXPECT_FLOAT_EQ(cell.west, 14.0625f);
    EXPECT_FLOAT_EQ(cell.south, 49.21875f);
    EXPECT_FLOAT_EQ(cell.width, 2.8125f);
    EXPECT_FLOAT_EQ(cell.height, 1.40625f);
    const std::optional<MarkerPlace> marker = markerPlace(cell);
    ASSERT_TRUE(marker);
    EXPECT_EQ(marker->x, 176);
    EXPECT_EQ(marker->y, 142);

    // On both first dividing lines: east and north.
    const TileCell origin = tileCell(0.f, 0.f, 2);
    EXPECT_EQ(origin.key, QStringLiteral("sq"));
    EXPECT_FLOAT_EQ(origin.west, 0.f);
    EXPECT_FLOAT_EQ(origin.south, 0.f);
    ASSERT_TRUE(markerPlace(origin));
    EXPECT_EQ(markerPlace(origin)->x, 0);
    EXPECT_EQ(markerPlace(origin)->y, 0);

    // The north-east corner lies 256 pixels into its tile: no marker.
    const TileCell corner = tileCell(180.f, 90.f, 3);
    EXPECT_EQ(corner.key, QStringLiteral("sss"));
    EXPECT_FALSE(markerPlace(corner));
}

TEST(TileKeyTest, LettersFollowTheQuadrants)
{
    EXPECT_EQ(tileCell(-90.f, -45.f, 1).key, QStringLiteral("q"));
    EXPECT_EQ(tileCell(90.f, -45.f, 1).key, QStringLiteral("r"));
    EXPECT_EQ(tileCell(90.f, 45.f, 1).key, QStringLiteral("s"));
    EXPECT_EQ(tileCell(-90.f, 45.f, 1).key, QStringLiteral("t"));
    // Zoom 1 cells are 180 degrees wide: the grid's second cell is half a world further east.
    EXPECT_FLOAT_EQ(tileCell(10.f, 10.f, 1).width, 180.f);
    EXPECT_EQ(tileCell(-170.f, -80.f, 17).key.size(), 17);
}

TEST(TileKeyTest, KeyGivesBackItsCell)
{
    struct Point {
        float lon;
        float lat;
        int zoom;
    };
    for (const Point& p :
        { Point { 16.f, 50.f, 7 }, Point { -122.4f, 37.8f, 12 }, Point { 142.f, -38.f, 3 } }) {
        const TileCell found = tileCell(p.lon, p.lat, p.zoom);
        const std::optional<TileCell> named = cellOfKey(found.key);
        ASSERT_TRUE(named);
        EXPECT_FLOAT_EQ(named->west, found.west);
        EXPECT_FLOAT_EQ(named->south, found.south);
        EXPECT_FLOAT_EQ(named->width, found.width);
        EXPECT_FLOAT_EQ(named->height, found.height);
    }
    EXPECT_FALSE(cellOfKey(QStringLiteral("qx")));
}

TEST(TileKeyTest, UrlJoinsHostQueryAndKey)
{
    EXPECT_EQ(tileUrl(QStringLiteral("http://127.0.0.1:8080/"), QStringLiteral("stqqrts")),
        QStringLiteral("http://127.0.0.1:8080/kh?n=404&v=84&t=tstqqrts"));
}

} // namespace
