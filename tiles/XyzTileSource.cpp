// SPDX-License-Identifier: GPL-3.0-or-later
#include "tiles/XyzTileSource.h"

#include "platform/WholeFile.h"
#include "tiles/LocalTileSource.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <utility>
#include <vector>

namespace tremora
{

namespace
{

constexpr int kHttpOk = 200;
constexpr int kMaxZoom = 22;
constexpr double kDegreesAround = 360.0;
constexpr double kHalfTurn = 180.0;
// Below this a cell's edge is taken to sit on a tile's edge rather than a hair past it.
constexpr double kEdgeSlack = 1e-6;

double radians(double degrees)
{
    return degrees * std::numbers::pi / kHalfTurn;
}

double worldPixels(int zoom)
{
    return std::ldexp(static_cast<double>(kTilePixels), zoom);
}

/// Samples `image` between its pixels; the coordinates count pixels with centres at whole
/// numbers and are held to the picture's edge.
QRgb bilinear(const QImage& image, double x, double y)
{
    x = std::clamp(x, 0.0, image.width() - 1.0);
    y = std::clamp(y, 0.0, image.height() - 1.0);
    const int x0 = static_cast<int>(x);
    const int y0 = static_cast<int>(y);
    const int x1 = std::min(x0 + 1, image.width() - 1);
    const int y1 = std::min(y0 + 1, image.height() - 1);
    const double fx = x - x0;
    const double fy = y - y0;
    const auto* top = reinterpret_cast<const QRgb*>(image.constScanLine(y0));
    const auto* bottom = reinterpret_cast<const QRgb*>(image.constScanLine(y1));
    const auto mix = [&](int (*channel)(QRgb)) {
        const double upper = channel(top[x0]) * (1 - fx) + channel(top[x1]) * fx;
        const double lower = channel(bottom[x0]) * (1 - fx) + channel(bottom[x1]) * fx;
        return static_cast<int>(std::lround(upper * (1 - fy) + lower * fy));
    };
    return qRgb(mix(qRed), mix(qGreen), mix(qBlue));
}

/// A cell on its way: its Mercator tiles are downloaded side by side into a temporary folder,
/// then redrawn into the cell's file. Reports once, never from inside the constructor.
class XyzTileDownload final : public Download
{
public:
    XyzTileDownload(
        Downloader& downloader, const QString& urlTemplate, std::optional<TileCell> cell, QString filePath)
        : m_cell(std::move(cell))
        , m_filePath(std::move(filePath))
    {
        if (!m_cell || !m_folder.isValid()) {
            reportLater(false);
            return;
        }
        m_cover = mercatorCover(*m_cell);
        if (m_cover.empty()) {
            // Nothing but polar rows: no tile to wait for.
            QTimer::singleShot(0, this, [this] { compose(); });
            return;
        }
        for (int y = m_cover.firstY; y <= m_cover.lastY; ++y) {
            for (int x = m_cover.firstX; x <= m_cover.lastX; ++x) {
                const QString path = m_folder.filePath(QStringLiteral("%1-%2.tile").arg(x).arg(y));
                Download* tile = downloader.download(xyzTileUrl(urlTemplate, m_cover.zoom, x, y), path);
                m_tiles.push_back({ tile, path, x, y });
                const std::size_t index = m_tiles.size() - 1;
                connect(tile, &Download::finished, this,
                    [this, index](bool received, int status) { tileFinished(index, received, status); });
            }
        }
        m_waiting = m_tiles.size();
    }

    ~XyzTileDownload() override { endTiles(); }

    void abort() override
    {
        if (m_done)
            return;
        endTiles();
        reportLater(false);
    }

private:
    struct Tile {
        Download* download = nullptr; // null once it has finished
        QString path;
        int x = 0;
        int y = 0;
    };

    void tileFinished(std::size_t index, bool received, int status)
    {
        Tile& tile = m_tiles[index];
        tile.download->disconnect(this);
        tile.download->deleteLater();
        tile.download = nullptr;
        if (m_done)
            return;
        if (!received || status != kHttpOk) {
            report(false);
            return;
        }
        if (--m_waiting == 0)
            compose();
    }

    void compose()
    {
        if (m_done)
            return;
        const int columns = m_cover.lastX - m_cover.firstX + 1;
        const int rows = m_cover.lastY - m_cover.firstY + 1;
        QImage mosaic(
            std::max(columns, 1) * kTilePixels, std::max(rows, 1) * kTilePixels, QImage::Format_RGB32);
        mosaic.fill(kBeyondMercator);
        {
            QPainter painter(&mosaic);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            for (const Tile& tile : m_tiles) {
                const QImage picture(tile.path);
                if (picture.isNull()) {
                    painter.end();
                    report(false);
                    return;
                }
                painter.drawImage(QRect((tile.x - m_cover.firstX) * kTilePixels,
                                      (tile.y - m_cover.firstY) * kTilePixels, kTilePixels, kTilePixels),
                    picture);
            }
        }
        const QByteArray jpeg = encodeTile(reprojectCell(mosaic, m_cover, *m_cell));
        report(!jpeg.isEmpty() && writeWholeFile(m_filePath, jpeg.constData(), jpeg.size()).ok);
    }

    /// Ends the tiles still coming; they leave no file.
    void endTiles()
    {
        for (Tile& tile : m_tiles) {
            if (tile.download == nullptr)
                continue;
            tile.download->disconnect(this);
            tile.download->abort();
            tile.download->deleteLater();
            tile.download = nullptr;
        }
    }

    void reportLater(bool received)
    {
        m_done = true;
        QTimer::singleShot(0, this, [this, received] { Q_EMIT finished(received, received ? kHttpOk : 0); });
    }

    /// The last thing a handler does: the owner may delete the download in answer.
    void report(bool received)
    {
        m_done = true;
        endTiles();
        Q_EMIT finished(received, received ? kHttpOk : 0);
    }

    std::optional<TileCell> m_cell;
    QString m_filePath;
    QTemporaryDir m_folder;
    MercatorCover m_cover;
    std::vector<Tile> m_tiles;
    std::size_t m_waiting = 0;
    bool m_done = false;
};

} // namespace

bool isXyzTemplate(const QString& urlTemplate)
{
    return urlTemplate.contains(QLatin1String("{z}")) && urlTemplate.contains(QLatin1String("{x}"))
        && urlTemplate.contains(QLatin1String("{y}"));
}

QString xyzTileUrl(const QString& urlTemplate, int zoom, int x, int y)
{
    QString url = urlTemplate;
    url.replace(QLatin1String("{z}"), QString::number(zoom));
    url.replace(QLatin1String("{x}"), QString::number(x));
    url.replace(QLatin1String("{y}"), QString::number(y));
    return url;
}

double mercatorX(double lon, int zoom)
{
    return (lon + kHalfTurn) / kDegreesAround * worldPixels(zoom);
}

double mercatorY(double lat, int zoom)
{
    const double phi = radians(std::clamp(lat, -kMercatorLatLimit, kMercatorLatLimit));
    const double northing = std::log(std::tan(std::numbers::pi / 4 + phi / 2));
    return (1 - northing / std::numbers::pi) / 2 * worldPixels(zoom);
}

MercatorCover mercatorCover(const TileCell& cell)
{
    const double west = cell.west;
    const double east = west + cell.width;
    const double south = cell.south;
    const double north = south + cell.height;
    MercatorCover cover;
    if (south >= kMercatorLatLimit || north <= -kMercatorLatLimit)
        return cover;
    // Across, a tile pixel spans 360 / (256 * 2^z) degrees of longitude; up and down, that
    // divided by the secant of the latitude, smallest where the cell comes nearest the equator.
    const double nearestEquator = south <= 0 && north >= 0 ? 0.0 : std::min(std::abs(south), std::abs(north));
    const double secant = 1 / std::cos(radians(std::min(nearestEquator, kMercatorLatLimit)));
    const double needed = std::max(kDegreesAround / cell.width, kDegreesAround / (cell.height * secant));
    cover.zoom = std::clamp(static_cast<int>(std::ceil(std::log2(needed) - kEdgeSlack)), 0, kMaxZoom);

    const int last = (1 << cover.zoom) - 1;
    const auto tileOf = [last](double pixel) {
        return std::clamp(static_cast<int>(std::floor(pixel / kTilePixels)), 0, last);
    };
    cover.firstX = tileOf(mercatorX(west, cover.zoom));
    cover.lastX = tileOf(mercatorX(east, cover.zoom) - kEdgeSlack);
    cover.firstY = tileOf(mercatorY(north, cover.zoom));
    cover.lastY = tileOf(mercatorY(south, cover.zoom) - kEdgeSlack);
    return cover;
}

QImage reprojectCell(const QImage& mosaic, const MercatorCover& cover, const TileCell& cell)
{
    QImage tile(kTilePixels, kTilePixels, QImage::Format_RGB32);
    tile.fill(kBeyondMercator);
    if (cover.empty() || mosaic.isNull())
        return tile;
    const QImage source = mosaic.convertToFormat(QImage::Format_RGB32);
    const double left = static_cast<double>(cover.firstX) * kTilePixels;
    const double top = static_cast<double>(cover.firstY) * kTilePixels;
    // Pixel centres of the cell, in mosaic pixels whose centres sit at whole numbers.
    std::vector<double> columns(kTilePixels);
    for (int c = 0; c < kTilePixels; ++c) {
        const double lon = cell.west + (c + 0.5) * cell.width / kTilePixels;
        columns[c] = mercatorX(lon, cover.zoom) - left - 0.5;
    }
    for (int r = 0; r < kTilePixels; ++r) {
        const double lat = cell.south + cell.height - (r + 0.5) * cell.height / kTilePixels;
        if (std::abs(lat) > kMercatorLatLimit)
            continue;
        const double row = mercatorY(lat, cover.zoom) - top - 0.5;
        auto* line = reinterpret_cast<QRgb*>(tile.scanLine(r));
        for (int c = 0; c < kTilePixels; ++c)
            line[c] = bilinear(source, columns[c], row);
    }
    return tile;
}

XyzTileSource::XyzTileSource(Downloader& downloader, QString urlTemplate)
    : m_downloader(downloader)
    , m_template(std::move(urlTemplate))
{
}

Download* XyzTileSource::fetch(const QString& key, const QString& filePath)
{
    return new XyzTileDownload(m_downloader, m_template, cellOfKey(key), filePath);
}

} // namespace tremora
