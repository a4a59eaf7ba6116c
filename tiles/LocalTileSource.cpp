// SPDX-License-Identifier: GPL-3.0-or-later
#include "tiles/LocalTileSource.h"

#include "platform/WholeFile.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QTimer>

#include <cmath>
#include <functional>
#include <utility>

namespace tremora
{

namespace
{

constexpr double kWorldWidth = 360.0;
constexpr double kWorldHeight = 180.0;
constexpr double kLonOffset = 180.0;
constexpr double kNorthEdge = 90.0;
constexpr int kHttpOk = 200;

/// A tile on its way: the work runs on the next turn of the event loop unless aborted first.
class LocalTileDownload final : public Download
{
public:
    explicit LocalTileDownload(std::function<bool()> work)
        : m_work(std::move(work))
    {
        QTimer::singleShot(0, this, &LocalTileDownload::run);
    }
    void abort() override { m_aborted = true; }

private:
    void run()
    {
        const bool received = !m_aborted && m_work();
        Q_EMIT finished(received, received ? kHttpOk : 0);
    }

    std::function<bool()> m_work;
    bool m_aborted = false;
};

} // namespace

QImage cutTile(const QImage& world, const TileCell& cell)
{
    QImage tile(kTilePixels, kTilePixels, QImage::Format_RGB32);
    tile.fill(Qt::black);
    if (world.isNull())
        return tile;
    const double pxPerLon = world.width() / kWorldWidth;
    const double pxPerLat = world.height() / kWorldHeight;
    const QRectF source((cell.west + kLonOffset) * pxPerLon,
        (kNorthEdge - (cell.south + cell.height)) * pxPerLat, cell.width * pxPerLon, cell.height * pxPerLat);

    if (source.width() >= kTilePixels && source.height() >= kTilePixels) {
        // Shrinking: average whole pixels rather than sample between them.
        const QRect whole = source.toRect().intersected(world.rect());
        return world.copy(whole)
            .scaled(kTilePixels, kTilePixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_RGB32);
    }
    // Enlarging: interpolate between the pixels of the fraction of the picture the cell covers.
    QPainter painter(&tile);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(0, 0, kTilePixels, kTilePixels), world, source);
    return tile;
}

QByteArray encodeTile(const QImage& tile)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!tile.save(&buffer, "JPG", kLocalTileQuality))
        return {};
    return bytes;
}

LocalTileSource::LocalTileSource(QStringList picturePaths)
    : m_picturePaths(std::move(picturePaths))
{
}

LocalTileSource::~LocalTileSource() = default;

const QImage& LocalTileSource::world()
{
    if (m_read)
        return m_world;
    m_read = true;
    for (const QString& path : std::as_const(m_picturePaths)) {
        QImageReader reader(path);
        QImage picture = reader.read();
        if (picture.isNull())
            continue;
        m_world = picture.convertToFormat(QImage::Format_RGB32);
        m_worldPath = path;
        break;
    }
    return m_world;
}

Download* LocalTileSource::fetch(const QString& key, const QString& filePath)
{
    // The source must outlive the downloads it hands out (the program keeps it for the run).
    return new LocalTileDownload([this, key, filePath] {
        const std::optional<TileCell> cell = cellOfKey(key);
        if (!cell || world().isNull())
            return false;
        const QByteArray jpeg = encodeTile(cutTile(m_world, *cell));
        return !jpeg.isEmpty() && writeWholeFile(filePath, jpeg.constData(), jpeg.size()).ok;
    });
}

} // namespace tremora
