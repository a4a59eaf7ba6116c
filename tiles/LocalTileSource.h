// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tiles/TileKey.h"
#include "tiles/TileSource.h"

#include <QImage>
#include <QStringList>

#include <memory>

namespace tremora
{

/// Quality of the JPEG tiles cut locally.
inline constexpr int kLocalTileQuality = 85;

/// The tile of `cell` cut out of an equirectangular picture of the whole world (longitude -180
/// at the left edge, latitude 90 at the top): kTilePixels square, north up, scaled smoothly
/// both when the cell holds more pixels than the tile and when it holds fewer.
QImage cutTile(const QImage& world, const TileCell& cell);

/// The tile as JPEG bytes; empty when it could not be encoded.
QByteArray encodeTile(const QImage& tile);

/// Tiles served by the program itself when no tile server is set: each is cut out of the best
/// world picture at hand, the first of `picturePaths` that loads (the natural-colour picture of
/// the working folder, then the built-in map). The picture is read at the first tile and kept.
/// A tile is written whole into its file and reported on a later turn of the event loop; an
/// unknown key, or no picture at all, reports that no reply came.
class LocalTileSource final : public TileSource
{
public:
    explicit LocalTileSource(QStringList picturePaths);
    ~LocalTileSource() override;
    Download* fetch(const QString& key, const QString& filePath) override;

    /// The picture tiles are cut from, read now if not yet; null when none of the paths loads.
    const QImage& world();
    /// The path the picture came from; empty before it is read or when none loads.
    const QString& worldPath() const { return m_worldPath; }

private:
    QStringList m_picturePaths;
    QImage m_world;
    QString m_worldPath;
    bool m_read = false;
};

} // namespace tremora
