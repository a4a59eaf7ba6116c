// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures compiled into the program: present, the right size and not flipped or shifted.
// The colours come from the style the picture was drawn with; a failure here after restyling
// means resources/world.jpg has to be made again (`make pictures`).
#include "resources/Resources.h"
#include "tools/render_map/MapPictures.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

using namespace tremora;

namespace
{

// JPEG noise on flat areas stays well under this; sea and land differ by far more.
constexpr int ColourTolerance = 12;
// Half the side of the patch averaged for a colour sample.
constexpr int PatchRadius = 2;

QPoint pixelOf(const QImage& picture, double lon, double lat)
{
    return QPoint(static_cast<int>(std::lround((lon + 180.0) / 360.0 * picture.width())),
        static_cast<int>(std::lround((90.0 - lat) / 180.0 * picture.height())));
}

QColor averageAround(const QImage& picture, QPoint centre)
{
    int r = 0, g = 0, b = 0, n = 0;
    for (int dy = -PatchRadius; dy <= PatchRadius; ++dy) {
        for (int dx = -PatchRadius; dx <= PatchRadius; ++dx) {
            const QColor c = picture.pixelColor(centre + QPoint(dx, dy));
            r += c.red();
            g += c.green();
            b += c.blue();
            ++n;
        }
    }
    return QColor(r / n, g / n, b / n);
}

bool near(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) <= ColourTolerance
        && std::abs(a.green() - b.green()) <= ColourTolerance
        && std::abs(a.blue() - b.blue()) <= ColourTolerance;
}

int brightness(const QColor& c)
{
    return c.red() + c.green() + c.blue();
}

class BuiltInMapTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_FALSE(m_map.isNull()) << qPrintable(builtInMapPath()); }

    QImage m_map { builtInMapPath() };
    MapStyle m_style;
};

TEST_F(BuiltInMapTest, IsTheFullSizeWorldPicture)
{
    EXPECT_EQ(m_map.width(), 4096);
    EXPECT_EQ(m_map.height(), 2048);
}

struct Place {
    const char* name;
    double lon;
    double lat;
    bool land;
};

// Chosen so that a picture flipped either way, or shifted by half the world, puts sea where land
// should be somewhere in the list.
constexpr Place Places[] = {
    { "Pacific, 2N 148W", -148.0, 2.0, false },
    { "North Atlantic, 35N 40W", -40.0, 35.0, false },
    { "South Atlantic, 40S 20W", -20.0, -40.0, false },
    { "Indian Ocean, 20S 80E", 80.0, -20.0, false },
    { "Philippine Sea, 25N 134E", 134.0, 25.0, false },
    { "Southern Ocean, 60S 2E", 2.0, -60.0, false },
    { "Sahara, 20N 15E", 15.0, 20.0, true },
    { "Sahara, 22N 5E", 5.0, 22.0, true },
    { "Great Plains, 40N 100W", -100.0, 40.0, true },
    { "Amazon, 10S 55W", -55.0, -10.0, true },
    { "Australia, 25S 134E", 134.0, -25.0, true },
    { "Siberia, 65N 100E", 100.0, 65.0, true },
    { "Antarctica, 80S 45E", 45.0, -80.0, true },
};

TEST_F(BuiltInMapTest, LandAndSeaLieWhereTheyBelong)
{
    for (const Place& place : Places) {
        const QColor seen = averageAround(m_map, pixelOf(m_map, place.lon, place.lat));
        const QColor expected = place.land ? m_style.land : m_style.sea;
        EXPECT_TRUE(near(seen, expected)) << place.name << ": got " << qPrintable(seen.name())
                                          << ", expected " << qPrintable(expected.name());
    }
}

TEST_F(BuiltInMapTest, GreenwichAndEquatorLinesFallOnTheProgramsProjection)
{
    // Sampled over open sea only: the brightest column near the middle must be the one the program
    // puts longitude 0 on (W div 2), and likewise the brightest row near the middle for latitude 0.
    const int greenwich = m_map.width() / 2;
    const int equator = m_map.height() / 2;
    constexpr int Search = 8;
    for (const double lat : { -45.0, -30.5, -10.0 }) {
        const int row = pixelOf(m_map, 0.0, lat).y();
        int best = greenwich - Search;
        for (int x = greenwich - Search; x <= greenwich + Search; ++x) {
            if (brightness(m_map.pixelColor(x, row)) > brightness(m_map.pixelColor(best, row)))
                best = x;
        }
        EXPECT_EQ(best, greenwich) << "at latitude " << lat;
        EXPECT_GT(brightness(m_map.pixelColor(greenwich, row)), brightness(m_style.sea) + 60);
    }
    for (const double lon : { -140.0, -25.0, 85.0 }) {
        const int column = pixelOf(m_map, lon, 0.0).x();
        int best = equator - Search;
        for (int y = equator - Search; y <= equator + Search; ++y) {
            if (brightness(m_map.pixelColor(column, y)) > brightness(m_map.pixelColor(column, best)))
                best = y;
        }
        EXPECT_EQ(best, equator) << "at longitude " << lon;
    }
}

TEST(AppIconTest, IsASquarePictureWithTransparentCorners)
{
    const QImage icon(appIconPath());
    ASSERT_FALSE(icon.isNull()) << qPrintable(appIconPath());
    EXPECT_EQ(icon.width(), icon.height());
    EXPECT_TRUE(icon.hasAlphaChannel());
    EXPECT_EQ(icon.pixelColor(0, 0).alpha(), 0);
    // The trace is drawn in the marks' yellow.
    int yellow = 0;
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x) {
            const QColor c = icon.pixelColor(x, y);
            yellow += (c.alpha() == 255 && c.red() > 240 && c.green() > 240 && c.blue() < 40) ? 1 : 0;
        }
    }
    EXPECT_GT(yellow, icon.width());
}

} // namespace
