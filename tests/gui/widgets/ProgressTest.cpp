// SPDX-License-Identifier: GPL-3.0-or-later
// The status bar's progress bar and the busy cursor of a task that holds the window.
#include "gui/widgets/StatusBar.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressBar>

#include <gtest/gtest.h>

namespace tremora
{
namespace
{

TEST(HeldProgress, AShortTaskShowsNothingALongOneTheBarAndTheBusyCursorUntilItEnds)
{
    StatusBar bar;
    bar.show();
    {
        HeldProgress quick(bar, 100);
        quick.step(50);
        EXPECT_FALSE(quick.shown());
    }
    EXPECT_TRUE(bar.progressBar()->isHidden());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    {
        HeldProgress slow(bar, 1000);
        // A task that keeps the window for longer than the bar waits for.
        QElapsedTimer task;
        task.start();
        int done = 0;
        while (!slow.shown() && task.elapsed() < 5 * HeldProgress::kShowAfterMs)
            slow.step(++done % 1000);
        ASSERT_TRUE(slow.shown());
        EXPECT_FALSE(bar.progressBar()->isHidden());
        EXPECT_EQ(bar.progressBar()->maximum(), 1000);
        EXPECT_EQ(bar.progressBar()->value(), done % 1000);
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
    }
    EXPECT_TRUE(bar.progressBar()->isHidden());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // A value past either end stays on the bar.
    bar.showProgress(7, 5);
    EXPECT_EQ(bar.progressBar()->value(), 5);
    bar.showProgress(3, 0);
    EXPECT_EQ(bar.progressBar()->maximum(), 1);
}

} // namespace
} // namespace tremora
