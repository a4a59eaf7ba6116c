// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/ChartPainter.h"
#include "charts/ChartContents.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace tremora;

namespace
{

/// A day series like a month of magnitudes: a noisy level with rare large events and some zeros.
ChartContent denseChart(std::size_t count)
{
    std::mt19937 random(11);
    std::normal_distribution<float> noise(0, 0.4f);
    std::uniform_real_distribution<float> unit(0, 1);
    DaySeries s;
    for (std::size_t i = 0; i < count; ++i) {
        float v = 2.5f + noise(random);
        if (unit(random) < 0.002f)
            v += 4;
        if (unit(random) < 0.01f)
            v = 0;
        s.values.push_back(std::max(v, 0.0f));
        s.days.push_back(40000.0 + static_cast<double>(i / 100));
    }
    ChartContent c = magnitudeChart(std::move(s), QStringLiteral("test"));
    // Only the line: dots wider than a pixel column are drawn where the extremes are, which is
    // not what this compares.
    c.lines.front().style.points = false;
    c.lines.front().style.lineColour = Qt::black;
    return c;
}

QImage render(const ChartContent& c, const ChartRange& r, bool log, bool full)
{
    QImage image(420, 260, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    std::vector<std::uint32_t> scratch;
    paintChart(p, QRectF(image.rect()), c, r, log, scratch, full);
    return image;
}

bool near(const QImage& image, int x, int y, QRgb colour)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (image.valid(x + dx, y + dy) && image.pixel(x + dx, y + dy) == colour)
                return true;
    return false;
}

struct Comparison {
    int line = 0; // black pixels of the full drawing
    int differing = 0;
    int unmatched = 0; // differing pixels whose colour the other drawing has nowhere next to them
};

Comparison compare(const QImage& decimated, const QImage& full)
{
    Comparison c;
    for (int y = 0; y < full.height(); ++y)
        for (int x = 0; x < full.width(); ++x) {
            c.line += full.pixel(x, y) == qRgb(0, 0, 0);
            if (decimated.pixel(x, y) == full.pixel(x, y))
                continue;
            ++c.differing;
            c.unmatched
                += !near(full, x, y, decimated.pixel(x, y)) || !near(decimated, x, y, full.pixel(x, y));
        }
    return c;
}

} // namespace

TEST(ChartPainter, DecimatedDrawingGivesTheSamePictureAsEveryPoint)
{
    const ChartContent c = denseChart(60'000);
    for (bool log : { true, false }) {
        const ChartRange whole = fullRange(c, log);
        ChartRange zoom = whole;
        zoom.xFrom = 12'345.5;
        zoom.xTo = 31'000.25;
        for (const ChartRange& r : { whole, zoom }) {
            const Comparison cmp = compare(render(c, r, log, false), render(c, r, log, true));
            // Where the full line turns back on a point the rasteriser may leave out a segment's
            // last pixel that the shorter path draws: a pixel here and there, never a feature.
            EXPECT_GT(cmp.line, 2000);
            EXPECT_LE(cmp.differing, 3) << "log " << log << " from " << r.xFrom;
            EXPECT_LE(cmp.unmatched, 2) << "log " << log << " from " << r.xFrom;
        }
    }
}

TEST(ChartPainter, ZeroDaysOfALogarithmicChartLieOnTheBottomEdge)
{
    DaySeries s;
    s.values = { 0.0f, 10.0f, 0.0f, 100.0f, 0.0f };
    s.days = { 1, 2, 3, 4, 5 };
    ChartContent c = energyChart(std::move(s), QStringLiteral("e"));
    c.lines.front().style.points = false;
    c.lines.front().style.dashed = false;
    c.lines.front().style.lineColour = Qt::black;
    const ChartRange r = fullRange(c, true);
    const QImage image = render(c, r, true, true);
    const QRectF plot = plotArea(c, QRectF(image.rect()));
    // Midway between point 0 and point 2 (order 1 at 10 GWh) the line climbs; at order 2 it is back
    // on the bottom edge.
    const int x2
        = static_cast<int>(std::lround(plot.left() + (2 - r.xFrom) / (r.xTo - r.xFrom) * plot.width()));
    const int bottom = static_cast<int>(std::floor(plot.bottom()));
    bool onEdge = false;
    for (int y = bottom - 1; y <= bottom + 1; ++y)
        onEdge |= image.pixel(x2, y) == qRgb(0, 0, 0);
    EXPECT_TRUE(onEdge);
}
