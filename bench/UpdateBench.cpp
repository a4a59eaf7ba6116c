// SPDX-License-Identifier: GPL-3.0-or-later
// An incremental update of 24 months from the loopback event service: download, parse and merge
// of each month, then the save and reload of the catalogue. The months are the July 2015 reply
// (days 1 to 28) laid over 24 consecutive months, about 7,700 events each.
#include "bench/support/FigureReporter.h"
#include "bench/support/Main.h"
#include "bench/support/SharedData.h"
#include "catalogue/CatalogueFile.h"
#include "catalogue/CsvImport.h"
#include "catalogue/DayNumber.h"
#include "catalogue/testing/QuietObserver.h"
#include "gui/controllers/UpdateCycle.h"
#include "gui/window/TForm1.h"
#include "platform/Platform.h"
#include "platform/QtDownloader.h"
#include "platform/testing/Doubles.h"
#include "state/ProgramEvents.h"
#include "state/ProgramState.h"
#include "tests/support/ClickProbe.h"
#include "tools/EventServer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace tremora
{
namespace
{

constexpr int kMonths = 24;
constexpr int kFirstYear = 2015;
constexpr int kFirstMonth = 7;
constexpr int kLastCommonDay = 28; // every month has it

const QString kReply = QStringLiteral("usgs/2015-07-fdsn-asc.csv");

// The July 2015 events of days 1..28, moved to `months` consecutive months; ids made unique.
QByteArray spreadOverMonths(const QByteArray& csv, int months)
{
    const QList<QByteArray> lines = csv.split('\n');
    QByteArray out = lines.first() + '\n';
    for (int m = 0; m < months; ++m) {
        const int year = kFirstYear + (kFirstMonth - 1 + m) / 12;
        const int month = (kFirstMonth - 1 + m) % 12 + 1;
        const QByteArray prefix
            = QByteArray::number(year) + '-' + QByteArray::number(month).rightJustified(2, '0');
        const QByteArray suffix = "m" + QByteArray::number(m);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArray& line = lines[i];
            if (!line.startsWith("2015-07-") || line.mid(8, 2).toInt() > kLastCommonDay)
                continue;
            QList<QByteArray> fields = line.split(',');
            fields[0].replace(0, 7, prefix);
            fields[11] += suffix;
            out += fields.join(',') + '\n';
        }
    }
    return out;
}

struct Setup {
    Setup()
    {
        server.addCsv(spreadOverMonths(readFile(bench::sharedData(kReply)), kMonths));
        server.start();
        platform.eventHost = server.baseUrl();
        state.workDir = QDir(dir.path());
        state.catalogue.CatalogueFileName = state.path(QStringLiteral("Baza_USGS.dat"));

        // The stored catalogue ends on 1 July 2015: the update fetches the rest of July and 23
        // more months.
        QuietObserver quiet;
        Analiza(server.answer("2015-07-01", "2015-07-01 23:59:59").body, state.catalogue, 0, false, quiet);
        state.catalogue.CatalogueCount = state.catalogue.ImportCount;
        SaveCatalogue(state.catalogue);
        seed = readFile(state.catalogue.CatalogueFileName);
        const int lastYear = kFirstYear + (kFirstMonth - 1 + kMonths - 1) / 12;
        const int lastMonth = (kFirstMonth - 1 + kMonths - 1) % 12 + 1;
        clock.set(double(dayNumber(lastYear, lastMonth, kLastCommonDay)) + 0.5);
    }
    static QByteArray readFile(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void reset()
    {
        QFile f(state.catalogue.CatalogueFileName);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(seed);
        f.close();
        LoadCatalogue(state.catalogue);
        state.catalogue.ImportCount = state.catalogue.CatalogueCount;
    }

    EventServer server;
    QTemporaryDir dir;
    fakes::FixedClock clock;
    fakes::RecordingDialogs dialogs;
    QtDownloader downloader;
    fakes::NoPause pause;
    Platform platform { clock, dialogs, downloader, pause, QString(), QString() };
    ProgramState state;
    ProgramEvents events;
    TForm1 form;
    UpdateCycle cycle { form, state, platform, events };
    QByteArray seed;
};

// Built on first use and destroyed before the application object, as Qt requires.
std::unique_ptr<Setup> g_setup;

void updateOf24Months(benchmark::State& s)
{
    if (!g_setup)
        g_setup = std::make_unique<Setup>();
    Setup& setup = *g_setup;
    for (auto _ : s) {
        s.PauseTiming();
        setup.reset();
        s.ResumeTiming();
        setup.cycle.Akt_Bazy();
        while (setup.cycle.isRunning())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    s.counters["records"] = setup.state.catalogue.CatalogueCount;
    s.counters["requests"] = setup.server.requestCount();
}
BENCHMARK(updateOf24Months)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The same update while the user keeps clicking: the longest any click waited for the window.
void updateUiLatency(benchmark::State& s)
{
    if (!g_setup)
        g_setup = std::make_unique<Setup>();
    Setup& setup = *g_setup;
    qint64 worst = 0;
    for (auto _ : s) {
        setup.reset();
        test::ClickProbe probe(*setup.form.DsFancyButton1);
        setup.cycle.Akt_Bazy();
        worst = std::max(worst, probe.clickWhile([&] { return setup.cycle.isRunning(); }));
        s.counters["clicks"] = probe.clicks();
    }
    s.counters["worst_ms"] = double(worst);
}
BENCHMARK(updateUiLatency)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace

int bench::measure()
{
    if (!present("update_per_month", sharedData(kReply)))
        return 0;
    FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    g_setup.reset();
    // Wall time: the transfer runs on the server's thread.
    if (const FigureReporter::Run* run = reporter.run("updateOf24Months")) {
        std::printf("update_per_month: %.1f ms\n", run->GetAdjustedRealTime() / kMonths);
        std::fprintf(stderr, "(%.0f records after the update, %.0f requests in all)\n",
            double(run->counters.at("records")), double(run->counters.at("requests")));
    }
    if (const FigureReporter::Run* run = reporter.run("updateUiLatency")) {
        std::printf("update_ui_latency: %.0f ms\n", double(run->counters.at("worst_ms")));
        std::fprintf(stderr, "(%.0f clicks during an update of %d months)\n",
            double(run->counters.at("clicks")), kMonths);
    }
    return 0;
}

} // namespace tremora
