// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/render_map/GeoLayer.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <cmath>

namespace tremora
{

namespace
{

// Reads [[lon, lat], ...]; false (with a message) on anything that is not a list of two numbers
// inside the world's bounds.
bool readLine(const QJsonValue& value, GeoLine& line, QString& error)
{
    if (!value.isArray()) {
        error = QStringLiteral("a coordinate list is not an array");
        return false;
    }
    const QJsonArray positions = value.toArray();
    line.reserve(positions.size());
    for (const QJsonValue& p : positions) {
        const QJsonArray pair = p.toArray();
        if (!p.isArray() || pair.size() < 2 || !pair[0].isDouble() || !pair[1].isDouble()) {
            error = QStringLiteral("a position is not [longitude, latitude]");
            return false;
        }
        const double lon = pair[0].toDouble();
        const double lat = pair[1].toDouble();
        if (!std::isfinite(lon) || !std::isfinite(lat) || std::abs(lon) > GeoLayer::MaxLongitude
            || std::abs(lat) > GeoLayer::MaxLatitude) {
            error = QStringLiteral("position %1, %2 lies outside the world").arg(lon).arg(lat);
            return false;
        }
        line.append(QPointF(lon, lat));
    }
    return true;
}

bool readPolygon(const QJsonValue& value, GeoPolygon& polygon, QString& error)
{
    if (!value.isArray()) {
        error = QStringLiteral("a polygon is not an array of rings");
        return false;
    }
    for (const QJsonValue& ring : value.toArray()) {
        GeoLine line;
        if (!readLine(ring, line, error))
            return false;
        polygon.append(line);
    }
    return true;
}

bool readGeometry(const QJsonObject& geometry, GeoFeature& feature, QString& error)
{
    const QString type = geometry.value(QStringLiteral("type")).toString();
    const QJsonValue coordinates = geometry.value(QStringLiteral("coordinates"));
    if (type == QStringLiteral("LineString")) {
        GeoLine line;
        if (!readLine(coordinates, line, error))
            return false;
        feature.lines.append(line);
    } else if (type == QStringLiteral("MultiLineString") || type == QStringLiteral("MultiPolygon")) {
        if (!coordinates.isArray()) {
            error = QStringLiteral("%1 coordinates are not an array").arg(type);
            return false;
        }
        for (const QJsonValue& part : coordinates.toArray()) {
            if (type == QStringLiteral("MultiLineString")) {
                GeoLine line;
                if (!readLine(part, line, error))
                    return false;
                feature.lines.append(line);
            } else {
                GeoPolygon polygon;
                if (!readPolygon(part, polygon, error))
                    return false;
                feature.polygons.append(polygon);
            }
        }
    } else if (type == QStringLiteral("Polygon")) {
        GeoPolygon polygon;
        if (!readPolygon(coordinates, polygon, error))
            return false;
        feature.polygons.append(polygon);
    }
    // Points and collections carry nothing a base map draws.
    return true;
}

} // namespace

std::optional<GeoLayer> GeoLayer::fromJson(const QByteArray& json, QString& error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        error = QStringLiteral("not JSON: %1 at offset %2")
                    .arg(parseError.errorString())
                    .arg(parseError.offset);
        return std::nullopt;
    }
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("type")).toString() != QStringLiteral("FeatureCollection")
        || !root.value(QStringLiteral("features")).isArray()) {
        error = QStringLiteral("not a GeoJSON FeatureCollection");
        return std::nullopt;
    }
    GeoLayer layer;
    const QJsonArray features = root.value(QStringLiteral("features")).toArray();
    for (qsizetype i = 0; i < features.size(); ++i) {
        const QJsonObject object = features[i].toObject();
        GeoFeature feature;
        feature.properties = object.value(QStringLiteral("properties")).toObject();
        QString why;
        if (!readGeometry(object.value(QStringLiteral("geometry")).toObject(), feature, why)) {
            error = QStringLiteral("feature %1: %2").arg(i).arg(why);
            return std::nullopt;
        }
        layer.m_features.append(feature);
    }
    return layer;
}

std::optional<GeoLayer> GeoLayer::fromFile(const QString& path, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    std::optional<GeoLayer> layer = fromJson(file.readAll(), error);
    if (!layer)
        error = QStringLiteral("%1: %2").arg(path, error);
    return layer;
}

} // namespace tremora
