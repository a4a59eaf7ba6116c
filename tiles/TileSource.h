// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Downloader.h"

#include <QString>

namespace tremora
{

/// Path and query of a tile on a tile server; the quadtree key follows.
inline constexpr const char* kTileQuery = "/kh?n=404&v=84&t=t";

/// Tile host + kTileQuery + key: "http://host/kh?n=404&v=84&t=tstqqrts".
QString tileUrl(const QString& host, const QString& key);

/// Where satellite tiles come from. A tile is named by its quadtree key (the letters after the
/// leading "t") and arrives as a JPEG file, reported like a download: exactly once, never from
/// inside fetch(), and with no file when none came.
class TileSource
{
public:
    virtual ~TileSource() = default;
    /// Starts fetching the tile of `key` into `filePath`; the caller owns the result as with
    /// Downloader::download.
    virtual Download* fetch(const QString& key, const QString& filePath) = 0;
};

/// Tiles from a tile server over HTTP or HTTPS, through the downloader.
class HostTileSource final : public TileSource
{
public:
    HostTileSource(Downloader& downloader, QString host);
    Download* fetch(const QString& key, const QString& filePath) override;

private:
    Downloader& m_downloader;
    QString m_host;
};

} // namespace tremora
