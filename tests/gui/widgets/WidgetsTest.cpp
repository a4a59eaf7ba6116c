// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/DateTimePicker.h"
#include "gui/widgets/LogMemo.h"
#include "gui/widgets/MapImage.h"
#include "gui/widgets/PaintBox.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

using namespace tremora;

TEST(LogMemo, KeepsLinesInOrderShowsThemInBatchesAndClears)
{
    LogMemo memo;
    memo.appendLine(QStringLiteral("Import bazy z serwera USGS..."));
    memo.appendLine(QStringLiteral("Wielkość: 12 bajtów"));
    EXPECT_EQ(memo.lineCount(), 2);
    EXPECT_EQ(memo.line(1), QStringLiteral("Wielkość: 12 bajtów"));
    EXPECT_EQ(memo.model()->rowCount(), 0); // not yet shown: batched
    QCoreApplication::processEvents();
    EXPECT_EQ(memo.model()->rowCount(), 2);
    EXPECT_EQ(memo.text(), QStringLiteral("Import bazy z serwera USGS...\nWielkość: 12 bajtów"));
    memo.clear();
    EXPECT_EQ(memo.lineCount(), 0);
    EXPECT_EQ(memo.model()->rowCount(), 0);
    EXPECT_TRUE(memo.line(5).isNull());
}

TEST(DateTimePicker, SettingADayKeepsTheTimeOfDay)
{
    DateTimePicker picker;
    picker.setValue(42188 + (11 * 3600 + 22 * 60 + 11) / 86400.0);
    picker.setDay(42000.75);
    EXPECT_NEAR(picker.value(), 42000 + (11 * 3600 + 22 * 60 + 11) / 86400.0, 1e-9);
}

TEST(PaintBox, ResizeGivesACleanOverlayOfTheNewSize)
{
    PaintBox box;
    box.resize(200, 100);
    box.overlay().setPixel(5, 5, qRgb(255, 0, 0));
    box.resize(300, 120);
    EXPECT_EQ(box.overlay().size(), QSize(300, 120));
    EXPECT_EQ(qAlpha(box.overlay().pixel(5, 5)), 0);
}

TEST(LogMemo, KeepsEveryLineOfAHugeLogAndReusesItsRoomAfterAClear)
{
    LogMemo memo;
    const QByteArray longLine(5 << 20, 'x'); // bigger than a storage block
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 300'000; ++i)
            memo.appendLine(QByteArray::number(i) + ": 2015-07-01 - 01:02:03, 51,1 -178,0325, 4,5, 10");
        memo.appendLine(QByteArrayView(longLine));
        memo.appendLine(QStringLiteral("Wielkość"));
        memo.appendLine(QByteArrayView());
        ASSERT_EQ(memo.lineCount(), 300'003);
        EXPECT_EQ(memo.line(0), QStringLiteral("0: 2015-07-01 - 01:02:03, 51,1 -178,0325, 4,5, 10"));
        EXPECT_EQ(memo.line(299'999).left(7), QStringLiteral("299999:"));
        EXPECT_EQ(memo.line(300'000).size(), longLine.size());
        EXPECT_EQ(memo.line(300'001), QStringLiteral("Wielkość"));
        EXPECT_TRUE(memo.line(300'002).isEmpty());
        memo.repaintNow();
        EXPECT_EQ(memo.model()->rowCount(), 300'003);
        memo.clear();
        EXPECT_EQ(memo.lineCount(), 0);
    }
}

TEST(MapImage, DrawsThePictureAtTheSizeItIsGivenFromTheTopLeftCorner)
{
    MapImage image;
    image.resize(200, 150);
    QImage picture(400, 200, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    image.setPicture(picture);
    EXPECT_EQ(image.drawnSize(), QSize(200, 100)); // plain proportional fit until told otherwise
    image.setPictureSizer([](QSize, QSize control) { return QSize(control.width() - 1, 99); });
    EXPECT_EQ(image.drawnSize(), QSize(199, 99));
    const QImage shot = image.grab().toImage();
    EXPECT_EQ(shot.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(shot.pixel(198, 98), qRgb(0, 0, 255));
    EXPECT_NE(shot.pixel(199, 50), qRgb(0, 0, 255));
    EXPECT_NE(shot.pixel(50, 99), qRgb(0, 0, 255));
    image.setPictureSizer([](QSize, QSize) { return QSize(); });
    EXPECT_TRUE(image.drawnSize().isEmpty());
    image.grab(); // paints nothing, must not fail
}
