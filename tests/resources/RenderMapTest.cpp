// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing behind the map pictures: GeoJSON reading, the projection, the map-edge cuts that
// must not show as lines, the graticule and the plate boundary colours.
#include "tests/support/TestSupport.h"
#include "tools/render_map/GeoLayer.h"
#include "tools/render_map/MapPictures.h"
#include "tools/render_map/WorldPainter.h"

#include <QImage>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

using namespace tremora;

namespace
{

// One degree per pixel keeps the expected positions readable.
constexpr QSize OneDegree { 360, 180 };

GeoLayer layerOf(const char* json)
{
    QString error;
    std::optional<GeoLayer> layer = GeoLayer::fromJson(QByteArray(json), error);
    EXPECT_TRUE(layer.has_value()) << qPrintable(error);
    return layer.value_or(GeoLayer());
}

QImage blank(const QColor& colour)
{
    QImage picture(OneDegree, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

TEST(GeoLayerTest, ReadsPolygonsAndLinesWithTheirProperties)
{
    const GeoLayer layer = layerOf(R"({"type":"FeatureCollection","features":[
        {"type":"Feature","properties":{"name":"Square"},"geometry":{"type":"Polygon","coordinates":
            [[[0,0],[10,0],[10,10],[0,10],[0,0]],[[2,2],[3,2],[3,3],[2,2]]]}},
        {"type":"Feature","properties":{},"geometry":{"type":"MultiPolygon","coordinates":
            [[[[20,20],[21,20],[21,21],[20,20]]],[[[30,30],[31,30],[31,31],[30,30]]]]}},
        {"type":"Feature","properties":{"Type":"subduction"},"geometry":{"type":"LineString","coordinates":
            [[-180,-90],[180,90]]}},
        {"type":"Feature","properties":{},"geometry":{"type":"Point","coordinates":[1,1]}}]})");
    ASSERT_EQ(layer.features().size(), 4);
    const GeoFeature& square = layer.features()[0];
    EXPECT_EQ(square.properties.value("name").toString(), "Square");
    ASSERT_EQ(square.polygons.size(), 1);
    EXPECT_EQ(square.polygons[0].size(), 2); // outer ring and hole
    EXPECT_EQ(square.polygons[0][0][1], QPointF(10, 0));
    EXPECT_EQ(layer.features()[1].polygons.size(), 2);
    ASSERT_EQ(layer.features()[2].lines.size(), 1);
    EXPECT_EQ(layer.features()[2].lines[0][1], QPointF(180, 90));
    EXPECT_TRUE(isSubduction(layer.features()[2]));
    EXPECT_FALSE(isSubduction(layer.features()[0]));
    EXPECT_TRUE(layer.features()[3].polygons.isEmpty() && layer.features()[3].lines.isEmpty());
}

TEST(GeoLayerTest, RejectsMalformedInputWithAMessage)
{
    const char* broken[] = {
        "",
        "{\"type\":\"FeatureCollection\",\"features\":[",
        "[1,2,3]",
        R"({"type":"Feature","features":[]})",
        R"({"type":"FeatureCollection","features":{}})",
        R"({"type":"FeatureCollection","features":[{"geometry":{"type":"LineString","coordinates":[[0,0],[1]]}}]})",
        R"({"type":"FeatureCollection","features":[{"geometry":{"type":"LineString","coordinates":[[0,0],["1",2]]}}]})",
        R"({"type":"FeatureCollection","features":[{"geometry":{"type":"LineString","coordinates":[[0,0],[181,0]]}}]})",
        R"({"type":"FeatureCollection","features":[{"geometry":{"type":"LineString","coordinates":[[0,-90.5],[1,0]]}}]})",
        R"({"type":"FeatureCollection","features":[{"geometry":{"type":"Polygon","coordinates":[[0,0],[1,1]]}}]})",
        R"({"type":"FeatureCollection","features":[{"geometry":{"type":"MultiPolygon","coordinates":5}}]})",
    };
    for (const char* json : broken) {
        QString error;
        EXPECT_FALSE(GeoLayer::fromJson(QByteArray(json), error).has_value()) << json;
        EXPECT_FALSE(error.isEmpty()) << json;
    }
    QString error;
    EXPECT_FALSE(GeoLayer::fromFile(QStringLiteral("/nonexistent/land.geojson"), error).has_value());
    EXPECT_TRUE(error.contains("land.geojson"));
}

TEST(GeoLayerTest, ReadsTheSharedNaturalEarthAndPlateFiles)
{
    TREMORA_SKIP_WITHOUT_SHARED_DATA("naturalearth", "the Natural Earth 1:50m layers");
    TREMORA_SKIP_WITHOUT_SHARED_DATA("plates", "the PB2002 plate boundaries");
    QString error;
    const auto land = GeoLayer::fromFile(test::sharedData("naturalearth/land-50m.geojson"), error);
    ASSERT_TRUE(land.has_value()) << qPrintable(error);
    EXPECT_EQ(land->features().size(), 1);
    const auto countries = GeoLayer::fromFile(test::sharedData("naturalearth/countries-50m.geojson"), error);
    ASSERT_TRUE(countries.has_value()) << qPrintable(error);
    EXPECT_EQ(countries->features().size(), 241);
    const auto plates = GeoLayer::fromFile(test::sharedData("plates/PB2002_boundaries.json"), error);
    ASSERT_TRUE(plates.has_value()) << qPrintable(error);
    ASSERT_EQ(plates->features().size(), 241);
    int subductions = 0;
    for (const GeoFeature& boundary : plates->features())
        subductions += isSubduction(boundary) ? 1 : 0;
    EXPECT_EQ(subductions, 65);
}

TEST(WorldPainterTest, ProjectsTheWholeWorldOntoThePicture)
{
    QImage picture(QSize(4096, 2048), QImage::Format_RGB32);
    const WorldPainter painter(picture);
    EXPECT_EQ(painter.toPixel(QPointF(-180, 90)), QPointF(0, 0));
    EXPECT_EQ(painter.toPixel(QPointF(180, -90)), QPointF(4096, 2048));
    EXPECT_EQ(painter.toPixel(QPointF(0, 0)), QPointF(2048, 1024));
    EXPECT_EQ(painter.toPixel(QPointF(90, 45)), QPointF(3072, 512));
}

TEST(WorldPainterTest, TellsMapEdgeCutsFromRealSegments)
{
    // Along the antimeridian, on either side, and along either pole.
    EXPECT_TRUE(WorldPainter::liesOnMapCut(QPointF(180, 10), QPointF(180, -20)));
    EXPECT_TRUE(WorldPainter::liesOnMapCut(QPointF(-180, 66), QPointF(-179.995, 65)));
    EXPECT_TRUE(WorldPainter::liesOnMapCut(QPointF(-60, -90), QPointF(-50, -89.999)));
    EXPECT_TRUE(WorldPainter::liesOnMapCut(QPointF(10, 90), QPointF(20, 90)));
    // Jumps from one edge to the other.
    EXPECT_TRUE(WorldPainter::liesOnMapCut(QPointF(179.5, 65), QPointF(-179.5, 65)));
    EXPECT_TRUE(WorldPainter::liesOnMapCut(QPointF(-180, 10), QPointF(180, -10)));
    // Real segments touching an edge, or close to a pole, stay.
    EXPECT_FALSE(WorldPainter::liesOnMapCut(QPointF(179, 10), QPointF(180, 10)));
    EXPECT_FALSE(WorldPainter::liesOnMapCut(QPointF(-180, 10), QPointF(-170, 10)));
    EXPECT_FALSE(WorldPainter::liesOnMapCut(QPointF(0, -89), QPointF(10, -90)));
    EXPECT_FALSE(WorldPainter::liesOnMapCut(QPointF(0, -89.9), QPointF(10, -89.9)));
    EXPECT_FALSE(WorldPainter::liesOnMapCut(QPointF(-10, 0), QPointF(10, 0)));
}

TEST(WorldPainterTest, OutlinesLeaveTheMapEdgesClean)
{
    // A piece of land closed along the left edge and along the south pole, as the clipped
    // Natural Earth files have it: only its real coast may be drawn.
    const GeoLayer layer = layerOf(R"({"type":"FeatureCollection","features":[
        {"type":"Feature","properties":{},"geometry":{"type":"Polygon","coordinates":
            [[[-180,-90],[-180,-60],[-150,-60],[-150,-89.999],[-165,-89.999],[-180,-90]]]}}]})");
    const QColor sea(0, 0, 0);
    QImage picture = blank(sea);
    {
        WorldPainter painter(picture);
        painter.drawOutlines(layer, QPen(Qt::white, 1.0));
    }
    // Where the real coast meets an edge (row 150, column 30) it may touch it; nowhere else.
    for (int y = 0; y < picture.height(); ++y) {
        if (y < 149 || y > 150) {
            EXPECT_EQ(picture.pixelColor(0, y), sea) << "left edge, row " << y;
        }
    }
    for (int x = 0; x < picture.width(); ++x) {
        if (x < 29 || x > 30) {
            EXPECT_EQ(picture.pixelColor(x, picture.height() - 1), sea) << "bottom edge, column " << x;
        }
    }
    // The real coast at 60S and the meridian at 150W are there.
    EXPECT_NE(picture.pixelColor(15, 150), sea);
    EXPECT_NE(picture.pixelColor(30, 160), sea);
}

TEST(WorldPainterTest, FillsAreasButNotTheirHoles)
{
    const GeoLayer layer = layerOf(R"({"type":"FeatureCollection","features":[
        {"type":"Feature","properties":{},"geometry":{"type":"Polygon","coordinates":
            [[[0,0],[40,0],[40,40],[0,40],[0,0]],[[10,10],[30,10],[30,30],[10,30],[10,10]]]}}]})");
    const QColor sea(0, 0, 255);
    const QColor land(0, 255, 0);
    QImage picture = blank(sea);
    {
        WorldPainter painter(picture);
        painter.fillAreas(layer, land);
    }
    EXPECT_EQ(picture.pixelColor(180 + 5, 90 - 5), land); // 5E 5N
    EXPECT_EQ(picture.pixelColor(180 + 20, 90 - 20), sea); // the hole
    EXPECT_EQ(picture.pixelColor(180 - 5, 90 - 5), sea); // 5W 5N
    EXPECT_EQ(picture.pixelColor(180 + 5, 90 + 5), sea); // 5E 5S
}

TEST(WorldPainterTest, GraticuleFallsOnWholeStepsAndLeavesTheEdges)
{
    const QColor sea(0, 0, 0);
    QImage picture = blank(sea);
    {
        WorldPainter painter(picture);
        painter.drawGraticule(30, QColor(255, 255, 255, 128));
    }
    for (int x = 0; x < picture.width(); ++x) {
        const bool line = x % 30 == 0 && x != 0;
        EXPECT_EQ(picture.pixelColor(x, 5) != sea, line) << "column " << x;
    }
    for (int y = 0; y < picture.height(); ++y) {
        const bool line = y % 30 == 0 && y != 0;
        EXPECT_EQ(picture.pixelColor(5, y) != sea, line) << "row " << y;
    }
    // Crossings are no brighter than the lines themselves.
    EXPECT_EQ(picture.pixelColor(180, 90), picture.pixelColor(180, 5));
}

TEST(MapPicturesTest, PlateBoundariesTakeTheirKindsColour)
{
    const GeoLayer none = layerOf(R"({"type":"FeatureCollection","features":[]})");
    const GeoLayer boundaries = layerOf(R"({"type":"FeatureCollection","features":[
        {"type":"Feature","properties":{"Type":"subduction"},"geometry":{"type":"LineString","coordinates":
            [[-100,20.5],[-50,20.5]]}},
        {"type":"Feature","properties":{"Type":""},"geometry":{"type":"LineString","coordinates":
            [[50,-20.5],[100,-20.5]]}}]})");
    MapStyle style;
    style.graticuleStep = 0;
    const QImage picture = renderPlatesMap(OneDegree, none, none, boundaries, style);
    EXPECT_EQ(picture.pixelColor(180 - 75, 90 - 20), style.subduction);
    EXPECT_EQ(picture.pixelColor(180 + 75, 90 + 20), style.ridge);
    EXPECT_EQ(picture.pixelColor(180, 90), style.sea);
}

TEST(MapPicturesTest, ResamplingKeepsOrChangesTheSizeAsAsked)
{
    QImage picture(QSize(8, 4), QImage::Format_ARGB32);
    picture.fill(Qt::red);
    EXPECT_EQ(resampled(picture, QSize()).size(), QSize(8, 4));
    EXPECT_EQ(resampled(picture, QSize()).format(), QImage::Format_RGB32);
    const QImage bigger = resampled(picture, QSize(16, 8));
    EXPECT_EQ(bigger.size(), QSize(16, 8));
    EXPECT_EQ(bigger.pixelColor(15, 7), QColor(Qt::red));
}

} // namespace

namespace
{

// The scalable icon is the same drawing as the pictures: read back as XML, its frame and trace
// are the drawing's, scaled to its canvas.
TEST(AppIconTest, TheScalableIconHoldsTheDrawingsShapes)
{
    const AppIconDrawing drawing = appIconDrawing(ScalableIconSide);
    QXmlStreamReader xml(appIconSvg());
    QStringList paths;
    QXmlStreamAttributes rect;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QStringLiteral("rect"))
            rect = xml.attributes();
        else if (xml.name() == QStringLiteral("path"))
            paths << xml.attributes().value(QStringLiteral("d")).toString();
    }
    ASSERT_FALSE(xml.hasError()) << qPrintable(xml.errorString());
    EXPECT_DOUBLE_EQ(rect.value(QStringLiteral("width")).toDouble(), drawing.frame.width());
    EXPECT_EQ(rect.value(QStringLiteral("fill")).toString(), drawing.fill.name());
    ASSERT_EQ(paths.size(), 2); // the wide red trace and the narrow yellow one over it
    const QStringList points = paths[0].split(QStringLiteral(" L"));
    ASSERT_EQ(points.size(), drawing.trace.elementCount());
    // The burst's lowest point, the seventh, is where the drawing puts it.
    const QPointF low = drawing.trace.elementAt(6);
    EXPECT_EQ(points[6], QStringLiteral("%1,%2").arg(low.x(), 0, 'f', 3).arg(low.y(), 0, 'f', 3));

    // Every size of the theme is a square picture of the same shapes.
    for (const int side : ThemeIconSides) {
        const QImage icon = drawAppIcon(side);
        EXPECT_EQ(icon.size(), QSize(side, side));
        EXPECT_EQ(icon.pixelColor(0, 0).alpha(), 0);
        EXPECT_EQ(icon.pixelColor(side / 2, side * 9 / 10), drawing.fill) << side;
    }
}

} // namespace
