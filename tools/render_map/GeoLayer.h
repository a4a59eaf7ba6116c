// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QPointF>
#include <QString>

#include <optional>

namespace tremora
{

/// One run of positions as [lon, lat] degrees (x = longitude, y = latitude).
using GeoLine = QList<QPointF>;

/// One polygon: the outer ring first, then its holes.
using GeoPolygon = QList<GeoLine>;

/// A GeoJSON feature reduced to what a flat map needs: its properties and its geometry, either
/// as polygons (areas) or as lines.
struct GeoFeature {
    QJsonObject properties;
    QList<GeoPolygon> polygons;
    QList<GeoLine> lines;
};

/// A GeoJSON FeatureCollection read from a file (Polygon, MultiPolygon, LineString and
/// MultiLineString geometries; other kinds are skipped). The reader rejects anything malformed
/// with a message instead of drawing half a layer.
class GeoLayer
{
public:
    /// Positions outside this range are treated as malformed input.
    static constexpr double MaxLongitude = 180.0;
    static constexpr double MaxLatitude = 90.0;

    static std::optional<GeoLayer> fromJson(const QByteArray& json, QString& error);
    static std::optional<GeoLayer> fromFile(const QString& path, QString& error);

    const QList<GeoFeature>& features() const { return m_features; }

private:
    QList<GeoFeature> m_features;
};

} // namespace tremora
