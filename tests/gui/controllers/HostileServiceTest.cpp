// SPDX-License-Identifier: GPL-3.0-or-later
// The real update against an event service that fails in every way a service can: each failure
// ends the update in bounded time and memory with a status line, leaves the catalogue file as it
// was, keeps the automatic updates scheduled, and the next update after the service recovers
// brings the catalogue up to date. `make hostile` counts the modes that pass.
#include "gui/controllers/UpdateCycle.h"

#include "catalogue/CatalogueFile.h"
#include "catalogue/CsvImport.h"
#include "catalogue/DayNumber.h"
#include "catalogue/testing/QuietObserver.h"
#include "gui/widgets/StatusBar.h"
#include "gui/window/TForm1.h"
#include "platform/Platform.h"
#include "platform/QtDownloader.h"
#include "platform/testing/Doubles.h"
#include "state/ProgramEvents.h"
#include "state/ProgramState.h"
#include "tests/support/TestSupport.h"
#include "tests/support/Waiting.h"
#include "tools/EventServer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>

namespace tremora
{
namespace
{

// Short enough for a test, long enough for a loaded machine to fetch a small month in time.
constexpr int kStallMs = 1500;
constexpr int kDeadlineMs = 4000;
constexpr qint64 kCapBytes = 1 << 20;
// Three attempts of a reply that runs to its deadline, and room for a busy machine.
constexpr qint64 kBoundMs = 3 * kDeadlineMs + 15'000;

class HostileService : public ::testing::TestWithParam<EventServer::Failure>
{
protected:
    void SetUp() override
    {
        ASSERT_GT(server.addCsv(
                      test::readAll(test::fixture(QStringLiteral("usgs/2015-07-first-days-fdsn-asc.csv")))),
            0);
        ASSERT_GT(server.start(), 0);
        platform.eventHost = server.baseUrl();
        state.workDir = QDir(dir.path());
        state.catalogue.CatalogueFileName = state.path(QStringLiteral("Baza_USGS.dat"));
        clock.set(double(dayNumber(2015, 7, 3)) + 0.5);
        cycle = std::make_unique<UpdateCycle>(form, state, platform, events);
        form.Timer2->setInterval(3 * UpdateCycle::kMsPerMinute);
        form.Timer2->start();
    }

    QByteArray catalogueOf(const char* from, const char* to)
    {
        Catalogue c;
        QuietObserver quiet;
        Analiza(server.answer(from, to).body, c, 0, false, quiet);
        return QByteArray(reinterpret_cast<const char*>(c.slots() + 1),
            qsizetype(c.ImportCount) * qsizetype(sizeof(QuakeRecord)));
    }
    QByteArray storedFile() const { return test::readAll(state.catalogue.CatalogueFileName); }

    QTemporaryDir dir;
    EventServer server;
    fakes::FixedClock clock;
    fakes::RecordingDialogs dialogs;
    QtDownloader network { kStallMs, kCapBytes, kDeadlineMs };
    fakes::NoPause pause;
    Platform platform { clock, dialogs, network, pause, QString(), QString() };
    ProgramState state;
    ProgramEvents events;
    TForm1 form;
    std::unique_ptr<UpdateCycle> cycle;
};

TEST_P(HostileService, EndsInBoundedTimeAndMemoryKeepsTheFileAndTheScheduleAndRecovers)
{
    const QByteArray before = catalogueOf("2015-06-29", "2015-06-30 12:00:00");
    ASSERT_TRUE(test::writeAll(state.catalogue.CatalogueFileName, before));
    LoadCatalogue(state.catalogue);
    state.catalogue.ImportCount = state.catalogue.CatalogueCount;
    form.StatusBar1->setPanelText(StatusBar::kMessagePanel, QString());

    server.setFailure(GetParam());
    QElapsedTimer elapsed;
    elapsed.start();
    ASSERT_TRUE(cycle->Akt_Bazy());
    ASSERT_TRUE(test::waitForUpdate(cycle->update(), int(kBoundMs))) << "the update never ended";
    EXPECT_LT(elapsed.elapsed(), kBoundMs);

    EXPECT_EQ(storedFile(), before) << "the catalogue file is untouched";
    EXPECT_TRUE(form.StatusBar1->panelText(StatusBar::kMessagePanel).contains(QStringLiteral("przerwana")))
        << "the status bar says the update stopped";
    std::printf("%s: %s (%lld ms)\n", qPrintable(EventServer::failureNames().at(qsizetype(GetParam()))),
        qPrintable(form.StatusBar1->panelText(StatusBar::kMessagePanel)),
        static_cast<long long>(elapsed.elapsed()));
    EXPECT_TRUE(form.Timer2->isActive()) << "the automatic updates go on";
    EXPECT_LT(server.failureBytesSent(), 16 * kCapBytes) << "the client stopped reading at the cap";
    const QFileInfo reply(cycle->replyPath());
    EXPECT_TRUE(!reply.exists() || reply.size() <= kCapBytes);

    // The service recovers: the next update brings both months, exactly.
    server.setFailure(EventServer::Failure::None);
    dialogs.clear();
    ASSERT_TRUE(cycle->Akt_Bazy());
    ASSERT_TRUE(test::waitForUpdate(cycle->update(), int(kBoundMs)));
    const QByteArray expected = catalogueOf("2015-06-29", "2015-07-03 23:59:59.999");
    EXPECT_TRUE(storedFile() == expected)
        << storedFile().size() << " bytes stored, " << expected.size() << " expected; "
        << form.StatusBar1->panelText(StatusBar::kMessagePanel).toStdString();
    EXPECT_TRUE(form.Timer2->isActive());
}

INSTANTIATE_TEST_SUITE_P(Modes, HostileService,
    ::testing::Values(EventServer::Failure::Drip, EventServer::Failure::Silent, EventServer::Failure::Huge,
        EventServer::Failure::CutRow, EventServer::Failure::Html200, EventServer::Failure::Html500,
        EventServer::Failure::Html503, EventServer::Failure::RedirectLoop, EventServer::Failure::ToHttps,
        EventServer::Failure::WrongColumns, EventServer::Failure::AbsurdValues),
    [](const ::testing::TestParamInfo<EventServer::Failure>& info) {
        QString name = EventServer::failureNames().at(qsizetype(info.param));
        return name.replace(QLatin1Char('-'), QLatin1Char('_')).toStdString();
    });

} // namespace
} // namespace tremora
