// SPDX-License-Identifier: GPL-3.0-or-later
// Nearest-place names for a full report listing: 30,000 rows against a full list of 250 places.
#include "places/PlaceList.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <random>
#include <vector>

namespace
{

constexpr int kRows = 30'000;

struct Point {
    float lon;
    float lat;
};

std::unique_ptr<tremora::PlaceList> fullList()
{
    auto places = std::make_unique<tremora::PlaceList>();
    std::mt19937 random(7);
    std::uniform_real_distribution<float> lon(-180.f, 180.f), lat(-90.f, 90.f);
    for (int i = 1; i <= tremora::kPlaceCapacity; ++i) {
        tremora::PlaceRecord& p = (*places)[i];
        p.Latitude = lat(random);
        p.Longitude = lon(random);
        p.PolishName.assign("Wybrzeże Kości Słoniowej");
        p.EnglishName.assign("Côte d'Ivoire");
    }
    places->PlaceCount = tremora::kPlaceCapacity;
    return places;
}

std::vector<Point> listingPoints()
{
    std::mt19937 random(11);
    std::uniform_real_distribution<float> lon(-180.f, 180.f), lat(-90.f, 90.f);
    std::vector<Point> points(kRows);
    for (Point& p : points)
        p = { lon(random), lat(random) };
    return points;
}

void placesLokListing(benchmark::State& state)
{
    const auto places = fullList();
    const std::vector<Point> points = listingPoints();
    for (auto _ : state) {
        for (const Point& p : points)
            benchmark::DoNotOptimize(tremora::Lok(*places, p.lon, p.lat, tremora::PlaceLanguage::Polish));
    }
}
BENCHMARK(placesLokListing)->Unit(benchmark::kMillisecond);

/// Prints each run as the figure line the benchmark script collects. CPU time, so that other
/// work on a busy machine does not inflate the figure.
class FigureReporter : public benchmark::BenchmarkReporter
{
public:
    bool ReportContext(const Context&) override { return true; }
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration)
                std::printf("places_lok_30000_rows: %.2f ms\n", run.GetAdjustedCPUTime());
    }
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
