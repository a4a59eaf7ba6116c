// SPDX-License-Identifier: GPL-3.0-or-later
#include "tiles/LocalTileSource.h"
#include "tests/support/Waiting.h"
#include "tiles/TilePicture.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace tremora;

namespace
{

const QColor kNorthWest(200, 30, 30);
const QColor kNorthEast(30, 200, 30);
const QColor kSouthWest(30, 30, 200);
const QColor kSouthEast(220, 220, 40);

/// A 720 x 360 world whose four quarters have their own colours.
QImage quarteredWorld()
{
    QImage world(720, 360, QImage::Format_RGB32);
    QPainter painter(&world);
    painter.fillRect(0, 0, 360, 180, kNorthWest);
    painter.fillRect(360, 0, 360, 180, kNorthEast);
    painter.fillRect(0, 180, 360, 180, kSouthWest);
    painter.fillRect(360, 180, 360, 180, kSouthEast);
    return world;
}

bool near(const QColor& a, const QColor& b, int tolerance = 24)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance;
}

struct Finished {
    bool reported = false;
    bool received = false;
};

Finished waitFor(Download* download)
{
    auto result = std::make_shared<Finished>();
    QObject::connect(download, &Download::finished, download, [result](bool received, int) {
        result->reported = true;
        result->received = received;
    });
    test::waitUntil([&] { return result->reported; }, 10'000);
    delete download;
    return *result;
}

TEST(LocalTileSourceTest, CellsAreCutNorthUpAtEveryScale)
{
    const QImage world = quarteredWorld();
    // Zoom 1, key "t": the north-west quarter, shrunk to the tile.
    const QImage nw = cutTile(world, *cellOfKey(QStringLiteral("t")));
    ASSERT_EQ(nw.size(), QSize(kTilePixels, kTilePixels));
    EXPECT_TRUE(near(nw.pixelColor(128, 128), kNorthWest));
    // Zoom 2, key "rs": the north-east corner of the south-east quarter.
    EXPECT_TRUE(near(cutTile(world, *cellOfKey(QStringLiteral("rs"))).pixelColor(128, 128), kSouthEast));
    const QImage centre = cutTile(world, *cellOfKey(QStringLiteral("sq")));
    EXPECT_TRUE(near(centre.pixelColor(5, 5), kNorthEast)); // the cell north-east of 0, 0

    // Enlarged 8 times (zoom 7 on a 4096-pixel world): red follows longitude and green latitude,
    // so the tile's corners show where the cell was taken from.
    QImage gradient(4096, 2048, QImage::Format_RGB32);
    for (int y = 0; y < gradient.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(gradient.scanLine(y));
        for (int x = 0; x < gradient.width(); ++x)
            line[x] = qRgb(x * 255 / gradient.width(), 255 - y * 255 / gradient.height(), 0);
    }
    const TileCell cell = tileCell(16.f, 50.f, 7);
    const QImage tile = cutTile(gradient, cell);
    const auto red = [](float lon) { return int((lon + 180) / 360 * 255); };
    const auto green = [](float lat) { return int((lat + 90) / 180 * 255); };
    EXPECT_NEAR(tile.pixelColor(0, 255).red(), red(cell.west), 1);
    EXPECT_NEAR(tile.pixelColor(255, 0).red(), red(cell.west + cell.width), 1);
    EXPECT_NEAR(tile.pixelColor(0, 255).green(), green(cell.south), 1);
    EXPECT_NEAR(tile.pixelColor(255, 0).green(), green(cell.south + cell.height), 1);
}

TEST(LocalTileSourceTest, FetchWritesAWholeJpegTileLater)
{
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("Ziemia.jpg"));
    ASSERT_TRUE(quarteredWorld().save(picture, "JPG", 95));
    LocalTileSource source({ dir.filePath(QStringLiteral("missing.jpg")), picture });
    const QString tilePath = dir.filePath(QStringLiteral("Lokalizacja_xy.jpg"));

    Download* download = source.fetch(QStringLiteral("sqqq"), tilePath);
    EXPECT_FALSE(QFile::exists(tilePath)) << "a tile is never ready inside fetch()";
    EXPECT_TRUE(waitFor(download).received);
    EXPECT_EQ(source.worldPath(), picture);
    const TilePictureLoad load = loadTilePicture(tilePath);
    ASSERT_TRUE(load.ok()) << load.error.toStdString();
    EXPECT_EQ(load.picture.size(), QSize(kTilePixels, kTilePixels));
    EXPECT_TRUE(near(load.picture.pixelColor(128, 128), kNorthEast));
}

TEST(LocalTileSourceTest, NoTileWithoutPictureOrForABadKeyOrWhenAborted)
{
    QTemporaryDir dir;
    const QString tilePath = dir.filePath(QStringLiteral("Obraz.jpg"));
    LocalTileSource nothing({ dir.filePath(QStringLiteral("missing.jpg")) });
    EXPECT_FALSE(waitFor(nothing.fetch(QStringLiteral("q"), tilePath)).received);
    EXPECT_FALSE(QFile::exists(tilePath));

    const QString picture = dir.filePath(QStringLiteral("world.jpg"));
    ASSERT_TRUE(quarteredWorld().save(picture, "JPG"));
    LocalTileSource source({ picture });
    EXPECT_FALSE(waitFor(source.fetch(QStringLiteral("qz"), tilePath)).received);
    Download* aborted = source.fetch(QStringLiteral("q"), tilePath);
    aborted->abort();
    EXPECT_FALSE(waitFor(aborted).received);
    EXPECT_FALSE(QFile::exists(tilePath));
}

TEST(TilePictureTest, OnlyWholeJpegsLoad)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Lokalizacja_xy.jpg"));
    const QByteArray jpeg = encodeTile(cutTile(quarteredWorld(), *cellOfKey(QStringLiteral("q"))));
    ASSERT_FALSE(jpeg.isEmpty());

    const auto loadBytes = [&](const QByteArray& bytes) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        return loadTilePicture(path);
    };
    EXPECT_TRUE(loadBytes(jpeg).ok());
    const TilePictureLoad page = loadBytes("<html><body>Service Unavailable</body></html>");
    EXPECT_FALSE(page.ok());
    EXPECT_TRUE(page.picture.isNull());
    EXPECT_TRUE(page.error.contains(QStringLiteral("Lokalizacja_xy.jpg")));
    EXPECT_FALSE(loadBytes(jpeg.left(jpeg.size() / 2)).ok());
    EXPECT_FALSE(loadBytes(QByteArray()).ok());
    EXPECT_FALSE(loadTilePicture(dir.filePath(QStringLiteral("none.jpg"))).ok());
}

} // namespace
