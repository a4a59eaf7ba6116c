// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Program.h"
#include "catalogue/DayNumber.h"
#include "gui/controllers/UpdateCycle.h"
#include "gui/window/TForm1.h"
#include "platform/QtDownloader.h"
#include "platform/testing/Doubles.h"
#include "state/ProgramState.h"
#include "tests/support/ClickProbe.h"
#include "tests/support/SyntheticReplies.h"
#include "tools/EventServer.h"

#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tremora
{
namespace
{

constexpr int kMonths = 6;
constexpr int kPerDay = 3;
constexpr int kSlowReplyMs = 150;
// The longest a click may wait for the window while an update runs.
constexpr qint64 kAnswerMs = 50;
// On a busy machine the system may hold the whole program back now and then; one such click is
// forgiven. An update that blocked the window for its downloads would hold back one click per
// month.
constexpr int kForgivenClicks = 1;

// The whole program rebuilding its catalogue from a service that takes its time over every
// reply, while the user keeps clicking.
TEST(UpdateResponsivenessTest, TheWindowAnswersClicksWhileAnUpdateWaitsForASlowService)
{
    EventServer server;
    int events = 0;
    for (int month = 1; month <= kMonths; ++month)
        events += server.addCsv(test::syntheticMonth(1973, month, kPerDay));
    server.setReplyDelay(kSlowReplyMs);
    ASSERT_GT(server.start(), 0);

    QTemporaryDir dir;
    fakes::FixedClock clock(double(dayNumber(1973, kMonths, daysInMonth(1973, kMonths))) + 0.5);
    fakes::RecordingDialogs dialogs;
    QtDownloader downloader;
    fakes::NoPause pause;
    Platform platform { clock, dialogs, downloader, pause, server.baseUrl(), QString() };
    ProgramOptions options;
    options.workDir = dir.path();
    Program program(platform, options);
    program.FormCreate();
    UpdateCycle& cycle = program.updateCycle();

    test::ClickProbe probe(*program.form().DsFancyButton1);
    ASSERT_TRUE(cycle.Akt_Bazy());
    const qint64 worst = probe.clickWhile([&] { return cycle.isRunning(); });

    RecordProperty("worst_click_ms", int(worst));
    RecordProperty("clicks", probe.clicks());
    EXPECT_LT(probe.worstButMs(kForgivenClicks), kAnswerMs);
    EXPECT_GE(probe.clicks(), kMonths) << "clicks were answered during the update, not after it";
    EXPECT_EQ(server.requestCount(), kMonths);
    EXPECT_EQ(program.state().catalogue.CatalogueCount, events);
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

} // namespace
} // namespace tremora
