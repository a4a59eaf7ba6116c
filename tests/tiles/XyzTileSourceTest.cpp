// SPDX-License-Identifier: GPL-3.0-or-later
#include "tiles/XyzTileSource.h"
#include "platform/QtDownloader.h"
#include "tests/support/Waiting.h"
#include "tiles/LocalTileSource.h"
#include "tools/TileServer.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace tremora;

namespace
{

const QString kEarthPicture = QStringLiteral(TREMORA_EARTH_PICTURE);

struct Finished {
    bool reported = false;
    bool received = false;
    int status = -1;
};

Finished waitFor(Download* download)
{
    auto result = std::make_shared<Finished>();
    QObject::connect(download, &Download::finished, download, [result](bool received, int status) {
        result->reported = true;
        result->received = received;
        result->status = status;
    });
    test::waitUntil([&] { return result->reported; }, 30'000);
    delete download;
    return *result;
}

/// Land in the natural-colour picture: anything but the dark blue of the sea.
bool isLand(QRgb pixel)
{
    constexpr int kBlueOverRed = 25;
    constexpr int kBlueOverGreen = 10;
    return qBlue(pixel) <= qRed(pixel) + kBlueOverRed || qBlue(pixel) < qGreen(pixel) + kBlueOverGreen;
}

struct CoastComparison {
    double landShare = 0; // of the local cell
    int farPixels = 0; // land in one and sea in the other with no such pixel 2 pixels around
};

/// Compares the land masks of two cells: where they disagree, the other cell must have the same
/// kind of ground within 2 pixels, so a coastline drawn 3 or more pixels away shows up along it.
CoastComparison compareCoasts(const QImage& local, const QImage& xyz)
{
    constexpr int kReach = 2;
    CoastComparison result;
    int land = 0;
    for (int y = 0; y < kTilePixels; ++y) {
        for (int x = 0; x < kTilePixels; ++x) {
            const bool here = isLand(local.pixel(x, y));
            land += here ? 1 : 0;
            if (isLand(xyz.pixel(x, y)) == here)
                continue;
            bool nearby = false;
            for (int dy = -kReach; dy <= kReach && !nearby; ++dy) {
                for (int dx = -kReach; dx <= kReach && !nearby; ++dx) {
                    const int nx = x + dx;
                    const int ny = y + dy;
                    nearby = nx >= 0 && ny >= 0 && nx < kTilePixels && ny < kTilePixels
                        && isLand(xyz.pixel(nx, ny)) == here;
                }
            }
            result.farPixels += nearby ? 0 : 1;
        }
    }
    result.landShare = double(land) / (kTilePixels * kTilePixels);
    return result;
}

class XyzTileSourceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(m_server.loadPicture(kEarthPicture)) << kEarthPicture.toStdString();
        ASSERT_GT(m_server.start(), 0);
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    TileServer m_server;
    QtDownloader m_downloader;
};

TEST(MercatorCoverTest, TilesHoldEnoughDetailForTheCellAndCoverIt)
{
    for (const TileCell& cell : { tileCell(16.f, 50.f, 7), tileCell(-70.f, -30.f, 4), tileCell(0.f, 0.f, 1),
             tileCell(100.f, 80.f, 5), tileCell(-60.f, -84.f, 3) }) {
        SCOPED_TRACE(cell.key.toStdString());
        const MercatorCover cover = mercatorCover(cell);
        ASSERT_FALSE(cover.empty());
        const double north = std::min<double>(cell.south + cell.height, kMercatorLatLimit);
        const double south = std::max<double>(cell.south, -kMercatorLatLimit);
        const auto across
            = [&](int zoom) { return mercatorX(cell.west + cell.width, zoom) - mercatorX(cell.west, zoom); };
        const auto upDown = [&](int zoom, double lat) {
            // Pixels per degree where the cell is nearest the equator, times the cell's height.
            return (mercatorY(lat - 0.01, zoom) - mercatorY(lat + 0.01, zoom)) / 0.02 * cell.height;
        };
        const double nearest = south <= 0 && north >= 0 ? 0.0 : (north < 0 ? north : south);
        EXPECT_GE(across(cover.zoom), kTilePixels - 1e-6);
        EXPECT_GE(upDown(cover.zoom, nearest), kTilePixels * 0.99);
        if (cover.zoom > 0) { // one zoom less would be too coarse one way or the other
            EXPECT_TRUE(across(cover.zoom - 1) < kTilePixels - 1e-6
                || upDown(cover.zoom - 1, nearest) < kTilePixels * 0.99);
        }
        EXPECT_LE(cover.firstX * double(kTilePixels), mercatorX(cell.west, cover.zoom));
        EXPECT_GE((cover.lastX + 1) * double(kTilePixels), mercatorX(cell.west + cell.width, cover.zoom));
        EXPECT_LE(cover.firstY * double(kTilePixels), mercatorY(north, cover.zoom));
        EXPECT_GE((cover.lastY + 1) * double(kTilePixels), mercatorY(south, cover.zoom));
    }
    // Wholly beyond Mercator's latitudes: no tile at all.
    EXPECT_TRUE(mercatorCover(tileCell(10.f, 88.f, 6)).empty());
    EXPECT_TRUE(mercatorCover(tileCell(10.f, -88.f, 6)).empty());

    EXPECT_EQ(xyzTileUrl(QStringLiteral("http://h/{z}/{x}/{y}.jpg?k={z}"), 3, 5, 2),
        QStringLiteral("http://h/3/5/2.jpg?k=3"));
    EXPECT_TRUE(isXyzTemplate(QStringLiteral("http://h/{z}/{x}/{y}.png")));
    EXPECT_FALSE(isXyzTemplate(QStringLiteral("http://h/{z}/{x}.png")));
}

TEST_F(XyzTileSourceTest, CoastlinesLandWhereTheLocalCutPutsThem)
{
    LocalTileSource local({ kEarthPicture });
    XyzTileSource xyz(m_downloader, m_server.urlTemplate());
    // Desert and ice coasts with a sharp edge against the dark sea, from the tropics to the
    // stretched Mercator rows of the far north, at several zooms.
    const TileCell cells[] = {
        tileCell(-16.f, 22.f, 4), // Western Sahara
        tileCell(-70.5f, -24.f, 5), // Atacama
        tileCell(14.f, -22.f, 4), // Namibia
        tileCell(38.f, 20.f, 3), // Red Sea
        tileCell(113.5f, -25.f, 4), // Western Australia
        tileCell(-25.f, 70.f, 4), // Greenland
        tileCell(10.f, 30.f, 2), // North Africa, shrunk rather than enlarged
    };
    for (const TileCell& cell : cells) {
        SCOPED_TRACE(cell.key.toStdString());
        const QString localPath = path(cell.key + QStringLiteral("-local.jpg"));
        const QString xyzPath = path(cell.key + QStringLiteral("-xyz.jpg"));
        ASSERT_TRUE(waitFor(local.fetch(cell.key, localPath)).received);
        const Finished fetched = waitFor(xyz.fetch(cell.key, xyzPath));
        ASSERT_TRUE(fetched.received);
        EXPECT_EQ(fetched.status, 200);
        const QImage localTile(localPath);
        const QImage xyzTile(xyzPath);
        ASSERT_EQ(xyzTile.size(), QSize(kTilePixels, kTilePixels));
        const CoastComparison coasts = compareCoasts(localTile, xyzTile);
        EXPECT_GT(coasts.landShare, 0.05);
        EXPECT_LT(coasts.landShare, 0.95);
        EXPECT_LE(coasts.farPixels, 20) << "land share " << coasts.landShare;
    }
}

TEST_F(XyzTileSourceTest, RowsBeyondMercatorAreDarkAndNeedNoTile)
{
    XyzTileSource xyz(m_downloader, m_server.urlTemplate());
    // Wholly north of 85.05: every row dark, nothing asked of the service.
    const TileCell polar = tileCell(10.f, 88.f, 6);
    ASSERT_TRUE(waitFor(xyz.fetch(polar.key, path(QStringLiteral("polar.jpg")))).received);
    const QImage dark(path(QStringLiteral("polar.jpg")));
    EXPECT_EQ(m_server.requestCount(), 0);
    for (const QPoint& p : { QPoint(0, 0), QPoint(128, 128), QPoint(255, 255) })
        EXPECT_LT(qGray(dark.pixel(p)), 40);

    // Across the limit (80 to 90 degrees north, the Arctic ice): the top half is dark, the
    // bottom half is the bright ice of the service's tiles.
    const TileCell edge = tileCell(-60.f, 88.f, 4);
    ASSERT_TRUE(waitFor(xyz.fetch(edge.key, path(QStringLiteral("edge.jpg")))).received);
    const QImage split(path(QStringLiteral("edge.jpg")));
    EXPECT_GT(m_server.requestCount(), 0);
    const double limitRow = (edge.south + edge.height - kMercatorLatLimit) / edge.height * kTilePixels;
    EXPECT_LT(qGray(split.pixel(128, int(limitRow) - 3)), 40);
    EXPECT_GT(qGray(split.pixel(128, int(limitRow) + 4)), 150);
}

TEST_F(XyzTileSourceTest, AFailedTileOrAnAbortLeavesNoFile)
{
    const TileCell cell = tileCell(-16.f, 22.f, 4);
    const MercatorCover cover = mercatorCover(cell);
    ASSERT_GT((cover.lastX - cover.firstX + 1) * (cover.lastY - cover.firstY + 1), 1);

    // One tile of several refused with 404.
    m_server.refuse(cover.zoom, cover.lastX, cover.lastY);
    XyzTileSource xyz(m_downloader, m_server.urlTemplate());
    const QString refused = path(QStringLiteral("refused.jpg"));
    const Finished one = waitFor(xyz.fetch(cell.key, refused));
    EXPECT_TRUE(one.reported);
    EXPECT_FALSE(one.received);
    EXPECT_EQ(one.status, 0);
    EXPECT_FALSE(QFile::exists(refused));

    // A service that knows none of the tiles; a key that names no cell.
    XyzTileSource wrong(
        m_downloader, m_server.urlTemplate().replace(QStringLiteral(".jpg"), QStringLiteral(".png")));
    EXPECT_FALSE(waitFor(wrong.fetch(cell.key, path(QStringLiteral("wrong.jpg")))).received);
    EXPECT_FALSE(waitFor(xyz.fetch(QStringLiteral("qx"), path(QStringLiteral("bad.jpg")))).received);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("wrong.jpg"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("bad.jpg"))));

    // Aborted at once: reported as no reply, no file.
    const TileCell other = tileCell(14.f, -22.f, 4);
    const QString aborted = path(QStringLiteral("aborted.jpg"));
    Download* download = xyz.fetch(other.key, aborted);
    download->abort();
    const Finished stopped = waitFor(download);
    EXPECT_TRUE(stopped.reported);
    EXPECT_FALSE(stopped.received);

    // Deleted while its tiles come: nothing lands, and the next cell still arrives whole.
    const QString dropped = path(QStringLiteral("dropped.jpg"));
    delete xyz.fetch(other.key, dropped);
    ASSERT_TRUE(waitFor(xyz.fetch(other.key, path(QStringLiteral("after.jpg")))).received);
    EXPECT_FALSE(QFile::exists(aborted));
    EXPECT_FALSE(QFile::exists(dropped));
}

} // namespace
