// SPDX-License-Identifier: GPL-3.0-or-later
#include "tiles/TileKey.h"

#include <algorithm>
#include <cmath>

namespace tremora
{

namespace
{

constexpr float kLonOffset = 180.0f;
constexpr float kLatOffset = 90.0f;
constexpr float kWorldWidth = 360.0f;
constexpr float kWorldHeight = 180.0f;
constexpr int kMaxZoom = 30; // beyond this a cell is smaller than a float can tell apart

float cellSide(float world, int level)
{
    return world / float(std::ldexp(1.0, level));
}

} // namespace

TileCell tileCell(float lon, float lat, int zoom)
{
    zoom = std::clamp(zoom, 0, kMaxZoom);
    TileCell cell;
    cell.lon = lon;
    cell.lat = lat;
    const float x = lon + kLonOffset;
    const float y = lat + kLatOffset;
    float x0 = 0;
    float y0 = 0;
    cell.key.reserve(zoom);
    for (int k = 1; k <= zoom; ++k) {
        const float w = cellSide(kWorldWidth, k);
        const float h = cellSide(kWorldHeight, k);
        const float xm = x0 + w;
        const float ym = y0 + h;
        const bool west = x < xm;
        const bool south = y < ym;
        if (west && south) {
            cell.key += QLatin1Char('q');
        } else if (!west && south) {
            cell.key += QLatin1Char('r');
            x0 += w;
        } else if (!west && !south) {
            cell.key += QLatin1Char('s');
            x0 += w;
            y0 += h;
        } else {
            cell.key += QLatin1Char('t');
            y0 += h;
        }
    }
    cell.west = x0 - kLonOffset;
    cell.south = y0 - kLatOffset;
    cell.width = cellSide(kWorldWidth, zoom);
    cell.height = cellSide(kWorldHeight, zoom);
    return cell;
}

std::optional<TileCell> cellOfKey(const QString& key)
{
    if (key.size() > kMaxZoom)
        return std::nullopt;
    float x0 = 0;
    float y0 = 0;
    for (int k = 1; k <= key.size(); ++k) {
        const float w = cellSide(kWorldWidth, k);
        const float h = cellSide(kWorldHeight, k);
        switch (key[k - 1].unicode()) {
        case 'q':
            break;
        case 'r':
            x0 += w;
            break;
        case 's':
            x0 += w;
            y0 += h;
            break;
        case 't':
            y0 += h;
            break;
        default:
            return std::nullopt;
        }
    }
    TileCell cell;
    cell.key = key;
    cell.west = x0 - kLonOffset;
    cell.south = y0 - kLatOffset;
    cell.width = cellSide(kWorldWidth, int(key.size()));
    cell.height = cellSide(kWorldHeight, int(key.size()));
    cell.lon = cell.west + cell.width / 2;
    cell.lat = cell.south + cell.height / 2;
    return cell;
}

std::optional<MarkerPlace> markerPlace(const TileCell& cell)
{
    // Each step is rounded to a float, as the cell was found.
    const float east = cell.lon + kLonOffset;
    const float west = cell.west + kLonOffset;
    const float north = cell.lat + kLatOffset;
    const float south = cell.south + kLatOffset;
    if (!(east >= west && north >= south))
        return std::nullopt;
    const float px = (east - west) / (cell.width / float(kTilePixels));
    const float py = (north - south) / (cell.height / float(kTilePixels));
    constexpr float kLast = float(kTilePixels - 1);
    if (!(px >= 0 && px <= kLast && py >= 0 && py <= kLast))
        return std::nullopt;
    return MarkerPlace { std::uint16_t(std::nearbyint(px)), std::uint16_t(std::nearbyint(py)) };
}

} // namespace tremora
