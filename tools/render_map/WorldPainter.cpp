// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/render_map/WorldPainter.h"

#include <QPainterPath>
#include <QRegion>

#include <cmath>

namespace tremora
{

namespace
{

constexpr double FullTurn = 360.0;
constexpr double HalfTurn = 180.0;
constexpr double QuarterTurn = 90.0;

bool near(double value, double target)
{
    return std::abs(value - target) <= WorldPainter::CutTolerance;
}

} // namespace

WorldPainter::WorldPainter(QImage& image)
    : m_image(image)
    , m_painter(&image)
{
    m_painter.setRenderHint(QPainter::Antialiasing, true);
}

QPointF WorldPainter::toPixel(QPointF lonLat) const
{
    return QPointF((lonLat.x() + HalfTurn) / FullTurn * m_image.width(),
        (QuarterTurn - lonLat.y()) / HalfTurn * m_image.height());
}

bool WorldPainter::liesOnMapCut(QPointF a, QPointF b)
{
    // A step of more than half the world can only be a jump across the antimeridian; drawn
    // straight it would streak across the whole map.
    if (std::abs(a.x() - b.x()) > HalfTurn)
        return true;
    for (const double edge : { -HalfTurn, HalfTurn }) {
        if (near(a.x(), edge) && near(b.x(), edge))
            return true;
    }
    for (const double pole : { -QuarterTurn, QuarterTurn }) {
        if (near(a.y(), pole) && near(b.y(), pole))
            return true;
    }
    return false;
}

void WorldPainter::fill(const QColor& colour)
{
    m_painter.save();
    m_painter.setCompositionMode(QPainter::CompositionMode_Source);
    m_painter.fillRect(m_image.rect(), colour);
    m_painter.restore();
}

void WorldPainter::fillAreas(const GeoLayer& layer, const QColor& colour)
{
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(colour);
    for (const GeoFeature& feature : layer.features()) {
        // One path per polygon, so that its holes cut it but neighbouring polygons never do.
        for (const GeoPolygon& polygon : feature.polygons) {
            QPainterPath path;
            path.setFillRule(Qt::OddEvenFill);
            for (const GeoLine& ring : polygon) {
                QPolygonF points;
                points.reserve(ring.size());
                for (const QPointF& p : ring)
                    points.append(toPixel(p));
                path.addPolygon(points);
                path.closeSubpath();
            }
            m_painter.drawPath(path);
        }
    }
}

void WorldPainter::drawOutline(const GeoFeature& feature, const QPen& pen)
{
    QPainterPath path;
    const auto addLine = [&](const GeoLine& line) {
        for (qsizetype i = 0; i < line.size(); ++i) {
            if (i == 0 || liesOnMapCut(line[i - 1], line[i]))
                path.moveTo(toPixel(line[i]));
            else
                path.lineTo(toPixel(line[i]));
        }
    };
    for (const GeoPolygon& polygon : feature.polygons) {
        for (const GeoLine& ring : polygon)
            addLine(ring);
    }
    for (const GeoLine& line : feature.lines)
        addLine(line);
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawPath(path);
}

void WorldPainter::drawOutlines(const GeoLayer& layer, const QPen& pen)
{
    for (const GeoFeature& feature : layer.features())
        drawOutline(feature, pen);
}

void WorldPainter::drawGraticule(int stepDegrees, const QColor& colour)
{
    if (stepDegrees <= 0)
        return;
    const int w = m_image.width();
    const int h = m_image.height();
    // A region, so that crossings are not painted twice and stay as light as the lines.
    QRegion lines;
    for (int lon = -static_cast<int>(HalfTurn) + stepDegrees; lon < HalfTurn; lon += stepDegrees) {
        const int column = static_cast<int>(std::lround((lon + HalfTurn) / FullTurn * w));
        lines += QRect(column, 0, 1, h);
    }
    for (int lat = static_cast<int>(QuarterTurn) - stepDegrees; lat > -QuarterTurn; lat -= stepDegrees) {
        const int row = static_cast<int>(std::lround((QuarterTurn - lat) / HalfTurn * h));
        lines += QRect(0, row, w, 1);
    }
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    for (const QRect& r : lines)
        m_painter.fillRect(r, colour);
    m_painter.restore();
}

} // namespace tremora
