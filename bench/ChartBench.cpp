// SPDX-License-Identifier: GPL-3.0-or-later
// The charts over a full catalogue of 1,999,999 records: "Mag" from the click until the chart is
// painted at 1000 x 600, "Log" on that chart, a frame of a zoom, and "Energia" over 30,000 day
// buckets; then the same magnitudes drawn by matplotlib (dashed line, dot markers, a 1000 x 600
// PNG) against "Mag".
#include "app/Program.h"
#include "bench/support/Main.h"
#include "bench/support/SharedData.h"
#include "bench/support/Timing.h"
#include "catalogue/DayNumber.h"
#include "charts/ChartSeries.h"
#include "gui/controllers/Charts.h"
#include "gui/widgets/ChartView.h"
#include "gui/widgets/DateTimePicker.h"
#include "gui/window/TForm1.h"
#include "platform/Platform.h"
#include "platform/testing/Doubles.h"
#include "state/ProgramState.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <random>
#include <vector>

using namespace tremora;
using tremora::bench::Answering;
using tremora::bench::median;
using tremora::bench::whileAnswering;

namespace
{

const QSize kChartSize(1000, 600);
constexpr int kMatplotlibTimeoutMs = 600'000;

class Bench : fakes::FakePlatform
{
public:
    Bench()
    {
        clock.set(today + 0.5);
        ProgramOptions o;
        o.workDir = dir.path();
        program = std::make_unique<Program>(platform, o);
        program->FormCreate();
        TForm1& f = program->form();
        f.resize(1280, 800);
        f.show();
        QApplication::processEvents();
        Catalogue& c = program->state().catalogue;
        std::mt19937 random(2026);
        // Magnitudes as a catalogue has them: many small, few large.
        std::exponential_distribution<double> excess(std::log(10.0));
        for (int i = 1; i <= kCatalogueCapacity; ++i) {
            QuakeRecord& r = c[i];
            r.OriginDate = std::floor(first + double(i) * (today - first) / kCatalogueCapacity);
            r.Mag10 = std::uint8_t(std::min(95.0, 10 + std::floor(excess(random) * 10)));
        }
        c.CatalogueCount = kCatalogueCapacity;
    }

    QImage paint(ChartView* chart) { return chart->picture(kChartSize); }

    const double today = double(dayNumber(2025, 5, 10));
    const double first = double(dayNumber(1973, 1, 1));
    QTemporaryDir dir;
    std::unique_ptr<Program> program;
};

Bench* g_bench = nullptr;
double bestMagSeconds = std::numeric_limits<double>::max();
double bestLogMs = std::numeric_limits<double>::max();
double bestZoomFrameMs = std::numeric_limits<double>::max();
double bestEnergyMs = std::numeric_limits<double>::max();
std::size_t magPoints = 0;
std::vector<double> magPauses;
std::size_t energyPoints = 0;

void BM_Mag2m(benchmark::State& state)
{
    TForm1& f = g_bench->program->form();
    f.DateTimePicker3->setDay(g_bench->first);
    f.DateTimePicker4->setDay(g_bench->today);
    const Charts& charts = g_bench->program->charts();
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        const Answering walk
            = whileAnswering([&] { f.DsFancyButton5->click(); }, [&] { return charts.walkRunning(); });
        benchmark::DoNotOptimize(g_bench->paint(f.DBChart1));
        const double s = double(t.nsecsElapsed()) / 1e9;
        state.SetIterationTime(s);
        bestMagSeconds = std::min(bestMagSeconds, s);
        magPauses.push_back(walk.longestWaitMs);
        magPoints = f.DBChart1->content().lines.front().values.size();
    }
}

void BM_LogToggle(benchmark::State& state)
{
    TForm1& f = g_bench->program->form();
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        f.CheckBox12->click();
        benchmark::DoNotOptimize(g_bench->paint(f.DBChart1));
        const double ms = double(t.nsecsElapsed()) / 1e6;
        state.SetIterationTime(ms / 1e3);
        bestLogMs = std::min(bestLogMs, ms);
    }
}

void BM_ZoomFrame(benchmark::State& state)
{
    ChartView* chart = g_bench->program->form().DBChart1;
    const ChartRange whole = chart->wholeRange();
    int step = 0;
    for (auto _ : state) {
        // One frame of a zoom towards the middle tenth: the range moves and the chart is painted.
        const double t = (step++ % 10) / 10.0;
        ChartRange r = whole;
        const double mid = (whole.xFrom + whole.xTo) / 2;
        const double half = (whole.xTo - whole.xFrom) / 2 * (1 - 0.9 * t);
        r.xFrom = mid - half;
        r.xTo = mid + half;
        QElapsedTimer timer;
        timer.start();
        chart->zoomTo(r, false);
        benchmark::DoNotOptimize(g_bench->paint(chart));
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        state.SetIterationTime(ms / 1e3);
        bestZoomFrameMs = std::min(bestZoomFrameMs, ms);
    }
}

void BM_Energy30000(benchmark::State& state)
{
    TForm1& f = g_bench->program->form();
    f.DateTimePicker3->setDay(g_bench->today - (kEnergyDayBuckets - 1));
    f.DateTimePicker4->setDay(g_bench->today);
    const Charts& charts = g_bench->program->charts();
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        whileAnswering([&] { f.DsFancyButton6->click(); }, [&] { return charts.walkRunning(); });
        benchmark::DoNotOptimize(g_bench->paint(f.DBChart2));
        const double ms = double(t.nsecsElapsed()) / 1e6;
        state.SetIterationTime(ms / 1e3);
        bestEnergyMs = std::min(bestEnergyMs, ms);
        energyPoints = f.DBChart2->content().lines.front().values.size();
    }
}

/// Seconds matplotlib takes to draw the magnitudes as a dashed line with dot markers and save a
/// 1000 x 600 PNG (the values are loaded before the clock starts); negative when it cannot run.
double matplotlibSeconds(const std::vector<float>& values, const QString& folder)
{
    const QString data = folder + QStringLiteral("/mag.f32");
    QFile file(data);
    if (!file.open(QIODevice::WriteOnly))
        return -1;
    file.write(reinterpret_cast<const char*>(values.data()), qint64(values.size() * sizeof(float)));
    file.close();
    static const char* script = R"(import sys, time
import numpy
import matplotlib
matplotlib.use("Agg")
import matplotlib.pyplot as plt
values = numpy.fromfile(sys.argv[1], dtype=numpy.float32)
t = time.perf_counter()
fig = plt.figure(figsize=(10, 6), dpi=100)
plt.plot(values, linestyle="--", marker=".", markersize=1)
fig.savefig(sys.argv[2], dpi=100)
print(time.perf_counter() - t)
)";
    // Debian's python3, which the install script gives matplotlib, before any other on the path.
    QString python = QStringLiteral("/usr/bin/python3");
    if (!QFile::exists(python))
        python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        return -1;
    QProcess process;
    process.start(python,
        { QStringLiteral("-c"), QString::fromLatin1(script), data, folder + QStringLiteral("/mag.png") });
    if (!process.waitForFinished(kMatplotlibTimeoutMs) || process.exitCode() != 0) {
        std::fprintf(stderr, "matplotlib not measured: %s\n", process.readAllStandardError().constData());
        return -1;
    }
    bool ok = false;
    const double s = process.readAllStandardOutput().trimmed().toDouble(&ok);
    return ok ? s : -1;
}

} // namespace

BENCHMARK(BM_Mag2m)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LogToggle)->Iterations(6)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZoomFrame)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Energy30000)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

int tremora::bench::measure()
{
    Bench b;
    g_bench = &b;
    benchmark::RunSpecifiedBenchmarks();
    std::printf("chart_mag_2m_s: %.3f s\n", bestMagSeconds);
    std::printf("chart_mag_2m_points: %zu points\n", magPoints);
    if (!magPauses.empty())
        std::printf("chart_mag_ui_latency_ms: %.0f ms\n", median(magPauses));
    std::printf("chart_log_toggle_ms: %.1f ms\n", bestLogMs);
    std::printf("chart_zoom_frame_ms: %.1f ms\n", bestZoomFrameMs);
    std::printf("chart_energy_30000_ms: %.1f ms\n", bestEnergyMs);
    std::printf("chart_energy_30000_points: %zu points\n", energyPoints);

    // Refill the magnitude chart, then hand its values to matplotlib.
    b.program->form().DateTimePicker3->setDay(b.first);
    b.program->form().DsFancyButton5->click();
    const double mpl
        = matplotlibSeconds(b.program->form().DBChart1->content().lines.front().values, b.dir.path());
    if (mpl < 0)
        skipped("chart_vs_matplotlib", QStringLiteral("needs python3 with matplotlib"));
    else
        std::printf("chart_vs_matplotlib: %.1f x (matplotlib %.2f s)\n", mpl / bestMagSeconds, mpl);
    return 0;
}
