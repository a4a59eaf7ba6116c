// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/MarkPainter.h"

#include <gtest/gtest.h>

#include <limits>

using namespace tremora;

namespace
{

// A 1067 x 534 control over the 4096 x 2048 world: 1066 x 534, centre at (533, 267).
constexpr int kControlW = 1067;
constexpr int kControlH = 534;
const MapPixel kCentre { 533, 267 };

QImage blankOverlay()
{
    QImage image(kControlW, kControlH, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

FittedSize worldFit()
{
    return FittedMapSize(4096, 2048, kControlW, kControlH);
}

bool painted(const QImage& image, int x, int y)
{
    return qAlpha(image.pixel(x, y)) != 0;
}

// Radius read back from the overlay: how far the mark reaches left of the centre column.
int drawnRadius(const QImage& image, MapPixel c)
{
    int r = 0;
    while (painted(image, c.x - r - 1, c.y))
        ++r;
    return r;
}

QImage drawAtCentre(int mag10, int pointSize, MarkColours colours = kOrdinaryMark)
{
    QImage image = blankOverlay();
    MarkCanvas canvas(image, worldFit(), pointDivisor(pointSize));
    Poz(canvas, std::uint8_t(mag10), colours.fill, 0, 0, colours.outline);
    return image;
}

int paintedCount(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += painted(image, x, y);
    return n;
}

} // namespace

TEST(Poz, RadiusFollowsMagnitudeAndPointSize)
{
    struct Case {
        int mag10;
        int pointSize;
        int radius;
    };
    const Case cases[] = {
        { 11, 10, 1 },
        { 21, 10, 1 },
        { 22, 10, 2 },
        { 54, 10, 4 },
        { 55, 10, 5 },
        { 99, 10, 9 },
        { 120, 10, 10 },
        { 10, 17, 2 },
        { 50, 3, 2 },
        { 99, 3, 5 },
        { 99, 17, 24 },
    };
    for (const Case& c : cases) {
        const QImage image = drawAtCentre(c.mag10, c.pointSize);
        const int r = c.radius;
        SCOPED_TRACE(testing::Message() << "mag10 " << c.mag10 << " size " << c.pointSize);
        // The box runs from centre - r to centre + r with the right and bottom edges left out.
        EXPECT_EQ(drawnRadius(image, kCentre), r);
        EXPECT_TRUE(painted(image, kCentre.x + r - 1, kCentre.y));
        EXPECT_FALSE(painted(image, kCentre.x + r, kCentre.y));
        EXPECT_TRUE(painted(image, kCentre.x, kCentre.y - r));
        EXPECT_FALSE(painted(image, kCentre.x, kCentre.y - r - 1));
        EXPECT_TRUE(painted(image, kCentre.x, kCentre.y + r - 1));
        EXPECT_FALSE(painted(image, kCentre.x, kCentre.y + r));
        // Red rim, yellow inside once there is an inside.
        EXPECT_EQ(image.pixel(kCentre.x - r, kCentre.y), kMarkRed);
        if (r >= 2) {
            EXPECT_EQ(image.pixel(kCentre.x, kCentre.y), kMarkYellow);
        }
    }
}

TEST(Poz, RadiusZeroIsOnePureRedPixelWhateverTheColours)
{
    for (const auto& [mag10, pointSize] : { std::pair { 10, 10 }, { 0, 3 }, { 200, 21 }, { 25, 22 } }) {
        // Size 21 leaves a divisor of 0 and 22 wraps to 255: both come to a single pixel.
        const QImage image = drawAtCentre(mag10, pointSize, kBlinkSelectedMark);
        EXPECT_EQ(paintedCount(image), 1) << mag10 << " " << pointSize;
        EXPECT_EQ(image.pixel(kCentre.x, kCentre.y), kMarkRed);
    }
}

TEST(Poz, MarksAreRoundSymmetricAndClosedByTheirOutline)
{
    for (int r = 1; r <= 40; ++r) {
        QImage image = blankOverlay();
        MarkCanvas canvas(image, worldFit(), 1);
        canvas.drawCircle(100, 100, r, kMarkGreen, kMarkYellow);
        const int left = 100 - r;
        const int n = 2 * r;
        int cornerFree = 0;
        for (int j = 0; j < n; ++j) {
            for (int i = 0; i < n; ++i) {
                const QRgb p = image.pixel(left + i, left + j);
                ASSERT_EQ(p, image.pixel(left + n - 1 - i, left + j)) << r;
                ASSERT_EQ(p, image.pixel(left + i, left + n - 1 - j)) << r;
                ASSERT_EQ(p, image.pixel(left + j, left + i)) << r;
                if (p == kMarkGreen) {
                    // Fill never touches the outside.
                    for (const auto& [dx, dy] : { std::pair { 1, 0 }, { -1, 0 }, { 0, 1 }, { 0, -1 } })
                        ASSERT_TRUE(painted(image, left + i + dx, left + j + dy)) << r;
                }
                cornerFree += qAlpha(p) == 0;
            }
        }
        if (r >= 2) {
            EXPECT_GT(cornerFree, 0) << "a circle, not a square, at r " << r;
        }
        EXPECT_FALSE(painted(image, left - 1, 100));
    }
}

TEST(Poz, ColourSchemesAndOverdrawOfExistingMarks)
{
    QImage image = blankOverlay();
    MarkCanvas canvas(image, worldFit(), pointDivisor(kDefaultPointSize));
    Poz(canvas, 55, kOrdinaryMark.fill, 0, 0, kOrdinaryMark.outline);
    Poz(canvas, 55, kBlinkShownMark.fill, 0, 0, kBlinkShownMark.outline);
    EXPECT_EQ(image.pixel(kCentre.x, kCentre.y), qRgb(0, 128, 0));
    EXPECT_EQ(image.pixel(kCentre.x - 5, kCentre.y), qRgb(255, 0, 0));
    Poz(canvas, 55, kBlinkSelectedMark.fill, 0, 0, kBlinkSelectedMark.outline);
    EXPECT_EQ(image.pixel(kCentre.x - 5, kCentre.y), qRgb(255, 255, 0));
}

TEST(Poz, NothingDrawnWithoutAMapOrForCoordinatesThatAreNotNumbers)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    QImage image = blankOverlay();
    {
        MarkCanvas canvas(image, worldFit(), 11);
        Poz(canvas, 60, kMarkYellow, nan, 10, kMarkRed);
        Poz(canvas, 60, kMarkYellow, 10, std::numeric_limits<float>::infinity(), kMarkRed);
        Poz(canvas, 0, kMarkYellow, nan, nan, kMarkRed);
        MarkCanvas noMap(image, FittedMapSize(0, 0, kControlW, kControlH), 11);
        Poz(noMap, 60, kMarkYellow, 0, 0, kMarkRed);
    }
    EXPECT_EQ(paintedCount(image), 0);

    QImage empty;
    MarkCanvas onNothing(empty, worldFit(), 11);
    Poz(onNothing, 90, kMarkYellow, 0, 0, kMarkRed); // must not touch memory
    EXPECT_TRUE(empty.isNull());
}

TEST(Poz, MarksAtTheEdgesAreClippedAndOtherImageFormatsAreConverted)
{
    QImage image(kControlW, kControlH, QImage::Format_RGB888);
    image.fill(Qt::black);
    MarkCanvas canvas(image, worldFit(), 1); // radius = magnitude in tenths
    for (float lon : { -180.f, 180.f, 500.f })
        for (float lat : { 90.f, -90.f, -400.f })
            Poz(canvas, 255, kMarkYellow, lon, lat, kMarkRed);
    EXPECT_EQ(image.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(image.pixel(0, 0), kMarkYellow);
    EXPECT_EQ(image.pixel(kControlW - 1, kControlH - 1), kMarkYellow);
    EXPECT_EQ(image.pixel(kCentre.x, kCentre.y), qRgb(0, 0, 0));
}
