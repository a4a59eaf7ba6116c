// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/DateTimePicker.h"
#include "gui/widgets/LogMemo.h"
#include "gui/widgets/MapImage.h"
#include "gui/widgets/PaintBox.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <gtest/gtest.h>

using namespace tremora;

TEST(LogMemo, KeepsLinesInOrderShowsThemInBatchesAndClears)
{
    LogMemo memo;
    memo.appendLine(QStringLiteral("Import bazy z serwera USGS..."));
    memo.appendLine(QStringLiteral("Wielkość: 12 bajtów"));
    EXPECT_EQ(memo.lineCount(), 2);
    EXPECT_EQ(memo.line(1), QStringLiteral("Wielkość: 12 bajtów"));
    EXPECT_EQ(memo.shownLineCount(), 0); // not yet shown: batched
    QCoreApplication::processEvents();
    EXPECT_EQ(memo.shownLineCount(), 2);
    EXPECT_EQ(memo.text(), QStringLiteral("Import bazy z serwera USGS...\nWielkość: 12 bajtów"));
    memo.clear();
    EXPECT_EQ(memo.lineCount(), 0);
    EXPECT_EQ(memo.shownLineCount(), 0);
    EXPECT_TRUE(memo.line(5).isNull());
}

namespace
{
void press(QWidget* widget, QPoint at, Qt::KeyboardModifiers modifiers = {})
{
    QMouseEvent event(QEvent::MouseButtonPress, QPointF(at), QPointF(widget->mapToGlobal(at)), Qt::LeftButton,
        Qt::LeftButton, modifiers);
    QCoreApplication::sendEvent(widget, &event);
}

void key(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = {})
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QCoreApplication::sendEvent(widget, &event);
}
} // namespace

TEST(LogMemo, SelectsWithTheMouseAndTheKeysAndCopiesTheSelection)
{
    LogMemo memo;
    memo.resize(300, 200);
    for (int i = 0; i < 1'000; ++i)
        memo.appendLine(QStringLiteral("%1: wiersz").arg(i));
    memo.repaintNow();
    QScrollBar* bar = memo.verticalScrollBar();
    const int sight = bar->pageStep();
    ASSERT_GT(sight, 1);
    EXPECT_EQ(bar->maximum(), 1'000 - sight);
    EXPECT_EQ(memo.firstVisibleLine(), 1'000 - sight) << "a flush shows the end";

    // A click on the second line in sight, Shift+click on the fourth: three lines.
    const int lineHeight = memo.fontMetrics().height();
    QWidget* view = memo.viewport();
    press(view, QPoint(10, lineHeight + lineHeight / 2));
    press(view, QPoint(10, 3 * lineHeight + lineHeight / 2), Qt::ShiftModifier);
    const int first = 1'000 - sight + 1;
    EXPECT_EQ(memo.selectedText(),
        QStringLiteral("%1: wiersz\n%2: wiersz\n%3: wiersz").arg(first).arg(first + 1).arg(first + 2));
    key(&memo, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), memo.selectedText());

    // Home goes to the top and Shift+Down extends; Ctrl+A takes every line.
    key(&memo, Qt::Key_Home);
    key(&memo, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(memo.firstVisibleLine(), 0);
    EXPECT_EQ(memo.selectedText(), QStringLiteral("0: wiersz\n1: wiersz"));
    key(&memo, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(memo.selectedText(), memo.text());

    // A clear forgets the selection with the lines.
    memo.clear();
    EXPECT_TRUE(memo.selectedText().isEmpty());
    EXPECT_EQ(bar->maximum(), 0);
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
        EXPECT_EQ(memo.shownLineCount(), 300'003);
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
