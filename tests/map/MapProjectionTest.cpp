// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/MapProjection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace tremora;

namespace
{

constexpr int kPictureW = 4096;
constexpr int kPictureH = 2048;

FittedSize fitIn(int iw, int ih)
{
    return FittedMapSize(kPictureW, kPictureH, iw, ih);
}

MapPixel at(const FittedSize& fit, float lon, float lat)
{
    const auto p = wyl_poz(fit, lon, lat);
    EXPECT_TRUE(p.has_value());
    return p.value_or(MapPixel { -1, -1 });
}

} // namespace

TEST(FittedMapSize, LimitingSideLosesOnePixelAndTheOtherRoundsHalfToEven)
{
    const FittedSize a = fitIn(1066, 534);
    EXPECT_EQ(a.side, FitSide::Width);
    EXPECT_EQ(a.W, 1065);
    EXPECT_EQ(a.H, 533);

    // 534 x q comes to a hair above 533.5 in float arithmetic, so it rounds up.
    const FittedSize b = fitIn(1067, 534);
    EXPECT_EQ(b.side, FitSide::Width);
    EXPECT_EQ(b.W, 1066);
    EXPECT_EQ(b.H, 534);

    const FittedSize c = fitIn(1200, 500);
    EXPECT_EQ(c.side, FitSide::Height);
    EXPECT_EQ(c.H, 499);
    EXPECT_EQ(c.W, 1000);

    const FittedSize d = fitIn(1000, 500);
    EXPECT_EQ(d.side, FitSide::Exact);
    EXPECT_EQ(d.W, 999);
    EXPECT_EQ(d.H, 499);

    // Any aspect ratio counts as the whole world.
    const FittedSize e = FittedMapSize(300, 300, 601, 400);
    EXPECT_EQ(e.side, FitSide::Height);
    EXPECT_EQ(e.H, 399);
    EXPECT_EQ(e.W, 400);
}

TEST(FittedMapSize, NoAreaGivesAnInvalidMap)
{
    EXPECT_FALSE(FittedMapSize(0, 2048, 1066, 534).valid);
    EXPECT_FALSE(FittedMapSize(4096, 0, 1066, 534).valid);
    EXPECT_FALSE(FittedMapSize(4096, 2048, 0, 534).valid);
    EXPECT_FALSE(FittedMapSize(4096, 2048, 1066, -3).valid);
    EXPECT_FALSE(FittedMapSize(4096, 2048, 1, 1).valid);
    EXPECT_FALSE(wyl_poz(FittedSize {}, 0, 0).has_value());
    EXPECT_FALSE(mapPositionAt(FittedSize {}, 0, 0).has_value());
}

TEST(Projection, EdgesAndCentreOnEvenAndOddMaps)
{
    const FittedSize odd = fitIn(1066, 534); // 1065 x 533
    EXPECT_EQ(at(odd, -180, 0), (MapPixel { 0, 266 }));
    EXPECT_EQ(at(odd, 180, 0).x, 1064); // 1064.5 goes to the even neighbour
    EXPECT_EQ(at(odd, 0, 90), (MapPixel { 532, 0 }));
    EXPECT_EQ(at(odd, 0, -90).y, 532);

    const FittedSize even = fitIn(1067, 534); // 1066 x 534
    EXPECT_EQ(at(even, -180, 90), (MapPixel { 0, 0 }));
    EXPECT_EQ(at(even, 180, -90), (MapPixel { 1066, 534 }));
    EXPECT_EQ(at(even, 0, 0), (MapPixel { 533, 267 }));

    // East is right, north is up.
    const MapPixel tokyo = at(even, 139.69f, 35.69f);
    EXPECT_GT(tokyo.x, 533);
    EXPECT_LT(tokyo.y, 267);
    EXPECT_EQ(tokyo,
        (MapPixel {
            int(std::lround(1066 / 360.0 * 139.69 + 533)), int(std::lround(-534 / 180.0 * 35.69 + 267)) }));
}

TEST(Projection, CoordinatesThatAreNotNumbersOrFarOffPlaceNothing)
{
    const FittedSize fit = fitIn(1066, 534);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_FALSE(wyl_poz(fit, nan, 0).has_value());
    EXPECT_FALSE(wyl_poz(fit, 0, inf).has_value());
    EXPECT_FALSE(wyl_poz(fit, 3e38f, 0).has_value());
    // Outside the world but still a number: placed off the map, where drawing clips it.
    EXPECT_EQ(at(fit, 360, 0).x, 1597);
}

TEST(InverseProjection, ReadsOnlyInsideThePictureAndRoundTripsWithinAPixel)
{
    const FittedSize tall = fitIn(1200, 500); // height-limited, W = 1000: empty strip on the right
    EXPECT_TRUE(mapPositionAt(tall, 1000, 499).has_value());
    EXPECT_FALSE(mapPositionAt(tall, 1001, 10).has_value());

    const FittedSize wide = fitIn(1066, 700); // width-limited: empty strip below
    ASSERT_EQ(wide.side, FitSide::Width);
    EXPECT_TRUE(mapPositionAt(wide, 5, wide.H).has_value());
    EXPECT_FALSE(mapPositionAt(wide, 5, wide.H + 1).has_value());

    const auto corner = mapPositionAt(wide, 0, 0);
    ASSERT_TRUE(corner);
    EXPECT_FLOAT_EQ(corner->lon, -180);
    EXPECT_FLOAT_EQ(corner->lat, 90);

    for (const FittedSize& fit : { fitIn(1066, 534), fitIn(1067, 534), fitIn(1200, 500), fitIn(333, 777) }) {
        for (int x = 0; x <= fit.W; x += 7) {
            for (int y = 0; y <= fit.H; y += 11) {
                const auto g = mapPositionAt(fit, x, y);
                ASSERT_TRUE(g);
                const MapPixel back = at(fit, g->lon, g->lat);
                EXPECT_LE(std::abs(back.x - x), 1) << x << "," << y;
                EXPECT_LE(std::abs(back.y - y), 1) << x << "," << y;
            }
        }
    }
}
