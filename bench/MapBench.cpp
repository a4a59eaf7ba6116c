// SPDX-License-Identifier: GPL-3.0-or-later
// The map display over a full catalogue: "Wyświetl" with every record matching (marks, log lines,
// shown list, the memo brought up to date), the memo's scrolling afterwards, one blink redrawing
// the 10,000 shown marks, and one Timer3 tick over the 30,000 a search can show.
#include "app/Program.h"
#include "bench/support/Main.h"
#include "bench/support/Timing.h"
#include "catalogue/DayNumber.h"
#include "gui/controllers/MapDisplay.h"
#include "gui/controllers/MapInteractions.h"
#include "gui/widgets/DateTimePicker.h"
#include "gui/widgets/LogMemo.h"
#include "gui/widgets/PaintBox.h"
#include "gui/window/TForm1.h"
#include "map/MarkPainter.h"
#include "map/ShownQuakes.h"
#include "platform/Platform.h"
#include "platform/testing/Doubles.h"
#include "state/ProgramState.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <memory>
#include <random>
#include <vector>

using namespace tremora;

namespace
{

constexpr int kWindowW = 1280;
constexpr int kWindowH = 800;
constexpr int kScrollSteps = 200;

class Bench : fakes::FakePlatform
{
public:
    Bench()
    {
        clock.set(today + 0.5);
        program = std::make_unique<Program>(platform, options());
        program->FormCreate();
        TForm1& f = program->form();
        f.resize(kWindowW, kWindowH);
        f.show();
        QApplication::processEvents();
        fillCatalogue();
        f.DateTimePicker1->setDay(first);
        f.DateTimePicker2->setDay(today);
    }

    ProgramOptions options() const
    {
        ProgramOptions o;
        o.workDir = dir.path();
        return o;
    }

    // A whole catalogue of real-looking spread: every record within the default magnitude range.
    void fillCatalogue()
    {
        Catalogue& c = program->state().catalogue;
        std::mt19937 random(2026);
        std::uniform_real_distribution<float> lon(-180, 180);
        std::uniform_real_distribution<float> lat(-70, 70);
        std::uniform_int_distribution<int> mag(20, 75);
        std::uniform_int_distribution<int> depth(0, 7000);
        for (int i = 1; i <= kCatalogueCapacity; ++i) {
            QuakeRecord& r = c[i];
            r.OriginDate = first + double(i) * (today - first) / kCatalogueCapacity;
            r.OriginDate = std::floor(r.OriginDate);
            r.OriginTime = double(i % 86400) / 86400.0;
            r.Longitude = lon(random);
            r.Latitude = lat(random);
            r.Mag10 = std::uint8_t(mag(random));
            r.Depth10 = std::uint16_t(depth(random));
        }
        c.CatalogueCount = kCatalogueCapacity;
    }

    const double today = double(dayNumber(2025, 5, 10));
    const double first = double(dayNumber(1973, 1, 1));
    QTemporaryDir dir;
    std::unique_ptr<Program> program;
};

Bench* g_bench = nullptr;
double bestDisplaySeconds = std::numeric_limits<double>::max();
double bestScrollMs = std::numeric_limits<double>::max();
double bestMarksMs = std::numeric_limits<double>::max();
double bestBlinkTickMs = std::numeric_limits<double>::max();
int lastLineCount = 0;
std::vector<double> displayPauses;

void BM_DisplayAll(benchmark::State& state)
{
    TForm1& f = g_bench->program->form();
    const MapDisplay& display = g_bench->program->mapDisplay();
    for (auto _ : state) {
        f.Button15->click();
        QApplication::processEvents();
        const bench::Answering walk
            = bench::whileAnswering([&] { f.Button14->click(); }, [&] { return display.displayRunning(); });
        const double s = walk.seconds;
        const double longest = walk.longestWaitMs;
        state.SetIterationTime(s);
        bestDisplaySeconds = std::min(bestDisplaySeconds, s);
        displayPauses.push_back(longest);
        lastLineCount = f.Memo1->lineCount();
    }

    // Scrolling the memo afterwards: a page at a time from the top, each painted at once.
    QScrollBar* bar = f.Memo1->verticalScrollBar();
    bar->setValue(0);
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < kScrollSteps; ++i) {
        bar->setValue(bar->value() + bar->maximum() / kScrollSteps);
        f.Memo1->viewport()->repaint();
    }
    bestScrollMs = std::min(bestScrollMs, double(t.nsecsElapsed()) / 1e6 / kScrollSteps);
}

void BM_Marks10000(benchmark::State& state)
{
    MapDisplay& display = g_bench->program->mapDisplay();
    ShownQuakeList& shown = g_bench->program->state().ShownQuakes;
    const Catalogue& c = g_bench->program->state().catalogue;
    shown.clear();
    for (int i = 1; i <= kMapShownLimit; ++i)
        shown.append(c[i * 97], kMapShownLimit);
    PaintBox& box = *g_bench->program->form().PaintBox1;
    bool green = false;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        display.drawShownQuakes(green ? kBlinkShownMark : kOrdinaryMark);
        box.repaint();
        const double ms = double(t.nsecsElapsed()) / 1e6;
        state.SetIterationTime(ms / 1e3);
        bestMarksMs = std::min(bestMarksMs, ms);
        green = !green;
    }
}

void BM_BlinkTick30000(benchmark::State& state)
{
    TForm1& f = g_bench->program->form();
    ShownQuakeList& shown = g_bench->program->state().ShownQuakes;
    const Catalogue& c = g_bench->program->state().catalogue;
    shown.clear();
    for (int i = 1; i <= kShownCapacity; ++i)
        shown.append(c[i * 61], kShownCapacity);
    f.Timer1->stop();
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        g_bench->program->mapInteractions().Timer3Timer();
        f.PaintBox1->repaint();
        const double ms = double(t.nsecsElapsed()) / 1e6;
        state.SetIterationTime(ms / 1e3);
        bestBlinkTickMs = std::min(bestBlinkTickMs, ms);
    }
}

} // namespace

BENCHMARK(BM_DisplayAll)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Marks10000)->Iterations(50)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlinkTick30000)->Iterations(50)->UseManualTime()->Unit(benchmark::kMillisecond);

int tremora::bench::measure()
{
    Bench b;
    g_bench = &b;
    benchmark::RunSpecifiedBenchmarks();
    std::printf("display_all_2m: %.3f s\n", bestDisplaySeconds);
    std::printf("display_all_2m_lines: %d lines\n", lastLineCount);
    std::sort(displayPauses.begin(), displayPauses.end());
    if (!displayPauses.empty())
        std::printf("display_all_ui_latency_ms: %.0f ms\n", displayPauses[displayPauses.size() / 2]);
    std::printf("memo_scroll_step: %.3f ms\n", bestScrollMs);
    std::printf("marks_10000: %.3f ms\n", bestMarksMs);
    std::printf("blink_tick_30000: %.3f ms\n", bestBlinkTickMs);
    return 0;
}
