// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tools/render_map/GeoLayer.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>

namespace tremora
{

/// Draws geographic layers onto a picture of the whole Earth in the map's equirectangular
/// projection: longitude -180 at the left edge to 180 at the right, latitude 90 at the top to -90
/// at the bottom, whatever the picture's size.
class WorldPainter
{
public:
    /// How close (degrees) both ends of a segment must be to the antimeridian or a pole for the
    /// segment to count as a cut made by the map edge rather than a real coast or border.
    static constexpr double CutTolerance = 0.01;

    explicit WorldPainter(QImage& image);

    /// Continuous picture position of a [lon, lat] point: x = (lon+180)/360*W, y = (90-lat)/180*H.
    QPointF toPixel(QPointF lonLat) const;

    /// True for a segment that only exists because the world was cut open along the antimeridian
    /// or closed along a pole (drawn as an outline it would be a false line on the map edge), and
    /// for a step across the antimeridian (it would streak across the map).
    static bool liesOnMapCut(QPointF a, QPointF b);

    void fill(const QColor& colour);
    /// Fills every polygon of the layer (holes stay open).
    void fillAreas(const GeoLayer& layer, const QColor& colour);
    /// Outlines every polygon ring and line of one feature, leaving out the map-cut segments.
    void drawOutline(const GeoFeature& feature, const QPen& pen);
    void drawOutlines(const GeoLayer& layer, const QPen& pen);
    /// One-pixel lines every stepDegrees of longitude and latitude, on the pixel column and row the
    /// program's own projection gives those degrees; the picture's edges are left alone.
    void drawGraticule(int stepDegrees, const QColor& colour);

private:
    QImage& m_image;
    QPainter m_painter;
};

} // namespace tremora
