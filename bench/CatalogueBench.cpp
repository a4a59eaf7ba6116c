// SPDX-License-Identifier: GPL-3.0-or-later
// Load and save of a full catalogue (1,999,999 records, 80 MB) against a plain read and a plain
// write (with one fsync) of the same bytes in the same run, taking turns. Prints the ratios.
#include "bench/support/Main.h"
#include "bench/support/Timing.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueFile.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{

using namespace tremora;

constexpr int kIterations = 5;
const qint64 kBytes = qint64(kCatalogueCapacity) * qint64(sizeof(QuakeRecord));

struct Fixture {
    QTemporaryDir dir;
    Catalogue catalogue;
    std::string plainPath;
    std::vector<char> buffer;

    Fixture()
    {
        catalogue.CatalogueFileName = dir.filePath(QStringLiteral("Baza_USGS.dat"));
        plainPath = dir.filePath(QStringLiteral("plain.dat")).toStdString();
        for (int i = 1; i <= kCatalogueCapacity; ++i) {
            QuakeRecord& r = catalogue[i];
            r.OriginDate = 26665 + i / 100;
            r.OriginTime = (i % 86400) / 86400.0;
            r.Longitude = float(i % 360 - 180);
            r.Latitude = float(i % 180 - 90);
            r.Mag10 = std::uint8_t(i % 90);
            r.Depth10 = std::uint16_t(i % 7000);
        }
        catalogue.CatalogueCount = kCatalogueCapacity;
        buffer.assign(reinterpret_cast<const char*>(catalogue.slots() + 1),
            reinterpret_cast<const char*>(catalogue.slots() + 1) + kBytes);
        SaveCatalogue(catalogue);
        plainWrite();
    }

    void plainWrite() const
    {
        const int fd = ::open(plainPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        qint64 done = 0;
        while (done < kBytes) {
            const ssize_t n = ::write(fd, buffer.data() + done, size_t(kBytes - done));
            if (n <= 0)
                break;
            done += n;
        }
        ::fsync(fd);
        ::close(fd);
    }

    void plainRead()
    {
        const int fd = ::open(plainPath.c_str(), O_RDONLY);
        qint64 done = 0;
        while (done < kBytes) {
            const ssize_t n = ::read(fd, buffer.data() + done, size_t(kBytes - done));
            if (n <= 0)
                break;
            done += n;
        }
        ::close(fd);
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void BM_LoadCatalogue(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        LoadResult result = LoadCatalogue(f.catalogue);
        benchmark::DoNotOptimize(result.loaded);
    }
    state.SetBytesProcessed(state.iterations() * kBytes);
}

void BM_PlainRead(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        f.plainRead();
        benchmark::DoNotOptimize(f.buffer.data());
    }
    state.SetBytesProcessed(state.iterations() * kBytes);
}

void BM_SaveCatalogue(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        SaveResult result = SaveCatalogue(f.catalogue);
        benchmark::DoNotOptimize(result.ok);
    }
    state.SetBytesProcessed(state.iterations() * kBytes);
}

void BM_PlainWrite(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state)
        f.plainWrite();
    state.SetBytesProcessed(state.iterations() * kBytes);
}

BENCHMARK(BM_PlainRead)->Iterations(kIterations)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCatalogue)->Iterations(kIterations)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainWrite)->Iterations(kIterations)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveCatalogue)->Iterations(kIterations)->UseRealTime()->Unit(benchmark::kMillisecond);

/// Median seconds of each operation, ours and the plain one taking turns so that both see the
/// same disk and the same neighbours; a ratio of two separate runs would mostly measure noise.
constexpr int kRounds = 9;

struct Pair {
    double ours;
    double plain;
};

Pair interleaved(const std::function<void()>& ours, const std::function<void()>& plain)
{
    std::vector<double> a, b;
    for (int round = 0; round < kRounds; ++round) {
        a.push_back(bench::seconds(ours));
        b.push_back(bench::seconds(plain));
    }
    return { bench::median(a), bench::median(b) };
}

} // namespace

int tremora::bench::measure()
{
    benchmark::RunSpecifiedBenchmarks();

    Fixture& f = fixture();
    const Pair load = interleaved([&] { LoadCatalogue(f.catalogue); }, [&] { f.plainRead(); });
    const Pair save = interleaved([&] { SaveCatalogue(f.catalogue); }, [&] { f.plainWrite(); });
    std::printf("catalogue_load_ms: %.1f ms\n", load.ours * 1000.0);
    std::printf("catalogue_save_ms: %.1f ms\n", save.ours * 1000.0);
    std::printf("catalogue_load_ratio: %.2f x\n", load.ours / load.plain);
    std::printf("catalogue_save_ratio: %.2f x\n", save.ours / save.plain);
    return 0;
}
