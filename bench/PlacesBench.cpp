// SPDX-License-Identifier: GPL-3.0-or-later
// Nearest-place names for a full report listing: 30,000 rows against a full list of 250 places.
#include "bench/support/FigureReporter.h"
#include "bench/support/Main.h"
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

} // namespace

int tremora::bench::measure()
{
    FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    // CPU time, so that other work on a busy machine does not inflate the figure.
    if (const auto* run = reporter.run("placesLokListing"))
        std::printf("places_lok_30000_rows: %.2f ms\n", run->GetAdjustedCPUTime());
    return 0;
}
