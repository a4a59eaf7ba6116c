// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/CatalogueUpdate.h"

#include "catalogue/CsvImport.h"
#include "catalogue/DayNumber.h"
#include "platform/Platform.h"
#include "platform/testing/Doubles.h"
#include "tests/support/SyntheticReplies.h"
#include "tests/support/TestSupport.h"
#include "tests/support/Waiting.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace tremora
{
namespace
{

// A pause that goes on only when the test says so.
class HeldPause final : public Pause
{
public:
    void after(int, QObject*, std::function<void()> then) override { held.push_back(std::move(then)); }
    void release()
    {
        auto steps = std::move(held);
        for (auto& step : steps)
            step();
    }
    std::vector<std::function<void()>> held;
};

// The update on its own, without a window: a rebuild of January and February 1973 from a
// scripted service.
class CatalogueUpdateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        catalogue->CatalogueFileName = dir.filePath(QStringLiteral("Baza_USGS.dat"));
        QObject::connect(update.get(), &CatalogueUpdate::finished, update.get(),
            [this](CatalogueUpdate::Outcome o, const QString&) { outcomes.push_back(o); });
    }
    void serveSyntheticMonths()
    {
        downloader.setAnswer([](const QString& url, const QString& path) {
            const int month = url.contains(QStringLiteral("starttime=1973-01")) ? 1 : 2;
            return test::writeAll(path, test::syntheticMonth(1973, month, 2));
        });
    }

    QTemporaryDir dir;
    std::unique_ptr<Catalogue> catalogue = std::make_unique<Catalogue>();
    fakes::FixedClock clock { double(dayNumber(1973, 2, 28)) + 0.5 };
    fakes::RecordingDialogs dialogs;
    fakes::ScriptedDownloader downloader;
    HeldPause pause;
    Platform platform { clock, dialogs, downloader, pause, QStringLiteral("http://127.0.0.1:9"), QString() };
    std::unique_ptr<CatalogueUpdate> update = std::make_unique<CatalogueUpdate>(
        *catalogue, platform, dir.filePath(QString::fromLatin1(kReplyFileName)));
    std::vector<CatalogueUpdate::Outcome> outcomes;
};

TEST_F(CatalogueUpdateTest, StartsAndReturnsAtOnceThenHandlesOneReplyPerEvent)
{
    serveSyntheticMonths();
    ASSERT_TRUE(update->start(DateLayout::YearMonthDay));
    EXPECT_TRUE(outcomes.empty()) << "nothing is reported from inside start()";
    EXPECT_EQ(downloader.urls.size(), 1) << "one request at a time";
    EXPECT_FALSE(update->start(DateLayout::YearMonthDay)) << "a second start is refused";

    ASSERT_TRUE(test::waitForUpdate(*update));
    ASSERT_EQ(outcomes, std::vector { CatalogueUpdate::Outcome::Completed });
    EXPECT_EQ(downloader.urls.size(), 2);
    EXPECT_EQ(catalogue->CatalogueCount, (31 + 28) * 2);
    EXPECT_EQ(test::readAll(catalogue->CatalogueFileName).size(), catalogue->CatalogueCount * 40);
}

TEST_F(CatalogueUpdateTest, AStoppedUpdateNeverTakesUpItsPauseOrItsReplyAgain)
{
    // No reply: the update pauses before trying again, and is stopped during the pause.
    ASSERT_TRUE(update->start(DateLayout::YearMonthDay));
    ASSERT_TRUE(test::waitUntil([&] { return !pause.held.empty(); }));
    update->stop();
    ASSERT_EQ(outcomes, std::vector { CatalogueUpdate::Outcome::Stopped });
    pause.release();
    EXPECT_EQ(downloader.urls.size(), 1) << "the stale pause asked for nothing";

    // A new update is not disturbed by a pause of the old one ending late, nor by a reply that
    // was on its way when it was stopped.
    serveSyntheticMonths();
    ASSERT_TRUE(update->start(DateLayout::YearMonthDay));
    update->stop();
    ASSERT_TRUE(update->start(DateLayout::YearMonthDay));
    ASSERT_TRUE(test::waitForUpdate(*update));
    EXPECT_EQ(outcomes.back(), CatalogueUpdate::Outcome::Completed);
    EXPECT_EQ(catalogue->CatalogueCount, (31 + 28) * 2);

    // Destroying an update while its download runs leaves nothing to call back into it.
    ASSERT_TRUE(update->start(DateLayout::YearMonthDay));
    update.reset();
    constexpr int kLetPendingEventsRunMs = 50;
    test::waitUntil([] { return false; }, kLetPendingEventsRunMs);
}

TEST_F(CatalogueUpdateTest, AStopDuringTheSaveWaitsForAWholeFileAndNoUpdateStartsMeanwhile)
{
    serveSyntheticMonths();
    bool savingWhenStopped = false;
    bool secondStartRefused = false;
    QObject::connect(update.get(), &CatalogueUpdate::saveStarted, update.get(), [&] {
        // Posted before the worker starts, so it comes before the worker's end is heard: the
        // window closes while the file is being written.
        QMetaObject::invokeMethod(
            update.get(),
            [&] {
                savingWhenStopped = update->isSaving();
                secondStartRefused = !update->start(DateLayout::YearMonthDay);
                update->stop();
            },
            Qt::QueuedConnection);
    });
    ASSERT_TRUE(update->start(DateLayout::YearMonthDay));
    ASSERT_TRUE(test::waitForUpdate(*update));
    EXPECT_TRUE(savingWhenStopped);
    EXPECT_TRUE(secondStartRefused) << "an update started during the save";
    ASSERT_EQ(outcomes, std::vector { CatalogueUpdate::Outcome::Stopped });

    // The stop waited for the file, and memory holds what it holds.
    ASSERT_EQ(catalogue->CatalogueCount, (31 + 28) * 2);
    const QByteArray file = test::readAll(catalogue->CatalogueFileName);
    ASSERT_EQ(file.size(), catalogue->CatalogueCount * 40);
    EXPECT_EQ(std::memcmp(file.constData(), catalogue->slots() + 1, std::size_t(file.size())), 0);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1)
        << "a temporary file was left: " << qPrintable(QDir(dir.path()).entryList().join(u' '));

    // The worker's own end, heard late, reports nothing more.
    constexpr int kLetPendingEventsRunMs = 50;
    test::waitUntil([] { return false; }, kLetPendingEventsRunMs);
    EXPECT_EQ(outcomes.size(), 1U);
}

} // namespace
} // namespace tremora
