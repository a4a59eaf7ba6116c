// SPDX-License-Identifier: GPL-3.0-or-later
// The status bar's progress bar, which long walks over the catalogue show their share done on.
#include "gui/widgets/StatusBar.h"

#include <QProgressBar>

#include <gtest/gtest.h>

namespace tremora
{
namespace
{

TEST(StatusBarProgress, AValuePastEitherEndStaysOnTheBarAndHidingIsForGood)
{
    StatusBar bar;
    bar.show();
    EXPECT_TRUE(bar.progressBar()->isHidden());
    bar.showProgress(7, 5);
    EXPECT_FALSE(bar.progressBar()->isHidden());
    EXPECT_EQ(bar.progressBar()->value(), 5);
    bar.showProgress(3, 0);
    EXPECT_EQ(bar.progressBar()->maximum(), 1);
    bar.showProgress(-4, 10);
    EXPECT_EQ(bar.progressBar()->value(), 0);
    bar.hideProgress();
    EXPECT_TRUE(bar.progressBar()->isHidden());
}

} // namespace
} // namespace tremora
