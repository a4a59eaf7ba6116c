// SPDX-License-Identifier: GPL-3.0-or-later
// The filtered listing's walk over a full catalogue of 1,999,999 records with all four criteria
// checked and nothing matching, as "i" and as "lub", against a plain pass over the same records
// that sums one field. The ratio is the slower search over the plain pass.

#include "bench/support/FigureReporter.h"
#include "bench/support/Main.h"
#include "catalogue/Catalogue.h"
#include "search/SearchFilter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>

namespace
{

using namespace tremora;

constexpr int kRecords = 1'999'999;
constexpr double kFirstDay = 26'000; // 1971
constexpr double kLastDay = 46'000; // 2025

const Catalogue& catalogue()
{
    static const std::unique_ptr<Catalogue> full = [] {
        auto c = std::make_unique<Catalogue>();
        std::mt19937 random(11);
        std::uniform_real_distribution<float> lon(-179, 179);
        std::uniform_real_distribution<float> lat(-80, 80);
        std::uniform_int_distribution<int> mag(1, 80);
        std::uniform_int_distribution<int> depth(0, 7000);
        for (int i = 1; i <= kRecords; ++i) {
            QuakeRecord& r = (*c)[i];
            r.OriginDate = kFirstDay + static_cast<double>((kLastDay - kFirstDay) * i / kRecords);
            r.Longitude = lon(random);
            r.Latitude = lat(random);
            r.Mag10 = static_cast<std::uint8_t>(mag(random));
            r.Depth10 = static_cast<std::uint16_t>(depth(random));
        }
        c->CatalogueCount = kRecords;
        return c;
    }();
    return *full;
}

/// Every criterion checked, each outside what the records hold, over the catalogue's whole span.
SearchCriteria nothingMatches(bool anyCriterion)
{
    SearchBoxes boxes;
    boxes.magnitude = boxes.depth = boxes.longitude = boxes.latitude = true;
    boxes.texts
        = { QStringLiteral("9,5"), QStringLiteral("10"), QStringLiteral("900"), QStringLiteral("1000"),
              QStringLiteral("179,5"), QStringLiteral("180"), QStringLiteral("170"), QStringLiteral("180") };
    return searchCriteria(boxes, kFirstDay, kLastDay, anyCriterion);
}

void BM_PlainPass(benchmark::State& st)
{
    // Built before the timing starts (the first call fills it), so no scan pays for it.
    const Catalogue& c = catalogue();
    const QuakeRecord* records = c.slots();
    for (auto _ : st) {
        long long sum = 0;
        for (int i = c.CatalogueCount; i >= 1; --i)
            sum += records[i].Depth10;
        benchmark::DoNotOptimize(sum);
    }
}

void filterScan(benchmark::State& st, bool anyCriterion)
{
    const Catalogue& c = catalogue();
    const QuakeRecord* records = c.slots();
    const SearchCriteria criteria = nothingMatches(anyCriterion);
    int matches = 0;
    for (auto _ : st) {
        matches = 0;
        for (int i = c.CatalogueCount; i >= 1; --i)
            if (MatchesSearch(records[i], criteria))
                ++matches;
        benchmark::DoNotOptimize(matches);
    }
    if (matches != 0)
        st.SkipWithError("the criteria matched records");
}

void BM_FilterAnd(benchmark::State& st)
{
    filterScan(st, false);
}

void BM_FilterOr(benchmark::State& st)
{
    filterScan(st, true);
}

BENCHMARK(BM_PlainPass)->Unit(benchmark::kMillisecond)->MinTime(0.3);
BENCHMARK(BM_FilterAnd)->Unit(benchmark::kMillisecond)->MinTime(0.3);
BENCHMARK(BM_FilterOr)->Unit(benchmark::kMillisecond)->MinTime(0.3);

} // namespace

int tremora::bench::measure()
{
    FigureReporter reporter(FigureReporter::Table::Shown);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto* plain = reporter.run("BM_PlainPass");
    const auto* filterAnd = reporter.run("BM_FilterAnd");
    const auto* filterOr = reporter.run("BM_FilterOr");
    if (plain == nullptr || filterAnd == nullptr || filterOr == nullptr)
        return 0;
    // The scans run on one thread: on a busy machine their CPU time is the steadier figure.
    const double plainMs = plain->GetAdjustedCPUTime();
    const double slowerMs = std::max(filterAnd->GetAdjustedCPUTime(), filterOr->GetAdjustedCPUTime());
    if (plainMs <= 0)
        return 0;
    std::printf("filter_scan_2m_ms: %.1f ms\n", slowerMs);
    std::printf("filter_scan_2m_ratio: %.2f x\n", slowerMs / plainMs);
    return 0;
}
