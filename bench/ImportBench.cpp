// SPDX-License-Identifier: GPL-3.0-or-later
// Parse and merge of real monthly replies of the event service, against pandas.read_csv of the
// same files in the same run.
#include "catalogue/CsvImport.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
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

class SilentObserver : public tremora::ImportObserver
{
public:
    void log(const QString&) override { }
    void progress(int) override { }
    void warning(const QString&) override { }
};

QString sharedDataDir()
{
    const QString fromEnv = qEnvironmentVariable("TREMORA_SHARED_DATA");
    return fromEnv.isEmpty() ? QStringLiteral(TREMORA_BENCH_SHARED_DATA) : fromEnv;
}

std::vector<Month> loadMonths()
{
    std::vector<Month> months;
    const QDir dir(sharedDataDir() + QStringLiteral("/usgs"));
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

/// Keeps the CPU seconds per iteration of each month's run.
class FigureReporter : public benchmark::BenchmarkReporter
{
public:
    bool ReportContext(const Context&) override { return true; }
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration)
                continue;
            const double seconds = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            auto [it, inserted] = secondsByName.emplace(run.benchmark_name(), seconds);
            if (!inserted && seconds < it->second)
                it->second = seconds;
        }
    }
    std::map<std::string, double> secondsByName;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const std::vector<Month> months = loadMonths();
    if (months.empty()) {
        // Without the saved replies there is nothing to measure: said on the figure's line.
        std::printf("import_parse: skipped (needs the USGS months in %s)\n",
            qPrintable(QDir::cleanPath(sharedDataDir() + QStringLiteral("/usgs"))));
        return 0;
    }
    auto catalogue = std::make_unique<tremora::Catalogue>();
    SilentObserver observer;
    for (const Month& m : months) {
        benchmark::RegisterBenchmark(("import_" + m.name).c_str(),
            [&m, &catalogue, &observer](benchmark::State& state) {
                for (auto _ : state) {
                    catalogue->ImportCount = 0;
                    tremora::AnalizaResult r = tremora::Analiza(m.bytes, *catalogue, 0, false, observer);
                    benchmark::DoNotOptimize(r.rowsPlaced);
                }
                state.SetBytesProcessed(state.iterations() * m.bytes.size());
            })
            ->Unit(benchmark::kMillisecond);
    }
    FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    double ourSeconds = 0;
    double totalBytes = 0;
    for (const Month& m : months) {
        const double s = reporter.secondsByName["import_" + m.name];
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
