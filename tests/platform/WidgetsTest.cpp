// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/widgets/DateTimePicker.h"
#include "platform/widgets/LogMemo.h"
#include "platform/widgets/PaintBox.h"

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
