// SPDX-License-Identifier: GPL-3.0-or-later
// A replay of a busy day at full speed (the speed bar at 0, the default pause, "MIDI" on) in the
// real window, while the user keeps clicking: the longest a click waited for the window. The day is
// 6 February 2023 of the real reply (418 earthquakes, 221 of them within the map's magnitude range).
#include "app/Program.h"
#include "bench/support/FigureReporter.h"
#include "bench/support/Main.h"
#include "bench/support/SharedData.h"
#include "catalogue/CsvImport.h"
#include "catalogue/DayNumber.h"
#include "catalogue/testing/QuietObserver.h"
#include "gui/controllers/Replay.h"
#include "gui/widgets/DateTimePicker.h"
#include "gui/window/TForm1.h"
#include "platform/Pause.h"
#include "platform/Platform.h"
#include "platform/testing/Doubles.h"
#include "state/ProgramState.h"
#include "tests/support/ClickProbe.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace tremora
{
namespace
{

const QString kReply = QStringLiteral("usgs/2023-02-fdsn-asc.csv");
const double kDay = double(dayNumber(2023, 2, 6));

struct Setup {
    Setup()
    {
        ProgramOptions options;
        options.workDir = dir.path();
        program = std::make_unique<Program>(platform, options);
        program->FormCreate();
        QuietObserver quiet;
        Catalogue& catalogue = program->state().catalogue;
        AnalizaFile(bench::sharedData(kReply), catalogue, 0, false, quiet);
        // The busy day alone: a replay runs on to the end of the catalogue.
        int kept = 0;
        for (int i = 1; i <= catalogue.ImportCount; ++i)
            if (catalogue[i].OriginDate == kDay)
                catalogue[++kept] = catalogue[i];
        catalogue.CatalogueCount = kept;
        catalogue.ImportCount = kept;
        TForm1& form = program->form();
        form.resize(1280, 800);
        form.show();
        // The first paint scales the map picture once; that belongs to start-up, not the replay.
        form.repaint();
        QCoreApplication::processEvents();
        form.ScrollBar1->setValue(0);
        form.CheckBox13->click();
    }

    QTemporaryDir dir;
    fakes::FixedClock clock { double(dayNumber(2023, 2, 28)) + 0.5 };
    fakes::RecordingDialogs dialogs;
    fakes::ScriptedDownloader downloader;
    TimerPause pause;
    fakes::RecordingMidiOut midi;
    Platform platform { clock, dialogs, downloader, pause, QString(), QString(), &midi };
    std::unique_ptr<Program> program;
};

std::unique_ptr<Setup> g_setup;

void replayUiLatency(benchmark::State& s)
{
    if (!g_setup)
        g_setup = std::make_unique<Setup>();
    Setup& setup = *g_setup;
    TForm1& form = setup.program->form();
    qint64 worst = 0;
    for (auto _ : s) {
        setup.midi.calls.clear();
        form.DateTimePicker1->setDay(kDay);
        test::ClickProbe probe(*form.DsFancyButton1);
        form.Button8->click();
        Replay& replay = setup.program->replay();
        worst = std::max(worst, probe.clickWhile([&] { return replay.isRunning(); }));
        s.counters["clicks"] = probe.clicks();
        s.counters["worst_but_one_ms"] = double(probe.worstButMs(1));
        s.counters["heard"] = double(setup.midi.messages().size()) / 4;
    }
    s.counters["worst_ms"] = double(worst);
}
BENCHMARK(replayUiLatency)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace

int bench::measure()
{
    if (!present("replay_ui_latency_ms", sharedData(kReply)))
        return 0;
    FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    g_setup.reset();
    if (const FigureReporter::Run* run = reporter.run("replayUiLatency")) {
        std::printf("replay_ui_latency_ms: %.0f ms\n", double(run->counters.at("worst_ms")));
        std::fprintf(stderr,
            "(%.0f clicks during a replay of %.1f s, %.0f earthquakes heard; all but the slowest "
            "click within %.0f ms)\n",
            double(run->counters.at("clicks")), run->GetAdjustedRealTime() / 1000,
            double(run->counters.at("heard")), double(run->counters.at("worst_but_one_ms")));
    }
    return 0;
}

} // namespace tremora
