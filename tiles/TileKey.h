// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace tremora
{

/// Side of a tile picture in pixels; the marker counts 1/256 of a tile.
inline constexpr int kTilePixels = 256;
/// Track bar zooms of the location picture and of the grid.
inline constexpr int kLocationZoomMin = 2;
inline constexpr int kLocationZoomMax = 17;
inline constexpr int kLocationZoomDefault = 7;
inline constexpr int kGridZoomMin = 1;
inline constexpr int kGridZoomMax = 17;
inline constexpr int kGridZoomDefault = 1;

/// One cell of the plain longitude-latitude grid and the quadtree key that names it: at zoom z
/// the world is cut into 2^z x 2^z cells of 360 / 2^z by 180 / 2^z degrees. Values are kept in
/// single precision, step by step, as the key is built.
struct TileCell {
    QString key; // one of q, r, s, t per level, without the leading "t"
    float lon = 0; // the point the cell was found for
    float lat = 0;
    float west = 0; // degrees of longitude
    float south = 0; // degrees of latitude
    float width = 360; // degrees
    float height = 180; // degrees
};

/// The cell at `zoom` holding the point. A point on a dividing line goes to the east or north
/// half: (0, 0) at zoom 2 is "sq".
TileCell tileCell(float lon, float lat, int zoom);

/// The cell a key names (letters after the leading "t"); nothing for a letter other than q, r,
/// s, t.
std::optional<TileCell> cellOfKey(const QString& key);

/// Where the marker of the cell's point goes on the 256-pixel tile: column eastward from the
/// west edge, row northward from the south edge, each rounded half to even. Nothing when the
/// point falls outside 0..255 (the previous marker then stays).
struct MarkerPlace {
    std::uint16_t x = 0;
    std::uint16_t y = 0;
};
std::optional<MarkerPlace> markerPlace(const TileCell& cell);

} // namespace tremora
