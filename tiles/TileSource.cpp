// SPDX-License-Identifier: GPL-3.0-or-later
#include "tiles/TileSource.h"

#include <utility>

namespace tremora
{

QString tileUrl(const QString& host, const QString& key)
{
    QString base = host;
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base + QLatin1String(kTileQuery) + key;
}

HostTileSource::HostTileSource(Downloader& downloader, QString host)
    : m_downloader(downloader)
    , m_host(std::move(host))
{
}

Download* HostTileSource::fetch(const QString& key, const QString& filePath)
{
    return m_downloader.download(tileUrl(m_host, key), filePath);
}

} // namespace tremora
