// SPDX-License-Identifier: GPL-3.0-or-later
// Parse and merge of real monthly replies of the event service, against pandas.read_csv of the
// same files in the same run.
#include "bench/support/FigureReporter.h"
#include "bench/support/Main.h"
#include "bench/support/SharedData.h"
#include "catalogue/CsvImport.h"
#include "catalogue/testing/QuietObserver.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace
{

constexpr double kBytesPerMB = 1e6;
constexpr int kPandasRuns = 5;
constexpr int kPandasTimeoutMs = 300'000;

struct Month {
    std::string name; // "2015_07"
    QString path;
    QByteArray bytes;
};

std::vector<Month> loadMonths(const QString& folder)
{
    std::vector<Month> months;
    const QDir dir(folder);
    for (const QFileInfo& info :
        dir.entryInfoList({ QStringLiteral("*-fdsn-asc.csv") }, QDir::Files, QDir::Name)) {
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        Month m;
        m.name = info.fileName().left(7).replace(QLatin1Char('-'), QLatin1Char('_')).toStdString();
        m.path = info.filePath();
        m.bytes = file.readAll();
        months.push_back(std::move(m));
    }
    return months;
}

// CPU seconds of the fastest of a few pandas.read_csv runs per file, in the order given; empty
// when python3 with pandas is not at hand.
std::vector<double> pandasSeconds(const std::vector<Month>& months)
{
    static const char* script = R"(import sys, time
import pandas
runs = int(sys.argv[1])
for path in sys.argv[2:]:
    best = None
    for _ in range(runs):
        t = time.process_time()
        frame = pandas.read_csv(path)
        t = time.process_time() - t
        best = t if best is None or t < best else best
    print(best)
)";
    QString python = QStringLiteral("/usr/bin/python3");
    if (!QFile::exists(python))
        python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        return {};
    QStringList args { QStringLiteral("-c"), QString::fromLatin1(script), QString::number(kPandasRuns) };
    for (const Month& m : months)
        args << m.path;
    QProcess process;
    process.start(python, args);
    if (!process.waitForFinished(kPandasTimeoutMs) || process.exitCode() != 0) {
        std::fprintf(stderr, "pandas not measured: %s\n", process.readAllStandardError().constData());
        return {};
    }
    std::vector<double> seconds;
    for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
        bool ok = false;
        const double s = line.trimmed().toDouble(&ok);
        if (ok)
            seconds.push_back(s);
    }
    if (seconds.size() != months.size())
        return {};
    return seconds;
}

} // namespace

int tremora::bench::measure()
{
    const QString folder = sharedData(QStringLiteral("usgs"));
    const std::vector<Month> months = loadMonths(folder);
    if (months.empty()) {
        skipped("import_parse", QStringLiteral("needs the USGS months in ") + QDir::cleanPath(folder));
        return 0;
    }
    auto catalogue = std::make_unique<Catalogue>();
    QuietObserver observer;
    for (const Month& m : months) {
        benchmark::RegisterBenchmark(("import_" + m.name).c_str(),
            [&m, &catalogue, &observer](benchmark::State& state) {
                for (auto _ : state) {
                    catalogue->ImportCount = 0;
                    AnalizaResult r = Analiza(m.bytes, *catalogue, 0, false, observer);
                    benchmark::DoNotOptimize(r.rowsPlaced);
                }
                state.SetBytesProcessed(state.iterations() * m.bytes.size());
            })
            ->Unit(benchmark::kMillisecond);
    }
    FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    double ourSeconds = 0;
    double totalBytes = 0;
    for (const Month& m : months) {
        // CPU seconds per iteration of the month's run.
        const benchmark::BenchmarkReporter::Run* run = reporter.run("import_" + m.name);
        if (run == nullptr)
            continue;
        const double s = run->GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run->time_unit);
        ourSeconds += s;
        totalBytes += static_cast<double>(m.bytes.size());
        std::printf("import_parse_%s: %.0f MB/s\n", m.name.c_str(), m.bytes.size() / kBytesPerMB / s);
    }
    std::printf("import_parse: %.0f MB/s\n", totalBytes / kBytesPerMB / ourSeconds);

    const std::vector<double> pandas = pandasSeconds(months);
    if (!pandas.empty()) {
        double pandasTotal = 0;
        for (double s : pandas)
            pandasTotal += s;
        std::printf("pandas_read_csv: %.0f MB/s\n", totalBytes / kBytesPerMB / pandasTotal);
        std::printf("import_vs_pandas: %.1f x\n", pandasTotal / ourSeconds);
    }
    return 0;
}
