// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tiles/TileKey.h"
#include "tiles/TileSource.h"

#include <QImage>
#include <QString>

namespace tremora
{

/// Northernmost (and, negated, southernmost) latitude of the Web Mercator tiles, in degrees.
inline constexpr double kMercatorLatLimit = 85.0511287798;
/// Colour of the tile rows beyond the Mercator tiles, near the poles.
inline constexpr QRgb kBeyondMercator = 0xff101018;

/// Whether a URL template holds the zoom, column and row of a Web Mercator tile: {z}, {x}, {y}.
bool isXyzTemplate(const QString& urlTemplate);
/// The template with {z}, {x} and {y} filled in.
QString xyzTileUrl(const QString& urlTemplate, int zoom, int x, int y);

/// Web Mercator pixels of the whole world at `zoom`: 256 * 2^zoom on each side. Longitude -180
/// and latitude +85.05 are at 0; the coordinates grow eastward and southward.
double mercatorX(double lon, int zoom);
double mercatorY(double lat, int zoom);

/// The Mercator tiles a cell needs and the zoom they are taken at: enough detail that a 256-pixel
/// cell is not enlarged, neither across nor up and down (where the cell lies nearest the
/// equator). Tile numbers run from first to last inclusive; `empty` when the whole cell lies
/// beyond the Mercator latitudes.
struct MercatorCover {
    int zoom = 0;
    int firstX = 0;
    int lastX = -1;
    int firstY = 0;
    int lastY = -1;
    bool empty() const { return lastX < firstX || lastY < firstY; }
};
MercatorCover mercatorCover(const TileCell& cell);

/// The cell's kTilePixels square (rows linear in latitude, columns in longitude, north up) drawn
/// from `mosaic`, the cover's tiles laid side by side (tile firstX, firstY at its top left).
/// Rows beyond the Mercator latitudes are kBeyondMercator.
QImage reprojectCell(const QImage& mosaic, const MercatorCover& cover, const TileCell& cell);

/// Tiles from an imagery service with the usual XYZ layout of Web Mercator tiles
/// (".../{z}/{x}/{y}.jpg"). A cell's tiles are downloaded side by side through the downloader,
/// redrawn on the plain longitude-latitude grid of the key and written as one JPEG. A tile that
/// does not come with status 200 as a picture fails the whole cell: no reply, no file. Deleting
/// the download, or abort(), ends the tiles still coming and leaves no file.
class XyzTileSource final : public TileSource
{
public:
    XyzTileSource(Downloader& downloader, QString urlTemplate);
    Download* fetch(const QString& key, const QString& filePath) override;

private:
    Downloader& m_downloader;
    QString m_template;
};

} // namespace tremora
